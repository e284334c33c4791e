// The simulation of the transfer function against segment tables of known shape (curved, with a
// kink, with flat stretches, falling, a resistance thermometer), the transmitter's own slot
// evaluation, the degenerate tables, the bipolar test, the window's texts, scroll bars and entry
// checks, and the comparison with the exact curve.
#include "sensors/simulation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vorta::sensors {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A table whose breakpoint k carries f at the signal low + k (high - low) / 200.
template <typename F>
TSimTable TableOf(double low, double high, F f) {
  std::array<double, kSegments + 1> outputs{};
  for (int k = 0; k <= kSegments; ++k) outputs[k] = f(low + k * (high - low) / kSegments);
  return MakeSimTable(low, high, outputs);
}

// Pt100 (0.00385) over 0..100 degrees C: R(T) = 100 (1 + A T + B T^2) and its exact inverse.
constexpr double kA = 3.9083e-3, kB = -5.775e-7;
double Pt100(double t) {
  return 100 * (1 + kA * t + kB * t * t);
}
double Pt100Inverse(double r) {
  return (-kA + std::sqrt(kA * kA - 4 * kB * (1 - r / 100))) / (2 * kB);
}

TEST(Simulation, MidpointsInterpolateTheTwoBreakpointsNotTheCurve) {
  const TSimTable t = TableOf(0, 200, [](double s) { return s * s / 40000; });  // (k / 200)^2 at k
  for (int k : {0, 10, 100, 199}) {
    const double lo = k * k / 40000.0, hi = (k + 1) * (k + 1) / 40000.0;
    EXPECT_NEAR(SimOutput(t, k), lo, 1e-14) << k;
    EXPECT_NEAR(SimOutput(t, k + 0.5), (lo + hi) / 2, 1e-14) << k;
    EXPECT_NEAR(SimInput(t, lo + (hi - lo) / 4), k + 0.25, 1e-12) << k;
  }
  EXPECT_NEAR(SimOutput(t, -1), -1 / 40000.0, 1e-14);  // the end segments go on beyond the range
  EXPECT_NEAR(SimOutput(t, 201), 1 + (1 - 199.0 * 199 / 40000), 1e-12);
  // Slope 1/400 up to 100.5, then 3/400: the segment 100..101 cuts the kink by its chord.
  const TSimTable kink = TableOf(0, 200, [](double s) { return s < 100.5 ? s / 400 : (s * 3 - 201) / 400; });
  EXPECT_NEAR(SimOutput(kink, 100.5), (0.25 + 0.255) / 2, 1e-14);
  EXPECT_NEAR(SimInput(kink, 0.2525), 100.5, 1e-12);
}

TEST(Simulation, FallingFunctionIsSearchedFromTheOtherSide) {
  const TSimTable t = TableOf(2, 12, [](double s) { return 1 - (s - 2) * (s - 2) / 100; });
  for (int k : {0, 1, 80, 199}) {
    const double at = 1 - k * k / 40000.0, mid = 1 - (k * k + (k + 1) * (k + 1)) / 80000.0;
    EXPECT_NEAR(SimOutput(t, 2 + k / 20.0), at, 1e-12) << k;
    EXPECT_NEAR(SimInput(t, at), 2 + k / 20.0, 1e-12) << k;
    EXPECT_NEAR(SimInput(t, mid), 2 + (k + 0.5) / 20, 1e-12) << k;
  }
  EXPECT_NEAR(SimInput(t, -399 / 40000.0), 12.05, 1e-12);  // one step beyond either end
  EXPECT_NEAR(SimInput(t, 1 + 1 / 40000.0), 1.95, 1e-12);
}

TEST(Simulation, InverseRoundTripsWithinOneSegment) {
  const TSimTable tables[] = {
      TableOf(Pt100(0), Pt100(100), [](double r) { return Pt100Inverse(r) / 100; }),
      TableOf(2, 12, [](double s) { return 1 - (s - 2) * (s - 2) / 100; }),
      TableOf(-22, 22, [](double s) { return std::sin(s / 28) / 2 + 0.5; }),
  };
  for (const TSimTable& t : tables) {
    for (int i = 0; i <= 1000; ++i) {
      const double s = t.low + t.span * i / 1000;
      ASSERT_NEAR(SimInput(t, SimOutput(t, s)), s, std::fabs(t.step) * 1e-6) << t.low << " " << i;
    }
  }
}

