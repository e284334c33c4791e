// Evaluation of the user power series and interpolation in tables, forward and inverse. All
// arithmetic is in extended precision.
#pragma once

#include <array>

#include "sensors/user_table.h"

namespace vorta::sensors {

// c0 + c1 x + ... + c(n-1) x^(n-1) with ck = coef[k]; n is clamped to 2..9. The powers are formed
// by repeated multiplication of a running power.
long double PolyValueOf(const std::array<double, 11>& coef, int n, long double x);

// The value at x of the parabola through three points; 0 when x lies outside the interval of
// x1 and x3 (widened by a millionth of the largest |xi|), NaN when two of the xi are equal.
long double Parabola(long double x1, long double y1, long double x2, long double y2, long double x3,
                     long double y3, long double x);

// The signal y of the table at x: linear interpolation, or a parabola through three rows where the
// slopes are alike and the table has more than 10 rows. Outside the table the end value; NaN for a
// NaN x; 0 for an empty table, y1 for a table of one point.
long double TableValue(const TUserTable& t, long double x);

// The x at which the table has the signal s (y taken as the abscissa), searching at row j (the
// first row whose y is not below s). Rows with equal signals give the x of the later row.
long double TableInverse(const TUserTable& t, int j, long double s);

}  // namespace vorta::sensors
