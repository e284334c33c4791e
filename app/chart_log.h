// The measurement log of the chart view: four header lines, then one line per stored sample with
// three tab-separated columns (seconds since the chart's start, the result, the output current),
// every line ended by CR LF. The header replaces the file in one piece; each sample line is appended
// to a file that must still exist, opened and closed for that line, so other programs can read the
// log while it grows and a log deleted meanwhile is noticed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/result.h"

namespace vorta::app {

struct TLogHeader {
  std::string date;         // the chart's start date, "dd.mm.yyyy"
  std::string time;         // its start time in the locale's long time format
  std::string timeLabel;    // the language's "Time"
  std::string resultLabel;  // the language's "Result"
  std::string outputLabel;  // the language's "Output"
  std::string unit;         // the unit text of the measurement
};

// Lines 1 to 4: the title, the start date and time, an empty line and the column header.
std::string LogHeaderText(const TLogHeader& h);

// One sample: "+" and the seconds since the start with exactly 2 decimals (at any length, never an
// exponent); the value with 4 significant digits in general notation; the current with 4 decimals
// right-aligned in 6. The value and the current carry "+" when they are 0 or more. sep is the
// decimal separator of all three.
std::string LogLineText(std::int64_t elapsedMs, double value, double current, char sep);

// Writes the header, replacing the file; a failure leaves any previous file as it was.
TResult WriteLogHeader(const std::string& path, const TLogHeader& h);
// Appends text to the log, which must exist; fails with "Cannot open file" and the system's reason
// when it is gone, cannot be written or the disk is full.
TResult AppendLogLine(const std::string& path, std::string_view text);

}  // namespace vorta::app
