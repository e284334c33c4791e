// Display texts: range fields and limits for each sensor, the result panel's formats and fault
// priority, the output panel, the sensor text.
#include "app/display_format.h"

#include <gtest/gtest.h>

#include "sensors/sensor_range.h"

namespace vorta::app {
namespace {

class DisplayFormatTest : public ::testing::Test {
 protected:
  void SetUp() override { p.New(); }
  TParamSet p;
  sensors::TSensorRangeTable r;
  docs::TLangList lang = [] {
    docs::TLangList l;
    l.BuildEnglish();
    return l;
  }();
};

TEST_F(DisplayFormatTest, RangeDecimalsFollowTheLargerLimit) {
  EXPECT_EQ(RangeDecimals(-150, 1370), 0);
  EXPECT_EQ(RangeDecimals(-100, 850), 1);
  EXPECT_EQ(RangeDecimals(-10, 15), 2);
  EXPECT_EQ(RangeDecimals(0, 5), 3);
  EXPECT_EQ(RangeDecimals(7, 7), 2);  // equal ends count as 10
  EXPECT_EQ(RangeDecimals(-1000, 0), 0);
}

TEST_F(DisplayFormatTest, RangeTextPerSensor) {
  p.Code = {10, 7, 2, 0};  // K: -150 .. 1370, no decimals
  EXPECT_EQ(RangeText(p, r, 1234.567), "1235");
  EXPECT_EQ(RangeText(p, r, 0.4), "0");
  EXPECT_EQ(AbsMinText(p, r), "-150 ..");
  EXPECT_EQ(AbsMaxText(p, r), ".. 1370");
  p.Code = {1, 3, 2, 0};  // Pt100: one decimal
  EXPECT_EQ(RangeText(p, r, 99.95), "100.0");
  EXPECT_EQ(RangeText(p, r, -0.04), "0.0");
  p.Code = {16, 5, 1, 0};                     // millivolts -10 .. 150: one decimal
  EXPECT_EQ(RangeText(p, r, 12.25), "12.2");  // 12.25 rounded to two decimals first, then printed with one
  p.Code = {18, 5, 1, 0};                     // voltage -11 .. 11: two decimals
  EXPECT_EQ(RangeText(p, r, 1.005), "1.00");
  EXPECT_EQ(AbsMinText(p, r), "-11.00 ..");
  p.Code = {17, 5, 4, 0};  // a conversion uses the user range, 0, 0 here: taken as 10, two decimals
  EXPECT_EQ(RangeText(p, r, 1.2345), "1.23");
  EXPECT_EQ(AbsMinText(p, r), "0.00 ..");
  r[15] = {0, 50};
  EXPECT_EQ(RangeText(p, r, 1.2345), "1.234");
}

TEST_F(DisplayFormatTest, ValueTextUsesTheConfiguredRange) {
  p.P.MinInput = 0;
  p.P.MaxInput = 1500;
  EXPECT_EQ(ValueText(p, 1234.567), "   1235");
  p.P.MaxInput = 5;
  EXPECT_EQ(ValueText(p, 1.23456), "  1.235");
}

TEST_F(DisplayFormatTest, ResultWithoutConfigurationAndWithIt) {
  TResultFlags f;
  f.unitIndex = 8;
  // Ten characters (the degree sign counts once) get two blanks, shorter texts three.
  EXPECT_EQ(ResultText(p, 1234.567, false, f, lang).text,
            " 1234.6 \xC2\xB0"
            "C  ");
  EXPECT_EQ(ResultText(p, 12.345, false, f, lang).text,
            "  12.35 \xC2\xB0"
            "C  ");
  f.unitIndex = 9;
  EXPECT_EQ(ResultText(p, 12.345, false, f, lang).text, "  12.35 %   ");
  f.unitIndex = 8;
  p.P.MinInput = 0;
  p.P.MaxInput = 1500;
  EXPECT_EQ(ResultText(p, 1234.567, true, f, lang).text.substr(0, 7), "   1235");
  f.unitIndex = 5;
  EXPECT_EQ(ResultText(p, 123456.7, false, f, lang).text, " 123457 Ohm ");
  EXPECT_FALSE(ResultText(p, 1, false, f, lang).fault);
}

TEST_F(DisplayFormatTest, FaultTextsInTheirPriority) {
  TResultFlags f;
  f.calMode = f.outOfRange = true;
  EXPECT_EQ(ResultText(p, 0, true, f, lang).text, "Cal mode");
  EXPECT_TRUE(ResultText(p, 0, true, f, lang).fault);
  f.calMode = false;
  f.eepromError = f.internalError = f.brokenSensor = true;
  EXPECT_EQ(ResultText(p, 0, true, f, lang).text, "EEPROM error");
  f.eepromError = false;
  EXPECT_EQ(ResultText(p, 0, true, f, lang).text, "Internal error");
  f.internalError = false;
  EXPECT_EQ(ResultText(p, 0, true, f, lang).text, "Broken sensor");
  f.brokenSensor = false;
  EXPECT_EQ(ResultText(p, 0, true, f, lang).text, "Out of range!");
}

TEST_F(DisplayFormatTest, OutputPanel) {
  EXPECT_EQ(OutputNumber(4.0), " 4.00");
  EXPECT_EQ(OutputNumber(19.996), "20.00");
  EXPECT_EQ(OutputUnit(true), " mA  !");
  EXPECT_EQ(OutputUnit(false), " mA   ");
}

TEST_F(DisplayFormatTest, SensorTextAndReactionLabel) {
  p.Code = {10, 7, 2, 0};
  p.Device = "VTX39";
  EXPECT_EQ(SensorText(p, lang), "Thermocouple K, CJC, linearization");
  p.Device = "VTX97";
  p.Code = {9, 6, 1, 0};
  p.P.RoomT = 23.45;
  EXPECT_EQ(SensorText(p, lang),
            "Thermocouple J (rms), CJ temp.: 23.4\xC2\xB0"
            "C");
  p.Device = "";
  p.Code = {17, 5, 8, 0};
  EXPECT_EQ(SensorText(p, lang), "Current, result converted");
  p.Code = {1, 3, 2, 0};
  EXPECT_EQ(SensorText(p, lang), "Pt100 (0.00385), 3-wire, linearization");
  EXPECT_EQ(ReactionLabel(p, lang), "Output reaction to sensor burnout:");
  p.Code.Typ = 16;
  EXPECT_EQ(ReactionLabel(p, lang), "Internal failure sygnalization:");
  p.P.Burnout = 2;
  EXPECT_EQ(ReactionLabel(p, lang), "Output locked !");
}

}  // namespace
}  // namespace vorta::app
