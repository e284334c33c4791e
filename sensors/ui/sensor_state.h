// The sensors' process-wide single instances, reached only by windows and main: the user table
// and the sensor range table, and the sensor data view over them and the parameter set.
#pragma once

#include "sensors/sensor_data.h"
#include "sensors/sensor_range.h"
#include "sensors/user_table.h"

namespace vorta::sensors {

TUserTable& UserTable();
TSensorRangeTable& SensorRangeTable();
// The program's parameter set with its user table and range table.
TSensorData SensorData();

}  // namespace vorta::sensors