TEST(Simulation, MatchesTheTransmittersSlotEvaluation) {
  // Pairs through the breakpoints, slots 0 and 201 repeating the end segments; the transmitter
  // takes slot floor((s - smin) / step) + 1, 0 below the range, at most 201.
  TCharacteristic c;
  c.smin = -1.5;
  c.smax = 6.5;
  c.step = 0.04;
  for (int k = 0; k <= kSegments; ++k) c.outputs[k] = std::pow(k / 200.0, 1.7) + 0.1 * std::sin(k / 9.0);
  for (int k = 1; k <= kSegments; ++k) {
    c.slots[k].gain = (c.outputs[k] - c.outputs[k - 1]) / c.step;
    c.slots[k].offset = c.outputs[k] - c.slots[k].gain * (c.smin + k * c.step);
  }
  c.slots[0] = c.slots[1];
  c.slots[kSegments + 1] = c.slots[kSegments];
  const TSimTable t = MakeSimTable(c);
  for (int i = -50; i <= 1050; ++i) {
    const double s = c.smin + 8 * (i + 0.37) / 1000, u = (s - c.smin) / c.step;
    const int slot = u < 0 ? 0 : static_cast<int>(std::min(201.0, std::floor(u) + 1));
    ASSERT_NEAR(SimOutput(t, s), c.slots[slot].offset + c.slots[slot].gain * s, 1e-12) << s;
  }
}

TEST(Simulation, ZeroSignalSpanGivesTheLowerEndEverywhere) {
  std::array<double, kSegments + 1> o{};
  o.fill(0.7);
  for (const TSimTable& t : {MakeSimTable(3, 3, o), MakeSimTable(3, kInf, o), MakeSimTable(kNaN, 3, o)}) {
    for (double s : {3.0, 5.0, kNaN}) EXPECT_EQ(SimOutput(t, s), 0.0);
    const TSimPoint p = SimAtInput(t, {-50, 150}, 50), q = SimAtOutput(t, {-50, 150}, 0.5);
    EXPECT_EQ(p.current, 4.0);
    EXPECT_EQ(p.result, -50.0);
    EXPECT_EQ(q.inputPercent, 0.0);
    EXPECT_TRUE(std::isfinite(q.signal));
  }
  EXPECT_EQ(SimInput(MakeSimTable(3, 3, o), 0.2), 3.0);
}

TEST(Simulation, FlatSegmentsGiveTheFirstSignalThatReachesTheOutput) {
  // Breakpoint k at signal k / 10; flat at 0 up to k = 10, at 0.5 over 90..110, at 1 from 190.
  std::array<double, kSegments + 1> o{};
  for (int k = 0; k <= kSegments; ++k) {
    const int r = std::clamp(k, 10, 190);
    o[k] = r <= 90 ? (r - 10) / 160.0 : r <= 110 ? 0.5 : (r - 30) / 160.0;
  }
  const TSimTable t = MakeSimTable(0, 20, o);
  const std::pair<double, double> cases[] = {{0.0, 0}, {-0.1, 0}, {0.5, 9}, {1.0, 19}, {1.2, 20}};
  for (const auto& [y, s] : cases) EXPECT_DOUBLE_EQ(SimInput(t, y), s) << y;
  std::array<double, kSegments + 1> flat{};
  flat.fill(0.5);
  const TSimTable f = MakeSimTable(0, 20, flat);
  EXPECT_EQ(SimInput(f, 0.7), 0.0);
  EXPECT_EQ(SimInput(f, 0.5), 0.0);
  EXPECT_DOUBLE_EQ(SimInput(f, 0.3), 20.0);
}

TEST(Simulation, NonFiniteArgumentsAndOutputsStayFinite) {
  std::array<double, kSegments + 1> o{};
  for (int k = 0; k <= kSegments; ++k) o[k] = k / 200.0;
  o[5] = kNaN;
  const TSimTable t = MakeSimTable(0, 20, o), falling = MakeSimTable(20, 0, o);
  EXPECT_EQ(t.outputs[5], 0.0);
  EXPECT_EQ(SimOutput(t, kNaN), 0.0);
  EXPECT_EQ(SimOutput(t, -kInf), 0.0);
  EXPECT_EQ(SimOutput(t, kInf), 1.0);
  EXPECT_EQ(SimInput(t, kNaN), 0.0);
  EXPECT_DOUBLE_EQ(SimInput(t, kInf), 20.0);
  EXPECT_DOUBLE_EQ(SimOutput(falling, 19.25), 0.0375);  // breakpoints falling in signal
  EXPECT_EQ(SimOutput(falling, -kInf), 1.0);
}

