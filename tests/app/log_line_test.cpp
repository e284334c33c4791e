// The measurement log's line and header format.
#include "app/log_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vorta::app {
namespace {

TEST(LogLine, ASampleIsTimeValueAndCurrentJoinedByTabs) {
  EXPECT_EQ(LogLine(1500, -12.5, 4.0), "+1.50\t-12.5\t+4.0000");
  EXPECT_EQ(LogLine(0, 0, 20), "+0.00\t+0\t+20.0000");
}

TEST(LogLine, ValuesHaveFourSignificantDigitsAndExponentsAtTheEnds) {
  const struct {
    double v;
    const char* text;
  } cases[] = {{21.537, "+21.54"},   {-0.5, "-0.5"},       {1234.4, "+1234"},           {9999.6, "+1E+4"},
               {12346, "+1.235E+4"}, {-250000, "-2.5E+5"}, {0.00001234, "+0.00001234"}, {1.5e-6, "+1.5E-6"},
               {100, "+100"},        {0.1, "+0.1"}};
  for (const auto& c : cases) EXPECT_EQ(LogValueText(c.v), c.text) << c.v;
}

TEST(LogLine, TimesAndCurrentsKeepTheirDecimals) {
  EXPECT_EQ(LogTimeText(12345678), "+12345.70");  // six significant digits, two decimals
  EXPECT_EQ(LogTimeText(999), "+1.00");
  EXPECT_EQ(LogCurrentText(3.99994), "+3.9999");
  EXPECT_EQ(LogCurrentText(-0.25), "-0.2500");
}

TEST(LogLine, NumbersThatAreNoNumbersShowAsQuestionMarks) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(LogLine(nan, inf, -inf), "?\t?\t?");
}

TEST(LogLine, TheHeaderNamesTheColumnsInTheUsersLanguage) {
  docs::TLangList lang;
  lang.BuildEnglish();
  const auto english = LogHeader("07.12.2026", "15:30:12", "mV", lang);
  EXPECT_EQ(english[0], "Vorta series module measurements");
  EXPECT_EQ(english[1], "Date: 07.12.2026   Time: 15:30:12");
  EXPECT_EQ(english[2], "");
  EXPECT_EQ(english[3], "Time [s]\tResult [mV]\tOutput [mA]");
  lang.Clear();
  lang.AddLine("Time=Czas");
  lang.AddLine("Result=Wynik");
  lang.AddLine("Output=Wyjscie");
  EXPECT_EQ(LogHeader("d", "t", "V", lang)[3], "Czas [s]\tWynik [V]\tWyjscie [mA]");
}

}  // namespace
}  // namespace vorta::app
