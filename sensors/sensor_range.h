// Absolute limits of every input type, in tenths of the unit. Rows 15 (the user characteristic),
// 17 and 18 (the model's current and voltage inputs) change at run time.
#pragma once

#include <array>
#include <cstdint>

namespace vorta::sensors {

struct TRangeRow {
  std::int32_t lo = 0;
  std::int32_t hi = 0;
};

// Indexed by Typ 1..20; row 0 is unused and stays 0, 0.
using TSensorRangeTable = std::array<TRangeRow, 21>;

// The one table of the process.
TSensorRangeTable& SensorRangeTable();
// Puts every row back to its start value (row 15 0, 0; rows 17 and 18 the model 37 ranges).
void ResetSensorRangeTable();
// Limits of a type as values (tenths x 0.1); 0, 0 for a type outside 1..20.
double SensorLo(int typ);
double SensorHi(int typ);

}  // namespace vorta::sensors
