// Parameter files (*.par): one transmitter configuration as a 43-line listing of key=value lines.
// Writing always produces the whole listing; reading looks values up by key and ignores the rest.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/param_set.h"
#include "app/result.h"
#include "docs/line_buffer.h"
#include "sensors/sensor_range.h"

namespace vorta::docs {

inline constexpr int kParFileLines = 43;
// A valid parameter file is about a kilobyte; larger files are refused unread.
inline constexpr std::size_t kMaxParFileBytes = 1024 * 1024;

// The decimal separator of the user's locale.
char LocaleDecimalSeparator();

// Shortest general representation with at most 15 significant digits: fixed notation, or
// mantissa, "E" and signed exponent for magnitudes below 0.00001 or with 15 or more integer digits.
std::string FormatGeneralFloat(double v, char decimalSeparator);

// The 43 lines of the file for p.
void ComposeParFile(const app::TParamSet& p, TLineBuffer& lines, char decimalSeparator);
// Composes and writes the file through a temporary file; false on any failure.
TResult SaveParFile(const std::string& path, const app::TParamSet& p);

// The text after the "=" of the first line whose key matches (any letter case), untrimmed.
std::optional<std::string> FindParText(const TLineBuffer& lines, std::string_view key);
// FindParText followed by StrToNumber.
std::optional<double> FindParNumber(const TLineBuffer& lines, std::string_view key);

// The identification texts; false at the first missing key.
bool ReadParHeader(const TLineBuffer& lines, app::TParamSet& p);
// The codes and values; false at the first missing key, non-number or value that does not fit.
bool ReadParValues(const TLineBuffer& lines, app::TParamSet& p);

// Loads a file into p. Everything is read into copies first: p and the range table's user row and
// model rows change only when the whole file was read; the table stays loaded only when the file
// names the table that is in memory. Normalises the result, and says in replaced, when given, what
// the normalisation replaced. Fails with "Corrupted or wrong data file".
TResult LoadParFile(const std::string& path, app::TParamSet& p, sensors::TSensorRangeTable& ranges,
                    app::TNormalised* replaced = nullptr);

// The folder of a file just opened or saved, or empty when it is longer than 60 characters.
std::string DataDirOf(const std::string& path);

// The file name without its folder.
std::string BareFileName(std::string_view path);

}  // namespace vorta::docs
