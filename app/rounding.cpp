// Range-checked rounding.
#include "app/rounding.h"

#include <cmath>
#include <limits>

namespace vorta::app {
namespace {

// 2^63: the first double that a long long cannot hold.
constexpr double kLongLongEnd = 9223372036854775808.0;

}  // namespace

long long RoundHalfEven(double v) {
  if (std::isnan(v)) return 0;
  if (v >= kLongLongEnd) return std::numeric_limits<long long>::max();
  if (v < -kLongLongEnd) return std::numeric_limits<long long>::min();
  const double lower = std::floor(v);
  if (std::fabs(v - lower - 0.5) < 1e-9) {
    const auto down = static_cast<long long>(lower);
    return down % 2 == 0 ? down : down + 1;
  }
  const double r = std::floor(v + 0.5);
  return r >= kLongLongEnd ? std::numeric_limits<long long>::max() : static_cast<long long>(r);
}

std::int32_t RoundHalfEven32(double v) {
  const long long r = RoundHalfEven(v);
  if (r > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (r < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(r);
}

bool FitsInt32(double v) {
  if (!std::isfinite(v) || std::fabs(v) > 4e9) return false;
  const long long r = RoundHalfEven(v);
  return r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace vorta::app
