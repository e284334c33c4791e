// What was last sent to the transmitter: the areas a full write and a text write make known, the
// comparison of a read-back over exactly those areas, and the read that fetches them.
#include "comm/sent_image.h"

#include <gtest/gtest.h>

#include <set>

#include "comm/record_layout.h"

namespace vorta::comm {
namespace {

TDeviceImage Filled(std::uint8_t value) {
  TDeviceImage img;
  img.fill(value);
  return img;
}

TDeviceRecord TextRecord(char first) {
  TDeviceRecord r{};
  for (std::size_t i = 0; i < rec::kKodSize + rec::kOgolneSize; ++i)
    r[rec::kKod + i] = static_cast<std::uint8_t>(first + i % 20);
  return r;
}

TEST(SentImageTest, NothingSentComparesNothing) {
  TSentImage sent;
  EXPECT_EQ(sent.Known(), TSentAreas::kNone);
  EXPECT_EQ(CompareWithSent(Filled(0), sent), TSentComparison::kNothingKnown);
  sent.TakeFullWrite(Filled(1));
  sent.Forget();
  EXPECT_EQ(CompareWithSent(Filled(1), sent), TSentComparison::kNothingKnown);
}

TEST(SentImageTest, TextWriteAloneComparesTheTextsAndNothingElse) {
  TSentImage sent;
  const TDeviceRecord record = TextRecord('A');
  sent.TakeTextWrite(record);
  EXPECT_EQ(sent.Known(), TSentAreas::kTexts);
  // The transmitter as the text write leaves it: tag at 0x080, free text at 0x090.
  TDeviceImage read = Filled(0x77);
  for (int i = 0; i < 80; ++i) read[0x080 + i] = record[rec::kKod + i];
  EXPECT_EQ(read[0x090], record[rec::kOgolne]);
  EXPECT_EQ(CompareWithSent(read, sent), TSentComparison::kEqual);  // the rest was never sent
  for (int at : {0x080, 0x08F, 0x090, 0x0CF}) {
    TDeviceImage changed = read;
    changed[at] ^= 1;
    EXPECT_EQ(CompareWithSent(changed, sent), TSentComparison::kDiffers) << at;
  }
}

TEST(SentImageTest, TextWriteAfterAFullWriteKeepsTheRestOfTheFullImage) {
  TSentImage sent;
  sent.TakeFullWrite(Filled(0x11));
  const TDeviceRecord record = TextRecord('a');
  sent.TakeTextWrite(record);
  EXPECT_EQ(sent.Known(), TSentAreas::kFull);
  TDeviceImage read = Filled(0x11);
  for (int i = 0; i < 80; ++i) read[0x080 + i] = record[rec::kKod + i];
  EXPECT_EQ(CompareWithSent(read, sent), TSentComparison::kEqual);
  // Everything a full write writes still counts; the old texts do not.
  for (int at : {0x010, 0x07F, 0x0C0, 0x440, 0xABF}) {
    TDeviceImage changed = read;
    changed[at] ^= 1;
    EXPECT_EQ(CompareWithSent(changed, sent), TSentComparison::kDiffers) << at;
  }
  EXPECT_EQ(CompareWithSent(Filled(0x11), sent), TSentComparison::kDiffers);
}

TEST(SentImageTest, VerifyReadFetchesEveryKnownArea) {
  for (TSentAreas known : {TSentAreas::kTexts, TSentAreas::kFull}) {
    std::set<int> read;
    for (const TBlock& b : BlocksOfReadMode(VerifyReadModeOf(known)))
      for (int a = b.address; a < b.address + b.count; ++a) read.insert(a);
    for (int a = 0x080; a <= 0x0CF; ++a) EXPECT_TRUE(read.count(a)) << a;
    if (known == TSentAreas::kFull)
      for (int a = 0x440; a <= 0xABF; ++a) EXPECT_TRUE(read.count(a)) << a;
    else
      EXPECT_LT(read.size(), 200u);  // a text verify does not read the characteristic
  }
}

}  // namespace
}  // namespace vorta::comm
