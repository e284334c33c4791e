// The sensors' process-wide single instances.
#include "sensors/ui/sensor_state.h"

#include "app/ui/app_state.h"

namespace vorta::sensors {

TUserTable& UserTable() {
  static TUserTable table;
  return table;
}

TSensorRangeTable& SensorRangeTable() {
  static TSensorRangeTable table;
  return table;
}

TSensorData SensorData() {
  return {app::Param(), UserTable(), SensorRangeTable()};
}

}  // namespace vorta::sensors
