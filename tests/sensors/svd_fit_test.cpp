// The singular value decomposition, the least-squares fit and the cold-junction quadratic.
#include "sensors/svd_fit.h"

#include <cmath>
#include <random>

#include "sensors/cold_junction.h"
#include "sensors/sensor_signal.h"
#include "test_support.h"

namespace vorta::sensors {
namespace {

using testing::SensorTest;

// Solves the normal equations (X^T X) a = X^T y of the quadratic fit by Gaussian elimination.
std::array<long double, 3> NormalEquations(const std::vector<long double>& x,
                                           const std::vector<long double>& y) {
  long double m[3][4] = {};
  for (std::size_t i = 0; i < x.size(); ++i) {
    const long double b[3] = {1, x[i], x[i] * x[i]};
    for (int r = 0; r < 3; ++r) {
      for (int c = 0; c < 3; ++c) m[r][c] += b[r] * b[c];
      m[r][3] += b[r] * y[i];
    }
  }
  for (int c = 0; c < 3; ++c)
    for (int r = c + 1; r < 3; ++r) {
      const long double f = m[r][c] / m[c][c];
      for (int k = c; k < 4; ++k) m[r][k] -= f * m[c][k];
    }
  std::array<long double, 3> a{};
  for (int r = 2; r >= 0; --r) {
    long double s = m[r][3];
    for (int k = r + 1; k < 3; ++k) s -= m[r][k] * a[k];
    a[r] = s / m[r][r];
  }
  return a;
}

TEST_F(SensorTest, DecompositionReconstructsTheMatrixWithOrthonormalFactors) {
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> d(-5, 5);
  for (int rows : {3, 4, 17, 100}) {
    for (int cols = 1; cols <= 3; ++cols) {
      TSvd s;
      s.rows = rows;
      s.cols = cols;
      std::vector<std::array<long double, 3>> a(rows);
      for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) s.u[i][j] = a[i][j] = d(gen);
      ASSERT_TRUE(SvdDecompose(s));
      for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) {
          long double v = 0;
          for (int k = 0; k < cols; ++k) v += s.u[i][k] * s.w[k] * s.v[j][k];
          EXPECT_NEAR(static_cast<double>(v), static_cast<double>(a[i][j]), 1e-12);
        }
      for (int j = 0; j < cols; ++j) {
        EXPECT_GE(s.w[j], 0);
        for (int k = 0; k < cols; ++k) {
          long double uu = 0, vv = 0;
          for (int i = 0; i < rows; ++i) uu += s.u[i][j] * s.u[i][k];
          for (int i = 0; i < cols; ++i) vv += s.v[i][j] * s.v[i][k];
          EXPECT_NEAR(static_cast<double>(uu), j == k ? 1.0 : 0.0, 1e-14);
          EXPECT_NEAR(static_cast<double>(vv), j == k ? 1.0 : 0.0, 1e-14);
        }
      }
    }
  }
}

TEST_F(SensorTest, FitReproducesAnExactQuadraticWithNoResidual) {
  std::vector<long double> x, y;
  for (int t = -10; t <= 60; ++t) {
    x.push_back(t);
    y.push_back(0.5L - 0.04L * t + 0.003L * t * t);
  }
  TFit fit;
  ASSERT_TRUE(SvdFit(x, y, 3, fit));
  EXPECT_NEAR(static_cast<double>(fit.a[0]), 0.5, 1e-15);
  EXPECT_NEAR(static_cast<double>(fit.a[1]), -0.04, 1e-16);
  EXPECT_NEAR(static_cast<double>(fit.a[2]), 0.003, 1e-17);
  EXPECT_LT(fit.residual, 1e-28L);
  EXPECT_TRUE(shown.empty());
}

TEST_F(SensorTest, FitWithFewerPointsThanTermsSaysNotEnoughRows) {
  TFit fit;
  fit.a = {7, 8, 9};
  EXPECT_FALSE(SvdFit({1, 2}, {1, 2}, 3, fit));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Not enough rows!");
  EXPECT_EQ(shown[0].kind, app::kIconError);
  EXPECT_EQ(fit.a[0], 7);  // the output keeps its values
}

TEST_F(SensorTest, FitOfPointsThatAreNoNumbersSaysNoConvergence) {
  TFit fit;
  EXPECT_FALSE(SvdFit({1, std::nanl(""), 3, 4}, {1, 2, 3, 4}, 3, fit));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "No convergence!");
}

TEST_F(SensorTest, RankDeficientFitDropsTheVanishingSingularValue) {
  TFit fit;
  ASSERT_TRUE(SvdFit({2, 2, 2, 2}, {1, 2, 3, 4}, 3, fit));
  const long double at2 = fit.a[0] + 2 * fit.a[1] + 4 * fit.a[2];
  EXPECT_NEAR(static_cast<double>(at2), 2.5, 1e-12);  // the mean of the points
  EXPECT_NEAR(static_cast<double>(fit.residual), 5.0, 1e-12);
}

TEST_F(SensorTest, ColdJunctionFitAgreesWithTheDirectLeastSquaresFit) {
  for (int typ = 6; typ <= 14; ++typ) {
    const int t0 = SensorLo(typ) >= -10 ? 0 : -10;
    std::vector<long double> x, y;
    for (int t = t0; t <= 60; ++t) {
      x.push_back(t);
      y.push_back(SensorSignalL(typ, t));
    }
    const auto direct = NormalEquations(x, y);
    TCjTerms terms{};
    ASSERT_TRUE(CjFit(typ, terms)) << typ;
    for (int k = 0; k < 3; ++k)
      EXPECT_NEAR(static_cast<double>(terms[k]), static_cast<double>(direct[k]), 1e-12 * std::pow(60.0, -k))
          << typ;
    EXPECT_NEAR(static_cast<double>(terms[0] + 25 * terms[1] + 625 * terms[2]), SensorSignal(typ, 25), 0.005)
        << typ;
  }
}

TEST_F(SensorTest, ColdJunctionFitOfOtherTypesIsTheIdentity) {
  TCjTerms terms{};
  ASSERT_TRUE(CjFit(1, terms));
  EXPECT_EQ(terms, (TCjTerms{0, 1, 0}));
}

TEST_F(SensorTest, UserThermocoupleFitFollowsItsTable) {
  std::vector<TTablePoint> rows;
  for (int t = -20; t <= 80; t += 5) rows.push_back({double(t), 0.04 * t});
  SetTable(rows);
  SensorRangeTable()[15] = {-200, 800};
  TCjTerms terms{};
  ASSERT_TRUE(CjFit(15, terms));
  EXPECT_NEAR(static_cast<double>(terms[1]), 0.04, 1e-15);
}

}  // namespace
}  // namespace vorta::sensors
