// Texts of the main window's displays: the range fields and absolute limits, the result and output
// panels, the sensor text and the burnout reaction label.
#pragma once

#include <string>

#include "app/param_set.h"
#include "comm/measurement.h"
#include "docs/lang_list.h"
#include "sensors/sensor_range.h"

namespace vorta::app {

// Decimals for values of a range: 0 from 1000 up, 1 from 100, 2 from 10, else 3; a range whose
// ends are equal counts as 10.
int RangeDecimals(double lo, double hi);
// value rounded to d + 1 decimals (halves to even), then printed with d decimals.
std::string RoundedText(double value, int decimals);

// The sensor's limits the range fields are checked and formatted against: row 15 when a table is
// loaded or Lin is 3 or more, else the row of Typ; in the unit.
void RangeLimits(const TParamSet& p, const sensors::TSensorRangeTable& ranges, double& lo, double& hi);
// A range field's text for value.
std::string RangeText(const TParamSet& p, const sensors::TSensorRangeTable& ranges, double value);
// The absolute limit labels: "lo .." (at least 3 characters before " ..") and ".. hi".
std::string AbsMinText(const TParamSet& p, const sensors::TSensorRangeTable& ranges);
std::string AbsMaxText(const TParamSet& p, const sensors::TSensorRangeTable& ranges);

// The measured value with the decimals of the configured range, right-aligned in 7 characters.
std::string ValueText(const TParamSet& p, double value);

// The largest magnitude the result panel shows as a number; beyond it, or not a number at all,
// it shows "Out of range!".
inline constexpr double kLargestShownValue = 1e9;

// What the result panel shows for one measurement.
struct TResultFlags {
  bool calMode = false;
  bool eepromError = false;
  bool internalError = false;
  bool brokenSensor = false;
  bool outOfRange = false;
  int unitIndex = 15;
};
// The flags of the latest measurement as the result panel needs them.
TResultFlags ResultFlagsOf(const comm::TMeasurementStatus& s);
struct TResultText {
  std::string text;
  bool fault = false;  // shown in the smaller font, centred
};
TResultText ResultText(const TParamSet& p, double value, bool configRead, const TResultFlags& flags,
                       const docs::TLangList& lang);

// The output current with 2 decimals, right-aligned in 5 characters, and its unit part: " mA  !"
// when the output is independent of the measurement, " mA   " otherwise.
std::string OutputNumber(double current);
std::string OutputUnit(bool independentOutput);

// The sensor description of the sensor group ("Thermocouple K, CJC, linearization").
std::string SensorText(const TParamSet& p, const docs::TLangList& lang);
// The caption of the burnout reaction label.
std::string ReactionLabel(const TParamSet& p, const docs::TLangList& lang);

}  // namespace vorta::app
