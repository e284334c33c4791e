// Absolute limits of every input type, in tenths of the unit, and the smallest signal span per
// type. Rows 15 (the user characteristic), 17 and 18 (the model's current and voltage inputs) of
// the range table change at run time; the model ranges of those two inputs come from the model
// table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vorta::sensors {

struct TRangeRow {
  std::int32_t lo = 0;
  std::int32_t hi = 0;
  bool operator==(const TRangeRow&) const = default;
};

inline constexpr int kUserRangeRow = 15;

// Indexed by Typ 1..20; row 0 is unused and stays 0, 0.
struct TSensorRangeTable {
  std::array<TRangeRow, 21> rows = StartRows();

  TRangeRow& operator[](std::size_t typ) { return rows[typ]; }
  const TRangeRow& operator[](std::size_t typ) const { return rows[typ]; }
  bool operator==(const TSensorRangeTable&) const = default;

  // Limits of a type as values (tenths x 0.1); 0, 0 for a type outside 1..20.
  double Lo(int typ) const;
  double Hi(int typ) const;
  // Rows 17 and 18 from the model's row; false (rows unchanged) for a model without its own ranges.
  bool SetModelRanges(int model);
  // Row 15 from two values in the unit of the characteristic's result: the smaller and the larger
  // of round(10 x a) and round(10 x b), halves to even, held within 32 bits.
  void SetUserRangeRounded(double a, double b);

  static std::array<TRangeRow, 21> StartRows();
};

// The current (type 17) and voltage (type 18) rows of the first model group (37, 38, 39): the
// start values of rows 17 and 18.
TRangeRow FirstGroupCurrent();
TRangeRow FirstGroupVoltage();

// Smallest signal difference between the ends of the input range, in the signal's unit
// (Ohm, mV, mA or V); 0 outside 1..20.
double MinSpan(int typ);

// 10 x v rounded to the nearest integer (halves to even), clamped to the 32-bit range; 0 for NaN.
std::int32_t TenthsRounded(double v);

}  // namespace vorta::sensors
