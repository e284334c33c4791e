// The forward model: published thermocouple values, the transcription of the reference functions,
// clamping and breakpoints, resistance thermometers, user conversions and the range check.
#include "sensors/sensor_signal.h"

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "sensors/sensor_range.h"
#include "test_support.h"
#include "tests/support/its90_reference.h"

namespace vorta::sensors {
namespace {

using vorta::testing::Evaluate;
using vorta::testing::ReadPublished;
using testing::SensorTest;

const std::map<std::string, int> kTypOf = {{"B", 6},  {"E", 8},  {"J", 9},  {"K", 10},
                                           {"N", 11}, {"R", 12}, {"S", 13}, {"T", 14}};

TEST_F(SensorTest, ThermocouplesMatchEveryPublishedTableValue) {
  std::ifstream in(std::string(VORTA_TEST_DATA_DIR) + "/its90-check-values.txt");
  std::string line;
  int checked = 0;
  while (std::getline(in, line)) {
    std::istringstream s(line);
    std::string type;
    double t = 0, mv = 0;
    if (!(s >> type) || type[0] == '#' || !(s >> t >> mv)) continue;
    EXPECT_NEAR(SensorSignal(kTypOf.at(type), t), mv, 0.001) << type << " at " << t;
    ++checked;
  }
  EXPECT_EQ(checked, 8);
}

TEST_F(SensorTest, ReferenceFunctionsFollowThePublishedCoefficientsInEverySubRange) {
  long double kexp[3] = {};
  const auto published = ReadPublished(kexp);
  ASSERT_EQ(published.size(), 18u);
  for (const auto& r : published) {
    const long double top = std::min<long double>(r.hi, r.type == "R" || r.type == "S" ? 1768 : r.hi);
    for (int i = 1; i < 50; ++i) {
      const long double t = r.lo + (top - r.lo) * i / 50;
      EXPECT_NEAR(SensorSignalL(kTypOf.at(r.type), t), Evaluate(r, kexp, t), 1e-9L)
          << r.type << " at " << (double)t;
    }
  }
}

TEST_F(SensorTest, BreakpointTakesTheUpperSubRangeExceptForTypeB) {
  long double kexp[3] = {};
  const auto published = ReadPublished(kexp);
  int distinguished = 0;
  for (std::size_t i = 0; i + 1 < published.size(); ++i) {
    const auto &lower = published[i], &upper = published[i + 1];
    if (lower.type != upper.type) continue;
    const long double b = upper.lo;
    const long double want = lower.type == "B" ? Evaluate(lower, kexp, b) : Evaluate(upper, kexp, b);
    const long double other = lower.type == "B" ? Evaluate(upper, kexp, b) : Evaluate(lower, kexp, b);
    EXPECT_NEAR(SensorSignalL(kTypOf.at(lower.type), b), want, 1e-13L) << lower.type << " at " << (double)b;
    if (std::fabs(want - other) > 1e-11L) ++distinguished;
  }
  EXPECT_GE(distinguished, 6);  // B, J, K, R twice, S twice differ measurably at their breakpoints
}

TEST_F(SensorTest, ValuesBeyondAReferenceFunctionAreClampedToItsRange) {
  struct Case {
    int typ;
    double lo, hi;
  };
  for (const Case c :
       {Case{6, 0, 1820}, Case{7, 0, 2320}, Case{8, -270, 1000}, Case{9, -210, 1200}, Case{10, -270, 1372},
        Case{11, -270, 1300}, Case{12, -50, 1768}, Case{13, -50, 1768}, Case{14, -270, 400}}) {
    EXPECT_EQ(SensorSignal(c.typ, c.lo - 30), SensorSignal(c.typ, c.lo)) << c.typ;
    EXPECT_EQ(SensorSignal(c.typ, c.hi + 30), SensorSignal(c.typ, c.hi)) << c.typ;
    EXPECT_NE(SensorSignal(c.typ, c.hi - 1), SensorSignal(c.typ, c.hi)) << c.typ;
  }
  EXPECT_EQ(SensorSignal(10, 1400), SensorSignal(10, 1372));
}

TEST_F(SensorTest, TypeCIsNearZeroAtTheReferenceJunctionAndRisesToItsTop) {
  EXPECT_NEAR(SensorSignal(7, 0), 0.0, 0.001);
  double last = SensorSignal(7, 0);
  for (int t = 50; t <= 2300; t += 50) {
    const double e = SensorSignal(7, t);
    EXPECT_GT(e, last) << t;
    last = e;
  }
  EXPECT_GT(SensorSignal(7, 2300), 35.0);
  EXPECT_LT(SensorSignal(7, 2300), 40.0);
}

TEST_F(SensorTest, ResistanceThermometersGiveTheirNominalResistances) {
  EXPECT_NEAR(SensorSignal(1, 0), 100.00, 0.01);
  EXPECT_NEAR(SensorSignal(1, 100), 138.5055, 0.01);  // the standard value, 138.51 to two decimals
  for (int typ = 1; typ <= 4; ++typ) EXPECT_NEAR(SensorSignal(typ, 0), 100.0, 0.01) << typ;
  EXPECT_NEAR(SensorSignal(4, 100), 100.00003 + 42.599955, 1e-9);
  EXPECT_GT(SensorSignal(3, 100), SensorSignal(2, 100));
  EXPECT_GT(SensorSignal(2, 100), SensorSignal(1, 100));
}

TEST_F(SensorTest, ConvertedInputsFollowTheirConversion) {
  p().LinCoef[0] = -10;
  p().LinCoef[1] = 1.6;
  for (int typ : {5, 16, 17, 18, 19, 20}) {
    p().Code.Typ = static_cast<std::uint8_t>(typ);
    p().Code.Lin = 4;
    EXPECT_DOUBLE_EQ(SensorSignal(typ, 50), 70.0) << typ;
    p().Code.Lin = 1;
    EXPECT_DOUBLE_EQ(SensorSignal(typ, 50), 50.0) << typ;
  }
  SetTable({{0, 1}, {100, 3}});
  p().Code.Lin = 2;
  EXPECT_DOUBLE_EQ(SensorSignal(16, 50), 2.0);
  p().Code.Lin = 8;
  EXPECT_DOUBLE_EQ(SensorSignal(16, 25), 1.5);
  EXPECT_DOUBLE_EQ(SensorSignal(15, 75), 2.5);
  EXPECT_DOUBLE_EQ(SensorSignal(0, 7.5), 7.5);
}

TEST_F(SensorTest, SignalBoundsAreOrderedAndKept) {
  Configure(16, 5, 4, 0, 100);
  p().LinCoef[0] = 150;
  p().LinCoef[1] = -1.6;
  const TSignalBounds b = SignalBounds();
  EXPECT_NEAR(b.smin, -10.0, 1e-12);
  EXPECT_NEAR(b.smax, 150.0, 1e-12);
  EXPECT_EQ(LastSignalBounds().smin, b.smin);
}

TEST_F(SensorTest, RangeCheckComparesTheSignalSpanWithTheMinimumSpan) {
  Configure(1, 3, 2, 0, 100);  // 38.5 Ohm
  EXPECT_TRUE(RangeCheck());
  Configure(1, 3, 2, 0, 30);  // 11.7 Ohm below 12 Ohm
  EXPECT_FALSE(RangeCheck());
  Configure(10, 7, 2, 0, 40);  // 1.61 mV
  EXPECT_TRUE(RangeCheck());
  Configure(10, 7, 2, 0, 30);  // 1.20 mV
  EXPECT_FALSE(RangeCheck());
}

TEST_F(SensorTest, RangeCheckPassesAtOnceForATableThatIsNotLoaded) {
  Configure(16, 5, 2, 0, 0);
  EXPECT_TRUE(RangeCheck());
  p().TableLoaded = true;
  EXPECT_FALSE(RangeCheck());
}

TEST_F(SensorTest, RangeCheckOfCurrentInputUsesATenthOfTheModelRange) {
  Configure(17, 5, 1, 0, 5);
  EXPECT_TRUE(RangeCheck());  // first model group: 1 mA
  ASSERT_TRUE(SetModelRanges(97));
  EXPECT_FALSE(RangeCheck());  // 0 .. 1000 mA: at least 100 mA
  p().P.MaxInput = 100;
  EXPECT_TRUE(RangeCheck());
}

TEST_F(SensorTest, ModelRangesWithoutATransmitterFollowTheModelTable) {
  ASSERT_TRUE(SetModelRanges(97));
  EXPECT_DOUBLE_EQ(SensorLo(17), 0.0);
  EXPECT_DOUBLE_EQ(SensorHi(17), 1000.0);
  EXPECT_DOUBLE_EQ(SensorHi(18), 250.0);
  EXPECT_FALSE(SetModelRanges(47));
  EXPECT_DOUBLE_EQ(SensorHi(17), 1000.0);
  ASSERT_NE(ModelRangeOf(90), nullptr);
  EXPECT_EQ(ModelRangeOf(90)->voltage.hi, 100);
}

TEST_F(SensorTest, UserRangeFromCoefficientsIsOrderedAndHeldWithin32Bits) {
  SetUserRangeRounded(100.0, -2.55);
  EXPECT_EQ(SensorRangeTable()[15].lo, -26);  // -25.5 rounds to even
  EXPECT_EQ(SensorRangeTable()[15].hi, 1000);
  SetUserRangeRounded(1e300, -1e300);
  EXPECT_EQ(SensorRangeTable()[15].lo, std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(SensorRangeTable()[15].hi, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(TenthsRounded(std::nan("")), 0);
}

}  // namespace
}  // namespace vorta::sensors
