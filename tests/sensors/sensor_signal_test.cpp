// The forward model: published thermocouple values, the transcription of the reference functions, clamping
// and breakpoints, resistance thermometers, user conversions, the range check and the range table.
#include "sensors/sensor_signal.h"

#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>

#include "sensors/sensor_range.h"
#include "test_support.h"
#include "tests/support/its90_reference.h"

namespace vorta::sensors {
namespace {

using vorta::testing::Evaluate;
using vorta::testing::ReadPublished;
using SensorSignalTest = testing::SensorTest;

const std::map<std::string, int> kTypOf = {{"B", 6},  {"E", 8},  {"J", 9},  {"K", 10},
                                           {"N", 11}, {"R", 12}, {"S", 13}, {"T", 14}};

TEST_F(SensorSignalTest, ThermocouplesMatchEveryPublishedTableValue) {
  std::ifstream in(std::string(VORTA_TEST_DATA_DIR) + "/its90-check-values.txt");
  std::string line, type;
  int checked = 0;
  while (std::getline(in, line)) {
    std::istringstream s(line);
    double t = 0, mv = 0;
    if (!(s >> type) || type[0] == '#' || !(s >> t >> mv)) continue;
    EXPECT_NEAR(SensorSignal(d(), kTypOf.at(type), t), mv, 0.001) << type << " at " << t;
    ++checked;
  }
  EXPECT_EQ(checked, 8);
}

TEST_F(SensorSignalTest, ReferenceFunctionsFollowThePublishedCoefficientsInEverySubRangeAndBreakpoint) {
  long double kexp[3] = {};
  const auto published = ReadPublished(kexp);
  ASSERT_EQ(published.size(), 18u);
  for (const auto& r : published) {
    const long double top = std::min<long double>(r.hi, r.type == "R" || r.type == "S" ? 1768 : r.hi);
    for (int i = 1; i < 50; ++i) {
      const long double t = r.lo + (top - r.lo) * i / 50;
      EXPECT_NEAR(SensorSignalL(d(), kTypOf.at(r.type), t), Evaluate(r, kexp, t), 1e-9L)
          << r.type << " at " << (double)t;
    }
  }
  // At a breakpoint the upper sub-range counts, except for type B.
  int distinguished = 0;
  for (std::size_t i = 0; i + 1 < published.size(); ++i) {
    const auto &lower = published[i], &upper = published[i + 1];
    if (lower.type != upper.type) continue;
    const long double b = upper.lo;
    const long double want = lower.type == "B" ? Evaluate(lower, kexp, b) : Evaluate(upper, kexp, b);
    const long double other = lower.type == "B" ? Evaluate(upper, kexp, b) : Evaluate(lower, kexp, b);
    EXPECT_NEAR(SensorSignalL(d(), kTypOf.at(lower.type), b), want, 1e-13L)
        << lower.type << " at " << (double)b;
    if (std::fabs(want - other) > 1e-11L) ++distinguished;
  }
  EXPECT_GE(distinguished, 6);  // B, J, K, R twice, S twice differ measurably
}

TEST_F(SensorSignalTest, ValuesBeyondAReferenceFunctionAreClampedToItsRange) {
  struct Case {
    int typ;
    double lo, hi;
  };
  for (const Case c :
       {Case{6, 0, 1820}, Case{7, 0, 2320}, Case{8, -270, 1000}, Case{9, -210, 1200}, Case{10, -270, 1372},
        Case{11, -270, 1300}, Case{12, -50, 1768}, Case{13, -50, 1768}, Case{14, -270, 400}}) {
    EXPECT_EQ(SensorSignal(d(), c.typ, c.lo - 30), SensorSignal(d(), c.typ, c.lo)) << c.typ;
    EXPECT_EQ(SensorSignal(d(), c.typ, c.hi + 30), SensorSignal(d(), c.typ, c.hi)) << c.typ;
    EXPECT_NE(SensorSignal(d(), c.typ, c.hi - 1), SensorSignal(d(), c.typ, c.hi)) << c.typ;
  }
}

TEST_F(SensorSignalTest, TypeCIsNearZeroAtTheReferenceJunctionAndRisesToItsTop) {
  EXPECT_NEAR(SensorSignal(d(), 7, 0), 0.0, 0.001);
  for (int t = 50; t <= 2300; t += 50) EXPECT_GT(SensorSignal(d(), 7, t), SensorSignal(d(), 7, t - 50)) << t;
  EXPECT_GT(SensorSignal(d(), 7, 2300), 35.0);
  EXPECT_LT(SensorSignal(d(), 7, 2300), 40.0);
}

TEST_F(SensorSignalTest, ResistanceThermometersGiveTheirNominalResistances) {
  struct Row {
    int typ;
    double t, ohm, tolerance;
  };
  for (const Row& r : {Row{1, 0, 100, 0.01}, Row{2, 0, 100, 0.01}, Row{3, 0, 100, 0.01}, Row{4, 0, 100, 0.01},
                       Row{1, 100, 138.5055, 0.01}, Row{4, 100, 142.599985, 1e-9}})
    EXPECT_NEAR(SensorSignal(d(), r.typ, r.t), r.ohm, r.tolerance) << r.typ << " at " << r.t;
  EXPECT_GT(SensorSignal(d(), 3, 100), SensorSignal(d(), 2, 100));
  EXPECT_GT(SensorSignal(d(), 2, 100), SensorSignal(d(), 1, 100));
}

TEST_F(SensorSignalTest, ConvertedInputsFollowTheirConversion) {
  p().LinCoef[0] = -10;
  p().LinCoef[1] = 1.6;
  for (int typ : {5, 16, 17, 18, 19, 20}) {
    p().Code.Typ = static_cast<std::uint8_t>(typ);
    p().Code.Lin = 4;
    EXPECT_DOUBLE_EQ(SensorSignal(d(), typ, 50), 70.0) << typ;
    p().Code.Lin = 1;
    EXPECT_DOUBLE_EQ(SensorSignal(d(), typ, 50), 50.0) << typ;
  }
  Configure(16, 5, 4, 0, 100);  // a falling conversion gives ordered bounds
  p().LinCoef[0] = 150;
  p().LinCoef[1] = -1.6;
  EXPECT_NEAR(SignalBounds(d()).smin, -10.0, 1e-12);
  EXPECT_NEAR(SignalBounds(d()).smax, 150.0, 1e-12);
  SetTable({{0, 1}, {100, 3}});
  p().Code.Lin = 2;
  EXPECT_DOUBLE_EQ(SensorSignal(d(), 16, 50), 2.0);
  p().Code.Lin = 8;
  EXPECT_DOUBLE_EQ(SensorSignal(d(), 16, 25), 1.5);
  EXPECT_DOUBLE_EQ(SensorSignal(d(), 15, 75), 2.5);
  EXPECT_DOUBLE_EQ(SensorSignal(d(), 0, 7.5), 7.5);
}

TEST_F(SensorSignalTest, RangeCheckComparesTheSignalSpanWithTheMinimumSpan) {
  struct Row {
    int typ, tryb, lin;
    double lo, hi;
    bool tableLoaded;
    int model;  // model whose current and voltage ranges rows 17 and 18 take; 0 for the start rows
    bool pass;
  };
  const Row rows[] = {
      {1, 3, 2, 0, 100, false, 0, true},   // 38.5 Ohm
      {1, 3, 2, 0, 30, false, 0, false},   // 11.7 Ohm below 12 Ohm
      {10, 7, 2, 0, 40, false, 0, true},   // 1.61 mV
      {10, 7, 2, 0, 30, false, 0, false},  // 1.20 mV below 1.5 mV
      {16, 5, 2, 0, 0, false, 0, true},    // a table that is not loaded passes at once
      {16, 5, 2, 0, 0, true, 0, false},    // a loaded one is checked
      {17, 5, 1, 0, 5, false, 0, true},    // first model group: 1 mA
      {17, 5, 1, 0, 5, false, 97, false},  // 0 .. 1000 mA: at least a tenth, 100 mA
      {17, 5, 1, 0, 99, false, 97, false}, {17, 5, 1, 0, 100, false, 97, true},
  };
  for (const Row& r : rows) {
    Configure(r.typ, r.tryb, r.lin, r.lo, r.hi);
    p().TableLoaded = r.tableLoaded;
    ranges() = TSensorRangeTable{};
    ASSERT_TRUE(r.model == 0 || ranges().SetModelRanges(r.model));
    EXPECT_EQ(RangeCheck(d()), r.pass) << r.typ << " " << r.lo << ".." << r.hi << " model " << r.model;
  }
}

TEST_F(SensorSignalTest, RangeTableGivesValuesAndARoundedUserRange) {
  ASSERT_TRUE(ranges().SetModelRanges(97));
  EXPECT_DOUBLE_EQ(ranges().Lo(17), 0.0);
  EXPECT_DOUBLE_EQ(ranges().Hi(17), 1000.0);
  EXPECT_DOUBLE_EQ(ranges().Hi(18), 250.0);
  EXPECT_DOUBLE_EQ(ranges().Lo(10), -150.0);
  EXPECT_EQ(ranges().Lo(0) + ranges().Hi(21), 0.0);  // outside 1 .. 20
  ranges().SetUserRangeRounded(100.0, -2.55);        // ordered, held within 32 bits
  EXPECT_EQ(ranges()[15], (TRangeRow{-26, 1000}));   // -25.5 rounds to even
  ranges().SetUserRangeRounded(1e300, -1e300);
  EXPECT_EQ(ranges()[15],
            (TRangeRow{std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()}));
  EXPECT_EQ(TenthsRounded(std::nan("")), 0);
}

}  // namespace
}  // namespace vorta::sensors
