// The memory map both ways on a record of distinct bytes, the checksums and the read modes.
#include "comm/device_image.h"

#include <gtest/gtest.h>

#include <set>

namespace vorta::comm {
namespace {

// Byte i of the record holds a value that tells which offset it came from (mod 251, a prime).
TDeviceRecord DistinctRecord() {
  TDeviceRecord r;
  for (std::size_t i = 0; i < TDeviceRecord::kSize; ++i) r[i] = static_cast<std::uint8_t>(i % 251 + 1);
  return r;
}

TEST(DeviceImageTest, EveryFieldLandsAtItsAddress) {
  const TDeviceRecord r = DistinctRecord();
  TDeviceImage img{};
  EncodeImage(r, img);
  EXPECT_EQ(img[0x013], static_cast<std::uint8_t>(~r[3]));  // the one complemented byte
  // {address, record offset}: configuration, date, kind, texts plain; corrections, factory data,
  // slots, smallest signal and cold-junction terms with the exponent byte at the highest address;
  // the type number and factory word low byte first.
  const std::pair<int, int> at[] = {
      {0x010, 0},    {0x012, 2},    {0x017, 7},    {0x018, 2028}, {0x01B, 2031}, {0x020, 1792}, {0x05F, 1855},
      {0x060, 2023}, {0x063, 2020}, {0x064, 2027}, {0x067, 2024}, {0x068, 2019}, {0x06B, 2016}, {0x080, 1712},
      {0x0CF, 1791}, {0x400, 17},   {0x401, 16},   {0x402, 18},   {0x407, 23},   {0x408, 27},   {0x40B, 24},
      {0x42F, 60},   {0x430, 2032}, {0x437, 2039}, {0x438, 65},   {0x439, 64},   {0x43A, 67},   {0x43B, 66},
      {0x440, 99},   {0x443, 96},   {0xA8F, 1708}, {0xA90, 83},   {0xA9F, 92},   {0xAA0, 71},   {0xAAB, 76},
  };
  for (const auto& [address, offset] : at) EXPECT_EQ(img[address], r[offset]) << std::hex << address;
}

TEST(DeviceImageTest, GapsAreZeroAndChecksumsCoverTheirAreas) {
  TDeviceImage img;
  img.fill(0x77);
  EncodeImage(DistinctRecord(), img);
  for (int a : {0x01C, 0x01F, 0x43C, 0x43E, 0xAAC, 0xABB}) EXPECT_EQ(img[a], 0) << a;
  auto sumOk = [&](int first, int last, int at) {
    unsigned s = img[at];
    for (int a = first; a <= last; ++a) s += img[a];
    return s % 256 == 255;
  };
  EXPECT_TRUE(sumOk(0x010, 0x017, 0x0FC));
  EXPECT_TRUE(sumOk(0x018, 0x05F, 0x0FD));
  EXPECT_TRUE(sumOk(0x060, 0x06B, 0x0FE));
  EXPECT_TRUE(sumOk(0x400, 0x43E, 0x43F));
  for (int a = 0xABC; a <= 0xABF; ++a) EXPECT_TRUE(sumOk(0x440, 0xABB, a)) << a;
}

TEST(DeviceImageTest, DecodingUndoesEveryLayoutExceptTheWriteOnlyTerms) {
  const TDeviceRecord r = DistinctRecord();
  TDeviceImage img{};
  EncodeImage(r, img);
  TDeviceRecord back;
  back.b.fill(0xEE);
  DecodeImage(img, back);
  std::set<int> mapped;
  const std::pair<int, int> spans[] = {{0, 8},  {2028, 4}, {1792, 64}, {2020, 8}, {2016, 4},  {1712, 80},
                                       {16, 8}, {24, 40},  {2032, 8},  {64, 4},   {96, 1616}, {80, 16}};
  for (const auto& [first, count] : spans)
    for (int i = first; i < first + count; ++i) mapped.insert(i);
  for (int i = 0; i < static_cast<int>(TDeviceRecord::kSize); ++i)
    EXPECT_EQ(back[i], mapped.count(i) ? r[i] : 0xEE) << i;  // 68..79 among the rest: never taken back
  img[0x013] = 0x5A;
  DecodeImage(img, back);
  EXPECT_EQ(back[3], 0xA5);
}

TEST(DeviceImageTest, ReadModeFourIsTwelveBlocksOfConfigurationAndThreeShortOnes) {
  const std::vector<TBlock> blocks = BlocksOfReadMode(4);
  ASSERT_EQ(blocks.size(), 12u + 1 + 1 + 1);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(blocks[i].address, 0x010 + 16 * i);
    EXPECT_EQ(blocks[i].count, 16);
  }
  const TBlock rest[] = {{0x400, 8}, {0x430, 9}, {0xA90, 16}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(blocks[12 + i].address, rest[i].address);
    EXPECT_EQ(blocks[12 + i].count, rest[i].count);
  }
}

TEST(DeviceImageTest, EveryReadModeCoversExactlyItsRanges) {
  const int totals[kReadModeCount] = {8 + 8 + 9,        12 + 80 + 8 + 9,     8,          8 + 80 + 64,
                                      192 + 8 + 9 + 16, 32 + 13 + 80 + 1632, 256 + 1728, 192 + 1664};
  for (int mode = 0; mode < kReadModeCount; ++mode) {
    int total = 0, previousEnd = 0;
    for (const TBlock& b : BlocksOfReadMode(mode)) {
      EXPECT_GE(b.count, 1);
      EXPECT_LE(b.count, 16);
      EXPECT_GE(b.address, previousEnd) << mode;  // in order, never overlapping
      previousEnd = b.address + b.count;
      total += b.count;
    }
    EXPECT_EQ(total, totals[mode]) << mode;
  }
  EXPECT_TRUE(BlocksOfReadMode(8).empty());
  EXPECT_TRUE(BlocksOfReadMode(-1).empty());
  // The verify mode reads back every byte a full write sends, and nothing else.
  std::set<int> read;
  for (const TBlock& b : BlocksOfReadMode(kVerifyReadMode))
    for (int a = b.address; a < b.address + b.count; ++a) read.insert(a);
  for (int a = 0x010; a <= 0x0CF; ++a) EXPECT_TRUE(read.count(a)) << a;
  for (int a = 0x440; a <= 0xABF; ++a) EXPECT_TRUE(read.count(a)) << a;
  EXPECT_EQ(read.size(), 192u + 1664u);
}

TEST(DeviceImageTest, WrittenAreasCompareOnlyWhatAWriteSends) {
  TDeviceImage a{}, b{};
  b[0x400] = 1;  // never written
  b[0x0FF] = 1;
  EXPECT_TRUE(WrittenAreasEqual(a, b));
  for (int at : {0x010, 0x0CF, 0x440, 0xAAB, 0xABF}) {  // 0xAAB: a cold-junction term mode 5 would miss
    b = a;
    b[at] = 1;
    EXPECT_FALSE(WrittenAreasEqual(a, b)) << at;
  }
}

}  // namespace
}  // namespace vorta::comm
