// The power-series check and its conversion into the user table.
#include "sensors/power_series.h"

#include <limits>

#include "test_support.h"

namespace vorta::sensors {
namespace {

class PowerSeriesTest : public testing::SensorTest {
 protected:
  void Series(std::array<double, 9> coef, double lj, double lk) {
    std::copy(coef.begin(), coef.end(), p().LinCoef.begin());
    p().LinCoef[9] = lj;
    p().LinCoef[10] = lk;
  }
};

TEST_F(PowerSeriesTest, CheckNamesTheFirstRuleASeriesBreaks) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    std::array<double, 9> coef;
    double lj, lk;
    int limitTyp;  // 16: -10 .. 150 mV, 17: -22 .. 22 mA, 15: the user thermocouple's -5 .. 75 mV
    std::string key;
  };
  const Case cases[] = {
      {{-25, 6.25}, 4, 20, 17, ""},
      {{125, -6.25}, 4, 20, 17, ""},  // falling
      {{5}, 0, 100, 16, "is not monotonic"},
      {{0, 10, -0.1}, 0, 100, 16, "is not monotonic"},  // rises to 250 at 50 and falls back to 0
      {{0, 100}, 0, 100, 16, "Value out of range"},     // 10000 beyond 9999
      {{0, 1}, 0, 160, 16, "Value out of range"},       // signal beyond 150 mV
      {{0, 25}, 0, 60, 15, ""},
      {{-300, 25}, 0, 60, 15, "Value out of range"},  // -300 below -273
      {{0, 1}, 0, 78, 15, "Value out of range"},      // signal beyond 75 mV
      {{0, 1, inf}, 0, 100, 16, "Power series calculation error"},
  };
  for (const Case& c : cases) {
    Series(c.coef, c.lj, c.lk);
    const TResult r = PowerSeriesCheck(p(), c.limitTyp, ranges());
    EXPECT_EQ(r.ok, c.key.empty()) << c.coef[0] << " " << c.coef[1];
    EXPECT_EQ(r.key, c.key) << c.coef[0] << " " << c.coef[1];
  }
}

TEST_F(PowerSeriesTest, TableOfTheSeriesHas801RowsAndIsInstalled) {
  p().Code.Typ = 17;
  p().CharTyp = 0;  // the table uses the limits of Typ
  Series({-25, 6.25, 0.01}, 4, 20);
  const TResult r = InstallPowerSeriesTable(p(), table(), ranges());
  ASSERT_TRUE(r.ok) << r.key;
  ASSERT_EQ(table().Count(), 801);
  EXPECT_EQ(table()[1].y, 4);
  EXPECT_EQ(table()[801].y, 20);
  EXPECT_DOUBLE_EQ(table()[401].x, 51.44);  // -25 + 6.25 x 12 + 0.01 x 144
  EXPECT_TRUE(p().TableLoaded);
  EXPECT_EQ(ranges()[15], (TRangeRow{1, 1040}));  // 0.16 at 4 mA, 104.0 at 20 mA
}

TEST_F(PowerSeriesTest, FailedTableIsNotInstalledAndKeepsTheTableInUse) {
  p().Code.Typ = 16;
  Series({5}, 0, 100);
  EXPECT_EQ(PowerSeriesToTable(p(), ranges(), table()).key, "is not monotonic");
  EXPECT_EQ(table().Count(), 1);  // the rows accepted before the failure stay
  p().Code.Typ = 17;
  Series({0, 1}, 0, 30);  // the signal leaves -22 .. 22 mA
  EXPECT_EQ(PowerSeriesToTable(p(), ranges(), table()).key, "Value out of range");
  EXPECT_EQ(table().Count(), 587);  // signals 0 .. 22 in steps of 30 / 800
  SetTable({{0, 1}, {1, 2}});
  p().TableLoaded = true;
  const TSensorRangeTable rangesBefore = ranges();
  EXPECT_EQ(InstallPowerSeriesTable(p(), table(), ranges()).key, "Value out of range");
  EXPECT_FALSE(p().TableLoaded);
  EXPECT_EQ(table().Count(), 2);
  EXPECT_EQ(ranges(), rangesBefore);
}

}  // namespace
}  // namespace vorta::sensors
