// Least-squares fit of the cold-junction quadratic.
#include "sensors/cold_junction.h"

#include <vector>

#include "app/sensor_code.h"
#include "sensors/sensor_signal.h"
#include "sensors/svd_fit.h"

namespace vorta::sensors {

TResult CjFit(const TSensorData& d, int typ, TCjTerms& terms) {
  if (!app::IsThermocouple(typ)) {
    terms = {0, 1, 0};
    return TResult::Ok();
  }
  const int t0 = d.ranges.Lo(typ) >= -10 ? 0 : -10;
  std::vector<long double> x, y;
  for (int t = t0; t <= 60; ++t) {
    x.push_back(t);
    y.push_back(SensorSignalL(d, typ, t));
  }
  TFit fit;
  if (TResult r = SvdFit(x, y, 3, fit); !r) return r;
  terms = fit.a;
  return TResult::Ok();
}

}  // namespace vorta::sensors
