// DeviceFloat encoding and decoding, and the DAC word to milliamps conversion.
#include "comm/device_float.h"

#include <cmath>

namespace vorta::comm {

double DecodeDeviceFloat(const std::uint8_t* b) {
  const unsigned e = b[0], m2 = b[1], m1 = b[2], m0 = b[3];
  if (e + m2 + m1 + m0 == 0) return 0.0;
  const bool negative = m2 > 127;
  // The sign bit doubles as the leading 1 of a negative value; a positive one gets it added.
  const unsigned hi = negative ? m2 : m2 + 128;
  double mantissa = hi / 128.0 + m1 / 32768.0 + m0 / 8388608.0;
  if (negative) mantissa = -mantissa;
  return std::ldexp(mantissa, static_cast<int>(e) - 127);
}

bool EncodeDeviceFloat(double v, DeviceFloatBytes& out) {
  if (!std::isfinite(v)) return false;
  if (v == 0.0) {
    out = {0, 0, 0, 0};
    return true;
  }
  const bool negative = v < 0;
  double a = std::fabs(v);
  int x = static_cast<int>(std::trunc(std::log(a) / std::log(2.0)));
  a = std::ldexp(a, -x);
  // The logarithm can land one off near powers of two: bring the mantissa into [1, 2) both ways.
  while (a < 1.0) {
    a *= 2.0;
    --x;
  }
  while (a >= 2.0) {
    a /= 2.0;
    ++x;
  }
  if (x + 127 < 0) {
    out = {0, 0, 0, 0};
    return true;
  }
  if (x + 127 > 255) return false;

  unsigned hi = static_cast<unsigned>(std::trunc(a * 128.0));
  a -= hi / 128.0;
  unsigned mid = static_cast<unsigned>(std::trunc(a * 32768.0));
  const double r = (a - mid / 32768.0) * 8388608.0;
  if (r >= 255.5) {
    if (mid < 255) {
      ++mid;
    } else if (hi < 255) {
      ++hi;
      mid = 0;
      a = 0.0;
    }
  }
  double low = std::trunc((a - mid / 32768.0) * 8388608.0);
  if (low < 0) low = 0;
  if (low > 255) low = 255;
  out[0] = static_cast<std::uint8_t>(x + 127);
  out[1] = static_cast<std::uint8_t>(negative ? hi : hi - 128);
  out[2] = static_cast<std::uint8_t>(mid);
  out[3] = static_cast<std::uint8_t>(low);
  return true;
}

double DacToMilliamps(std::uint16_t w, const DacSettings& dac) {
  double current = 0.0;
  if (w <= 65535 - dac.headroom && w >= dac.offset) current = (w - dac.offset) * 18.0 / dac.fullScale;
  if (current < 0.0) current = 0.0;
  if (current > 25.0) current = 25.0;
  return current;
}

}  // namespace vorta::comm
