// Strict decimal number parsing independent of the process locale.
#include "docs/str_to_number.h"

#include <charconv>
#include <cmath>
#include <string>

namespace vorta::docs {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Checks the grammar sign? digits [sep digits] [(e|E) sign? digits] with '.' as separator.
bool WellFormed(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t expDigits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  return i == s.size();
}

}  // namespace

bool StrToNumber(std::string_view text, double& value) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.empty() || text.size() > 400) return false;
  std::string s(text);
  auto sep = s.find('.');
  if (sep == std::string::npos) sep = s.find(',');
  if (sep != std::string::npos) s[sep] = '.';
  if (!WellFormed(s)) return false;
  const char* first = s.data();
  if (*first == '+') ++first;  // from_chars takes no plus sign
  double v = 0.0;
  const auto [end, ec] = std::from_chars(first, s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return false;
  value = v;
  return true;
}

bool StrToInt32(std::string_view text, std::int32_t& value) {
  double v = 0.0;
  if (!StrToNumber(text, v)) return false;
  const double r = std::nearbyint(v);
  if (r < -2147483648.0 || r > 2147483647.0) return false;
  value = static_cast<std::int32_t>(r);
  return true;
}

}  // namespace vorta::docs
