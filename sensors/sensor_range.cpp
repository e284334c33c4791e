// The sensor range table with its start values, the minimum spans and the model input ranges.
#include "sensors/sensor_range.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/param_set.h"

namespace vorta::sensors {
namespace {

constexpr TSensorRangeTable kStartRanges = {{
    {0, 0},                                          // unused
    {-1000, 8500},  {-1000, 8500},  {-600, 1800},    // Pt100 (0.00385), Pt100 (0.00392), Ni100
    {-500, 1800},   {0, 4000},      {0, 18200},      // Cu100, resistance, B
    {0, 23000},     {-1000, 10000}, {-1000, 12000},  // C, E, J
    {-1500, 13700}, {-1000, 13000}, {0, 17000},      // K, N, R
    {0, 17000},     {-1000, 4000},  {0, 0},          // S, T, user characteristic
    {-100, 1500},   {-220, 220},    {-110, 110},     // millivolt, current, voltage
    {0, 0},         {0, 0},                          // current (no dialog), nothing selected
}};

constexpr TMinSpanTable kMinSpans = {
    0.0,                                               // unused
    12.0, 12.0, 12.0, 12.0, 12.0,                      // resistance thermometers, resistance (Ohm)
    1.5,  1.5,  1.5,  1.5,  1.5,  1.5, 1.5, 1.5, 1.5,  // thermocouples B .. T (mV)
    1.5,                                               // user thermocouple (mV)
    4.0,  1.0,  0.5,                                   // millivolt, current (mA), voltage (V)
    0.0,  0.0,                                         // current without dialog, nothing selected
};

constexpr std::array<TModelRange, 6> kModelRanges = {{
    {37, {-220, 220}, {-110, 110}},
    {38, {-220, 220}, {-110, 110}},
    {39, {-220, 220}, {-110, 110}},
    {60, {0, 0}, {-100, 100}},
    {90, {0, 0}, {0, 100}},
    {97, {0, 10000}, {0, 2500}},
}};

}  // namespace

TSensorRangeTable& SensorRangeTable() {
  static TSensorRangeTable table = kStartRanges;
  return table;
}

void ResetSensorRangeTable() {
  SensorRangeTable() = kStartRanges;
}

double SensorLo(int typ) {
  return typ >= 1 && typ <= 20 ? SensorRangeTable()[typ].lo * 0.1 : 0.0;
}
double SensorHi(int typ) {
  return typ >= 1 && typ <= 20 ? SensorRangeTable()[typ].hi * 0.1 : 0.0;
}

const TMinSpanTable& MinSpanTable() {
  return kMinSpans;
}

double MinSpan(int typ) {
  return typ >= 1 && typ <= 20 ? kMinSpans[static_cast<std::size_t>(typ)] : 0.0;
}

const TModelRange* ModelRangeOf(int model) {
  const auto it = std::find_if(kModelRanges.begin(), kModelRanges.end(),
                               [model](const TModelRange& r) { return r.model == model; });
  return it == kModelRanges.end() ? nullptr : &*it;
}

bool SetModelRanges(int model) {
  const TModelRange* row = ModelRangeOf(model);
  if (row == nullptr) return false;
  SensorRangeTable()[17] = row->current;
  SensorRangeTable()[18] = row->voltage;
  return true;
}

const TModelRange& FirstGroupRanges() {
  return kModelRanges[0];
}

std::int32_t TenthsRounded(double v) {
  if (std::isnan(v)) return 0;
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  const double tenths = std::clamp(10.0 * v, kMin, kMax);
  return static_cast<std::int32_t>(std::clamp<long long>(app::RoundHalfEven(tenths), kMin, kMax));
}

void SetUserRangeRounded(double a, double b) {
  const std::int32_t ta = TenthsRounded(a), tb = TenthsRounded(b);
  SensorRangeTable()[15] = {std::min(ta, tb), std::max(ta, tb)};
}

}  // namespace vorta::sensors
