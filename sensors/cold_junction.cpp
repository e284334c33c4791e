// Least-squares fit of the cold-junction quadratic.
#include "sensors/cold_junction.h"

#include <vector>

#include "sensors/sensor_range.h"
#include "sensors/sensor_signal.h"
#include "sensors/svd_fit.h"

namespace vorta::sensors {

bool CjFit(int typ, TCjTerms& terms) {
  if (!IsThermocouple(typ)) {
    terms = {0, 1, 0};
    return true;
  }
  const int t0 = 0.1 * SensorRangeTable()[static_cast<std::size_t>(typ)].lo >= -10 ? 0 : -10;
  std::vector<long double> x, y;
  for (int t = t0; t <= 60; ++t) {
    x.push_back(t);
    y.push_back(SensorSignalL(typ, t));
  }
  TFit fit;
  if (!SvdFit(x, y, 3, fit)) return false;
  terms = fit.a;
  return true;
}

}  // namespace vorta::sensors
