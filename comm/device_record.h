// The host-side copy of the transmitter's data: 2052 bytes in which every 4-byte number is a
// DeviceFloat in transmission order. The offsets of its fields are in record_layout.h.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "comm/device_float.h"

namespace vorta::comm {

struct TDeviceRecord {
  static constexpr std::size_t kSize = 2052;
  std::array<std::uint8_t, kSize> b{};

  std::uint8_t& operator[](std::size_t i) { return b[i]; }
  std::uint8_t operator[](std::size_t i) const { return b[i]; }

  double GetFloat(std::size_t offset) const { return DecodeDeviceFloat(&b[offset]); }
  // Stores v at offset; false (record unchanged) when v does not fit the format.
  bool SetFloat(std::size_t offset, double v) {
    DeviceFloatBytes bytes;
    if (!EncodeDeviceFloat(v, bytes)) return false;
    for (std::size_t i = 0; i < 4; ++i) b[offset + i] = bytes[i];
    return true;
  }
  // 16-bit values are held high byte first.
  std::uint16_t GetWord(std::size_t offset) const {
    return static_cast<std::uint16_t>(b[offset] << 8 | b[offset + 1]);
  }
  void SetWord(std::size_t offset, std::uint16_t v) {
    b[offset] = static_cast<std::uint8_t>(v >> 8);
    b[offset + 1] = static_cast<std::uint8_t>(v & 0xFF);
  }
  void Clear() { b.fill(0); }
  bool operator==(const TDeviceRecord&) const = default;
};

}  // namespace vorta::comm
