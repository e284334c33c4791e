// Least-squares fit of 1, x, x^2 by singular value decomposition (Golub-Reinsch).
#pragma once

#include <array>
#include <vector>

#include "app/result.h"

namespace vorta::sensors {

inline constexpr int kSvdMaxRows = 100;
inline constexpr int kSvdMaxCols = 3;

// A matrix of at most 100 rows and 3 columns decomposed as U W V^T.
struct TSvd {
  int rows = 0;
  int cols = 0;
  std::array<std::array<long double, kSvdMaxCols>, kSvdMaxRows> u{};  // rows x cols, orthonormal columns
  std::array<long double, kSvdMaxCols> w{};                           // singular values, not negative
  std::array<std::array<long double, kSvdMaxCols>, kSvdMaxCols> v{};  // cols x cols, orthogonal
};

// Decomposes the rows x cols matrix held in svd.u (rows >= cols, at most 100 x 3) in place.
// False when an implicit-shift QR sweep does not converge within 30 iterations per singular value
// or the arithmetic leaves the finite numbers; no message.
bool SvdDecompose(TSvd& svd);

struct TFit {
  std::array<long double, kSvdMaxCols> a{};  // coefficients of 1, x, x^2
  long double residual = 0;                  // sum of squared residuals over the points
};

// Least-squares coefficients of the basis 1, x, .. x^(ma-1) (ma clamped to 1..3, the points to the
// first 100). Fewer points than coefficients fail with "Not enough rows!", a decomposition that
// does not converge with "No convergence!"; fit is then unchanged.
TResult SvdFit(const std::vector<long double>& x, const std::vector<long double>& y, int ma, TFit& fit);

}  // namespace vorta::sensors
