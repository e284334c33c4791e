// Inputs from outside that once reached a rounding past 64 bits or showed a wrong number: a huge
// measurement, a huge range end in a transmitter's memory or a file, numbers typed into the
// filter fields. Each case is one that the fuzzers found.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "app/display_format.h"
#include "app/editor_rules.h"
#include "app/record_conversion.h"
#include "comm/frame.h"
#include "comm/measurement.h"
#include "comm/record_layout.h"
#include "sensors/sensor_range.h"

namespace vorta::app {
namespace {

class OutsideInput : public ::testing::Test {
 protected:
  void SetUp() override { lang.BuildEnglish(); }
  docs::TLangList lang;
  TParamSet p;
  sensors::TSensorRangeTable ranges;
};

TEST_F(OutsideInput, MeasurementOfTwoToTheSixtyShowsOutOfRange) {
  // The echo of "m 20", then the reply carrying the float 2^60 (exponent byte BB).
  const std::uint8_t bytes[] = {0xC9, 0x02, 0x6D, 0x20, 0x72, 0xC0, 0x0A, 0x6D, 0x20, 0xBB,
                                0x00, 0x00, 0x00, 0x60, 0x00, 0x03, 0x05, 0x4F, 0xC3};
  comm::TBuffer rx{}, reply{};
  for (std::size_t i = 0; i < sizeof bytes; ++i) rx[i] = bytes[i];
  ASSERT_TRUE(comm::ParseReply(rx, sizeof bytes, 5, 10, reply));
  comm::TRawMeasurement raw{};
  for (int i = 0; i < 8; ++i) raw[i] = reply[3 + i];
  double value = 0, current = 0;
  comm::TMeasurementStatus status;
  comm::DecodeMeasurement(raw, true, false, false, value, current, status);
  ASSERT_EQ(value, std::ldexp(1.0, 60));
  TResultFlags f;
  f.unitIndex = 8;
  for (bool configRead : {false, true}) {
    const TResultText t = ResultText(p, value, configRead, f, lang);
    EXPECT_EQ(t.text, "Out of range!");
    EXPECT_TRUE(t.fault);
    EXPECT_EQ(ResultText(p, -value, configRead, f, lang).text, "Out of range!");
  }
  EXPECT_EQ(ResultText(p, std::nan(""), false, f, lang).text, "Out of range!");
  EXPECT_EQ(ResultText(p, 999999999.0, false, f, lang).text,
            "999999999 \xC2\xB0"
            "C");
}

TEST_F(OutsideInput, NumbersPastExactRoundingArePrintedAsTheyAre) {
  EXPECT_EQ(RoundedText(std::ldexp(1.0, 60), 1), "1152921504606846976.0");
  EXPECT_EQ(RoundedText(-1e30, 0), "-1000000000000000019884624838656");
  EXPECT_EQ(RoundedText(2.25, 1), "2.2");  // below, halves still go to even
  // 1E130 typed into a field: all 131 digits, not the first 63 of them.
  const std::string huge = RoundedText(1e130, 0);
  EXPECT_EQ(huge.size(), 131u);
  EXPECT_EQ(huge.substr(0, 16), "1000000000000000");
}

TEST_F(OutsideInput, RangeEndsNoFieldCanHoldMakeNoRange) {
  struct Case {
    int typ, lin;
    double lo, hi;
    double wantLo, wantHi;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double top = TParamSet::kLargestRangeEnd;
  const Case cases[] = {
      {15, 2, -1e30, 100, 0, 0},         {15, 2, 0, 1e30, 0, 0},       {15, 2, nan, 100, 0, 0},
      {15, 2, -inf, 100, 0, 0},          {5, 4, 0, top * 1.001, 0, 0}, {16, 8, -top * 1.001, 0, 0, 0},
      {20, 2, -top, top, -top, top},     {15, 2, 300, -50, 300, -50},  // a falling user range stays
      {17, 2, -5000, 9000, -5000, 9000},
  };
  for (const Case& c : cases) {
    p.Code = {static_cast<std::uint8_t>(c.typ), 5, static_cast<std::uint8_t>(c.lin), 0};
    p.P.MinInput = c.lo;
    p.P.MaxInput = c.hi;
    p.Normalise(ranges);
    EXPECT_EQ(p.P.MinInput, c.wantLo) << c.typ << " " << c.lo << " " << c.hi;
    EXPECT_EQ(p.P.MaxInput, c.wantHi) << c.typ << " " << c.lo << " " << c.hi;
  }
}

TEST_F(OutsideInput, HugeRangeEndInATransmittersMemoryReadsAsNoRange) {
  comm::TDeviceRecord r{};
  r.SetWord(comm::rec::kDeviceWord, 48);
  r[comm::rec::kTyp] = 15;
  r[comm::rec::kLin] = 2;
  ASSERT_TRUE(r.SetFloat(comm::rec::kMinInput, -1e30));
  ASSERT_TRUE(r.SetFloat(comm::rec::kInputSpan, 1e30));
  DecodeRecord(r, p, ranges);
  EXPECT_EQ(p.P.MinInput, 0.0);
  EXPECT_EQ(p.P.MaxInput, 0.0);
  EXPECT_EQ(RangeText(p, ranges, p.P.MinInput).find("922"), std::string::npos);
}

TEST_F(OutsideInput, FilterFieldsCheckTheRangeBeforeRounding) {
  struct Case {
    const char* text;
    bool ok;
    std::int32_t tenths;
  };
  const Case tenths[] = {
      {"1e300", false, 0}, {"-1e300", false, 0}, {"200000000.1", false, 0}, {"199999999.9", true, 1999999999},
      {"-2,5", true, -25}, {"0.05", true, 0},
  };
  for (const Case& c : tenths) {
    std::int32_t n = -7;
    EXPECT_EQ(ParseTenths(c.text, n), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(n, c.tenths) << c.text;
    }
  }
  const std::pair<double, bool> limits[] = {{-0.5, true},   {-0.6, false},   {0, true},
                                            {100, true},    {100.5, true},   {100.51, false},
                                            {1e300, false}, {-1e300, false}, {9.3e18, false}};
  for (const auto& [r, ok] : limits) EXPECT_EQ(FiltrLimitInRange(r), ok) << r;
}

}  // namespace
}  // namespace vorta::app
