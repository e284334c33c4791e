// Power series, parabola and table interpolation, forward and inverse.
#include "sensors/interpolation.h"

#include <cmath>

#include "test_support.h"

namespace vorta::sensors {
namespace {

using testing::SensorTest;

TEST_F(SensorTest, PolyValueClampsTheNumberOfTerms) {
  p().LinCoef = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  EXPECT_EQ(PolyValue(1, 2), PolyValue(2, 2));
  EXPECT_EQ(PolyValue(2, 2), 5);
  EXPECT_EQ(PolyValue(12, 2), PolyValue(9, 2));
  long double expect = 0;
  for (int k = 0; k < 9; ++k) expect += (k + 1) * std::pow(2.0L, k);
  EXPECT_EQ(PolyValue(9, 2), expect);  // LinJ and LinK take no part
}

TEST_F(SensorTest, FiveRowTableIsInterpolatedLinearlyOnly) {
  SetTable({{0, 0}, {1, 1}, {2, 4}, {3, 9}, {4, 16}});
  EXPECT_EQ(TableValue(UserTable(), 2.5), 6.5);  // the parabola would give 6.25
  EXPECT_EQ(TableValue(UserTable(), 0.5), 0.5);
  EXPECT_EQ(TableValue(UserTable(), 4), 16);
}

TEST_F(SensorTest, ElevenRowTableOfASmoothCurveUsesTheParabola) {
  std::vector<TTablePoint> rows;
  for (int i = 0; i <= 10; ++i) rows.push_back({10.0 + i, (10.0 + i) * (10.0 + i)});
  SetTable(rows);
  EXPECT_NEAR(static_cast<double>(TableValue(UserTable(), 12.5)), 156.25, 1e-9);
  EXPECT_NEAR(static_cast<double>(TableValue(UserTable(), 19.5)), 380.25, 1e-9);  // the last rows
  EXPECT_NEAR(static_cast<double>(TableValue(UserTable(), 10.5)), 110.25, 1e-9);  // the first rows
}

TEST_F(SensorTest, SharpBendInALongTableFallsBackToTheLine) {
  std::vector<TTablePoint> rows;
  for (int i = 0; i <= 12; ++i) rows.push_back({double(i), i <= 6 ? double(i) : 6 + 10.0 * (i - 6)});
  SetTable(rows);
  EXPECT_DOUBLE_EQ(static_cast<double>(TableValue(UserTable(), 6.5)), 11.0);
}

TEST_F(SensorTest, TableGivesEndValuesOutsideItsRangeAscendingAndDescending) {
  SetTable({{0, 1}, {10, 2}, {20, 4}});
  EXPECT_EQ(TableValue(UserTable(), -5), 1);
  EXPECT_EQ(TableValue(UserTable(), 25), 4);
  SetTable({{20, 1}, {10, 2}, {0, 4}});
  EXPECT_EQ(TableValue(UserTable(), 25), 1);
  EXPECT_EQ(TableValue(UserTable(), -5), 4);
  EXPECT_EQ(TableValue(UserTable(), 15), 1.5);
}

TEST_F(SensorTest, DegenerateTablesGiveDefinedValues) {
  EXPECT_EQ(TableValue(UserTable(), 3), 0);
  SetTable({{5, 7}});
  EXPECT_EQ(TableValue(UserTable(), 3), 7);
  EXPECT_EQ(TableInverse(UserTable(), 1, 3), 5);
  SetTable({{0, 0}, {1, 1}});
  EXPECT_TRUE(std::isnan(TableValue(UserTable(), std::nanl(""))));
  UserTable()[0].x = 1e9;  // a corrupt count reads at most 3000 rows
  EXPECT_EQ(UserTable().Count(), kUserTableRows);
}

TEST_F(SensorTest, ParabolaThroughThreePointsAndZeroOutsideThem) {
  EXPECT_NEAR(static_cast<double>(Parabola(0, 0, 1, 1, 2, 4, 1.5)), 2.25, 1e-15);
  EXPECT_EQ(Parabola(0, 0, 1, 1, 2, 4, 2.5), 0);
  EXPECT_EQ(Parabola(0, 0, 1, 1, 2, 4, -0.5), 0);
  EXPECT_NEAR(static_cast<double>(Parabola(0, 0, 1, 1, 2, 4, 2.0000001)), 4.0, 1e-5);  // within the margin
  EXPECT_TRUE(std::isnan(Parabola(0, 0, 0, 1, 2, 4, 1)));
}

TEST_F(SensorTest, TableInverseFindsTheValueOfASignal) {
  SetTable({{0, 100}, {50, 119.4}, {100, 138.5}});
  EXPECT_NEAR(static_cast<double>(TableInverse(UserTable(), 2, 109.7)), 25.0, 1e-9);
  EXPECT_NEAR(static_cast<double>(TableInverse(UserTable(), 3, 129.0)), 75.13089005, 1e-6);
  std::vector<TTablePoint> rows;
  for (int i = 0; i <= 20; ++i) rows.push_back({double(i), std::sqrt(double(i) + 1)});
  SetTable(rows);
  // y = sqrt(x + 1): the inverse x = y^2 - 1 is a parabola, reproduced exactly.
  EXPECT_NEAR(static_cast<double>(TableInverse(UserTable(), 8, 2.8)), 2.8 * 2.8 - 1, 1e-12);
  EXPECT_NEAR(static_cast<double>(TableInverse(UserTable(), 21, 4.55)), 4.55 * 4.55 - 1, 1e-12);
}

TEST_F(SensorTest, TableInverseOverEqualSignalsStaysFinite) {
  std::vector<TTablePoint> rows;
  for (int i = 0; i <= 12; ++i) rows.push_back({double(i), i < 6 ? double(i) : i == 6 ? 5.0 : i - 1.0});
  SetTable(rows);
  for (int j = 2; j <= 12; ++j)
    for (double s : {4.5, 5.0, 5.5})
      EXPECT_TRUE(std::isfinite(TableInverse(UserTable(), j, s))) << j << " " << s;
  EXPECT_EQ(TableInverse(UserTable(), 7, 5.0), 6);
}

}  // namespace
}  // namespace vorta::sensors
