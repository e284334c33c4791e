// The singular value decomposition, the least-squares fit and the cold-junction quadratic.
#include "sensors/svd_fit.h"

#include <cmath>
#include <random>

#include "sensors/cold_junction.h"
#include "sensors/sensor_signal.h"
#include "test_support.h"

namespace vorta::sensors {
namespace {

using SvdFitTest = testing::SensorTest;

TEST_F(SvdFitTest, DecompositionReconstructsTheMatrixWithOrthonormalFactors) {
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> dist(-5, 5);
  for (int rows : {3, 4, 17, 100}) {
    for (int cols = 1; cols <= 3; ++cols) {
      TSvd s;
      s.rows = rows;
      s.cols = cols;
      std::vector<std::array<long double, 3>> a(rows);
      for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) s.u[i][j] = a[i][j] = dist(gen);
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

TEST_F(SvdFitTest, FitReproducesAnExactQuadraticAndAveragesARankDeficientOne) {
  std::vector<long double> x, y;
  for (int t = -10; t <= 60; ++t) {
    x.push_back(t);
    y.push_back(0.5L - 0.04L * t + 0.003L * t * t);
  }
  TFit fit;
  ASSERT_TRUE(SvdFit(x, y, 3, fit).ok);
  EXPECT_NEAR(static_cast<double>(fit.a[0]), 0.5, 1e-15);
  EXPECT_NEAR(static_cast<double>(fit.a[1]), -0.04, 1e-16);
  EXPECT_NEAR(static_cast<double>(fit.a[2]), 0.003, 1e-17);
  EXPECT_LT(fit.residual, 1e-28L);
  // All x equal: the vanishing singular values are dropped and the fit gives the mean at x.
  ASSERT_TRUE(SvdFit({2, 2, 2, 2}, {1, 2, 3, 4}, 3, fit).ok);
  EXPECT_NEAR(static_cast<double>(fit.a[0] + 2 * fit.a[1] + 4 * fit.a[2]), 2.5, 1e-12);
  EXPECT_NEAR(static_cast<double>(fit.residual), 5.0, 1e-12);
}

TEST_F(SvdFitTest, FailedFitNamesTheReasonAndKeepsTheOutput) {
  struct Case {
    std::vector<long double> x, y;
    std::string key;
  };
  for (const Case& c : {Case{{1, 2}, {1, 2}, "Not enough rows!"},
                        Case{{1, std::nanl(""), 3, 4}, {1, 2, 3, 4}, "No convergence!"}}) {
    TFit fit;
    fit.a = {7, 8, 9};
    const TResult r = SvdFit(c.x, c.y, 3, fit);
    EXPECT_FALSE(r.ok) << c.key;
    EXPECT_EQ(r.key, c.key);
    EXPECT_EQ(fit.a, (std::array<long double, 3>{7, 8, 9})) << c.key;
  }
}

TEST_F(SvdFitTest, ColdJunctionFitIsTheLeastSquaresQuadraticFromZeroOrMinusTenTo60) {
  TCjTerms terms{};
  for (int typ = 6; typ <= 14; ++typ) {
    ASSERT_TRUE(CjFit(d(), typ, terms).ok) << typ;
    // The residuals of the least-squares fit are orthogonal to 1, t and t^2 over its points.
    long double dot[3] = {}, scale[3] = {};
    for (int t = ranges().Lo(typ) >= -10 ? 0 : -10; t <= 60; ++t) {
      const long double y = SensorSignalL(d(), typ, t), r = y - (terms[0] + t * terms[1] + t * t * terms[2]);
      for (int k = 0; k < 3; ++k) {
        dot[k] += r * std::pow(t, k);
        scale[k] += std::fabs(y * std::pow(t, k));
      }
    }
    for (int k = 0; k < 3; ++k) EXPECT_LT(std::fabs(dot[k]), 1e-13 * scale[k]) << typ << " term " << k;
    EXPECT_NEAR(static_cast<double>(terms[0] + 25 * terms[1] + 625 * terms[2]), SensorSignal(d(), typ, 25),
                0.005)
        << typ;
  }
  ASSERT_TRUE(CjFit(d(), 1, terms).ok);  // no thermocouple: the identity
  EXPECT_EQ(terms, (TCjTerms{0, 1, 0}));
  std::vector<TTablePoint> rows;  // the user thermocouple follows its table
  for (int t = -20; t <= 80; t += 5) rows.push_back({double(t), 0.04 * t});
  SetTable(rows);
  ranges()[15] = {-200, 800};
  ASSERT_TRUE(CjFit(d(), 15, terms).ok);
  EXPECT_NEAR(static_cast<double>(terms[1]), 0.04, 1e-15);
}

}  // namespace
}  // namespace vorta::sensors
