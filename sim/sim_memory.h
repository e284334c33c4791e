// The simulated transmitter's memory: configuration area 0x000-0x0FF, data area 0x400-0xABF and a
// small read-only factory area, with the map's field addresses, checksums, default contents per
// model and the file that keeps the memory between runs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "sim/sim_models.h"

namespace vorta::sim {

inline constexpr unsigned kMemorySize = 0x1000;

// Field addresses. Four-byte numbers are transmitter floats stored byte-reversed.
namespace mem {
inline constexpr unsigned kConfigFirst = 0x000, kConfigLast = 0x0FF;
inline constexpr unsigned kDataFirst = 0x400, kDataLast = 0xABF;
inline constexpr unsigned kConfigBytes = 0x010;  // '1', 'U', mode, ~mode, filter count, range, limit, unit
inline constexpr unsigned kModeByte = 0x012;
inline constexpr unsigned kModeComplement = 0x013;
inline constexpr unsigned kFilterCount = 0x014, kFilterRange = 0x015, kFilterLimit = 0x016;
inline constexpr unsigned kUnitIndex = 0x017;
inline constexpr unsigned kConfigDate = 0x018;  // day number, high byte first
inline constexpr unsigned kSensorType = 0x01A, kLinearisation = 0x01B;
inline constexpr unsigned kCharacteristicKind = 0x020;
inline constexpr unsigned kZeroCorrection = 0x060, kGainCorrection = 0x064, kRoomTemperature = 0x068;
inline constexpr unsigned kTag = 0x080, kText = 0x090;
inline constexpr unsigned kSumConfig = 0x0FC;       // over 0x010..0x017
inline constexpr unsigned kSumSensor = 0x0FD;       // over 0x018..0x05F
inline constexpr unsigned kSumCorrection = 0x0FE;   // over 0x060..0x06B
inline constexpr unsigned kTypeNumber = 0x400;      // low byte first
inline constexpr unsigned kCalDate = 0x402;         // day number, high byte first
inline constexpr unsigned kCalTemperature = 0x404;  // (t - 16) * 16
inline constexpr unsigned kSerial = 0x405;          // 24 bits, high byte first
inline constexpr unsigned kInputRanges = 0x430;     // four 16-bit tenths, low byte first
inline constexpr unsigned kSumFactory = 0x43F;      // over 0x400..0x43E
inline constexpr unsigned kSlots = 0x440;           // 202 (offset, gain) pairs
inline constexpr unsigned kSlotCount = 202;
inline constexpr unsigned kSignalMin = 0xA90, kSignalStep = 0xA94;
inline constexpr unsigned kInputMin = 0xA98, kInputSpan = 0xA9C;
inline constexpr unsigned kColdJunction = 0xAA0;  // c0, c1, c2
inline constexpr unsigned kSumData = 0xABC;       // four copies, over 0x440..0xABB
inline constexpr unsigned kFirmware = 0xFF0;      // factory area: firmware code, 4 characters
inline constexpr unsigned kServiceWord = 0xFF4;   // factory area: the 4 bytes of the special write
}  // namespace mem

class TSimMemory {
 public:
  TSimMemory();  // every byte 0xFF (erased)

  // Addresses beyond the memory read as 0xFF.
  std::uint8_t Byte(unsigned address) const;
  void SetByte(unsigned address, std::uint8_t value);
  // The host may write the configuration and data areas only.
  static bool HostWritable(unsigned address);

  double Float(unsigned address) const;  // byte-reversed transmitter float
  void SetFloat(unsigned address, double value);
  unsigned Word(unsigned address) const;  // high byte first

  // 255 minus the sum of first..last modulo 256.
  std::uint8_t Sum(unsigned first, unsigned last) const;
  // Stores every checksum computed from the bytes it covers.
  void UpdateChecksums();
  void UpdateCorrectionSum();
  // True when every stored checksum matches its bytes.
  bool ChecksumsGood() const;

  // Model code from the type number (its last two decimal digits).
  int ModelCode() const;

  // The memory file: a short header and the whole memory. A missing, short or foreign file fails
  // without touching the memory; writing goes through a temporary file and a rename.
  bool Load(const std::string& path, std::string* why = nullptr);
  bool Save(const std::string& path) const;

  std::array<std::uint8_t, kMemorySize>& Raw() { return bytes_; }
  const std::array<std::uint8_t, kMemorySize>& Raw() const { return bytes_; }

 private:
  std::array<std::uint8_t, kMemorySize> bytes_;
};

// Writes a characteristic that is linear in the signal: output fraction 0 at signal sLow and 1 at
// sHigh, reported as inputLow..inputHigh; every slot holds the same pair. Leaves checksums alone.
void WriteLinearCharacteristic(TSimMemory& m, double sLow, double sHigh, double inputLow, double inputHigh);

// A freshly calibrated transmitter of the model: millivolt input 0..100 mV without conversion,
// no filter, corrections zero, calibration date 15.03.2024 at 23.0 C, firmware "S1.4".
TSimMemory DefaultMemory(const TSimModel& model);

}  // namespace vorta::sim
