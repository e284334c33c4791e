// The main window against the simulated transmitter of every model: a configuration survives
// repeated Read and Write cycles field by field, and a written configuration drives the output to
// 4 mA at the lower end and 20 mA at the upper end of the input range (and in proportion between)
// for resistance thermometers, thermocouples and the converted resistance, voltage and current inputs.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "sensors/power_series.h"
#include "sensors/sensor_range.h"
#include "sensors/sensor_signal.h"
#include "sim/sim_measure.h"
#include "tests/support/its90_reference.h"
#include "tests/support/sim_window.h"

namespace vorta::app {
namespace {

using testing::ReferenceMv;
using testing::SimWindow;

TParamSet Base(int model, TSensorCode code, double lo, double hi, int unit) {
  TParamSet p;
  p.Device = "VTX" + std::to_string(model);
  p.Code = code;
  p.P.MinInput = lo;
  p.P.MaxInput = hi;
  p.P.Jednostki = unit;
  p.P.Siec = 50;
  return p;
}

// A linear conversion as the linear conversion dialog stores it: the signal inMin..inMax gives
// the result resMin..resMax (falling when resMin > resMax); the range is the result's.
TParamSet Linear(TParamSet p, double inMin, double inMax, double resMin, double resMax) {
  const double b = (inMax - inMin) / (resMax - resMin);
  p.LinCoef = {inMin - b * resMin, b, 0, 0, 0, 0, 0, 0, 0, resMin, resMax};
  p.P.MinInput = std::min(resMin, resMax);
  p.P.MaxInput = std::max(resMin, resMax);
  return p;
}

// result = -10 + 2 s + 0.125 s^2 over the signal 4..20 mA: 0 .. 80.
TParamSet PowerSeries(TParamSet p) {
  p.LinCoef = {-10, 2, 0.125, 0, 0, 0, 0, 0, 0, 4, 20};
  p.P.MinInput = 0;
  p.P.MaxInput = 80;
  return p;
}

// What a selection of the sensor leaves besides the parameter set: the model's current and voltage
// ranges, the limits of a user conversion and the table of a power series.
TParamSet Selected(TParamSet p) {
  sensors::SensorRangeTable() = {};
  sensors::SensorRangeTable().SetModelRanges(p.ModelCode());
  if (p.Code.Lin == 4) sensors::SensorRangeTable().SetUserRangeRounded(p.LinCoef[9], p.LinCoef[10]);
  if (p.Code.Lin == 8) {
    const TResult r = sensors::InstallPowerSeriesTable(p, sensors::UserTable(), sensors::SensorRangeTable());
    EXPECT_TRUE(r.ok) << r.key;
  }
  return p;
}

void ExpectSameSet(const TParamSet& a, const TParamSet& b, const std::string& where) {
  SCOPED_TRACE(where);
  EXPECT_EQ(a.Code.Typ, b.Code.Typ);
  EXPECT_EQ(a.Code.Tryb, b.Code.Tryb);
  EXPECT_EQ(a.Code.Lin, b.Code.Lin);
  const double da[] = {a.P.ResultLow, a.P.ResultHigh, a.P.MinInput, a.P.MaxInput,
                       a.P.RoomT,     a.P.ZeroReg,    a.P.GainReg};
  const double db[] = {b.P.ResultLow, b.P.ResultHigh, b.P.MinInput, b.P.MaxInput,
                       b.P.RoomT,     b.P.ZeroReg,    b.P.GainReg};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(da[i], db[i]) << "float field " << i;
  EXPECT_EQ(a.P.FiltrLimit, b.P.FiltrLimit);
  EXPECT_EQ(a.P.FiltrZakres, b.P.FiltrZakres);
  EXPECT_EQ(a.P.FiltrCzas, b.P.FiltrCzas);
  EXPECT_EQ(a.P.Burnout, b.P.Burnout);
  EXPECT_EQ(a.P.Siec, b.P.Siec);
  EXPECT_EQ(a.P.Jednostki, b.P.Jednostki);
  EXPECT_EQ(a.Device, b.Device);
  EXPECT_EQ(a.CodeVersion, b.CodeVersion);
  EXPECT_EQ(a.serial, b.serial);
  EXPECT_EQ(a.CalDate, b.CalDate);
  EXPECT_EQ(a.CalTemp, b.CalTemp);
  EXPECT_EQ(a.kod, b.kod);
  EXPECT_EQ(a.ogolne, b.ogolne);
  EXPECT_EQ(a.File, b.File);
  EXPECT_EQ(a.LinCoef, b.LinCoef);
}

// One configuration per model, every field away from its default; the conversions have
// coefficients that the device's float format holds exactly. The time constants (in tenths of a
// second) come back to the same tenth from the model's step: 50 is 56 counts of 0.09 s for 37..39
// and 62 of 0.08 s for 97, 24 is 12 counts of 0.2 s for 47..49 and 74 is 37 counts of 0.2 s for 60
// and 90. Writing 60 and 90 with 0.09 or 0.08 s per count while reading with 0.2 s would multiply
// the constant by 2.2 to 2.5 each cycle.
TParamSet CycleSet(int model) {
  TParamSet p;
  switch (model) {
    case 37:
      p = Linear(Base(37, {17, 8, 4, 0}, 0, 0, 11), 4, 20, 0, 128);
      p.P.FiltrCzas = 50;
      break;
    case 38:
      p = Base(38, {18, 10, 1, 0}, -10, 10, 1);
      p.P.FiltrCzas = 50;
      break;
    case 39:
      p = PowerSeries(Base(39, {17, 5, 8, 0}, 0, 0, 9));
      p.P.FiltrCzas = 50;
      break;
    case 47:
      p = Base(47, {1, 3, 2, 0}, -50, 150, 8);
      p.P.FiltrCzas = 24;
      break;
    case 48:
      p = Base(48, {10, 7, 2, 0}, 0, 600, 8);
      p.P.FiltrCzas = 24;
      p.P.Burnout = 2;
      break;
    case 49:
      p = Base(49, {9, 6, 1, 0}, 0, 400, 8);
      p.P.FiltrCzas = 24;
      p.P.RoomT = 35.5;
      p.P.Siec = 60;
      break;
    case 60:
      p = Linear(Base(60, {18, 5, 4, 0}, 0, 0, 8), 0, 10, 80, 0);
      p.P.FiltrCzas = 74;
      break;
    case 90:
      p = Base(90, {18, 5, 1, 0}, 0, 10, 1);
      p.P.FiltrCzas = 74;
      p.P.Burnout = 1;
      break;
    case 97:
      p = Linear(Base(97, {17, 5, 4, 0}, 0, 0, 3), 0, 1000, 0, 250);
      p.P.FiltrCzas = 50;
      break;
  }
  p.P.FiltrZakres = 55;
  p.P.FiltrLimit = 15;  // at least 0.2 x 5.5 %
  p.P.ZeroReg = 0.25;
  p.P.GainReg = -0.5;
  p.kod = "TT-" + std::to_string(model);
  p.ogolne =
      "Z\xC3\xBCrich, Kesselhaus 4, R\xC3\xBC"
      "cklauf";
  return p;
}

TEST(ModelCycleTest, ThreeReadWriteCyclesKeepEveryFieldOnEveryModel) {
  for (int model : {37, 38, 39, 47, 48, 49, 60, 90, 97}) {
    SCOPED_TRACE("model " + std::to_string(model));
    sim::TSimConfig config;
    config.modelCode = model;
    config.resetSilenceMs = 20;
    SimWindow sw(config);
    const TParamSet seeded = Selected(CycleSet(model));
    ASSERT_TRUE(sw.Seed(seeded));
    ASSERT_TRUE(sw.TickUntilConnected());

    TParamSet first;
    for (int cycle = 0; cycle < 4; ++cycle) {
      sw.W().OdczytajTClick();
      ASSERT_TRUE(WindowFlags().ConfigRead);
      ASSERT_EQ(sw.W().StatusText(), "Information complete") << "read " << cycle;
      if (cycle == 0) {
        first = Param();
        // The first read gives back what was configured, the floats to the device's precision.
        EXPECT_EQ(first.Code.Typ, seeded.Code.Typ);
        EXPECT_EQ(first.Code.Tryb, seeded.Code.Tryb);
        EXPECT_EQ(first.Code.Lin, seeded.Code.Lin);
        EXPECT_NEAR(first.P.MinInput, seeded.P.MinInput, 1e-5);
        EXPECT_NEAR(first.P.MaxInput, seeded.P.MaxInput, 1e-4);
        EXPECT_NEAR(first.P.RoomT, seeded.P.RoomT, 1e-6);
        EXPECT_NEAR(first.P.GainReg, seeded.P.GainReg, 1e-6);
        EXPECT_EQ(first.P.FiltrCzas, seeded.P.FiltrCzas);
        EXPECT_EQ(first.P.FiltrZakres, seeded.P.FiltrZakres);
        EXPECT_EQ(first.P.FiltrLimit, seeded.P.FiltrLimit);
        EXPECT_EQ(first.P.Burnout, seeded.P.Burnout);
        EXPECT_EQ(first.P.Siec, seeded.P.Siec);
        EXPECT_EQ(first.P.Jednostki, seeded.P.Jednostki);
        EXPECT_EQ(first.Device, seeded.Device);
        EXPECT_EQ(first.kod, seeded.kod);
        EXPECT_EQ(first.ogolne, seeded.ogolne);
        for (int i = 0; i < kLinCoefCount; ++i) EXPECT_NEAR(first.LinCoef[i], seeded.LinCoef[i], 1e-5) << i;
      } else {
        ExpectSameSet(Param(), first, "read " + std::to_string(cycle));
      }
      if (cycle == 3) break;
      sw.W().ZapiszTClick();
      EXPECT_EQ(sw.W().StatusText(), "Transmitter programmed") << "write " << cycle;
    }
    EXPECT_TRUE(sw.rec.messages.empty()) << sw.rec.messages.front().text.toStdString();
  }
}

// A configuration and the signal at its terminals for a value x of the input range.
struct TOutputCase {
  const char* name;
  TParamSet p;
  std::function<double(double)> terminals;
  std::function<double(double)> signal;  // set when the output follows the signal (no linearisation)
  double internalTemp = 25.0;
};

double Rtd(int typ, double t) {
  return sensors::SensorSignal(sensors::SensorData(), typ, t);
}

std::vector<TOutputCase> OutputCases() {
  auto same = [](double x) { return x; };
  TParamSet roomJ = Base(48, {9, 6, 2, 0}, 100, 400, 8);
  roomJ.P.RoomT = 40;
  return {
      {"Pt100 0..35 C, 3-wire, narrow",
       Base(47, {1, 3, 2, 0}, 0, 35, 8),
       [](double t) { return Rtd(1, t); },
       {}},
      {"Pt100 (0.00392) -100..850 C, 4-wire",
       Base(48, {2, 4, 2, 0}, -100, 850, 8),
       [](double t) { return Rtd(2, t); },
       {}},
      {"Ni100 -60..180 C unlinearised", Base(49, {3, 2, 1, 0}, -60, 180, 8),
       [](double t) { return Rtd(3, t); }, [](double t) { return Rtd(3, t); }},
      // Internal compensation: the terminals see the hot junction less the junction at 25 C.
      {"K 0..1000 C, internal compensation",
       Base(47, {10, 7, 2, 0}, 0, 1000, 8),
       [](double t) { return ReferenceMv("K", t) - ReferenceMv("K", 25); },
       {}},
      // External junction at RoomT 40 C while the transmitter itself sits at 25 C.
      {"J 100..400 C, junction at 40 C",
       roomJ,
       [](double t) { return ReferenceMv("J", t) - ReferenceMv("J", 40); },
       {}},
      {"N -100..1300 C unlinearised, compensated at 30 C", Base(49, {11, 7, 1, 0}, -100, 1300, 8),
       [](double t) { return ReferenceMv("N", t) - ReferenceMv("N", 30); },
       [](double t) { return ReferenceMv("N", t); }, 30.0},
      {"T -100..100 C, temperature difference",
       Base(47, {14, 5, 2, 0}, -100, 100, 8),
       [](double t) { return ReferenceMv("T", t); },
       {}},
      // 100..300 Ohm give 50..0 %: signal = 300 - 4 x result.
      {"resistance, falling linear conversion",
       Linear(Base(47, {5, 2, 4, 0}, 0, 0, 9), 100, 300, 50, 0),
       [](double x) { return 300 - 4 * x; },
       {}},
      {"millivolt -10..150 mV unconverted", Base(48, {16, 5, 1, 0}, -10, 150, 2), same, {}},
      {"millivolt 0..4 mV as 0..100 %",
       Linear(Base(49, {16, 5, 4, 0}, 0, 0, 9), 0, 4, 0, 100),
       [](double x) { return 0.04 * x; },
       {}},
      {"current 4..20 mA unconverted", Base(39, {17, 5, 1, 0}, 4, 20, 4), same, {}},
      // The power series gives the result 0 at 4 mA and 80 at 20 mA; between, the signal is the
      // positive root of 0.125 s^2 + 2 s - 10 - x = 0.
      {"current, double input, power series",
       PowerSeries(Base(39, {17, 8, 8, 0}, 0, 0, 9)),
       [](double x) { return -8 + std::sqrt(144 + 8 * x); },
       {}},
      // 0..10 V give 100..0 C: signal = 10 - 0.1 x result.
      {"voltage, falling linear conversion",
       Linear(Base(60, {18, 5, 4, 0}, 0, 0, 8), 0, 10, 100, 0),
       [](double x) { return 10 - 0.1 * x; },
       {}},
      {"voltage 2..10 V as 0..500 kg",
       Linear(Base(90, {18, 5, 4, 0}, 0, 0, 10), 2, 10, 0, 500),
       [](double x) { return 2 + 0.016 * x; },
       {}},
      {"voltage 10..200 V unconverted, wide", Base(97, {18, 5, 1, 0}, 10, 200, 1), same, {}},
  };
}

// The output current once the level has been sampled (the filter is off in every case).
double OutputAt(SimWindow& sw, double level) {
  sw.Tx().SetLevel(level);
  sw.Line().Advance(1000);
  return sim::OutputCurrent(sw.Tx().Measure(sw.Line().NowMs()).fraction);
}

TEST(ModelCycleTest, WrittenConfigurationGivesFourMilliampsAtMinimumAndTwentyAtMaximum) {
  // The transmitter approximates the characteristic by 200 chords in the signal and holds its
  // numbers in a 24-bit mantissa. At the ends of the range the chords are exact; inside, the chord
  // error of these gently curved characteristics stays below 0.001 % of the span, the float format
  // adds about 1e-6 of the span and the cold-junction quadratic departs from the reference function
  // by well under 1 uV between 0 and 60 C against spans of 4 mV and more. 0.01 mA (0.06 % of the
  // 16 mA span) therefore holds a correct transmitter with a wide margin, while a reversed range
  // (16 mA off), a junction left uncompensated or compensated at the wrong temperature (0.3 mA and
  // more here), or a characteristic sampled over the wrong segments or linearised when it should
  // follow the signal (0.1 mA and more at the inner point) all fail it.
  constexpr double kTolMa = 0.01;
  for (const TOutputCase& c : OutputCases()) {
    SCOPED_TRACE(c.name);
    sim::TSimConfig config;
    config.modelCode = c.p.ModelCode();
    SimWindow sw(config);
    auto signal = sw.Tx().Signal();
    signal.internalTemperature = c.internalTemp;
    sw.Tx().SetSignal(signal);
    ASSERT_TRUE(sw.TickUntilConnected());
    Param() = Selected(c.p);
    sw.W().pokaz(4);
    ASSERT_EQ(sw.W().StatusText(), "Information complete");
    sw.W().ZapiszTClick();
    ASSERT_EQ(sw.W().StatusText(), "Transmitter programmed");
    ASSERT_TRUE(sw.rec.messages.empty()) << sw.rec.messages.front().text.toStdString();

    const double lo = c.p.P.MinInput, hi = c.p.P.MaxInput, inner = lo + 0.37 * (hi - lo);
    EXPECT_NEAR(OutputAt(sw, c.terminals(lo)), 4.0, kTolMa) << "at MinInput " << lo;
    EXPECT_NEAR(OutputAt(sw, c.terminals(hi)), 20.0, kTolMa) << "at MaxInput " << hi;
    const double share = c.signal ? (c.signal(inner) - c.signal(lo)) / (c.signal(hi) - c.signal(lo)) : 0.37;
    EXPECT_NEAR(OutputAt(sw, c.terminals(inner)), 4.0 + 16.0 * share, kTolMa) << "at " << inner;
  }
}

}  // namespace
}  // namespace vorta::app
