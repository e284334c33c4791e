// Memory map of the transmitter: record <-> image, checksums, read modes.
#include "comm/device_image.h"

#include "comm/record_layout.h"

namespace vorta::comm {

namespace {

enum class Layout { kPlain, kReversed, kSwapped, kEncodeOnlyReversed };

// One row of the memory map: image bytes [address, address + count) from record bytes at offset.
struct TMapRow {
  int address;
  int count;
  std::size_t offset;
  Layout layout;
};

constexpr TMapRow kMap[] = {
    {0x010, 8, rec::kConfig, Layout::kPlain},
    {0x018, 4, rec::kConfigDate, Layout::kPlain},
    {0x020, 64, rec::kKind, Layout::kPlain},
    {0x060, 8, rec::kZeroReg, Layout::kReversed},
    {0x068, 4, rec::kRoomT, Layout::kReversed},
    {0x080, 16, rec::kKod, Layout::kPlain},
    {0x090, 64, rec::kOgolne, Layout::kPlain},
    {0x400, 2, rec::kDeviceWord, Layout::kSwapped},
    {0x402, 6, rec::kCalDate, Layout::kPlain},
    {0x408, 40, rec::kFactory, Layout::kReversed},
    {0x430, 8, rec::kInputRanges, Layout::kPlain},
    {0x438, 4, rec::kFactoryWord, Layout::kSwapped},
    {0x440, 1616, rec::kSlots, Layout::kReversed},
    {0xA90, 16, rec::kSmin, Layout::kReversed},
    {0xAA0, 12, rec::kCjTerms, Layout::kEncodeOnlyReversed},
};

struct TZeroGap {
  int first;
  int last;
};
constexpr TZeroGap kZeroGaps[] = {{0x01C, 0x01F}, {0x43C, 0x43E}, {0xAAC, 0xABB}};

constexpr int kComplementedByte = 0x013;

// Image position of record byte i of a row: 4-byte groups reversed, 2-byte words swapped.
int ImageIndex(const TMapRow& row, int i) {
  switch (row.layout) {
    case Layout::kReversed:
    case Layout::kEncodeOnlyReversed:
      return row.address + (i / 4) * 4 + (3 - i % 4);
    case Layout::kSwapped:
      return row.address + (i / 2) * 2 + (1 - i % 2);
    case Layout::kPlain:
      break;
  }
  return row.address + i;
}

constexpr TReadModeRanges kReadModes[kReadModeCount] = {
    {{{0x010, 0x017}, {0x400, 0x407}, {0x430, 0x438}, {0, 0}, {0, 0}}},
    {{{0x010, 0x01B}, {0x080, 0x0CF}, {0x400, 0x407}, {0x430, 0x438}, {0, 0}}},
    {{{0x400, 0x407}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
    {{{0x010, 0x017}, {0x080, 0x0CF}, {0x400, 0x43F}, {0, 0}, {0, 0}}},
    {{{0x010, 0x0CF}, {0x400, 0x407}, {0x430, 0x438}, {0xA90, 0xA9F}, {0, 0}}},
    {{{0x010, 0x02F}, {0x060, 0x06C}, {0x080, 0x0CF}, {0x440, 0xA9F}, {0, 0}}},
    {{{0x000, 0x0FF}, {0x400, 0xABF}, {0, 0}, {0, 0}, {0, 0}}},
    {{kWrittenConfig, kWrittenData, {0, 0}, {0, 0}, {0, 0}}},
};

bool RangeEmpty(const TAddressRange& r) {
  return r.last == 0;
}

}  // namespace

std::uint8_t ImageChecksum(const TDeviceImage& image, int first, int last) {
  unsigned sum = 0;
  for (int a = first; a <= last; ++a) sum += image[a];
  return static_cast<std::uint8_t>(255 - sum % 256);
}

void EncodeImage(const TDeviceRecord& record, TDeviceImage& image) {
  for (const TMapRow& row : kMap)
    for (int i = 0; i < row.count; ++i) image[ImageIndex(row, i)] = record[row.offset + i];
  image[kComplementedByte] = static_cast<std::uint8_t>(~image[kComplementedByte]);
  for (const TZeroGap& gap : kZeroGaps)
    for (int a = gap.first; a <= gap.last; ++a) image[a] = 0;
  image[0x0FC] = ImageChecksum(image, 0x010, 0x017);
  image[0x0FD] = ImageChecksum(image, 0x018, 0x05F);
  image[0x0FE] = ImageChecksum(image, 0x060, 0x06B);
  image[0x43F] = ImageChecksum(image, 0x400, 0x43E);
  const std::uint8_t data = ImageChecksum(image, 0x440, 0xABB);
  for (int a = 0xABC; a <= 0xABF; ++a) image[a] = data;
}

void DecodeImage(const TDeviceImage& image, TDeviceRecord& record) {
  for (const TMapRow& row : kMap) {
    if (row.layout == Layout::kEncodeOnlyReversed) continue;
    for (int i = 0; i < row.count; ++i) record[row.offset + i] = image[ImageIndex(row, i)];
  }
  record[3] = static_cast<std::uint8_t>(~image[kComplementedByte]);
}

TReadModeRanges RangesOfReadMode(int mode) {
  if (mode < 0 || mode >= kReadModeCount) return {};
  return kReadModes[mode];
}

std::vector<TBlock> BlocksOfReadMode(int mode) {
  std::vector<TBlock> blocks;
  for (const TAddressRange& r : RangesOfReadMode(mode)) {
    if (RangeEmpty(r)) continue;
    for (int a = r.first; a <= r.last; a += kBlockSize) {
      const int left = r.last - a + 1;
      blocks.push_back(
          {static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(left < kBlockSize ? left : kBlockSize)});
    }
  }
  return blocks;
}

bool WrittenAreasEqual(const TDeviceImage& a, const TDeviceImage& b) {
  for (const TAddressRange& r : {kWrittenConfig, kWrittenData})
    for (int i = r.first; i <= r.last; ++i)
      if (a[i] != b[i]) return false;
  return true;
}

}  // namespace vorta::comm
