// Mode and sensor names, units by input type and the fit of a characteristic to an input.
#include "sensors/catalogue.h"

#include "docs/lang_list.h"
#include "sensors/sensor_range.h"
#include "test_support.h"

namespace vorta::sensors {
namespace {

using testing::SensorTest;

TEST_F(SensorTest, ModeNamesCoverEveryModeAndTranslateWhereTheLanguageHasThem) {
  EXPECT_EQ(ModeNames(1), "");
  EXPECT_EQ(ModeNames(3), "3-wire");
  EXPECT_EQ(ModeNames(7), "CJC");
  EXPECT_EQ(ModeNames(11), "min");
  EXPECT_EQ(ModeNames(12), "");
  EXPECT_EQ(ModeNames(13), "");
  EXPECT_EQ(ModeNames(-1), "");
  docs::LangList().Clear();
  docs::LangList().AddLine("no CJC=ohne VKS");
  EXPECT_EQ(ModeName(6), "ohne VKS");
  EXPECT_EQ(ModeName(8), "sum");  // not a language key: shown as it is
  docs::LangList().BuildEnglish();
  EXPECT_EQ(ModeName(6), "no CJC");
}

TEST_F(SensorTest, SensorNamesFollowTheTypes) {
  EXPECT_EQ(SensorNames(1), "Pt100 (0.00385)");
  EXPECT_EQ(SensorNames(10), "K");
  EXPECT_EQ(SensorNames(15), "X");
  EXPECT_EQ(SensorNames(17), "I");
  EXPECT_EQ(SensorNames(19), "");
  EXPECT_EQ(SensorNames(21), "");
}

TEST_F(SensorTest, UnitsOfAConversionFollowItsInputType) {
  EXPECT_EQ(DefaultResultUnit(5), 5);
  EXPECT_EQ(DefaultResultUnit(16), 2);
  EXPECT_EQ(DefaultResultUnit(19), 4);
  EXPECT_EQ(DefaultResultUnit(18), 1);
  EXPECT_EQ(DefaultResultUnit(15), 8);
  EXPECT_EQ(InputUnitText(15), "mV");
  EXPECT_EQ(InputUnitText(17), "mA");
  EXPECT_EQ(InputUnitText(1), "");
}

TEST_F(SensorTest, CharacteristicFitsAnInputWhoseLimitsAndSpanItKeeps) {
  p().Code.Lin = 4;
  p().LinCoef[0] = -10;
  p().LinCoef[1] = 1.6;
  SensorRangeTable()[15] = {0, 1000};  // result 0 .. 100 gives -10 .. 150 mV
  EXPECT_TRUE(CharFitsInput(16));
  p().LinCoef[1] = 1.7;  // 160 mV is beyond the millivolt input
  EXPECT_FALSE(CharFitsInput(16));
  p().LinCoef[1] = 1.6;
  SensorRangeTable()[15] = {0, 10};  // 1.6 mV of signal: below the 4 mV minimum span
  EXPECT_FALSE(CharFitsInput(16));
  EXPECT_FALSE(CharFitsInput(0));
}

}  // namespace
}  // namespace vorta::sensors
