// Formatting of the displayed values.
#include "app/display_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/model_table.h"
#include "app/rounding.h"
#include "app/sensor_code.h"
#include "docs/par_file.h"

namespace vorta::app {
namespace {

std::string Fixed(double value, int decimals) {
  if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0.0;  // no "-0.00"
  // Sized to the number: a fixed buffer would cut a large one and show another number.
  const int n = std::snprintf(nullptr, 0, "%.*f", decimals, value);
  if (n <= 0) return {};
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  std::snprintf(s.data(), s.size(), "%.*f", decimals, value);
  s.resize(static_cast<std::size_t>(n));
  // Shown with the user's decimal separator, whatever the C library was told.
  const char sep = docs::LocaleDecimalSeparator();
  for (char& c : s)
    if (c == '.' || c == ',') c = sep;
  return s;
}

std::string RightAligned(std::string s, std::size_t width) {
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  return s;
}

}  // namespace

int RangeDecimals(double lo, double hi) {
  const double m = lo == hi ? 10.0 : std::max(std::fabs(lo), std::fabs(hi));
  if (m >= 1000) return 0;
  if (m >= 100) return 1;
  if (m >= 10) return 2;
  return 3;
}

std::string RoundedText(double value, int decimals) {
  const double scale = std::pow(10.0, decimals + 1);
  // Past 2^52 every double is a whole number already: rounding there could only saturate.
  if (!(std::fabs(value * scale) < 0x1p52)) return Fixed(value, decimals);
  return Fixed(static_cast<double>(RoundHalfEven(value * scale)) / scale, decimals);
}

void RangeLimits(const TParamSet& p, const sensors::TSensorRangeTable& ranges, double& lo, double& hi) {
  const int row = p.TableLoaded || p.Code.Lin >= 3 ? sensors::kUserRangeRow : p.Code.Typ;
  lo = ranges.Lo(row);
  hi = ranges.Hi(row);
}

std::string RangeText(const TParamSet& p, const sensors::TSensorRangeTable& ranges, double value) {
  double lo = 0, hi = 0;
  RangeLimits(p, ranges, lo, hi);
  return RoundedText(value, RangeDecimals(lo, hi));
}

std::string AbsMinText(const TParamSet& p, const sensors::TSensorRangeTable& ranges) {
  double lo = 0, hi = 0;
  RangeLimits(p, ranges, lo, hi);
  return RightAligned(RoundedText(lo, RangeDecimals(lo, hi)), 3) + " ..";
}

std::string AbsMaxText(const TParamSet& p, const sensors::TSensorRangeTable& ranges) {
  double lo = 0, hi = 0;
  RangeLimits(p, ranges, lo, hi);
  return ".. " + RoundedText(hi, RangeDecimals(lo, hi));
}

std::string ValueText(const TParamSet& p, double value) {
  return RightAligned(RoundedText(value, RangeDecimals(p.P.MinInput, p.P.MaxInput)), 7);
}

TResultFlags ResultFlagsOf(const comm::TMeasurementStatus& s) {
  TResultFlags f;
  f.calMode = s.CalMode;
  f.eepromError = s.EepromError;
  f.internalError = s.InternalError;
  f.brokenSensor = s.BrokenSensor;
  f.outOfRange = s.OutOfRange;
  f.unitIndex = s.UnitIndex;
  return f;
}

TResultText ResultText(const TParamSet& p, double value, bool configRead, const TResultFlags& f,
                       const docs::TLangList& lang) {
  if (f.calMode) return {"Cal mode", true};
  if (f.eepromError) return {lang.Value("EEPROM error"), true};
  if (f.internalError) return {lang.Value("Internal error"), true};
  if (f.brokenSensor) return {lang.Value("Broken sensor"), true};
  // A value no panel can show (a transmitter's float reaches about 6.8E+38) is out of range, as
  // the transmitter's own flag would say.
  if (f.outOfRange || !(std::fabs(value) < kLargestShownValue)) return {lang.Value("Out of range!"), true};
  std::string number;
  if (configRead) {
    number = ValueText(p, value);
  } else {
    const double a = std::fabs(value);
    number = RightAligned(Fixed(value, a < 1000 ? 2 : a < 10000 ? 1 : 0), 7);
  }
  std::string text = number + " " + std::string(UnitName(f.unitIndex));
  const std::size_t chars = static_cast<std::size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
  if (chars < 10) {
    text += "   ";
  } else if (chars == 10) {
    text += "  ";
  } else if (chars == 11) {
    text += " ";
  }
  return {text, false};
}

std::string OutputNumber(double current) {
  return RightAligned(Fixed(static_cast<double>(RoundHalfEven(100 * current)) / 100, 2), 5);
}

std::string OutputUnit(bool independentOutput) {
  return independentOutput ? " mA  !" : " mA   ";
}

std::string SensorText(const TParamSet& p, const docs::TLangList& lang) {
  const int typ = p.Code.Typ;
  std::string s;
  if (IsThermocouple(typ)) {
    s = lang.Value("Thermocouple") + " " + std::string(SensorNames(typ));
  } else if (typ == 5) {
    s = lang.Value("Resistance");
  } else if (typ == 16 || typ == 18) {
    s = lang.Value("Voltage");
  } else if (typ == 17 || typ == 19) {
    s = lang.Value("Current");
  } else {
    s = std::string(SensorNames(typ));
  }
  if (MeasuresRms(p.ModelCode())) s += " (rms)";
  // A mode text the language list does not hold ("sum", "max", ...) is shown in English.
  const std::string_view mode = ModeNames(p.Code.Tryb);
  if (p.Code.Tryb == 6) {
    s += ", " + lang.Value("CJ temp.") + ": " + Fixed(p.P.RoomT, 1) +
         "\xC2\xB0"
         "C";
  } else if ((typ < 16 || typ > 19) && !mode.empty()) {
    s += ", " + (lang.Has(mode) ? lang.Value(mode) : std::string(mode));
  }
  if (p.Code.Lin > 1) s += ", " + lang.Value(IsConvertedInput(typ) ? "result converted" : "linearization");
  return s;
}

std::string ReactionLabel(const TParamSet& p, const docs::TLangList& lang) {
  if (p.P.Burnout == 2) return lang.Value("Output locked") + " !";
  if (p.Code.Typ >= 16 && p.Code.Typ <= 20) return lang.Value("Internal failure sygnalization") + ":";
  return lang.Value("Output reaction to sensor burnout") + ":";
}

}  // namespace vorta::app
