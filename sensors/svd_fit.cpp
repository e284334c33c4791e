// Golub-Reinsch singular value decomposition: Householder reduction to bidiagonal form with the
// transformations accumulated, then implicit-shift QR sweeps on the bidiagonal matrix. Used for
// the cold-junction fit, on matrices of at most 100 x 3.
#include "sensors/svd_fit.h"

#include <algorithm>
#include <cmath>

namespace vorta::sensors {
namespace {

using Vec = std::array<long double, kSvdMaxCols>;

long double Sign(long double a, long double b) {
  return b >= 0 ? std::fabs(a) : -std::fabs(a);
}

// Householder reduction of u to bidiagonal form: diagonal in w, superdiagonal in e (e[0] = 0).
// Returns the norm estimate of the bidiagonal matrix; g is the scaled last right-hand element.
long double Bidiagonalise(TSvd& d, Vec& e, long double& g) {
  const int m = d.rows, n = d.cols;
  auto& a = d.u;
  long double scale = 0, anorm = 0;
  g = 0;
  for (int i = 0; i < n; ++i) {
    const int l = i + 1;
    e[i] = scale * g;
    g = scale = 0;
    for (int k = i; k < m; ++k) scale += std::fabs(a[k][i]);
    if (scale != 0) {
      long double s = 0;
      for (int k = i; k < m; ++k) {
        a[k][i] /= scale;
        s += a[k][i] * a[k][i];
      }
      const long double f = a[i][i];
      g = -Sign(std::sqrt(s), f);
      const long double h = f * g - s;
      a[i][i] = f - g;
      for (int j = l; j < n; ++j) {
        long double t = 0;
        for (int k = i; k < m; ++k) t += a[k][i] * a[k][j];
        const long double fj = t / h;
        for (int k = i; k < m; ++k) a[k][j] += fj * a[k][i];
      }
      for (int k = i; k < m; ++k) a[k][i] *= scale;
    }
    d.w[i] = scale * g;
    g = scale = 0;
    if (l < n) {
      for (int k = l; k < n; ++k) scale += std::fabs(a[i][k]);
      if (scale != 0) {
        long double s = 0;
        for (int k = l; k < n; ++k) {
          a[i][k] /= scale;
          s += a[i][k] * a[i][k];
        }
        const long double f = a[i][l];
        g = -Sign(std::sqrt(s), f);
        const long double h = f * g - s;
        a[i][l] = f - g;
        Vec tmp{};
        for (int k = l; k < n; ++k) tmp[k] = a[i][k] / h;
        for (int j = l; j < m; ++j) {
          long double t = 0;
          for (int k = l; k < n; ++k) t += a[j][k] * a[i][k];
          for (int k = l; k < n; ++k) a[j][k] += t * tmp[k];
        }
        for (int k = l; k < n; ++k) a[i][k] *= scale;
      }
    }
    anorm = std::max(anorm, std::fabs(d.w[i]) + std::fabs(e[i]));
  }
  return anorm;
}

// Builds V from the right-hand Householder vectors left in the rows of u.
void AccumulateRight(TSvd& d, const Vec& e, long double g) {
  const int n = d.cols;
  auto& a = d.u;
  auto& v = d.v;
  int l = n;
  for (int i = n - 1; i >= 0; --i) {
    if (i < n - 1) {
      if (g != 0) {
        for (int j = l; j < n; ++j) v[j][i] = (a[i][j] / a[i][l]) / g;
        for (int j = l; j < n; ++j) {
          long double s = 0;
          for (int k = l; k < n; ++k) s += a[i][k] * v[k][j];
          for (int k = l; k < n; ++k) v[k][j] += s * v[k][i];
        }
      }
      for (int j = l; j < n; ++j) v[i][j] = v[j][i] = 0;
    }
    v[i][i] = 1;
    g = e[i];
    l = i;
  }
}

// Builds U in place from the left-hand Householder vectors left in the columns of u.
void AccumulateLeft(TSvd& d) {
  const int m = d.rows, n = d.cols;
  auto& a = d.u;
  for (int i = n - 1; i >= 0; --i) {
    const int l = i + 1;
    long double g = d.w[i];
    for (int j = l; j < n; ++j) a[i][j] = 0;
    if (g != 0) {
      g = 1 / g;
      for (int j = l; j < n; ++j) {
        long double s = 0;
        for (int k = l; k < m; ++k) s += a[k][i] * a[k][j];
        const long double f = (s / a[i][i]) * g;
        for (int k = i; k < m; ++k) a[k][j] += f * a[k][i];
      }
      for (int j = i; j < m; ++j) a[j][i] *= g;
    } else {
      for (int j = i; j < m; ++j) a[j][i] = 0;
    }
    a[i][i] += 1;
  }
}

// Applies the plane rotation (c, s) to columns p and q of a matrix with the given number of rows.
template <typename M>
void Rotate(M& mat, int rows, int p, int q, long double c, long double s) {
  for (int r = 0; r < rows; ++r) {
    const long double y = mat[r][p], z = mat[r][q];
    mat[r][p] = y * c + z * s;
    mat[r][q] = z * c - y * s;
  }
}

// Zeroes e[l] when w[l - 1] is negligible, by rotations from the left.
void Cancel(TSvd& d, Vec& e, int l, int k, long double anorm) {
  const int nm = l - 1;
  long double c = 0, s = 1;
  for (int i = l; i <= k; ++i) {
    const long double f = s * e[i];
    e[i] = c * e[i];
    if (std::fabs(f) + anorm == anorm) break;
    const long double g = d.w[i];
    const long double h = std::hypot(f, g);
    d.w[i] = h;
    c = g / h;
    s = -f / h;
    Rotate(d.u, d.rows, nm, i, c, s);
  }
}

// One implicit-shift QR sweep over the block l..k of the bidiagonal matrix.
void QrSweep(TSvd& d, Vec& e, int l, int k) {
  auto& w = d.w;
  long double x = w[l], y = w[k - 1], z = w[k], g = e[k - 1], h = e[k];
  long double f = ((y - z) * (y + z) + (g - h) * (g + h)) / (2 * h * y);
  g = std::hypot(f, 1.0L);
  f = ((x - z) * (x + z) + h * ((y / (f + Sign(g, f))) - h)) / x;
  long double c = 1, s = 1;
  for (int j = l; j < k; ++j) {
    const int i = j + 1;
    g = e[i];
    y = w[i];
    h = s * g;
    g = c * g;
    z = std::hypot(f, h);
    e[j] = z;
    c = f / z;
    s = h / z;
    f = x * c + g * s;
    g = g * c - x * s;
    h = y * s;
    y *= c;
    Rotate(d.v, d.cols, j, i, c, s);
    z = std::hypot(f, h);
    w[j] = z;
    if (z != 0) {
      c = f / z;
      s = h / z;
    }
    f = c * g + s * y;
    x = c * y - s * g;
    Rotate(d.u, d.rows, j, i, c, s);
  }
  e[l] = 0;
  e[k] = f;
  w[k] = x;
}

// Diagonalises the bidiagonal matrix; false when a singular value needs more than 30 sweeps.
bool Diagonalise(TSvd& d, Vec& e, long double anorm) {
  for (int k = d.cols - 1; k >= 0; --k) {
    for (int its = 1;; ++its) {
      int l = k;
      bool cancel = true;
      for (; l >= 0; --l) {
        if (std::fabs(e[l]) + anorm == anorm) {  // e[0] is always 0
          cancel = false;
          break;
        }
        if (std::fabs(d.w[l - 1]) + anorm == anorm) break;
      }
      if (cancel) Cancel(d, e, l, k, anorm);
      if (l == k) {
        if (d.w[k] < 0) {
          d.w[k] = -d.w[k];
          for (int j = 0; j < d.cols; ++j) d.v[j][k] = -d.v[j][k];
        }
        break;
      }
      if (its >= 30) return false;
      QrSweep(d, e, l, k);
    }
  }
  return true;
}

bool AllFinite(const TSvd& d) {
  for (int j = 0; j < d.cols; ++j) {
    if (!std::isfinite(d.w[j])) return false;
    for (int k = 0; k < d.cols; ++k)
      if (!std::isfinite(d.v[j][k])) return false;
    for (int i = 0; i < d.rows; ++i)
      if (!std::isfinite(d.u[i][j])) return false;
  }
  return true;
}

// Compensated sum of products (Neumaier): the rounding error of every addition is carried apart.
class TCompensatedSum {
 public:
  void Add(long double p) {
    const long double t = sum_ + p;
    c_ += std::fabs(sum_) >= std::fabs(p) ? (sum_ - t) + p : (p - t) + sum_;
    sum_ = t;
  }
  long double Value() const { return sum_ + c_; }

