// The start values of the sensor range table.
#include "sensors/sensor_range.h"

namespace vorta::sensors {
namespace {

constexpr TSensorRangeTable kStartRanges = {{
    {0, 0},                                          // unused
    {-1000, 8500}, {-1000, 8500}, {-600, 1800},      // Pt100 (0.00385), Pt100 (0.00392), Ni100
    {-500, 1800},  {0, 4000},     {0, 18200},        // Cu100, resistance, B
    {0, 23000},    {-1000, 10000}, {-1000, 12000},   // C, E, J
    {-1500, 13700}, {-1000, 13000}, {0, 17000},      // K, N, R
    {0, 17000},    {-1000, 4000}, {0, 0},            // S, T, user characteristic
    {-100, 1500},  {-220, 220},   {-110, 110},       // millivolt, current, voltage
    {0, 0},        {0, 0},                           // current (no dialog), nothing selected
}};

}  // namespace

TSensorRangeTable& SensorRangeTable() {
  static TSensorRangeTable table = kStartRanges;
  return table;
}

void ResetSensorRangeTable() { SensorRangeTable() = kStartRanges; }

double SensorLo(int typ) { return typ >= 1 && typ <= 20 ? SensorRangeTable()[typ].lo * 0.1 : 0.0; }
double SensorHi(int typ) { return typ >= 1 && typ <= 20 ? SensorRangeTable()[typ].hi * 0.1 : 0.0; }

}  // namespace vorta::sensors
