// The conversion dialogs' rules: the field checks, the button's checks in order, the start values,
// the coefficients written and the bounds of a typed coefficient.
#include "sensors/conversion_rules.h"

#include <cmath>
#include <limits>

#include "comm/device_float.h"
#include "test_support.h"

namespace vorta::sensors {
namespace {

class ConversionRules : public testing::SensorTest {};

TEST_F(ConversionRules, InputFieldsKeepTheLimitsAndTheMinimumSpan) {
  const TInputLimits mv = InputLimitsOf(ranges(), 16);  // -10 .. 150 mV, 4 mV
  EXPECT_EQ(mv.lo, -10);
  EXPECT_EQ(mv.hi, 150);
  EXPECT_EQ(mv.span, 4);
  struct Case {
    bool minimum;
    double inMin, inMax;
    std::string key;
  };
  const Case cases[] = {
      {true, -10, 150, ""},
      {true, -10.0000005, 150, ""},  // within the tolerance
      {true, -10.01, 150, "Minimum out of range!"},
      {true, 147, 150, "Input range too small!"},
      {true, 160, 150, "Values should rise"},
      {false, 0, 150.0000005, ""},
      {false, 0, 150.5, "Maximum out of range!"},
      {false, 0, 3.9, "Input range too small!"},
      {false, 0, -5, "Values should rise"},
  };
  for (const Case& c : cases) {
    const TFault f = c.minimum ? InMinFault(mv, c.inMin, c.inMax) : InMaxFault(mv, c.inMin, c.inMax);
    EXPECT_EQ(f.key, c.key) << c.inMin << ".." << c.inMax;
    EXPECT_EQ(f.field, f.ok() ? kNoField : c.minimum ? kInMinField : kInMaxField);
  }
}

TEST_F(ConversionRules, ResultFieldsRoundAndRefuseBeyondTheResultRange) {
  EXPECT_EQ(RoundedResult(12.34), 12.3);
  EXPECT_EQ(RoundedResult(-99.95), -100);
  EXPECT_EQ(RoundedResult(1234.56), 1235);  // beyond 999.9: whole
  EXPECT_EQ(RoundedResult(1e300), static_cast<double>(std::numeric_limits<long long>::max()));
  EXPECT_TRUE(ResultFault(9999, 0, false).ok());
  EXPECT_TRUE(ResultFault(-999, 0, true).ok());
  const TFault high = ResultFault(10000, 0, false);
  EXPECT_EQ(high.key, "Maximum out of range!");
  EXPECT_EQ(high.field, kResMaxField);
  const TFault low = ResultFault(-1000, 0, true);
  EXPECT_EQ(low.key, "Minimum out of range!");
  const TFault narrow = ResultFault(10000, 9999.5, false);
  EXPECT_EQ(narrow.key, "Range too small");
  EXPECT_TRUE(narrow.bang);
}

TEST_F(ConversionRules, TheButtonChecksInOrderAndNamesTheField) {
  const TInputLimits l = InputLimitsOf(ranges(), 16);
  struct Case {
    double inMin, inMax, resMin, resMax;
    std::string key;
    int field;
  };
  const Case cases[] = {
      {-10, 150, 0, 100, "", kNoField},
      {150, 150, 0, 100, "Minimum out of range!", kInMinField},
      {-11, 150, 0, 100, "Minimum out of range!", kInMinField},
      {0, -10, 0, 100, "Maximum out of range!", kInMaxField},
      {0, 151, 0, 100, "Maximum out of range!", kInMaxField},
      {-9, -7, 0, 100, "Input range too small!", kInMinField},  // the minimum cannot go lower
      {10, 12, 0, 100, "Input range too small!", kInMaxField},
      {0, 100, 9999.5, 100, "Minimum out of range!", kResMinField},
      {0, 100, 0, -1000, "Maximum out of range!", kResMaxField},
      {0, 100, 0, 0.5, "Range too small", kResMaxField},
      {0, 100, 100, 100, "Range too small", kResMaxField},
  };
  for (const Case& c : cases) {
    const TFault f = LinearFault(l, c.inMin, c.inMax, c.resMin, c.resMax);
    EXPECT_EQ(f.key, c.key) << c.inMin << " " << c.inMax << " " << c.resMin << " " << c.resMax;
    EXPECT_EQ(f.field, c.field) << c.key;
    EXPECT_FALSE(f.bang);
  }
}

TEST_F(ConversionRules, LinearConversionRisingAndFalling) {
  ApplyLinear(-10, 150, 0, 100, 9, p(), ranges());
  EXPECT_DOUBLE_EQ(p().LinCoef[1], 1.6);
  EXPECT_DOUBLE_EQ(p().LinCoef[0], -10);
  EXPECT_EQ(p().LinCoef[9], 0);
  EXPECT_EQ(p().LinCoef[10], 100);
  EXPECT_EQ(ranges()[kUserRangeRow], (TRangeRow{0, 1000}));
  EXPECT_EQ(p().P.Jednostki, 9);
  EXPECT_EQ(p().Code.CharModified, 1);
  ApplyLinear(-10, 150, 100, 0, 9, p(), ranges());
  EXPECT_DOUBLE_EQ(p().LinCoef[1], -1.6);
  EXPECT_DOUBLE_EQ(p().LinCoef[0], 150);
  EXPECT_EQ(ranges()[kUserRangeRow], (TRangeRow{0, 1000}));
  // The limits are rounded to tenths a millionth away from zero.
  ApplyLinear(4, 20, -12.35, 0.05, 1, p(), ranges());
  EXPECT_EQ(ranges()[kUserRangeRow], (TRangeRow{-124, 1}));
}

TEST_F(ConversionRules, LinearStartsFromTheSetsConversionOnlyWhenItIsThisInputsAndUnchanged) {
  Configure(16, 5, 4, 0, 100);
  p().LinCoef = {-10, 1.6, 0, 0, 0, 0, 0, 0, 0, 0, 100};
  p().P.Jednostki = 9;
  ranges()[kUserRangeRow] = {0, 1000};
  TConversionStart s = LinearStart(d(), 16, 2);
  EXPECT_TRUE(s.fromSet);
  EXPECT_EQ(s.inMin, -10);
  EXPECT_EQ(s.inMax, 150);
  EXPECT_EQ(s.resMax, 100);
  EXPECT_EQ(s.unit, 9);
  p().Code.CharModified = 1;
  EXPECT_FALSE(LinearStart(d(), 16, 2).fromSet);
  p().Code.CharModified = 0;
  s = LinearStart(d(), 5, 2);  // another input: its own full range, Ohm
  EXPECT_FALSE(s.fromSet);
  EXPECT_EQ(s.inMin, 0);
  EXPECT_EQ(s.inMax, 400);
  EXPECT_EQ(s.resMin, -999);
  EXPECT_EQ(s.resMax, 9999);
  EXPECT_EQ(s.unit, 5);
}

TEST_F(ConversionRules, PowerSeriesStartsFromTheIdentityOverTheInputsRange) {
  Configure(17, 5, 1, 4, 20);
  p().LinCoef = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  const TConversionStart s = StartPowerSeries(p(), table(), ranges(), 17);
  EXPECT_FALSE(s.fromSet);
  EXPECT_EQ(s.unit, 4);
  EXPECT_EQ(p().LinCoef, (std::array<double, 11>{0, 1, 0, 0, 0, 0, 0, 0, 0, -22, 22}));
}

TEST_F(ConversionRules, PowerSeriesCheckNamesWhatFails) {
  Configure(17, 5, 8, 0, 80);
  double lo = 0, hi = 0;
  p().LinCoef = {-10, 2, 0.125, 0, 0, 0, 0, 0, 0, 4, 20};
  EXPECT_TRUE(PowerSeriesFault(p(), ranges(), 17, lo, hi).ok());
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 80);
  p().LinCoef = {5, 0, 0, 0, 0, 0, 0, 0, 0, 4, 20};  // b = 0: constant
  EXPECT_EQ(PowerSeriesFault(p(), ranges(), 17, lo, hi).key, "is not monotonic");
  p().LinCoef = {0, 0.05, 0, 0, 0, 0, 0, 0, 0, 4, 20};  // 0.2 .. 1.0
  const TFault narrow = PowerSeriesFault(p(), ranges(), 17, lo, hi);
  EXPECT_EQ(narrow.key, "Range too small");
  EXPECT_EQ(narrow.field, kInMaxField);
  p().LinCoef = {0, 1, 0, 0, 0, 0, 0, 0, 0, 4, 23};  // beyond 22 mA
  EXPECT_EQ(PowerSeriesFault(p(), ranges(), 17, lo, hi).key, "Maximum out of range!");
  p().LinCoef = {0, 1, INFINITY, 0, 0, 0, 0, 0, 0, 4, 20};
  EXPECT_EQ(PowerSeriesFault(p(), ranges(), 17, lo, hi).key, "Power series calculation error");
  ApplyPowerSeries(80, 0.04, 9, p(), ranges());
  EXPECT_EQ(ranges()[kUserRangeRow], (TRangeRow{0, 800}));
}

TEST_F(ConversionRules, CoefficientsAreBoundedToTheTransmittersFloat) {
  struct Case {
    const char* text;
    bool ok, wrongFormat;
    double value;
  };
  const Case cases[] = {
      {"1.5", true, false, 1.5},        {"-2,25", true, false, -2.25}, {"1E+38", true, false, 1e38},
      {"6.8E+38", true, false, 6.8e38}, {"1E-40", true, false, 0.0},   {"-5E-39", true, false, 0.0},
      {"6E-39", true, false, 6e-39},    {"6.9E+38", false, false, 0},  {"1E+40", false, false, 0},
      {"abc", false, true, 0},          {"", false, true, 0},          {"-", false, true, 0},
      {"1e999", false, true, 0},        {"nan", false, true, 0},
  };
  for (const Case& c : cases) {
    const TCoefficientEntry e = CheckCoefficient(c.text);
    EXPECT_EQ(e.ok, c.ok) << c.text;
    EXPECT_EQ(e.wrongFormat, c.wrongFormat) << c.text;
    if (!e.ok) continue;
    EXPECT_EQ(e.value, c.value) << c.text;
    // What is taken is what the transmitter holds, to its precision.
    comm::DeviceFloatBytes bytes{};
    ASSERT_TRUE(comm::EncodeDeviceFloat(e.value, bytes)) << c.text;
    EXPECT_NEAR(comm::DecodeDeviceFloat(bytes), e.value, std::fabs(e.value) * 1e-6) << c.text;
  }
}

TEST_F(ConversionRules, NumberTexts) {
  EXPECT_EQ(InputValueText(4), "4.000");
  EXPECT_EQ(InputValueText(-1000), "-1000.00");
  EXPECT_EQ(CoefficientText(1), "1");
  EXPECT_EQ(CoefficientText(0.125), "0.125");
  EXPECT_EQ(CoefficientText(0), "0");
  EXPECT_EQ(CoefficientText(0.0001), "1.00000E-04");
  EXPECT_EQ(CoefficientText(1234567), "1.23457E+06");
  EXPECT_EQ(CoefficientText(std::nan("")), "");
}

}  // namespace
}  // namespace vorta::sensors
