// The table characteristic file (*.dat): lines of two numbers, the value in engineering units and
// the sensor signal, with comment lines. Reading, checking, installing into UserTable and the
// loader the main window uses for the table named in the parameter set.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/param_set.h"
#include "sensors/sensor_range.h"
#include "sensors/user_table.h"

namespace vorta::sensors {

inline constexpr int kTableFileMaxLines = 3000;             // lines beyond are not read
inline constexpr std::size_t kTableFileMaxBytes = 1 << 20;  // more for 3000 lines is no table file

struct TTableParse {
  std::string reason;  // English language key of the failed rule; empty when no rule names it
  int line = -1;       // index from 0 of the line the parse stopped at; -1 when no line is at fault
};

// The first 3000 lines of the file (a line ends at CR LF, LF or CR). False when the file cannot be
// read or its first 3000 lines hold more than 1 MiB.
bool ReadTableLines(const std::string& path, std::vector<std::string>& lines);

// Parses the lines into table for the input type charTyp (its limits from ranges): row by row, the
// count set after every accepted point; row 0's y is left at the index of the last line parsed.
// True when at least 2 points were read without error. The caller clears TableLoaded, since the
// table is overwritten.
bool ParseTableFile(const std::vector<std::string>& lines, int charTyp, const TSensorRangeTable& ranges,
                    TUserTable& table, TTableParse& result);

// ReadTableLines and ParseTableFile.
bool LoadTableFile(const std::string& path, int charTyp, const TSensorRangeTable& ranges, TUserTable& table,
                   TTableParse& result);

// The absolute signal difference of the last and the first point reaches MinSpan(charTyp).
bool TableSpanSufficient(const TUserTable& table, int charTyp);

// Row 15 of ranges from the first and the last x of table: each moved away from zero by
// 0.000001, multiplied by 10 and truncated toward zero; the smaller is the lower limit.
void SetTableLimits(const TUserTable& table, TSensorRangeTable& ranges);

enum class TTableLoad {
  kLoaded,          // installed, TableLoaded set
  kCannotRead,      // no such file, unreadable or far too large
  kCorrupted,       // a rule of the format failed (reason and line in the parse result)
  kSpanTooSmall,    // "Input range too small!"
  kRangeNotCovered  // installed, but the table does not cover MinInput .. MaxInput
};

// The main window's completion of a table characteristic: CharTyp becomes Typ, TableLoaded is
// cleared, the file is loaded into table, its signal span checked, row 15 of ranges set, and
// TableLoaded set when row 15 covers the input range of p within 0.000001.
TTableLoad LoadTableForParams(const std::string& path, app::TParamSet& p, TUserTable& table,
                              TSensorRangeTable& ranges, TTableParse& result);

// The file name without its folder ("/" or "\" separated).
std::string BareFileName(std::string_view path);

}  // namespace vorta::sensors
