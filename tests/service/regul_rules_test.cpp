// Rules of the user corrections window: scroll positions, correction texts, the simulation of
// trial corrections, the output entry, the panels and the failed readings.
#include "service/regul_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vorta::service {
namespace {

TEST(RegulRules, ScrollPositionsGiveCorrectionsInsideTwoPercent) {
  EXPECT_DOUBLE_EQ(LimitCorrection(ScrollCorrection(400)), 1.9999);
  EXPECT_DOUBLE_EQ(LimitCorrection(ScrollCorrection(0)), -1.9999);
  EXPECT_DOUBLE_EQ(LimitCorrection(ScrollCorrection(201)), 0.01);
  EXPECT_DOUBLE_EQ(LimitCorrection(ScrollCorrection(350)), 1.5);
  EXPECT_EQ(CorrectionText(ScrollCorrection(201)), "+0.01 ");
  EXPECT_EQ(CorrectionText(ScrollCorrection(400)), "+2.00 ");
  EXPECT_EQ(CorrectionText(ScrollCorrection(150)), "-0.50 ");
  EXPECT_EQ(CorrectionText(0.0), "0.00 ");
  EXPECT_EQ(CorrectionText(-0.001), "0.00 ");
}

TEST(RegulRules, CorrectionsFindTheirScrollPositionWithinTheBar) {
  EXPECT_EQ(ScrollPosition(0.5), 250);
  EXPECT_EQ(ScrollPosition(-1.23), 77);
  EXPECT_EQ(ScrollPosition(1.9999), 400);
  EXPECT_EQ(ScrollPosition(7.0), 400);  // a transmitter may hold more than the bar can show
  EXPECT_EQ(ScrollPosition(-7.0), 0);
  EXPECT_EQ(ScrollPosition(std::numeric_limits<double>::quiet_NaN()), 200);
}

TEST(RegulRules, SimulationTakesOutTheStoredCorrectionsAndAppliesTheTrialOnes) {
  // Equal stored and trial corrections leave the measurement as it is.
  EXPECT_NEAR(SimulatedValue(42.0, {0.5, 1.0}, {0.5, 1.0}, 100.0), 42.0, 1e-12);
  // Stored none, trial zero +1 % of a 200 span and gain +1 %: 1.01 x 50 + 2.
  EXPECT_NEAR(SimulatedValue(50.0, {0, 0}, {1.0, 1.0}, 200.0), 52.5, 1e-12);
  // Stored zero 1 % of 100 and gain 2 %: x = (52 - 1) / 1.02 = 50; trial none gives 50.
  EXPECT_NEAR(SimulatedValue(52.0, {1.0, 2.0}, {0, 0}, 100.0), 50.0, 1e-12);
  // Nothing to divide by, or a value that is no number: the measurement unchanged.
  EXPECT_EQ(SimulatedValue(10.0, {0, -100.0}, {1, 1}, 100.0), 10.0);
  EXPECT_EQ(SimulatedValue(10.0, {0, 0}, {std::nan(""), 0}, 100.0), 10.0);
}

TEST(RegulRules, OutputEntryKeepsToWhatTheOutputCanDrive) {
  struct Case {
    const char* text;
    TEntryCheck check;
    const char* shown;
    std::uint32_t word;
  };
  const Case cases[] = {
      {"21.75", TEntryCheck::kOk, "21.75", 43500},   {"3,5", TEntryCheck::kOk, "3.50", 7000},
      {"12", TEntryCheck::kOk, "12.00", 24000},      {"21.76", TEntryCheck::kOutOfRange, "21.75", 0},
      {"3.4", TEntryCheck::kOutOfRange, "03.50", 0}, {"abc", TEntryCheck::kWrongFormat, "10.00", 0},
      {"", TEntryCheck::kWrongFormat, "10.00", 0},
  };
  for (const Case& c : cases) {
    const TOutputEntry e = CheckSetOut(c.text);
    EXPECT_EQ(e.check, c.check) << c.text;
    EXPECT_EQ(e.text, c.shown) << c.text;
    EXPECT_EQ(e.word, c.word) << c.text;
  }
}

TEST(RegulRules, PanelsShowValueUnitFaultsAndTheOutput) {
  app::TParamSet p;
  p.P.MinInput = 0;
  p.P.MaxInput = 50;  // two decimals
  docs::TLangList lang;
  lang.BuildEnglish();
  app::TResultFlags flags;
  flags.unitIndex = 2;                                                          // mV
  EXPECT_EQ(RegulValueText(p, 12.5, false, flags, lang).text, "  12.50 mV  ");  // ten characters: two spaces
  const std::string celsius =
      "\xC2\xB0"
      "C";
  EXPECT_EQ(RegulValueText(p, 24.5, true, flags, lang).text, "  24.50   " + celsius);
  flags.brokenSensor = true;
  const app::TResultText fault = RegulValueText(p, 1.0, true, flags, lang);
  EXPECT_TRUE(fault.fault);
  EXPECT_EQ(fault.text, "Broken sensor");
  EXPECT_EQ(RegulOutputText(12.346, false, false), "   12.35 mA");
  EXPECT_EQ(RegulOutputText(12.345, false, false), "   12.34 mA");  // halves to even
  EXPECT_EQ(RegulOutputText(25.0, true, false), "  !25.00 mA");
  EXPECT_EQ(RegulOutputText(25.0, false, true), "   21.75 mA");  // a simulation stays within the output
  EXPECT_EQ(RegulOutputText(1.0, false, true), "   3.50 mA");
}

TEST(RegulRules, FailedReadingsClearThenShowUnknownOnceAndForgetTheConfiguration) {
  int count = 0;
  TFailAction a = CountFailure(count, 3, false);
  EXPECT_TRUE(a.clearPanels);
  EXPECT_FALSE(a.forgetConfig);  // one failure is forgiven
  a = CountFailure(count, 3, false);
  EXPECT_TRUE(a.forgetConfig);
  int resetCount = 1;
  EXPECT_FALSE(CountFailure(resetCount, 3, true).forgetConfig);  // a reset takes its time
  a = CountFailure(count, 3, false);
  EXPECT_TRUE(a.clearPanels);
  EXPECT_FALSE(a.showUnknown);
  a = CountFailure(count, 3, false);
  EXPECT_TRUE(a.showUnknown);
  EXPECT_FALSE(a.clearPanels);
  a = CountFailure(count, 3, false);
  EXPECT_FALSE(a.showUnknown || a.clearPanels || a.forgetConfig);  // nothing more until a success
}

TEST(RegulRules, InternalTemperatureOnlyForModelsOfTheFortiesGroup) {
  EXPECT_TRUE(MeasureModeAllowed(0));
  EXPECT_TRUE(MeasureModeAllowed(1));
  EXPECT_TRUE(MeasureModeAllowed(2));
  EXPECT_FALSE(MeasureModeAllowed(3));
  EXPECT_FALSE(MeasureModeAllowed(16));
}

}  // namespace
}  // namespace vorta::service