 private:
  long double sum_ = 0, c_ = 0;
};

}  // namespace

bool SvdDecompose(TSvd& d) {
  if (d.rows < d.cols || d.cols < 1 || d.rows > kSvdMaxRows || d.cols > kSvdMaxCols) return false;
  Vec e{};
  long double g = 0;
  const long double anorm = Bidiagonalise(d, e, g);
  AccumulateRight(d, e, g);
  AccumulateLeft(d);
  return Diagonalise(d, e, anorm) && AllFinite(d);
}

TResult SvdFit(const std::vector<long double>& x, const std::vector<long double>& y, int ma, TFit& fit) {
  ma = std::clamp(ma, 1, kSvdMaxCols);
  const int ndata = static_cast<int>(std::min({x.size(), y.size(), static_cast<std::size_t>(kSvdMaxRows)}));
  if (ndata < ma) return TResult::Fail("Not enough rows!");
  TSvd d;
  d.rows = ndata;
  d.cols = ma;
  for (int i = 0; i < ndata; ++i) {
    long double power = 1;
    for (int j = 0; j < ma; ++j, power *= x[i]) d.u[i][j] = power;
  }
  if (!SvdDecompose(d)) return TResult::Fail("No convergence!");
  const long double wmax = *std::max_element(d.w.begin(), d.w.begin() + ma);
  Vec tmp{};
  for (int j = 0; j < ma; ++j) {
    if (d.w[j] < 1E-19L * wmax || d.w[j] == 0) continue;
    TCompensatedSum s;
    for (int i = 0; i < ndata; ++i) s.Add(d.u[i][j] * y[i]);
    tmp[j] = s.Value() / d.w[j];
  }
  TFit out;
  for (int j = 0; j < ma; ++j) {
    TCompensatedSum s;
    for (int k = 0; k < ma; ++k) s.Add(d.v[j][k] * tmp[k]);
    out.a[j] = s.Value();
  }
  for (int i = 0; i < ndata; ++i) {
    long double model = 0, power = 1;
    for (int j = 0; j < ma; ++j, power *= x[i]) model += out.a[j] * power;
    out.residual += (y[i] - model) * (y[i] - model);
  }
  fit = out;
  return TResult::Ok();
}

}  // namespace vorta::sensors
