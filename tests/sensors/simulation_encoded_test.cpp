// The simulation on transfer functions the encoder computed for real configurations (Pt100, type K
// with its own cold-junction compensation, a linear and a table conversion of a current): the
// sensor's value at every segment end, the transmitter's own slot evaluation at every midpoint, and
// the way back from an output to the signal within one segment.
#include <cmath>
#include <functional>
#include <string>

#include "sensors/sensor_signal.h"
#include "sensors/simulation.h"
#include "test_support.h"

namespace vorta::sensors {
namespace {

struct TConfig {
  const char* what;
  int typ, tryb, lin;
  double lo, hi;
  std::array<double, 11> coef;
  std::vector<TTablePoint> rows;
};

class SimulationEncodedTest : public testing::SensorTest {
 protected:
  // The configuration's transfer function, as a write would compute it.
  TSimTable Encode(const TConfig& cf, TCharacteristic& c) {
    Configure(cf.typ, cf.tryb, cf.lin, cf.lo, cf.hi);
    p().LinCoef = cf.coef;
    SetTable(cf.rows);
    p().TableLoaded = !cf.rows.empty();
    const TResult r = ComputeCharacteristic(d(), c);
    EXPECT_TRUE(r.ok) << r.key;
    return MakeSimTable(c);
  }
  // The value of the sensor's curve at the signal s, as a fraction of the input range.
  double ExactFraction(const TConfig& cf, double s) {
    return static_cast<double>((testing::ExactInverse(d(), cf.typ, cf.lo, cf.hi, s) - cf.lo) /
                               (cf.hi - cf.lo));
  }
};

std::vector<TConfig> Configs() {
  std::vector<TTablePoint> rows;  // a gently bent current table: 4..20.64 mA over 0..100
  for (int i = 0; i <= 8; ++i) rows.push_back({12.5 * i, 4 + 2.0 * i + 0.01 * i * i});
  const std::array<double, 11> identity{0, 1}, line{4, 0.16, 0, 0, 0, 0, 0, 0, 0, 0, 100};
  return {
      {"Pt100 -50..150", 1, 3, 2, -50, 150, identity, {}},
      {"type K 0..1000 with compensation", 10, 7, 2, 0, 1000, identity, {}},
      {"current 4..20 mA as 0..100, linear", 17, 5, 4, 0, 100, line, {}},
      {"current by a table", 17, 5, 2, 0, 100, identity, rows},
  };
}

TEST_F(SimulationEncodedTest, SegmentEndsGiveTheSensorsValueAndMidpointsTheTransmittersSlot) {
  for (const TConfig& cf : Configs()) {
    SCOPED_TRACE(cf.what);
    TCharacteristic c;
    const TSimTable t = Encode(cf, c);
    for (int k : {0, 1, 37, 100, 163, 199, 200}) {
      const double s = c.smin + k * c.step;
      EXPECT_NEAR(SimOutput(t, s), ExactFraction(cf, s), 1e-6) << "end " << k;
    }
    int bad = 0;
    for (int k = 1; k <= kSegments && bad < 3; ++k) {
      const double s = c.smin + (k - 0.5) * c.step;
      const double slot = c.slots[k].offset + c.slots[k].gain * s;
      if (std::fabs(SimOutput(t, s) - slot) > 1e-12 ||
          std::fabs(SimOutput(t, s) - ExactFraction(cf, s)) > 1e-4) {
        ADD_FAILURE() << "midpoint of segment " << k << ": " << SimOutput(t, s) << ", slot " << slot;
        ++bad;
      }
    }
  }
}

TEST_F(SimulationEncodedTest, AnOutputGoesBackToItsSignalWithinOneSegment) {
  for (const TConfig& cf : Configs()) {
    SCOPED_TRACE(cf.what);
    TCharacteristic c;
    const TSimTable t = Encode(cf, c);
    for (int i = 0; i <= 64; ++i) {
      const double y = i / 64.0;  // 4 mA to 20 mA in steps of 0.25 mA
      const double s = SimInput(t, y);
      const double sensor = SensorSignal(d(), cf.typ, cf.lo + y * (cf.hi - cf.lo));
      ASSERT_NEAR(s, sensor, c.step) << "output " << y;
      ASSERT_NEAR(SimOutput(t, s), y, 1e-12) << "output " << y;
    }
  }
}

TEST_F(SimulationEncodedTest, CompensatedThermocoupleShowsTheHotJunctionWhateverTheTransmittersTemperature) {
  Configure(10, 7, 2, 0, 1000);
  TCharacteristic c;
  ASSERT_TRUE(ComputeCharacteristic(d(), c).ok);
  ASSERT_TRUE(c.cjWritten);
  const TSimTable t = MakeSimTable(c);
  for (double junction : {0.0, 25.0, 55.0}) {
    for (double hot : {0.0, 250.0, 777.0, 1000.0}) {
      const double terminals = SensorSignal(d(), 10, hot) - SensorSignal(d(), 10, junction);
      const double result = 1000 * SimOutput(t, CompensatedSignal(c, terminals, junction));
      EXPECT_NEAR(result, hot, 0.02) << "hot " << hot << " junction " << junction;
    }
  }
}

}  // namespace
}  // namespace vorta::sensors
