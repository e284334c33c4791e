// The transmitter's own 4-byte floating-point format and the conversion of its output DAC word.
//
// Transmission order: byte 0 = exponent + 127, byte 1 = sign (bit 7) and fraction bits 22..16,
// bytes 2 and 3 = fraction bits 15..0. Four zero bytes are 0.0.
#pragma once

#include <array>
#include <cstdint>

namespace vorta::comm {

using DeviceFloatBytes = std::array<std::uint8_t, 4>;

// Value of four bytes in transmission order. Never fails: every byte pattern is a number.
double DecodeDeviceFloat(const std::uint8_t* bytes);
inline double DecodeDeviceFloat(const DeviceFloatBytes& bytes) {
  return DecodeDeviceFloat(bytes.data());
}

// Encodes v in transmission order. Fails (out untouched) for NaN, infinities and magnitudes whose
// exponent does not fit the format (about 6.8E+38 and beyond); magnitudes too small for the format
// are encoded as zero.
bool EncodeDeviceFloat(double v, DeviceFloatBytes& out);

// The DAC settings the output current is computed with.
struct DacSettings {
  std::uint16_t offset = 9216;
  std::uint16_t headroom = 128;
  std::uint16_t fullScale = 36000;
};

// Output current in mA for a DAC word reported by the transmitter, 0 outside the usable span,
// clamped to 0..25 mA.
double DacToMilliamps(std::uint16_t word, const DacSettings& dac = DacSettings{});

}  // namespace vorta::comm
