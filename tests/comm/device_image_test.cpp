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
  // Configuration bytes, byte 0x013 complemented.
  EXPECT_EQ(img[0x010], r[0]);
  EXPECT_EQ(img[0x012], r[2]);
  EXPECT_EQ(img[0x013], static_cast<std::uint8_t>(~r[3]));
  EXPECT_EQ(img[0x017], r[7]);
  EXPECT_EQ(img[0x018], r[2028]);
  EXPECT_EQ(img[0x01B], r[2031]);
  EXPECT_EQ(img[0x020], r[1792]);
  EXPECT_EQ(img[0x05F], r[1855]);
  // Corrections reversed: the exponent byte at the highest address.
  EXPECT_EQ(img[0x060], r[2023]);
  EXPECT_EQ(img[0x063], r[2020]);
  EXPECT_EQ(img[0x064], r[2027]);
  EXPECT_EQ(img[0x067], r[2024]);
  EXPECT_EQ(img[0x068], r[2019]);
  EXPECT_EQ(img[0x06B], r[2016]);
  EXPECT_EQ(img[0x080], r[1712]);
  EXPECT_EQ(img[0x0CF], r[1791]);
  // Type number low byte first.
  EXPECT_EQ(img[0x400], r[17]);
  EXPECT_EQ(img[0x401], r[16]);
  EXPECT_EQ(img[0x402], r[18]);
  EXPECT_EQ(img[0x407], r[23]);
  EXPECT_EQ(img[0x408], r[27]);
  EXPECT_EQ(img[0x40B], r[24]);
  EXPECT_EQ(img[0x42F], r[60]);
  EXPECT_EQ(img[0x430], r[2032]);
  EXPECT_EQ(img[0x437], r[2039]);
  EXPECT_EQ(img[0x438], r[65]);
  EXPECT_EQ(img[0x439], r[64]);
  EXPECT_EQ(img[0x43A], r[67]);
  EXPECT_EQ(img[0x43B], r[66]);
  EXPECT_EQ(img[0x440], r[99]);
  EXPECT_EQ(img[0x443], r[96]);
  EXPECT_EQ(img[0xA8F], r[1708]);
  EXPECT_EQ(img[0xA90], r[83]);
  EXPECT_EQ(img[0xA9F], r[92]);
  EXPECT_EQ(img[0xAA0], r[71]);
  EXPECT_EQ(img[0xAAB], r[76]);
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
  auto span = [&](int first, int count) {
    for (int i = first; i < first + count; ++i) mapped.insert(i);
  };
  span(0, 8), span(2028, 4), span(1792, 64), span(2020, 8), span(2016, 4), span(1712, 80);
  span(16, 8), span(24, 40), span(2032, 8), span(64, 4), span(96, 1616), span(80, 16);
  for (int i = 0; i < static_cast<int>(TDeviceRecord::kSize); ++i) {
    if (mapped.count(i))
      EXPECT_EQ(back[i], r[i]) << i;
    else
      EXPECT_EQ(back[i], 0xEE) << i;  // 68..79 among them: never taken back
  }
}

TEST(DeviceImageTest, TransmitterByte013IsTheComplementOfRecordByte3) {
  TDeviceImage img{};
  img[0x013] = 0x5A;
  TDeviceRecord r;
  DecodeImage(img, r);
  EXPECT_EQ(r[3], 0xA5);
}

TEST(ReadModeTest, ConfigurationRangeIsTwelveBlocksAndTheShortRangeOneBlockOfNine) {
  const std::vector<TBlock> blocks = BlocksOfReadMode(4);
  ASSERT_EQ(blocks.size(), 12u + 1 + 1 + 1);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(blocks[i].address, 0x010 + 16 * i);
    EXPECT_EQ(blocks[i].count, 16);
  }
  EXPECT_EQ(blocks[12].address, 0x400);
  EXPECT_EQ(blocks[12].count, 8);
  EXPECT_EQ(blocks[13].address, 0x430);
  EXPECT_EQ(blocks[13].count, 9);
  EXPECT_EQ(blocks[14].address, 0xA90);
  EXPECT_EQ(blocks[14].count, 16);
}

TEST(ReadModeTest, EveryModeCoversExactlyItsRanges) {
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
}

TEST(ReadModeTest, VerifyModeReadsBackEveryWrittenByte) {
  std::set<int> read;
  for (const TBlock& b : BlocksOfReadMode(kVerifyReadMode))
    for (int a = b.address; a < b.address + b.count; ++a) read.insert(a);
  for (int a = 0x010; a <= 0x0CF; ++a) EXPECT_TRUE(read.count(a)) << a;
  for (int a = 0x440; a <= 0xABF; ++a) EXPECT_TRUE(read.count(a)) << a;
  EXPECT_EQ(read.size(), 192u + 1664u);
}

TEST(ReadModeTest, WrittenAreasCompareOnlyWhatAWriteSends) {
  TDeviceImage a{}, b{};
  b[0x400] = 1;  // never written
  EXPECT_TRUE(WrittenAreasEqual(a, b));
  b[0xAAB] = 1;  // a cold-junction term that mode 5 would not read back
  EXPECT_FALSE(WrittenAreasEqual(a, b));
  b = a;
  b[0x040] = 1;
  EXPECT_FALSE(WrittenAreasEqual(a, b));
}

}  // namespace
}  // namespace vorta::comm
