// The 200-segment transfer function: round trips against the exact inverse of every sensor curve and
// conversion, the record layout and the failures that must not reach the record.
#include "sensors/characteristic.h"

#include <cmath>
#include <functional>
#include <limits>

#include "comm/record_layout.h"
#include "sensors/sensor_signal.h"
#include "test_support.h"

namespace vorta::sensors {
namespace {

using CharacteristicTest = testing::SensorTest;
using testing::ExactInverse;
using TExpected = std::function<long double(long double)>;
using TCoef = std::array<double, 11>;

// Every segment evaluated at both of its ends gives the output fraction of the exact inverse (expected(s) -
// MinInput) / span within 1e-6; slots 0 and 201 repeat slots 1 and 200.
void ExpectRoundTrip(const TCharacteristic& c, double minInput, double maxInput, const TExpected& expected,
                     const std::string& what) {
  const double span = maxInput - minInput;
  int bad = 0;
  for (int k = 1; k <= kSegments && bad < 3; ++k) {
    for (int end : {k - 1, k}) {
      const long double s = c.smin + end * static_cast<long double>(c.step);
      const long double want = (expected(s) - minInput) / span;
      const long double got = c.slots[k].gain * s + c.slots[k].offset;
      if (std::fabs(got - want) > 1e-6L) {
        ADD_FAILURE() << what << ": segment " << k << " end " << end << " gives " << (double)got << ", want "
                      << (double)want;
        ++bad;
      }
    }
  }
  EXPECT_TRUE(c.slots[0].gain == c.slots[1].gain && c.slots[0].offset == c.slots[1].offset) << what;
  EXPECT_TRUE(c.slots[201].gain == c.slots[200].gain && c.slots[201].offset == c.slots[200].offset) << what;
}

TEST_F(CharacteristicTest, LinearisedSensorsRoundTripAtEverySegmentEnd) {
  struct TRangeCase {
    int typ;
    double lo, hi;
  };
  const TRangeCase cases[] = {
      {1, 0, 100},    {1, -100, 850},  {1, 200, 300},    {2, 0, 100},     {2, -100, 850}, {3, -60, 180},
      {3, 0, 50},     {4, -50, 180},   {4, 20, 80},      {6, 0, 1820},    {6, 600, 1700}, {7, 0, 2300},
      {7, 100, 1000}, {8, -100, 1000}, {8, 0, 200},      {9, -100, 1200}, {9, 500, 1000}, {10, -150, 1370},
      {10, 0, 1200},  {10, -50, 50},   {11, -100, 1300}, {11, 200, 600},  {12, 0, 1700},  {12, 1000, 1700},
      {13, 0, 1700},  {13, 100, 1100}, {14, -100, 400},  {14, 0, 100},
  };
  for (const TRangeCase& rc : cases) {
    Configure(rc.typ, 7, 2, rc.lo, rc.hi);
    const std::string what =
        "type " + std::to_string(rc.typ) + " " + std::to_string(rc.lo) + ".." + std::to_string(rc.hi);
    TCharacteristic c;
    ASSERT_TRUE(ComputeCharacteristic(d(), c).ok) << what;
    EXPECT_TRUE(c.monotonic) << what;
    ExpectRoundTrip(
        c, rc.lo, rc.hi, [&](long double s) { return ExactInverse(d(), rc.typ, rc.lo, rc.hi, s); }, what);
  }
}

TEST_F(CharacteristicTest, ConversionsAndTablesRoundTrip) {
  const auto series = [](long double s) { return -250 + 62.5L * s + 0.2L * s * s + 0.01L * s * s * s; };
  std::vector<TTablePoint> seriesRows, risingRows, fallingRows, kRows;
  for (int i = 0; i <= 800; ++i)
    seriesRows.push_back({static_cast<double>(series(4 + i * 0.02)), 4 + i * 0.02});
  for (int i = 0; i <= 8; ++i) risingRows.push_back({12.5 * i, 4 + 2.0 * i + 0.01 * i * i});
  for (int i = 0; i <= 8; ++i) fallingRows.push_back({100 - 12.5 * i, 4 + 2.0 * i + 0.01 * i * i});
  for (int i = 0; i < 3000; ++i) kRows.push_back({i / 2.999, SensorSignal(d(), 10, i / 2.999)});
  const TCoef none{0, 1}, rising{-10, 1.6, 0, 0, 0, 0, 0, 0, 0, 0, 100},
      falling{150, -1.6, 0, 0, 0, 0, 0, 0, 0, 100, 0}, cubic{-250, 62.5, 0.2, 0.01, 0, 0, 0, 0, 0, 4, 20};
  const auto line = [&](long double s) { return (s - p().LinCoef[0]) / p().LinCoef[1]; };
  const auto inverse = [&](long double s) {
    return ExactInverse(d(), p().Code.Typ, p().P.MinInput, p().P.MaxInput, s);
  };
  const auto signal = [&](long double s) {  // no linearisation: the output follows the signal
    const long double s0 = SensorSignalL(d(), 10, 0);
    return 500 * (s - s0) / (SensorSignalL(d(), 10, 500) - s0);
  };
  struct Case {
    const char* what;
    int typ, lin;
    double lo, hi;
    TCoef coef;
    const std::vector<TTablePoint>* rows;
    TExpected expected;
  };
  const Case cases[] = {
      {"type K without linearisation", 10, 1, 0, 500, none, nullptr, signal},
      {"rising line", 16, 4, 0, 100, rising, nullptr, line},
      {"falling line", 16, 4, 0, 100, falling, nullptr, line},
      {"power series", 17, 8, double(series(4)), double(series(20)), cubic, &seriesRows, series},
      {"ascending table", 17, 2, 0, 100, none, &risingRows, inverse},
      {"descending table", 17, 2, 0, 100, none, &fallingRows,
       [&](long double s) { return ExactInverse(d(), 17, 100, 0, s); }},
      {"dense user thermocouple", 15, 2, 0, 1000, none, &kRows, inverse},
  };
  for (const Case& cs : cases) {
    Configure(cs.typ, cs.typ == 15 ? 7 : 5, cs.lin, cs.lo, cs.hi);  // the user thermocouple with its own CJC
    p().LinCoef = cs.coef;
    SetTable(cs.rows ? *cs.rows : std::vector<TTablePoint>{});
    p().TableLoaded = cs.rows != nullptr;
    TCharacteristic c;
    ASSERT_TRUE(ComputeCharacteristic(d(), c).ok) << cs.what;
    ExpectRoundTrip(c, cs.lo, cs.hi, cs.expected, cs.what);
  }
}

TEST_F(CharacteristicTest, TypeBFromZeroSkipsTheFallingStartOfItsCurve) {
  Configure(6, 7, 2, 0, 1000);
  ASSERT_LT(SensorSignal(d(), 6, 20), SensorSignal(d(), 6, 0));  // the curve falls first
  TCharacteristic c;
  ASSERT_TRUE(ComputeCharacteristic(d(), c).ok);
  EXPECT_DOUBLE_EQ(c.smin, 0.0);
  EXPECT_NEAR(c.outputs[0], 0.0, 1e-3);
  EXPECT_NEAR(c.outputs[kSegments], 1.0, 1e-6);
  for (int k = 1; k <= kSegments; ++k) EXPECT_GT(c.outputs[k], c.outputs[k - 1]) << k;
}

TEST_F(CharacteristicTest, ColdJunctionTermsFollowTheMode) {
  TCharacteristic c;
  const auto written = [&](int typ, int tryb) {
    Configure(typ, tryb, 2, 0, 500);
    EXPECT_TRUE(ComputeCharacteristic(d(), c).ok);
    return c.cjWritten;
  };
  EXPECT_TRUE(written(10, 5));
  EXPECT_EQ(c.cj, (std::array<double, 3>{0, 0, 0}));
  EXPECT_TRUE(written(10, 6));  // type K gives 1.000 mV at the room temperature of 25 degrees C
  EXPECT_NEAR(c.cj[0], 1.000, 0.0005);
  EXPECT_EQ(c.cj[1] + c.cj[2], 0.0);
  EXPECT_TRUE(written(10, 7));
  EXPECT_NEAR(c.cj[1], 0.0395, 0.0005);  // about 39.5 uV per degree at the cold junction
  EXPECT_FALSE(written(10, 3));
  EXPECT_FALSE(written(1, 7));
}

TEST_F(CharacteristicTest, EncodingWritesSlotsBoundsAndColdJunctionIntoTheRecord) {
  Configure(10, 7, 2, 0, 1200);
  TCharacteristic c;
  rec().b.fill(0x5A);
  ASSERT_TRUE(EncodeCharacteristic(d(), rec(), c).ok);
  EXPECT_NEAR(rec().GetFloat(comm::rec::kSmin), 0.0, 1e-6);  // type K: 0 mV at 0, 48.838 mV at 1200
  EXPECT_NEAR(rec().GetFloat(comm::rec::kSmin) + 200 * rec().GetFloat(comm::rec::kStep), 48.838, 1e-3);
  EXPECT_NEAR(rec().GetFloat(comm::rec::kCjTerms + 4), 0.0395, 0.0005);
  for (std::size_t k = 0; k < 202; ++k) {
    const TSegmentPair& want = c.slots[k == 0 ? 1 : k == 201 ? 200 : k];
    EXPECT_NEAR(rec().GetFloat(comm::rec::kSlots + 8 * k), want.offset,
                2.5e-7 * std::fabs(want.offset) + 1e-30);
    EXPECT_NEAR(rec().GetFloat(comm::rec::kSlots + 8 * k + 4), want.gain, 2.5e-7 * std::fabs(want.gain));
  }
  EXPECT_EQ(rec()[1712], 0x5A);  // nothing past the slots
  EXPECT_EQ(rec()[95], 0x5A);
  Configure(1, 3, 2, 0, 100);  // a resistance thermometer leaves the cold-junction terms alone
  rec().b.fill(0x5A);
  ASSERT_TRUE(EncodeCharacteristic(d(), rec(), c).ok);
  for (std::size_t i = 68; i < 80; ++i) EXPECT_EQ(rec()[i], 0x5A) << i;
}

TEST_F(CharacteristicTest, FailuresAreReportedAndLeaveTheRecordAlone) {
  const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* what;
    int typ, lin;
    double lo, hi;
    TCoef coef;
    std::vector<TTablePoint> rows;  // loaded when not empty
    std::string key;
  };
  const std::string tooSmall = "Input range too small!", transfer = "Transfer function";
  const Case cases[] = {
      {"zero input span", 1, 2, 50, 50, {0, 1}, {}, tooSmall},
      {"zero signal span", 19, 1, 0, 0, {0, 1}, {}, tooSmall},
      {"a table that holds nothing", 16, 2, 0, 100, {0, 1}, {}, tooSmall},
      {"gain 1e39 beyond the float format",
       16,
       4,
       0,
       100,
       {0, 1e-41, 0, 0, 0, 0, 0, 0, 0, 0, 100},
       {},
       transfer},
      {"infinite coefficient",
       16,
       8,
       0,
       100,
       {0, 1, inf, 0, 0, 0, 0, 0, 0, 0, 100},
       {{0, 0}, {100, 100}},
       transfer},
      {"table signal no number", 15, 2, 0, 50, {0, 1}, {{0, 0}, {50, nan}, {60, 3}}, transfer},
      {"type B turning back within 0 .. 40", 6, 2, 0, 40, {0, 1}, {}, kNotMonotonicKey},
  };
  rec().b.fill(0x5A);
  const comm::TDeviceRecord before = rec();
  TCharacteristic c;
  for (const Case& cs : cases) {
    Configure(cs.typ, 7, cs.lin, cs.lo, cs.hi);
    p().LinCoef = cs.coef;
    SetTable(cs.rows);
    p().TableLoaded = !cs.rows.empty();
    const TResult r = EncodeCharacteristic(d(), rec(), c);
    EXPECT_FALSE(r.ok) << cs.what;
    EXPECT_EQ(r.key, cs.key) << cs.what;
    EXPECT_EQ(rec(), before) << cs.what;
  }
  EXPECT_TRUE(ComputeCharacteristic(d(), c).ok);  // a function that turns back is still computed
  EXPECT_FALSE(c.monotonic);
}

}  // namespace
}  // namespace vorta::sensors
