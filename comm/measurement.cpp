// Measurement decoding.
#include "comm/measurement.h"

#include "comm/device_float.h"

namespace vorta::comm {

void TMeasurementStatus::Reset() {
  CalMode = IndependentOutput = BrokenSensor = EepromError = false;
  InternalError = NewAverage = LargeError = OutOfRange = false;
  UnitIndex = 15;
  TypeIndex = kNoMeasurementType;
}

void DecodeMeasurement(const TRawMeasurement& raw, bool takeLatched, bool newAverage, bool largeError,
                       double& value, double& current, TMeasurementStatus& status) {
  value = DecodeDeviceFloat(raw.data());
  current = DacToMilliamps(static_cast<std::uint16_t>(raw[4] << 8 | raw[5]));
  const std::uint8_t a = raw[6];
  const std::uint8_t b = raw[7];
  status.CalMode = (a & 0x10) != 0;
  status.IndependentOutput = (a & 0x20) != 0;
  status.BrokenSensor = (a & 0x40) != 0;
  status.EepromError = (a & 0x80) != 0;
  status.UnitIndex = (a & 0x0F) == 0 ? 15 : (a & 0x0F);
  if (takeLatched) {
    status.NewAverage = newAverage;
    status.LargeError = largeError;
  }
  status.InternalError = (b & 0x10) != 0;
  status.OutOfRange = (b & 0x80) != 0;
  status.TypeIndex = b & 0x0F;
}

}  // namespace vorta::comm