TEST(Simulation, BipolarOnlyForRangesSymmetricAboutZeroOfEitherSign) {
  const std::tuple<double, double, bool> cases[] = {
      {-22, 22, true},       {22, -22, true},       {-22, 22.00001, true}, {-22.00001, 22, true},
      {-22, 22.0001, false}, {-22.0001, 22, false}, {-5.891, 0, false},    {0, 5.891, false},
      {-5.891, -1, false},   {0, 0, false},
  };
  for (const auto& [lo, hi, bipolar] : cases) EXPECT_EQ(IsBipolar(lo, hi), bipolar) << lo << ".." << hi;
}

TEST(Simulation, OperatingPointScrollBarsAndPlotPosition) {
  const TSimTable t = TableOf(100, 140, [](double s) { return (s - 100) / 40; });
  const TSimPoint p = SimAtInput(t, {-50, 150}, 25), q = SimAtOutput(t, {-50, 150}, 0.75);
  EXPECT_DOUBLE_EQ(p.signal, 110);
  EXPECT_DOUBLE_EQ(p.result, 0);
  EXPECT_DOUBLE_EQ(p.current, 8);
  EXPECT_DOUBLE_EQ(q.current, 16);
  EXPECT_DOUBLE_EQ(q.result, 100);
  EXPECT_DOUBLE_EQ(q.inputPercent, 75);
  // 4 mA gives the input at which the function crosses 0 (breakpoint 40).
  EXPECT_NEAR(SimAtOutput(TableOf(0, 200, [](double s) { return (s - 40) / 160; }), {0, 1}, 0).inputPercent,
              20, 1e-12);
  EXPECT_EQ(InputOfScroll(37), 81.5);
  EXPECT_EQ(FractionOfScroll(40), 0.75);
  const std::tuple<int, int, int> inputs[] = {{0, 50, 100}, {100, 50, 100}, {100, 49, 102}, {5, -10, 200}};
  for (const auto& [present, x, want] : inputs) EXPECT_EQ(InputScrollPosition(present, x), want) << x;
  EXPECT_EQ(OutputScrollPosition(0, 0.984375), 2);  // exact 2.5: halves to even
  EXPECT_EQ(OutputScrollPosition(10, 1.2), 0);
  EXPECT_EQ(OutputScrollPosition(80, kNaN), 80);
  EXPECT_EQ(PlotPosition(0, 0.5, true).x, -100);
  EXPECT_EQ(PlotPosition(75, 0.5, true).x, 50);  // bipolar: 50 % is the zero column
  EXPECT_EQ(PlotPosition(75, 0.5, false).x, 75);
  EXPECT_EQ(InputOfPlotX(0, true), 50);
  EXPECT_EQ(CurvePoints(t, true)[100].x, 0);
  EXPECT_DOUBLE_EQ(CurvePoints(t, false)[150].y, 75);
}

TEST(Simulation, SignalAndFixTextsUseTheirDecimalsAndAPoint) {
  const std::pair<double, const char*> signal[] = {
      {1234.6, "1235"},   {-1500.4, "-1500"},   {999.96, "1000.0"}, {138.5055, "138.5"}, {99.994, "99.99"},
      {99.996, "100.00"}, {-150.27, "-150.27"}, {-0.001, "0.00"},   {0.125, "0.12"},     {kNaN, "----"},
  };
  for (const auto& [v, text] : signal) EXPECT_EQ(SignalText(v), text) << v;
  const std::pair<double, const char*> fix[] = {{4, "4.00"},      {50.5, "50.50"}, {7.126, "7.13"},
                                                {-0.004, "0.00"}, {-0.0, "0.00"},  {-kInf, "----"}};
  for (const auto& [v, text] : fix) EXPECT_EQ(FixText(v), text) << v;
  const std::pair<int, const char*> units[] = {{1, "Ohm"}, {5, "Ohm"}, {6, "mV"},  {16, "mV"},
                                               {17, "mA"}, {18, "V"},  {19, "mA"}, {20, ""}};
  for (const auto& [typ, unit] : units) EXPECT_EQ(SignalUnit(typ), unit) << typ;
}

