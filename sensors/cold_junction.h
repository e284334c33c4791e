// The quadratic that the transmitter uses for the thermocouple signal of its cold junction.
#pragma once

#include <array>

#include "app/result.h"
#include "sensors/sensor_data.h"

namespace vorta::sensors {

using TCjTerms = std::array<long double, 3>;  // c0, c1, c2: signal(t) close to c0 + c1 t + c2 t^2

// Fits the signal of thermocouple type typ (6..15) at every whole degree from t0 to 60 degrees C,
// t0 being 0 or, when the type's lower limit is below -10 degrees C, -10. Any other type gives
// the identity 0, 1, 0. Fails with the fit's key when the fit fails (terms unchanged).
TResult CjFit(const TSensorData& d, int typ, TCjTerms& terms);

}  // namespace vorta::sensors
