// Reading and checking table characteristic files.
#include "sensors/table_file.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "docs/str_to_number.h"
#include "sensors/sensor_range.h"
#include "sensors/user_table.h"

namespace vorta::sensors {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsCommentOrEmpty(const std::string& line) {
  if (std::all_of(line.begin(), line.end(), IsBlank)) return true;
  return line[0] == '"' || line[0] == '*' || line[0] == '/' || line[0] == ';';
}

// The two columns of a data line; false when the line breaks the column rules or a column is no
// number.
bool SplitDataLine(const std::string& line, double& x, double& y) {
  if (line.size() < 3) return false;
  std::size_t pos = 0;
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  const std::size_t c1 = pos;
  while (pos < line.size() && !IsBlank(line[pos]) && line[pos] != ';') ++pos;
  if (pos == c1 || pos == line.size()) return false;
  const std::string_view col1(line.data() + c1, pos - c1);
  if (line[pos] == ';') ++pos;
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  const std::size_t c2 = pos;
  while (pos < line.size() && !IsBlank(line[pos]) && line[pos] != '/' && line[pos] != ';') ++pos;
  const std::string_view col2(line.data() + c2, pos - c2);
  return docs::StrToNumber(col1, x) && docs::StrToNumber(col2, y);
}

bool Within(double v, double lo, double hi) {
  return v >= lo - 0.000001 && v <= hi + 0.000001;
}

// The rules for point n + 1 after n accepted points; the English key of the broken rule or empty.
const char* PointFault(const TUserTable& t, int n, int charTyp, const TSensorRangeTable& ranges, double x,
                       double y, bool& rising) {
  const bool user = charTyp == 15;
  if (n >= 1) {
    const double dx = x - t[n].x;
    if (user && !(dx > 0)) return "Values should rise";
    if (!user && n == 1) {
      if (dx == 0) return "1st column values should rise or fall";
      rising = dx > 0;
    }
    if (!user && (rising ? !(dx > 0) : !(dx < 0))) return "1st column values should rise or fall";
    if (y < t[n].y) return "Values should rise";
  }
  const bool inRange = user ? Within(x, -273, 9999) && Within(y, -5, 75)
                            : Within(x, -999, 9999) && Within(y, ranges.Lo(charTyp), ranges.Hi(charTyp));
  return inRange ? nullptr : "Value out of range";
}

std::int32_t TruncatedTenths(double v) {
  const double moved = (v + std::copysign(0.000001, v)) * 10.0;
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  if (std::isnan(moved)) return 0;
  return static_cast<std::int32_t>(std::trunc(std::clamp(moved, kMin, kMax)));
}

bool Fail(TTableParse& result, int line, const char* reason) {
  result.line = line;
  result.reason = reason;
  return false;
}

}  // namespace

bool ReadTableLines(const std::string& path, std::vector<std::string>& lines) {
  lines.clear();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string current;
  std::size_t bytes = 0;
  bool afterCr = false;
  char c;
  while (lines.size() < kTableFileMaxLines && in.get(c)) {
    if (++bytes > kTableFileMaxBytes) return false;
    if (c == '\n' && afterCr) {
      afterCr = false;
      continue;
    }
    afterCr = c == '\r';
    if (c == '\n' || c == '\r') {
      lines.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty() && lines.size() < kTableFileMaxLines) lines.push_back(std::move(current));
  return !in.bad();
}

bool ParseTableFile(const std::vector<std::string>& lines, int charTyp, const TSensorRangeTable& ranges,
                    TUserTable& t, TTableParse& result) {
  result = TTableParse{};
  t.SetCount(0);
  t[0].y = 0;
  if (lines.size() < 2) return Fail(result, -1, "");
  const int count = static_cast<int>(std::min<std::size_t>(lines.size(), kTableFileMaxLines));
  bool rising = true;
  int n = 0;
  for (int i = 0; i < count; ++i) {
    t[0].y = i;
    const std::string& line = lines[static_cast<std::size_t>(i)];
    if (IsCommentOrEmpty(line)) continue;
    double x = 0, y = 0;
    if (!SplitDataLine(line, x, y)) return Fail(result, i, "");
    if (const char* fault = PointFault(t, n, charTyp, ranges, x, y, rising)) return Fail(result, i, fault);
    t[++n] = {x, y};
    t.SetCount(n);
  }
  if (n < 2) return Fail(result, count - 1, "Not enough points");
  return true;
}

bool LoadTableFile(const std::string& path, int charTyp, const TSensorRangeTable& ranges, TUserTable& table,
                   TTableParse& result) {
  std::vector<std::string> lines;
  if (!ReadTableLines(path, lines)) {
    result = TTableParse{};
    return false;
  }
  return ParseTableFile(lines, charTyp, ranges, table, result);
}

bool TableSpanSufficient(const TUserTable& t, int charTyp) {
  const int n = t.Count();
  return n >= 1 && std::fabs(t[n].y - t[1].y) >= MinSpan(charTyp);
}

void SetTableLimits(const TUserTable& t, TSensorRangeTable& ranges) {
  const int n = t.Count();
  if (n < 1) return;
  const std::int32_t a = TruncatedTenths(t[1].x), b = TruncatedTenths(t[n].x);
  ranges[kUserRangeRow] = {std::min(a, b), std::max(a, b)};
}

TTableLoad LoadTableForParams(const std::string& path, app::TParamSet& p, TUserTable& table,
                              TSensorRangeTable& ranges, TTableParse& result) {
  p.CharTyp = p.Code.Typ;
  p.TableLoaded = false;
  std::vector<std::string> lines;
  if (!ReadTableLines(path, lines)) {
    result = TTableParse{};
    return TTableLoad::kCannotRead;
  }
  if (!ParseTableFile(lines, p.CharTyp, ranges, table, result)) return TTableLoad::kCorrupted;
  if (!TableSpanSufficient(table, p.CharTyp)) return TTableLoad::kSpanTooSmall;
  SetTableLimits(table, ranges);
  const double lo = ranges.Lo(kUserRangeRow), hi = ranges.Hi(kUserRangeRow);
  const auto covered = [lo, hi](double v) { return v >= lo - 0.000001 && v <= hi + 0.000001; };
  if (!covered(p.P.MinInput) || !covered(p.P.MaxInput)) return TTableLoad::kRangeNotCovered;
  p.TableLoaded = true;
  return TTableLoad::kLoaded;
}

std::string BareFileName(std::string_view path) {
  const auto slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace vorta::sensors
