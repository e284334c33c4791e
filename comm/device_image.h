// The transmitter memory image, indexed by transmitter address, with the encoder and decoder
// between it and the host-side record, the checksums, and the address ranges of the read modes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "comm/device_record.h"

namespace vorta::comm {

inline constexpr std::size_t kImageSize = 4095;
using TDeviceImage = std::array<std::uint8_t, kImageSize>;

// Record -> image: every field of the memory map, the complemented byte 0x013, the zero gaps and
// every checksum.
void EncodeImage(const TDeviceRecord& record, TDeviceImage& image);
// Image -> record: every field back, except 0xAA0..0xAAB (record bytes 68..79 keep their values).
// Checksums are not verified.
void DecodeImage(const TDeviceImage& image, TDeviceRecord& record);

// 255 - (sum of image[first..last] mod 256).
std::uint8_t ImageChecksum(const TDeviceImage& image, int first, int last);

struct TAddressRange {
  std::uint16_t first;
  std::uint16_t last;  // inclusive; 0 marks an empty slot
};

inline constexpr int kReadModeCount = 8;
// Mode 7 reads back exactly what a full write writes, for verifying it.
inline constexpr int kVerifyReadMode = 7;
using TReadModeRanges = std::array<TAddressRange, 5>;
// The ranges of a read mode; every slot empty for a mode outside 0..7.
TReadModeRanges RangesOfReadMode(int mode);

struct TBlock {
  std::uint16_t address;
  std::uint8_t count;
};
inline constexpr int kBlockSize = 16;
// The block reads of a mode, in order: each range in blocks of 16, then one block of the rest.
std::vector<TBlock> BlocksOfReadMode(int mode);

// The ranges a full write sends in blocks.
inline constexpr TAddressRange kWrittenConfig{0x010, 0x0CF};
inline constexpr TAddressRange kWrittenData{0x440, 0xABF};
// The tag and free text, which a text write sends alone.
inline constexpr TAddressRange kWrittenTexts{0x080, 0x0CF};
// The written ranges of two images are equal.
bool WrittenAreasEqual(const TDeviceImage& a, const TDeviceImage& b);

}  // namespace vorta::comm
