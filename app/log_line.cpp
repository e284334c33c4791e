// Formatting of the measurement log.
#include "app/log_line.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vorta::app {
namespace {

// A value that is no number shows as "?" rather than reaching a conversion.
bool Bad(double v) {
  return !std::isfinite(v);
}

// v rounded to digits significant digits.
double Significant(double v, int digits) {
  if (v == 0.0) return 0.0;
  char text[64];
  std::snprintf(text, sizeof text, "%.*e", digits - 1, v);
  return std::strtod(text, nullptr);
}

}  // namespace

std::string LogTimeText(double ms) {
  if (Bad(ms)) return "?";
  char text[64];
  std::snprintf(text, sizeof text, "+%.2f", Significant(ms / 1000.0, 6));
  return text;
}

std::string LogValueText(double value) {
  if (Bad(value)) return "?";
  const double v = Significant(value, 4);
  const int exponent = v == 0.0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(v))));
  const bool scientific = exponent >= 4 || exponent < -5;
  char text[64];
  if (scientific)
    std::snprintf(text, sizeof text, "%.3f", v / std::pow(10.0, exponent));
  else
    std::snprintf(text, sizeof text, "%.*f", 3 - exponent, v);
  std::string s = text;
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (scientific) s += (exponent < 0 ? "E-" : "E+") + std::to_string(std::abs(exponent));
  return (v >= 0 ? "+" : "") + s;
}

std::string LogCurrentText(double mA) {
  if (Bad(mA)) return "?";
  char text[64];
  std::snprintf(text, sizeof text, "%s%6.4f", mA >= 0 ? "+" : "", mA);
  return text;
}

std::string LogLine(double ms, double value, double mA) {
  return LogTimeText(ms) + "\t" + LogValueText(value) + "\t" + LogCurrentText(mA);
}

std::array<std::string, 4> LogHeader(const std::string& date, const std::string& time,
                                     const std::string& unit, const docs::TLangList& lang) {
  return {"Vorta series module measurements", "Date: " + date + "   Time: " + time, "",
          lang.Value("Time") + " [s]\t" + lang.Value("Result") + " [" + unit + "]\t" + lang.Value("Output") +
              " [mA]"};
}

}  // namespace vorta::app