TEST(Simulation, EntriesAreNumbersWithinTheirRange) {
  const std::tuple<const char*, double, const char*, double> cases[] = {
      {"50,5", 100, "", 50.5},         {"100.0000005", 100, "", 100}, {"150", 100, "Out of range!", 0},
      {"abc", 100, "Wrong format", 0}, {"", 20, "Wrong format", 0},   {"25", 20, "Out of range!", 0},
      {"3.9999995", 20, "", 4},
  };
  for (const auto& [text, hi, key, value] : cases) {
    const TEntryCheck e = CheckEntry(text, hi == 100 ? 0 : 4, hi);
    EXPECT_EQ(e.ok, *key == 0) << text;
    EXPECT_EQ(e.key, key) << text;
    EXPECT_EQ(e.value, value) << text;
  }
}

TEST(Simulation, ColdJunctionTermIsAddedOnlyWhereWritten) {
  TCharacteristic c;
  c.cj = {0.1, 0.04, 1e-5};
  EXPECT_EQ(CompensatedSignal(c, 2.0, 25), 2.0);
  c.cjWritten = true;
  EXPECT_NEAR(CompensatedSignal(c, 2.0, 25), 2.0 + 0.1 + 1.0 + 0.00625, 1e-15);
  EXPECT_NEAR(CompensatedSignal(c, -1.0, -10), -1.0 + 0.1 - 0.4 + 0.001, 1e-15);
}

TEST(Simulation, ReferenceDifferenceOfPt100AndInClosedForm) {
  // Pt100: nothing at a breakpoint; between two the chord of the convex inverse lies above.
  const TSimTable pt = TableOf(Pt100(0), Pt100(100), [](double r) { return Pt100Inverse(r) / 100; });
  EXPECT_NEAR(CompareAtValue(pt, {0, 100}, Pt100, Pt100Inverse(pt.Breakpoint(120))).difference, 0, 1e-9);
  const double between = Pt100Inverse(pt.low + 120.5 * pt.step);
  const TReferenceComparison c = CompareAtValue(pt, {0, 100}, Pt100, between);
  EXPECT_GT(c.difference, 1e-7);
  EXPECT_LT(c.difference, 2e-5);
  const TReferenceComparison d = CompareAtInput(pt, {0, 100}, Pt100, 60.25);
  EXPECT_NEAR(d.reference, between, 1e-9);
  EXPECT_NEAR(d.difference, c.difference, 1e-9);
  // Signal v^2 over 0..10: breakpoint k at k / 2 carries sqrt(k / 2) / 10; at 0.25 % the chord
  // midpoint of segment 1 against the exact 0.5.
  const TSimTable t = TableOf(0, 100, [](double s) { return std::sqrt(s) / 10; });
  const TForwardModel square = [](double v) { return v * v; };
  const TReferenceComparison a = CompareAtValue(t, {0, 10}, square, 0.5),
                             b = CompareAtInput(t, {0, 10}, square, 0.25);
  EXPECT_NEAR(a.simulated, std::sqrt(0.5) / 2, 1e-12);
  EXPECT_NEAR(a.difference, std::sqrt(0.5) / 2 - 0.5, 1e-12);
  EXPECT_TRUE(b.found);
  EXPECT_NEAR(b.reference, 0.5, 1e-12);
  EXPECT_NEAR(b.difference, a.difference, 1e-12);
  EXPECT_NEAR(CompareAtInput(t, {0, 10}, square, 100).reference, 10, 1e-9);
}

TEST(Simulation, ReferenceSkipsAFallingStartAndReportsASignalItCannotReach) {
  // Signal (v - 1)^2 - 1 over 0..10 dips below zero up to v = 1 and is 0 again at 2; the written
  // function follows the rising branch, so 0 % means 2, not 0.
  const TForwardModel dip = [](double v) { return (v - 1) * (v - 1) - 1; };
  const TSimTable t = TableOf(0, 80, [](double s) { return (1 + std::sqrt(1 + s)) / 10; });
  const TReferenceComparison z = CompareAtInput(t, {0, 10}, dip, 0),
                             out = CompareAtInput(t, {0, 10}, dip, 150);
  EXPECT_TRUE(z.found);
  EXPECT_NEAR(z.reference, 2, 1e-9);
  EXPECT_FALSE(out.found);
  EXPECT_EQ(out.reference, 0);
  EXPECT_EQ(out.difference, 0);
  EXPECT_TRUE(std::isfinite(out.simulated));
  EXPECT_FALSE(CompareAtInput(t, {0, 10}, TForwardModel{}, 50).found);
  EXPECT_FALSE(CompareAtValue(t, {0, 10}, dip, kNaN).found);
}

}  // namespace
}  // namespace vorta::sensors
