// The measurement log's lines: its four header lines and one line per sample ("+1.50", tab,
// "-12.5", tab, "+4.0000"), numbers always with a decimal point.
#pragma once

#include <array>
#include <string>

#include "docs/lang_list.h"

namespace vorta::app {

// Seconds since the start with two decimals, rounded to six significant digits, and a "+".
std::string LogTimeText(double ms);
// The value in general notation with four significant digits, "+" in front when it is 0 or more.
std::string LogValueText(double value);
// The output current with four decimals, right-aligned in six characters, "+" when 0 or more.
std::string LogCurrentText(double mA);
// The three columns of a sample joined by tabs.
std::string LogLine(double ms, double value, double mA);

// The header: the title, the start date and time, an empty line and the column names with the
// unit text of the measurement.
std::array<std::string, 4> LogHeader(const std::string& date, const std::string& time,
                                     const std::string& unit, const docs::TLangList& lang);

}  // namespace vorta::app
