// The sensor range table with its start values, the minimum spans and the model input ranges.
#include "sensors/sensor_range.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/model_table.h"
#include "app/rounding.h"

namespace vorta::sensors {
namespace {

constexpr std::array<double, 21> kMinSpans = {
    0.0,                                               // unused
    12.0, 12.0, 12.0, 12.0, 12.0,                      // resistance thermometers, resistance (Ohm)
    1.5,  1.5,  1.5,  1.5,  1.5,  1.5, 1.5, 1.5, 1.5,  // thermocouples B .. T (mV)
    1.5,                                               // user thermocouple (mV)
    4.0,  1.0,  0.5,                                   // millivolt, current (mA), voltage (V)
    0.0,  0.0,                                         // current without dialog, nothing selected
};

}  // namespace

std::array<TRangeRow, 21> TSensorRangeTable::StartRows() {
  return {{
      {0, 0},  // unused
      {-1000, 8500},
      {-1000, 8500},
      {-600, 1800},  // Pt100 (0.00385), Pt100 (0.00392), Ni100
      {-500, 1800},
      {0, 4000},
      {0, 18200},  // Cu100, resistance, B
      {0, 23000},
      {-1000, 10000},
      {-1000, 12000},  // C, E, J
      {-1500, 13700},
      {-1000, 13000},
      {0, 17000},  // K, N, R
      {0, 17000},
      {-1000, 4000},
      {0, 0},  // S, T, user characteristic
      {-100, 1500},
      FirstGroupCurrent(),
      FirstGroupVoltage(),  // millivolt, current, voltage
      {0, 0},
      {0, 0},  // current (no dialog), nothing selected
  }};
}

double TSensorRangeTable::Lo(int typ) const {
  return typ >= 1 && typ <= 20 ? rows[static_cast<std::size_t>(typ)].lo * 0.1 : 0.0;
}

double TSensorRangeTable::Hi(int typ) const {
  return typ >= 1 && typ <= 20 ? rows[static_cast<std::size_t>(typ)].hi * 0.1 : 0.0;
}

bool TSensorRangeTable::SetModelRanges(int model) {
  const app::TModelRow* row = app::ModelRowOf(model);
  if (row == nullptr || !row->ownInputRanges) return false;
  rows[17] = row->current;
  rows[18] = row->voltage;
  return true;
}

void TSensorRangeTable::SetUserRangeRounded(double a, double b) {
  const std::int32_t ta = TenthsRounded(a), tb = TenthsRounded(b);
  rows[kUserRangeRow] = {std::min(ta, tb), std::max(ta, tb)};
}

TRangeRow FirstGroupCurrent() {
  return app::ModelRowOf(37)->current;
}

TRangeRow FirstGroupVoltage() {
  return app::ModelRowOf(37)->voltage;
}

double MinSpan(int typ) {
  return typ >= 1 && typ <= 20 ? kMinSpans[static_cast<std::size_t>(typ)] : 0.0;
}

std::int32_t TenthsRounded(double v) {
  return app::RoundHalfEven32(10.0 * v);
}

}  // namespace vorta::sensors
