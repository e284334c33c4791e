// The power-series check and its conversion into the user table.
#include "sensors/power_series.h"

#include <limits>

#include "sensors/interpolation.h"
#include "sensors/sensor_range.h"
#include "test_support.h"

namespace vorta::sensors {
namespace {

using testing::SensorTest;

class PowerSeriesTest : public SensorTest {
 protected:
  void Series(std::array<double, 9> coef, double lj, double lk) {
    for (std::size_t i = 0; i < 9; ++i) p().LinCoef[i] = coef[i];
    p().LinCoef[9] = lj;
    p().LinCoef[10] = lk;
  }
};

TEST_F(PowerSeriesTest, RisingAndFallingSeriesPassTheCheck) {
  p().CharTyp = 17;
  Series({-25, 6.25}, 4, 20);
  std::string message;
  EXPECT_TRUE(PowerSeriesCheck(message)) << message;
  Series({125, -6.25}, 4, 20);
  EXPECT_TRUE(PowerSeriesCheck(message)) << message;
  EXPECT_TRUE(message.empty());
}

TEST_F(PowerSeriesTest, ConstantSeriesFailsAtTheSecondPoint) {
  p().CharTyp = 16;
  Series({5}, 0, 100);
  std::string message;
  EXPECT_FALSE(PowerSeriesCheck(message));
  EXPECT_EQ(message, "Transfer function is not monotonic");
  p().Code.Typ = 16;
  EXPECT_FALSE(PowerSeriesToTable(message));
  EXPECT_EQ(UserTable().Count(), 1);
}

TEST_F(PowerSeriesTest, SeriesTurningBackIsNotMonotonic) {
  p().CharTyp = 16;
  Series({0, 10, -0.1}, 0, 100);  // rises to 250 at 50 and falls back to 0
  std::string message;
  EXPECT_FALSE(PowerSeriesCheck(message));
  EXPECT_EQ(message, "Transfer function is not monotonic");
}

TEST_F(PowerSeriesTest, ValuesAndSignalsOutsideTheLimitsAreRefused) {
  std::string message;
  p().CharTyp = 16;  // -10 .. 150 mV
  Series({0, 100}, 0, 100);
  EXPECT_FALSE(PowerSeriesCheck(message));  // 10000 beyond 9999
  EXPECT_EQ(message, "Value out of range");
  Series({0, 1}, 0, 160);
  EXPECT_FALSE(PowerSeriesCheck(message));  // signal beyond 150 mV
  p().CharTyp = 15;
  Series({0, 25}, 0, 60);
  EXPECT_TRUE(PowerSeriesCheck(message)) << message;
  Series({-300, 25}, 0, 60);
  EXPECT_FALSE(PowerSeriesCheck(message));
}

TEST_F(PowerSeriesTest, FaultInTheEvaluationIsACalculationError) {
  p().CharTyp = 16;
  Series({0, 1, std::numeric_limits<double>::infinity()}, 0, 100);
  std::string message;
  EXPECT_FALSE(PowerSeriesCheck(message));
  EXPECT_EQ(message, "Power series calculation error");
}

TEST_F(PowerSeriesTest, TableOfTheSeriesHas801RowsAndIsInstalled) {
  p().Code.Typ = 17;
  p().CharTyp = 0;  // the table uses the limits of Typ
  Series({-25, 6.25, 0.01}, 4, 20);
  std::string message;
  ASSERT_TRUE(InstallPowerSeriesTable(message)) << message;
  const TUserTable& t = UserTable();
  ASSERT_EQ(t.Count(), 801);
  EXPECT_EQ(t[1].y, 4);
  EXPECT_EQ(t[801].y, 20);
  EXPECT_DOUBLE_EQ(t[401].x, static_cast<double>(PolyValue(9, 12)));
  EXPECT_TRUE(p().TableLoaded);
  EXPECT_EQ(SensorRangeTable()[15].lo, 1);     // 0.16 at 4 mA
  EXPECT_EQ(SensorRangeTable()[15].hi, 1040);  // 104.0 at 20 mA
}

TEST_F(PowerSeriesTest, FailedTableKeepsTheAcceptedRowsAndIsNotLoaded) {
  p().Code.Typ = 17;
  p().TableLoaded = true;
  Series({0, 1}, 0, 30);  // the signal leaves -22 .. 22 mA
  std::string message;
  EXPECT_FALSE(InstallPowerSeriesTable(message));
  EXPECT_EQ(message, "Value out of range");
  EXPECT_FALSE(p().TableLoaded);
  EXPECT_EQ(UserTable().Count(), 587);  // signals 0 .. 22 in steps of 30 / 800
}

}  // namespace
}  // namespace vorta::sensors
