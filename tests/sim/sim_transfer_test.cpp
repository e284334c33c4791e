// A full write as the host performs it (preamble, 16-byte blocks, both checksum commands), and
// what the checksum commands do when the memory does not match.
#include <gtest/gtest.h>

#include "tests/sim/host_frames.h"

namespace vorta::sim::test {
namespace {

class SimTransfer : public ::testing::Test {
 protected:
  TSimTransmitter tx;
  TSimLine line{tx};

  static std::uint8_t Sum(const TSimMemory& m, unsigned first, unsigned last) {
    unsigned s = 0;
    for (unsigned a = first; a <= last; ++a) s += m.Byte(a);
    return static_cast<std::uint8_t>(255 - s % 256);
  }
  bool WriteBlocks(const TSimMemory& image, unsigned first, unsigned last) {
    for (unsigned a = first; a <= last; a += 16) {
      TBytes cmd{0xC4, 16, static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a)};
      for (unsigned i = 0; i < 16; ++i) cmd.push_back(image.Byte(a + i));
      const TExchange x = Exchange(line, cmd);
      if (!x.data || (*x.data)[1] != cmd[2] || (*x.data)[2] != cmd[3]) return false;
    }
    return true;
  }
  static TBytes Checksum1(std::uint8_t x) {
    return {'L', 1,
            x,   static_cast<std::uint8_t>(~x),
            x,   static_cast<std::uint8_t>(~x),
            x,   static_cast<std::uint8_t>(~x)};
  }
  static TBytes Checksum2(std::uint8_t c, std::uint8_t d, std::uint8_t e) {
    return {'L', 2,
            c,   static_cast<std::uint8_t>(~c),
            d,   static_cast<std::uint8_t>(~d),
            e,   static_cast<std::uint8_t>(~e)};
  }
  bool StatusEepromError() { return (*Exchange(line, {'m', 0x20}).data)[8] & 0x80; }
};

TEST_F(SimTransfer, FullWriteTakesNewCharacteristicAndClearsEepromError) {
  TSimMemory image = tx.Memory();
  WriteLinearCharacteristic(image, 0.0, 50.0, -20.0, 80.0);
  image.SetByte(mem::kUnitIndex, 8);
  image.SetByte(mem::kTag, 'T');
  ASSERT_TRUE(Exchange(line, {0xEF, 0x00, 0x00}).data.has_value());
  ASSERT_TRUE(WriteBlocks(image, 0x010, 0x0C0));
  ASSERT_TRUE(WriteBlocks(image, 0x440, 0xAB0));
  EXPECT_TRUE(StatusEepromError());  // written, not yet confirmed
  EXPECT_TRUE(Exchange(line, Checksum1(Sum(image, 0x440, 0xABB))).data.has_value());
  EXPECT_TRUE(
      Exchange(line, Checksum2(Sum(image, 0x010, 0x017), Sum(image, 0x018, 0x05F), Sum(image, 0x060, 0x06B)))
          .data.has_value());
  EXPECT_FALSE(StatusEepromError());
  EXPECT_TRUE(tx.Memory().ChecksumsGood());
  tx.SetLevel(25.0);
  line.Advance(200);
  const TBytes d = *Exchange(line, {'m', 0x20}).data;
  EXPECT_NEAR(HostFloat(d, 2), 30.0, 1e-4);
  EXPECT_EQ(d[8] & 0x0F, 8);
}

TEST_F(SimTransfer, WrongChecksumIsNotAnsweredNorStored) {
  TSimMemory image = tx.Memory();
  image.SetFloat(mem::kSlots, 0.25);
  ASSERT_TRUE(WriteBlocks(image, 0x440, 0xAB0));
  const std::uint8_t right = Sum(image, 0x440, 0xABB);
  const std::uint8_t stored = tx.ReadMemory(mem::kSumData, 1)[0];
  EXPECT_FALSE(Exchange(line, Checksum1(static_cast<std::uint8_t>(right + 1))).data.has_value());
  EXPECT_EQ(tx.ReadMemory(mem::kSumData, 1)[0], stored);
  EXPECT_EQ(tx.Stats().checksumFailures, 1);
  EXPECT_TRUE(StatusEepromError());
  EXPECT_FALSE(Exchange(line, Checksum2(0, 0, 0)).data.has_value());
  EXPECT_TRUE(Exchange(line, Checksum1(right)).data.has_value());
  EXPECT_EQ(tx.ReadMemory(mem::kSumData, 4), TBytes(4, right));
  EXPECT_FALSE(StatusEepromError());
}

TEST_F(SimTransfer, ChecksumCommandWithoutComplementsIsIgnored) {
  TBytes cmd = Checksum1(Sum(tx.Memory(), 0x440, 0xABB));
  cmd[3] ^= 0x01;
  EXPECT_FALSE(Exchange(line, cmd).data.has_value());
  EXPECT_FALSE(Exchange(line, {'L', 3, 0, 0xFF, 0, 0xFF, 0, 0xFF}).data.has_value());
  EXPECT_EQ(tx.Stats().checksumFailures, 0);
}

TEST_F(SimTransfer, DiagnosticByteWriteShowsAsEepromErrorUntilConfirmed) {
  ASSERT_TRUE(Exchange(line, {'D', 1, 0x00, 0x15, 0x7F}).data.has_value());
  EXPECT_TRUE(StatusEepromError());
  const TSimMemory m = tx.Memory();
  ASSERT_TRUE(Exchange(line, Checksum2(Sum(m, 0x010, 0x017), Sum(m, 0x018, 0x05F), Sum(m, 0x060, 0x06B)))
                  .data.has_value());
  EXPECT_FALSE(StatusEepromError());
}

TEST_F(SimTransfer, ReadBackOfARangeMatchesMemory) {
  TBytes all;
  for (unsigned a = 0x010; a < 0x0D0; a += 16) {
    const TExchange x = Exchange(line, {0xF3, 16, 0x00, static_cast<std::uint8_t>(a)});
    ASSERT_TRUE(x.data.has_value());
    all.insert(all.end(), x.data->begin() + 3, x.data->end());
  }
  EXPECT_EQ(all, tx.ReadMemory(0x010, 192));
}

}  // namespace
}  // namespace vorta::sim::test
