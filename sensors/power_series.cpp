// Power-series check and conversion into a table.
#include "sensors/power_series.h"

#include <cmath>
#include <functional>
#include <memory>

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
TResult Walk(const app::TParamSet& p, int limitTyp, const TSensorRangeTable& ranges,
             const std::function<void(int, long double, long double)>& accept) {
  const long double lj = p.LinCoef[9], lk = p.LinCoef[10];
  const bool rising = PolyValueOf(p.LinCoef, 9, lk) - PolyValueOf(p.LinCoef, 9, lj) > 0;
  long double last = 0;
  for (int i = 0; i < kPoints; ++i) {
    const long double s = lj + i * (lk - lj) / (kPoints - 1);
    const long double y = PolyValueOf(p.LinCoef, 9, s);
    if (!std::isfinite(s) || !std::isfinite(y)) return TResult::Fail("Power series calculation error");
    if (i > 0 && (rising ? !(y > last) : !(y < last))) return TResult::Fail("is not monotonic");
    const bool inRange = limitTyp == 15
                             ? Within(y, -273, 9999) && Within(s, -5, 75)
                             : Within(y, -999, 9999) && Within(s, ranges.Lo(limitTyp), ranges.Hi(limitTyp));
    if (!inRange) return TResult::Fail("Value out of range");
    accept(i, y, s);
    last = y;
  }
  return TResult::Ok();
}

}  // namespace

TResult PowerSeriesCheck(const app::TParamSet& p, int limitTyp, const TSensorRangeTable& ranges) {
  return Walk(p, limitTyp, ranges, [](int, long double, long double) {});
}

TResult PowerSeriesToTable(const app::TParamSet& p, const TSensorRangeTable& ranges, TUserTable& t) {
  t.SetCount(0);
  return Walk(p, p.Code.Typ, ranges, [&t](int i, long double y, long double s) {
    t[i + 1] = {static_cast<double>(y), static_cast<double>(s)};
    t.SetCount(i + 1);
  });
}

TResult InstallPowerSeriesTable(app::TParamSet& p, TUserTable& table, TSensorRangeTable& ranges) {
  p.TableLoaded = false;
  auto series = std::make_unique<TUserTable>();
  if (TResult r = PowerSeriesToTable(p, ranges, *series); !r) return r;
  table = *series;
  SetTableLimits(table, ranges);
  p.TableLoaded = true;
  return TResult::Ok();
}

}  // namespace vorta::sensors
