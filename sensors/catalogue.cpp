// Units by input type and the fit of a characteristic to an input.
#include "sensors/catalogue.h"

#include <array>
#include <cmath>

#include "sensors/sensor_range.h"
#include "sensors/sensor_signal.h"

namespace vorta::sensors {

int DefaultResultUnit(int charTyp) {
  switch (charTyp) {
    case 5:
      return 5;
    case 16:
      return 2;
    case 17:
    case 19:
      return 4;
    case 18:
      return 1;
    default:
      return 8;
  }
}

std::string_view InputUnitText(int charTyp) {
  switch (charTyp) {
    case 5:
      return "Ohm";
    case 15:
    case 16:
      return "mV";
    case 17:
    case 19:
      return "mA";
    case 18:
      return "V";
    default:
      return "";
  }
}

bool CharFitsInput(const TSensorData& d, int t) {
  if (t < 1 || t > 20) return false;
  const TRangeRow& user = d.ranges[kUserRangeRow];
  const TRangeRow& own = d.ranges[static_cast<std::size_t>(t)];
  const double s1 = SensorSignal(d, t, user.lo * 0.1) * 10, s2 = SensorSignal(d, t, user.hi * 0.1) * 10;
  const double lower = own.lo < 0 ? own.lo * 1.000001 : own.lo * 0.999999;
  const double upper = own.hi < 0 ? own.hi * 0.999999 : own.hi * 1.000001;
  const auto outside = [&](double s) { return lower - 0.00001 >= s || s >= upper + 0.00001; };
  if (outside(s1) || outside(s2)) return false;
  return !(10 * MinSpan(t) * 0.99999 >= std::fabs(s2 - s1));
}

}  // namespace vorta::sensors
