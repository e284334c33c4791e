// The two uses of a power-series conversion: the check of the dialog and the table that the
// transmitter's characteristic and the forward model are computed from.
#pragma once

#include "app/param_set.h"
#include "app/result.h"
#include "sensors/sensor_range.h"
#include "sensors/user_table.h"

namespace vorta::sensors {

// Evaluates the series LinCoef of p at 801 signals from LinJ to LinK: every value must be
// computable, the values must rise (or fall) strictly in the direction of the ends, and values and
// signals must lie within the limits of input type limitTyp (CharTyp for the dialog's check).
// Fails with the key of the failed rule: "Power series calculation error", "is not monotonic"
// (with "Transfer function" in front when shown) or "Value out of range".
TResult PowerSeriesCheck(const app::TParamSet& p, int limitTyp, const TSensorRangeTable& ranges);

// The same walk for the input type Typ of p, filling table with (value, signal) rows; the row count
// grows with every accepted point, so a failed walk leaves a partial table behind.
TResult PowerSeriesToTable(const app::TParamSet& p, const TSensorRangeTable& ranges, TUserTable& table);

// PowerSeriesToTable into a copy; on success the table, row 15 of the ranges and TableLoaded of p
// are installed together. On failure nothing changes but TableLoaded, which is cleared.
TResult InstallPowerSeriesTable(app::TParamSet& p, TUserTable& table, TSensorRangeTable& ranges);

}  // namespace vorta::sensors
