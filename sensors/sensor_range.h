// Absolute limits of every input type, in tenths of the unit, and the smallest signal span per
// type. Rows 15 (the user characteristic), 17 and 18 (the model's current and voltage inputs) of
// the range table change at run time; the model ranges of those two inputs are a table by model.
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

// Smallest signal difference between the ends of the input range, in the signal's unit
// (Ohm, mV, mA or V), indexed by Typ 0..20.
using TMinSpanTable = std::array<double, 21>;
const TMinSpanTable& MinSpanTable();
// MinSpanTable entry of a type; 0 outside 1..20.
double MinSpan(int typ);

// The current (type 17) and voltage (type 18) input ranges of one model, in tenths.
struct TModelRange {
  int model = 0;
  TRangeRow current;
  TRangeRow voltage;
};
// The row of a model code; nullptr for a model without its own current and voltage ranges.
const TModelRange* ModelRangeOf(int model);
// Sets rows 17 and 18 from the model's row; false (rows unchanged) for a model without one.
bool SetModelRanges(int model);
// The model ranges of the first model group (37, 38, 39), the start values of rows 17 and 18.
const TModelRange& FirstGroupRanges();

// Row 15 from two values in the unit of the characteristic's result: the smaller and the larger
// of round(10 x a) and round(10 x b), halves to even, held within 32 bits.
void SetUserRangeRounded(double a, double b);
// 10 x v rounded to the nearest integer (halves to even), clamped to the 32-bit range; 0 for NaN.
std::int32_t TenthsRounded(double v);

}  // namespace vorta::sensors
