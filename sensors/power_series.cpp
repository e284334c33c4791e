// Power-series check and conversion into a table.
#include "sensors/power_series.h"

#include <cmath>
#include <functional>

#include "app/param_set.h"
#include "docs/lang_list.h"
#include "sensors/interpolation.h"
#include "sensors/sensor_range.h"
#include "sensors/table_file.h"
#include "sensors/user_table.h"

namespace vorta::sensors {
namespace {

constexpr int kPoints = 801;

bool Within(long double v, long double lo, long double hi) {
  return v >= lo - 0.000001L && v <= hi + 0.000001L;
}

// The walk shared by the check and the table: limits of type limitTyp (15: the user thermocouple's
// fixed limits); accept is called with every point that passed.
bool Walk(int limitTyp, std::string& message,
          const std::function<void(int, long double, long double)>& accept) {
  const app::TParamSet& p = app::Param();
  const long double lj = p.LinCoef[9], lk = p.LinCoef[10];
  const bool rising = PolyValue(9, lk) - PolyValue(9, lj) > 0;
  long double last = 0;
  for (int i = 0; i < kPoints; ++i) {
    const long double s = lj + i * (lk - lj) / (kPoints - 1);
    message = docs::LT("Power series calculation error");
    const long double y = PolyValue(9, s);
    if (!std::isfinite(s) || !std::isfinite(y)) return false;
    message = docs::LT("Transfer function") + " " + docs::LT("is not monotonic");
    if (i > 0 && (rising ? !(y > last) : !(y < last))) return false;
    message = docs::LT("Value out of range");
    if (limitTyp == 15) {
      if (!Within(y, -273, 9999) || !Within(s, -5, 75)) return false;
    } else if (!Within(y, -999, 9999) || !Within(s, SensorLo(limitTyp), SensorHi(limitTyp))) {
      return false;
    }
    accept(i, y, s);
    last = y;
  }
  message.clear();
  return true;
}

}  // namespace

bool PowerSeriesCheck(std::string& message) {
  return Walk(app::Param().CharTyp, message, [](int, long double, long double) {});
}

bool PowerSeriesToTable(std::string& message) {
  app::Param().TableLoaded = false;
  TUserTable& t = UserTable();
  t.SetCount(0);
  return Walk(app::Param().Code.Typ, message, [&t](int i, long double y, long double s) {
    t[i + 1] = {static_cast<double>(y), static_cast<double>(s)};
    t.SetCount(i + 1);
  });
}

bool InstallPowerSeriesTable(std::string& message) {
  if (!PowerSeriesToTable(message)) return false;
  SetTableLimits();
  app::Param().TableLoaded = true;
  return true;
}

}  // namespace vorta::sensors
