// The rules of the table dialog: the example it shows, what it shows of a loaded table, when the
// result unit can be chosen, and whether an installed table covers the configured input range.
#pragma once

#include <string>
#include <vector>

#include "app/param_set.h"
#include "sensors/sensor_range.h"
#include "sensors/user_table.h"

namespace vorta::sensors {

// The example lines for input type charTyp; exampleWord is the language text of "Example".
std::vector<std::string> TableExampleLines(int charTyp, const std::string& exampleWord);

// What the dialog shows of a table: the signal ends (3 decimals), the result ends (whole or one
// decimal), the number of points and the first and last point.
struct TTableSummary {
  int count = 0;
  std::string inMin, inMax;    // the smaller and larger of the first and last signal
  std::string resMin, resMax;  // the smaller and larger of the first and last result
  TTablePoint first, last;
};
TTableSummary SummariseTable(const TUserTable& table);
// A point as "x; y", x whole or with one decimal, y with 3 decimals.
std::string PointText(const TTablePoint& point);

// The result unit can be chosen, except for a user thermocouple on models 47..49 (degrees C).
bool ResultUnitSelectable(int charTyp, int model);

// The line the dialog selects after a failed parse: one after the second line, else none (-1).
int LineToSelect(int failedLine);

// Row 15 covers MinInput and MaxInput of p within 0.000001.
bool TableCoversRange(const app::TParamSet& p, const TSensorRangeTable& ranges);

}  // namespace vorta::sensors
