// Conversion between doubles and the transmitter's 4-byte float format.
#include "sim/sim_float.h"

#include <cmath>

namespace vorta::sim {

double FloatFromBytes(const TFloatBytes& b) {
  if (b[0] == 0 && b[1] == 0 && b[2] == 0 && b[3] == 0) return 0.0;
  const std::uint32_t fraction =
      (static_cast<std::uint32_t>(b[1] & 0x7F) << 16) | (static_cast<std::uint32_t>(b[2]) << 8) | b[3];
  const double mantissa = 1.0 + fraction / 8388608.0;
  const double value = std::ldexp(mantissa, static_cast<int>(b[0]) - 127);
  return (b[1] & 0x80) ? -value : value;
}

namespace {

TFloatBytes Pack(bool negative, int exponent, std::uint32_t fraction) {
  return {static_cast<std::uint8_t>(exponent + 127),
          static_cast<std::uint8_t>((negative ? 0x80 : 0x00) | ((fraction >> 16) & 0x7F)),
          static_cast<std::uint8_t>((fraction >> 8) & 0xFF), static_cast<std::uint8_t>(fraction & 0xFF)};
}

}  // namespace

bool FloatToBytes(double v, TFloatBytes& out) {
  const bool negative = std::signbit(v);
  if (!std::isfinite(v)) {
    out = Pack(negative, 128, 0x7FFFFF);
    return false;
  }
  if (v == 0.0) {
    out = {0, 0, 0, 0};
    return true;
  }
  int e = 0;
  const double m = std::frexp(std::fabs(v), &e);  // m in [0.5, 1)
  int exponent = e - 1;
  auto fraction = static_cast<std::uint32_t>(std::lround((2.0 * m - 1.0) * 8388608.0));
  if (fraction >= 8388608u) {
    fraction = 0;
    ++exponent;
  }
  if (exponent < -127 || (exponent == -127 && fraction == 0)) {
    out = {0, 0, 0, 0};
    return true;
  }
  if (exponent > 128) {
    out = Pack(negative, 128, 0x7FFFFF);
    return false;
  }
  out = Pack(negative, exponent, fraction);
  return true;
}

TFloatBytes FloatBytes(double v) {
  TFloatBytes b{};
  FloatToBytes(v, b);
  return b;
}

}  // namespace vorta::sim
