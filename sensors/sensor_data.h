// The data a sensor's signal model is computed from: the parameter set (sensor code, range and
// conversion coefficients), the user table and the sensor range table. The windows hand in the
// program's own; tests and the command line hand in theirs.
#pragma once

#include "app/param_set.h"
#include "sensors/sensor_range.h"
#include "sensors/user_table.h"

namespace vorta::sensors {

struct TSensorData {
  const app::TParamSet& p;
  const TUserTable& table;
  const TSensorRangeTable& ranges;
};

}  // namespace vorta::sensors
