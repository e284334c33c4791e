// The one number parser: both separators, under a decimal-point and a decimal-comma locale.
#include "docs/str_to_number.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace vorta::docs {
namespace {

// Runs the checks under the C locale and, where the machine has one, a decimal-comma locale.
class StrToNumberTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    old_ = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, GetParam())) GTEST_SKIP() << "locale " << GetParam() << " not installed";
  }
  void TearDown() override { std::setlocale(LC_ALL, old_.c_str()); }
  std::string old_;
};

double Parse(std::string_view s) {
  double v = -12345.0;
  EXPECT_TRUE(StrToNumber(s, v)) << s;
  return v;
}

bool Rejects(std::string_view s) {
  double v = -12345.0;
  const bool ok = StrToNumber(s, v);
  EXPECT_EQ(v, -12345.0) << "a refused text must leave the value alone: " << s;
  return !ok;
}

TEST_P(StrToNumberTest, PointAndCommaReadTheSame) {
  EXPECT_DOUBLE_EQ(Parse("12.5"), 12.5);
  EXPECT_DOUBLE_EQ(Parse("12,5"), 12.5);
  EXPECT_DOUBLE_EQ(Parse("-0,25"), -0.25);
  EXPECT_DOUBLE_EQ(Parse("+3"), 3.0);
  EXPECT_DOUBLE_EQ(Parse("1.5E+02"), 150.0);
  EXPECT_DOUBLE_EQ(Parse("1,5e-2"), 0.015);
  EXPECT_DOUBLE_EQ(Parse(".5"), 0.5);
  EXPECT_DOUBLE_EQ(Parse("5."), 5.0);
  EXPECT_DOUBLE_EQ(Parse("  42 "), 42.0);
}

TEST_P(StrToNumberTest, OnlyACompleteFiniteDecimalNumberCounts) {
  EXPECT_TRUE(Rejects(""));
  EXPECT_TRUE(Rejects("-"));
  EXPECT_TRUE(Rejects("."));
  EXPECT_TRUE(Rejects("1,234.5"));  // a thousands separator is no number
  EXPECT_TRUE(Rejects("1.234,5"));
  EXPECT_TRUE(Rejects("1.2.3"));
  EXPECT_TRUE(Rejects("12abc"));
  EXPECT_TRUE(Rejects("nan"));
  EXPECT_TRUE(Rejects("inf"));
  EXPECT_TRUE(Rejects("-Infinity"));
  EXPECT_TRUE(Rejects("0x1A"));
  EXPECT_TRUE(Rejects("1e400"));
  EXPECT_TRUE(Rejects("1e999"));
  EXPECT_TRUE(Rejects("1e"));
  EXPECT_TRUE(Rejects("e5"));
  EXPECT_TRUE(Rejects("1 2"));
  EXPECT_TRUE(Rejects("++1"));
}

INSTANTIATE_TEST_SUITE_P(Locales, StrToNumberTest, ::testing::Values("C", "de_DE.UTF-8"));

TEST(StrToInt32, RoundsHalvesToEvenAndChecksTheRange) {
  std::int32_t v = 7;
  EXPECT_TRUE(StrToInt32("5.5", v));
  EXPECT_EQ(v, 6);
  EXPECT_TRUE(StrToInt32("4,5", v));
  EXPECT_EQ(v, 4);
  EXPECT_TRUE(StrToInt32("-2147483648", v));
  EXPECT_EQ(v, INT32_MIN);
  v = 7;
  EXPECT_FALSE(StrToInt32("2147483648", v));
  EXPECT_FALSE(StrToInt32("1e12", v));
  EXPECT_EQ(v, 7);
}

}  // namespace
}  // namespace vorta::docs
