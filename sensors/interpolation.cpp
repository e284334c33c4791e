// Power series, parabola and table interpolation.
#include "sensors/interpolation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vorta::sensors {
namespace {

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

// Two slopes differ too much for a parabola when one is more than three times the other.
bool SlopesDiffer(long double s1, long double s2) {
  if (!std::isfinite(s1) || !std::isfinite(s2)) return true;
  return 3 * s2 < s1 || 3 * s1 < s2;
}

long double Slope(long double dy, long double dx) {
  return dx == 0 ? std::numeric_limits<long double>::infinity() : std::fabs(dy / dx);
}

// Straight line through (xa, ya) and (xb, yb) at x; yb when the two x are equal.
long double Line(long double xa, long double ya, long double xb, long double yb, long double x) {
  if (xb == xa) return yb;
  return ya + (x - xa) * (yb - ya) / (xb - xa);
}

// The first row i in 1..n with x <= xi (ascending) or x >= xi (descending); x lies within the table.
int FindRow(const TUserTable& t, int n, bool ascending, long double x) {
  const auto first = t.rows.begin() + 1, last = t.rows.begin() + n + 1;
  const auto it = ascending
                      ? std::partition_point(first, last, [x](const TTablePoint& p) { return p.x < x; })
                      : std::partition_point(first, last, [x](const TTablePoint& p) { return p.x > x; });
  return std::min(static_cast<int>(it - t.rows.begin()), n);
}

}  // namespace

long double PolyValueOf(const std::array<double, 11>& coef, int n, long double x) {
  n = std::clamp(n, 2, 9);
  long double sum = coef[0], power = 1;
  for (int k = 1; k < n; ++k) {
    power *= x;
    sum += coef[static_cast<std::size_t>(k)] * power;
  }
  return sum;
}

long double Parabola(long double x1, long double y1, long double x2, long double y2, long double x3,
                     long double y3, long double x) {
  const long double m = 0.000001L * std::max({std::fabs(x1), std::fabs(x2), std::fabs(x3)});
  if (x < std::min(x1, x3) - m || x > std::max(x1, x3) + m) return 0;
  const long double d = x3 * x3 * (x2 - x1) + x2 * x2 * (x1 - x3) + x1 * x1 * (x3 - x2);
  if (d == 0) return kNaN;
  const long double a = ((x2 - x1) * y3 + (x1 - x3) * y2 + (x3 - x2) * y1) / d;
  const long double b = (x3 * x3 * (y2 - y1) + x2 * x2 * (y1 - y3) + x1 * x1 * (y3 - y2)) / d;
  const long double c = y2 - a * x2 * x2 - b * x2;
  return a * x * x + b * x + c;
}

long double TableValue(const TUserTable& t, long double x) {
  const int n = t.Count();
  if (n == 0) return 0;
  if (n == 1) return t[1].y;
  if (std::isnan(x)) return kNaN;
  const bool ascending = t[1].x < t[n].x;
  if (ascending ? x < t[1].x : x > t[1].x) return t[1].y;
  if (ascending ? x > t[n].x : x < t[n].x) return t[n].y;
  const int i = std::max(FindRow(t, n, ascending, x), 2);
  const auto linear = [&] { return Line(t[i - 1].x, t[i - 1].y, t[i].x, t[i].y, x); };
  if (n <= 10) return linear();
  const int k = i == n ? i - 1 : i;
  const long double s1 = Slope(t[k].y - t[k - 1].y, t[k].x - t[k - 1].x);
  const long double s2 = Slope(t[k + 1].y - t[k].y, t[k + 1].x - t[k].x);
  if (SlopesDiffer(s1, s2)) return linear();
  return Parabola(t[k - 1].x, t[k - 1].y, t[k].x, t[k].y, t[k + 1].x, t[k + 1].y, x);
}

long double TableInverse(const TUserTable& t, int j, long double s) {
  const int n = t.Count();
  if (n < 2) return n == 1 ? t[1].x : 0;
  j = std::max(j, 2);
  const bool top = j > n - 1;
  if (top) j = n - 1;
  const auto linear = [&] {
    return top ? Line(t[j].y, t[j].x, t[j + 1].y, t[j + 1].x, s)
               : Line(t[j - 1].y, t[j - 1].x, t[j].y, t[j].x, s);
  };
  if (n <= 10) return linear();
  const long double s1 = Slope(t[j].x - t[j - 1].x, t[j].y - t[j - 1].y);
  const long double s2 = Slope(t[j + 1].x - t[j].x, t[j + 1].y - t[j].y);
  if (SlopesDiffer(s1, s2)) return linear();
  return Parabola(t[j - 1].y, t[j - 1].x, t[j].y, t[j].x, t[j + 1].y, t[j + 1].x, s);
}

}  // namespace vorta::sensors
