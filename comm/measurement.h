// The measurement reply of 'm': value, output current and the status flags the windows show.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace vorta::comm {

// Status flags set from every measurement taken; read by the main window and the service windows.
struct TMeasurementStatus {
  std::atomic<bool> CalMode{false};            // A bit 4
  std::atomic<bool> IndependentOutput{false};  // A bit 5
  std::atomic<bool> BrokenSensor{false};       // A bit 6
  std::atomic<bool> EepromError{false};        // A bit 7
  std::atomic<int> UnitIndex{15};              // A bits 0..3, 0 taken as 15
  std::atomic<bool> InternalError{false};      // B bit 4
  std::atomic<bool> NewAverage{false};         // B bit 5, latched by the polling thread
  std::atomic<bool> LargeError{false};         // B bit 6, latched by the polling thread
  std::atomic<bool> OutOfRange{false};         // B bit 7
  std::atomic<int> TypeIndex{16};              // B bits 0..3; 16: no measurement available
  void Reset();
};

inline constexpr int kNoMeasurementType = 16;

using TRawMeasurement = std::array<std::uint8_t, 8>;

// Decodes the data bytes 3..10 of a measurement reply (raw[0..7]). When takeLatched is set the
// new-average and large-error flags become the given values; otherwise they are left alone.
void DecodeMeasurement(const TRawMeasurement& raw, bool takeLatched, bool newAverage, bool largeError,
                       double& value, double& current, TMeasurementStatus& status);

}  // namespace vorta::comm
