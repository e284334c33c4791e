// The two uses of a power-series conversion: the check of the dialog and the table that the
// transmitter's characteristic and the forward model are computed from.
#pragma once

#include <string>

namespace vorta::sensors {

// Evaluates the series at 801 signals from LinJ to LinK: every value must be computable, the
// values must rise (or fall) strictly in the direction of the ends, and values and signals must lie
// within the limits of CharTyp. False with the message of the failed rule
// (language text).
bool PowerSeriesCheck(std::string& message);

// The same walk for the input type Typ, filling UserTable with (value, signal) rows; the row count
// grows with every accepted point. Clears TableLoaded first, since the table is overwritten; the
// caller installs a complete table (801 rows).
bool PowerSeriesToTable(std::string& message);

// PowerSeriesToTable, then row 15 from the table and TableLoaded set. False with the message.
bool InstallPowerSeriesTable(std::string& message);

}  // namespace vorta::sensors
