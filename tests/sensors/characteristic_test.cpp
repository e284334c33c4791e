// The 200-segment transfer function: round trips against the exact inverse of every sensor curve
// and conversion, the record layout and the failures that must not reach the record.
#include "sensors/characteristic.h"

#include <cmath>

#include "sensors/sensor_signal.h"
#include "test_support.h"

namespace vorta::sensors {
namespace {

using testing::ExactInverse;
using testing::SensorTest;

// Every segment evaluated at both of its ends gives the output fraction of the exact inverse
// (expected(s) - MinInput) / span within 1e-6.
template <typename Expected>
void ExpectRoundTrip(const TCharacteristic& c, double minInput, double maxInput, Expected expected,
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
}

struct TRangeCase {
  int typ;
  double lo, hi;
};

TEST_F(SensorTest, LinearisedSensorsRoundTripAtEverySegmentEnd) {
  const TRangeCase cases[] = {
      {1, 0, 100},    {1, -100, 850},  {1, 200, 300},    {2, 0, 100},     {2, -100, 850}, {3, -60, 180},
      {3, 0, 50},     {4, -50, 180},   {4, 20, 80},      {6, 0, 1820},    {6, 600, 1700}, {7, 0, 2300},
      {7, 100, 1000}, {8, -100, 1000}, {8, 0, 200},      {9, -100, 1200}, {9, 500, 1000}, {10, -150, 1370},
      {10, 0, 1200},  {10, -50, 50},   {11, -100, 1300}, {11, 200, 600},  {12, 0, 1700},  {12, 1000, 1700},
      {13, 0, 1700},  {13, 100, 1100}, {14, -100, 400},  {14, 0, 100},
  };
  for (const TRangeCase& rc : cases) {
    Configure(rc.typ, 7, 2, rc.lo, rc.hi);
    TCharacteristic c;
    ASSERT_EQ(ComputeCharacteristic(c).status, TCharStatus::kOk) << rc.typ << " " << rc.lo << ".." << rc.hi;
    EXPECT_TRUE(c.monotonic);
    ExpectRoundTrip(
        c, rc.lo, rc.hi, [&](long double s) { return ExactInverse(rc.typ, rc.lo, rc.hi, s); },
        "type " + std::to_string(rc.typ) + " " + std::to_string(rc.lo) + ".." + std::to_string(rc.hi));
  }
}

TEST_F(SensorTest, TypeBFromZeroSkipsTheFallingStartOfItsCurve) {
  Configure(6, 7, 2, 0, 1000);
  ASSERT_LT(SensorSignal(6, 20), SensorSignal(6, 0));  // the curve falls first
  TCharacteristic c;
  ASSERT_EQ(ComputeCharacteristic(c).status, TCharStatus::kOk);
  EXPECT_DOUBLE_EQ(c.smin, 0.0);
  EXPECT_NEAR(c.outputs[0], 0.0, 1e-3);
  EXPECT_NEAR(c.outputs[kSegments], 1.0, 1e-6);
  for (int k = 1; k <= kSegments; ++k) EXPECT_GT(c.outputs[k], c.outputs[k - 1]) << k;
}

TEST_F(SensorTest, CurveWithoutAMonotonicStretchIsReported) {
  Configure(6, 7, 2, 0, 40);  // type B falls and rises again within 0..40 degrees C
  TCharacteristic c;
  EXPECT_EQ(ComputeCharacteristic(c).status, TCharStatus::kNotMonotonic);
  EXPECT_FALSE(c.monotonic);
}

TEST_F(SensorTest, LinearConversionRoundTripsRisingAndFalling) {
  for (bool falling : {false, true}) {
    Configure(16, 5, 4, 0, 100);
    p().LinCoef[1] = falling ? -1.6 : 1.6;  // input -10 .. 150 mV for the result 0 .. 100 (or 100 .. 0)
    p().LinCoef[0] = falling ? 150 : -10;
    p().LinCoef[9] = falling ? 100 : 0;
    p().LinCoef[10] = falling ? 0 : 100;
    TCharacteristic c;
    ASSERT_EQ(ComputeCharacteristic(c).status, TCharStatus::kOk);
    ExpectRoundTrip(
        c, 0, 100, [&](long double s) { return (s - p().LinCoef[0]) / p().LinCoef[1]; },
        falling ? "falling" : "rising");
    EXPECT_NEAR(c.slots[0].gain * SensorSignal(16, 0) + c.slots[0].offset, 0.0, 1e-12);  // 4 mA at MinInput
  }
}

TEST_F(SensorTest, NoLinearisationFollowsTheSignal) {
  Configure(10, 5, 1, 0, 500);
  TCharacteristic c;
  ASSERT_EQ(ComputeCharacteristic(c).status, TCharStatus::kOk);
  for (const TSegmentPair& s : c.slots) {
    EXPECT_DOUBLE_EQ(s.gain, c.slots[0].gain);
    EXPECT_DOUBLE_EQ(s.offset, c.slots[0].offset);
  }
  EXPECT_NEAR(c.slots[0].gain * SensorSignal(10, 250) + c.slots[0].offset,
              (SensorSignal(10, 250) - SensorSignal(10, 0)) / (SensorSignal(10, 500) - SensorSignal(10, 0)),
              1e-12);
}

TEST_F(SensorTest, PowerSeriesRoundTrips) {
  Configure(17, 5, 8, 0, 1000);
  p().LinCoef = {-250, 62.5, 0.2, 0.01, 0, 0, 0, 0, 0, 4, 20};  // result of 4 .. 20 mA
  p().TableLoaded = true;
  const auto result = [&](long double s) { return -250 + 62.5L * s + 0.2L * s * s + 0.01L * s * s * s; };
  std::vector<TTablePoint> rows;
  for (int i = 0; i <= 800; ++i) {
    const double s = 4 + i * 0.02;
    rows.push_back({static_cast<double>(result(s)), s});
  }
  SetTable(rows);
  p().P.MinInput = static_cast<double>(result(4));
  p().P.MaxInput = static_cast<double>(result(20));
  TCharacteristic c;
  ASSERT_EQ(ComputeCharacteristic(c).status, TCharStatus::kOk);
  ExpectRoundTrip(c, p().P.MinInput, p().P.MaxInput, result, "power series");
}

TEST_F(SensorTest, AscendingAndDescendingTablesRoundTrip) {
  for (bool descending : {false, true}) {
    Configure(17, 5, 2, 0, 100);
    p().TableLoaded = true;
    std::vector<TTablePoint> rows;
    for (int i = 0; i <= 8; ++i)
      rows.push_back({descending ? 100 - 12.5 * i : 12.5 * i, 4 + 2.0 * i + 0.01 * i * i});
    SetTable(rows);
    TCharacteristic c;
    ASSERT_EQ(ComputeCharacteristic(c).status, TCharStatus::kOk);
    ExpectRoundTrip(
        c, 0, 100,
        [&](long double s) { return ExactInverse(17, descending ? 100 : 0, descending ? 0 : 100, s); },
        descending ? "descending table" : "ascending table");
    const TSegmentPair& atMin = descending ? c.slots[kSegments] : c.slots[1];
    const TSegmentPair& atMax = descending ? c.slots[1] : c.slots[kSegments];
    EXPECT_NEAR(atMin.gain * SensorSignal(17, 0) + atMin.offset, 0.0, 1e-9);
    EXPECT_NEAR(atMax.gain * SensorSignal(17, 100) + atMax.offset, 1.0, 1e-9);
  }
}

TEST_F(SensorTest, DenseSmoothTableRoundTrips) {
  Configure(15, 7, 2, 0, 1000);
  p().TableLoaded = true;
  std::vector<TTablePoint> rows;
  for (int i = 0; i < 3000; ++i) rows.push_back({i / 2.999, SensorSignal(10, i / 2.999)});
  SetTable(rows);
  TCharacteristic c;
  ASSERT_EQ(ComputeCharacteristic(c).status, TCharStatus::kOk);
  ExpectRoundTrip(
      c, 0, 1000, [&](long double s) { return ExactInverse(15, 0, 1000, s); }, "user thermocouple");
}

TEST_F(SensorTest, ColdJunctionTermsFollowTheMode) {
  Configure(10, 5, 2, 0, 500);
  TCharacteristic c;
  ASSERT_EQ(ComputeCharacteristic(c).status, TCharStatus::kOk);
  EXPECT_TRUE(c.cjWritten);
  EXPECT_EQ(c.cj, (std::array<double, 3>{0, 0, 0}));
  p().Code.Tryb = 6;
  ASSERT_EQ(ComputeCharacteristic(c).status, TCharStatus::kOk);
  EXPECT_EQ(c.cj, (std::array<double, 3>{SensorSignal(10, 25), 0, 0}));
  p().Code.Tryb = 7;
  ASSERT_EQ(ComputeCharacteristic(c).status, TCharStatus::kOk);
  EXPECT_NEAR(c.cj[1], 0.0395, 0.0005);  // about 39.5 uV per degree at the cold junction
  p().Code.Tryb = 3;
  ASSERT_EQ(ComputeCharacteristic(c).status, TCharStatus::kOk);
  EXPECT_FALSE(c.cjWritten);
  Configure(1, 7, 2, 0, 100);
  ASSERT_EQ(ComputeCharacteristic(c).status, TCharStatus::kOk);
  EXPECT_FALSE(c.cjWritten);
}

TEST_F(SensorTest, EncodingWritesSlotsBoundsAndColdJunctionIntoTheRecord) {
  Configure(10, 7, 2, 0, 1200);
  TCharacteristic c;
  ASSERT_EQ(ComputeCharacteristic(c).status, TCharStatus::kOk);
  comm::TDeviceRecord rec;
  rec.b.fill(0x5A);
  ASSERT_EQ(EncodeCharacteristic(rec).status, TCharStatus::kOk);
  EXPECT_NEAR(rec.GetFloat(kSminOffset), SensorSignal(10, 0), 1e-6);
  EXPECT_NEAR(rec.GetFloat(kSminOffset) + 200 * rec.GetFloat(kStepOffset), SensorSignal(10, 1200), 1e-4);
  EXPECT_NEAR(rec.GetFloat(kCjOffset + 4), 0.0395, 0.0005);
  for (std::size_t k = 0; k < 202; ++k) {
    const std::size_t src = k == 0 ? 1 : k == 201 ? 200 : k;
    const TSegmentPair& want = c.slots[src];
    EXPECT_NEAR(rec.GetFloat(kSlotsOffset + 8 * k), want.offset, 2.5e-7 * std::fabs(want.offset) + 1e-30);
    EXPECT_NEAR(rec.GetFloat(kSlotsOffset + 8 * k + 4), want.gain, 2.5e-7 * std::fabs(want.gain));
  }
  EXPECT_EQ(rec[1712], 0x5A);  // nothing past the slots
  EXPECT_EQ(rec[95], 0x5A);
  EXPECT_DOUBLE_EQ(p().P.ResultLow, SensorSignal(10, 0));
  EXPECT_DOUBLE_EQ(p().P.ResultHigh, SensorSignal(10, 1200));
  EXPECT_TRUE(CharacteristicState().TransferMonotonic);
}

TEST_F(SensorTest, ResistanceThermometerLeavesTheColdJunctionSlotsAlone) {
  Configure(1, 3, 2, 0, 100);
  comm::TDeviceRecord rec;
  rec.b.fill(0x5A);
  ASSERT_EQ(EncodeCharacteristic(rec).status, TCharStatus::kOk);
  for (std::size_t i = 68; i < 80; ++i) EXPECT_EQ(rec[i], 0x5A) << i;
}

TEST_F(SensorTest, ZeroSignalOrInputSpanIsRefusedAndTheRecordKept) {
  comm::TDeviceRecord rec;
  rec.b.fill(0x5A);
  const comm::TDeviceRecord before = rec;
  Configure(1, 3, 2, 50, 50);
  TCharResult r = EncodeCharacteristic(rec);
  EXPECT_EQ(r.status, TCharStatus::kInvalid);
  EXPECT_EQ(r.reason, "Input range too small!");
  Configure(19, 5, 1, 0, 0);
  EXPECT_EQ(EncodeCharacteristic(rec).status, TCharStatus::kInvalid);
  Configure(16, 5, 2, 0, 100);  // a table that holds nothing
  EXPECT_EQ(EncodeCharacteristic(rec).status, TCharStatus::kInvalid);
  EXPECT_EQ(rec, before);
}

TEST_F(SensorTest, GainBeyondTheFloatFormatIsAnArithmeticError) {
  Configure(16, 5, 4, 0, 100);
  p().LinCoef = {0, 1e-41, 0, 0, 0, 0, 0, 0, 0, 0, 100};  // a signal span of 1e-39: gain 1e39
  comm::TDeviceRecord rec;
  const comm::TDeviceRecord before = rec;
  const double lowBefore = p().P.ResultLow;
  const TCharResult r = EncodeCharacteristic(rec);
  EXPECT_EQ(r.status, TCharStatus::kArithmeticError);
  EXPECT_EQ(r.reason, "Transfer function");
  EXPECT_EQ(rec, before);
  EXPECT_EQ(p().P.ResultLow, lowBefore);
}

TEST_F(SensorTest, NonFiniteCoefficientIsAnArithmeticError) {
  Configure(16, 5, 8, 0, 100);
  p().LinCoef = {0, 1, std::numeric_limits<double>::infinity(), 0, 0, 0, 0, 0, 0, 0, 100};
  SetTable({{0, 0}, {100, 100}});
  p().TableLoaded = true;
  TCharacteristic c;
  EXPECT_EQ(ComputeCharacteristic(c).status, TCharStatus::kArithmeticError);
}

TEST_F(SensorTest, FailedColdJunctionFitStopsTheEncoding) {
  Configure(15, 7, 2, 0, 50);
  SetTable({{0, 0}, {50, std::numeric_limits<double>::quiet_NaN()}, {60, 3}});
  p().TableLoaded = true;
  TCharacteristic c;
  EXPECT_EQ(ComputeCharacteristic(c).status, TCharStatus::kArithmeticError);
}

}  // namespace
}  // namespace vorta::sensors
