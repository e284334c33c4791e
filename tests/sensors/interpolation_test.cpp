// Power series, parabola and table interpolation, forward and inverse.
#include "sensors/interpolation.h"

#include <cmath>
#include <functional>

#include "test_support.h"

namespace vorta::sensors {
namespace {

using InterpolationTest = testing::SensorTest;

// Rows x = x0, x0 + 1, .. of n points with y = f(x).
std::vector<TTablePoint> Rows(int n, double x0, const std::function<double(double)>& f) {
  std::vector<TTablePoint> rows;
  for (int i = 0; i < n; ++i) rows.push_back({x0 + i, f(x0 + i)});
  return rows;
}

TEST_F(InterpolationTest, PolyValueClampsTheNumberOfTerms) {
  const std::array<double, 11> coef = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  EXPECT_EQ(PolyValueOf(coef, 1, 2), 5);  // at least 2 terms
  EXPECT_EQ(PolyValueOf(coef, 2, 2), 5);
  long double nine = 0;
  for (int k = 0; k < 9; ++k) nine += (k + 1) * std::pow(2.0L, k);
  EXPECT_EQ(PolyValueOf(coef, 9, 2), nine);  // LinJ and LinK take no part
  EXPECT_EQ(PolyValueOf(coef, 12, 2), nine);
}

TEST_F(InterpolationTest, TableValueInterpolatesAndGivesEndValuesOutside) {
  const auto square = [](double x) { return x * x; };
  struct Case {
    const char* what;
    std::vector<TTablePoint> rows;
    std::vector<std::pair<double, double>> xy;  // x and the expected value
  };
  const Case cases[] = {
      {"five rows: linear only", Rows(5, 0, square), {{2.5, 6.5}, {0.5, 0.5}, {4, 16}}},
      {"eleven rows: parabola", Rows(11, 10, square), {{12.5, 156.25}, {19.5, 380.25}, {10.5, 110.25}}},
      {"sharp bend: line", Rows(13, 0, [](double x) { return x <= 6 ? x : 6 + 10 * (x - 6); }), {{6.5, 11}}},
      {"ascending", {{0, 1}, {10, 2}, {20, 4}}, {{-5, 1}, {25, 4}}},
      {"descending", {{20, 1}, {10, 2}, {0, 4}}, {{25, 1}, {-5, 4}, {15, 1.5}}},
      {"one point", {{5, 7}}, {{3, 7}}},
      {"empty", {}, {{3, 0}}},
  };
  for (const Case& c : cases) {
    SetTable(c.rows);
    for (const auto& [x, y] : c.xy)
      EXPECT_NEAR(static_cast<double>(TableValue(table(), x)), y, 1e-9) << c.what << " at " << x;
  }
  SetTable({{0, 0}, {1, 1}});
  EXPECT_TRUE(std::isnan(TableValue(table(), std::nanl(""))));
  table()[0].x = 1e9;  // a corrupt count reads at most 3000 rows
  EXPECT_EQ(table().Count(), kUserTableRows);
}

TEST_F(InterpolationTest, ParabolaThroughThreePointsAndZeroOutsideThem) {
  EXPECT_NEAR(static_cast<double>(Parabola(0, 0, 1, 1, 2, 4, 1.5)), 2.25, 1e-15);
  EXPECT_EQ(Parabola(0, 0, 1, 1, 2, 4, 2.5), 0);
  EXPECT_EQ(Parabola(0, 0, 1, 1, 2, 4, -0.5), 0);
  EXPECT_NEAR(static_cast<double>(Parabola(0, 0, 1, 1, 2, 4, 2.0000001)), 4.0, 1e-5);  // within the margin
  EXPECT_TRUE(std::isnan(Parabola(0, 0, 0, 1, 2, 4, 1)));
}

TEST_F(InterpolationTest, TableInverseFindsTheValueOfASignal) {
  SetTable({{5, 7}});
  EXPECT_EQ(TableInverse(table(), 1, 3), 5);
  SetTable({{0, 100}, {50, 119.4}, {100, 138.5}});
  EXPECT_NEAR(static_cast<double>(TableInverse(table(), 2, 109.7)), 25.0, 1e-9);
  EXPECT_NEAR(static_cast<double>(TableInverse(table(), 3, 129.0)), 75.13089005, 1e-6);
  // y = sqrt(x + 1): the inverse x = y^2 - 1 is a parabola, reproduced exactly.
  SetTable(Rows(21, 0, [](double x) { return std::sqrt(x + 1); }));
  EXPECT_NEAR(static_cast<double>(TableInverse(table(), 8, 2.8)), 2.8 * 2.8 - 1, 1e-12);
  EXPECT_NEAR(static_cast<double>(TableInverse(table(), 21, 4.55)), 4.55 * 4.55 - 1, 1e-12);
}

TEST_F(InterpolationTest, TableInverseOverEqualSignalsStaysFinite) {
  SetTable(Rows(13, 0, [](double x) { return x < 6 ? x : x == 6 ? 5.0 : x - 1.0; }));
  for (int j = 2; j <= 12; ++j)
    for (double s : {4.5, 5.0, 5.5}) EXPECT_TRUE(std::isfinite(TableInverse(table(), j, s))) << j << " " << s;
  EXPECT_EQ(TableInverse(table(), 7, 5.0), 6);
}

}  // namespace
}  // namespace vorta::sensors
