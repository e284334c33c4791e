// The conversion dialogs' rules.
#include "sensors/conversion_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/rounding.h"
#include "docs/par_file.h"
#include "docs/str_to_number.h"
#include "sensors/catalogue.h"
#include "sensors/interpolation.h"
#include "sensors/power_series.h"
#include "sensors/sensor_signal.h"

namespace vorta::sensors {
namespace {

constexpr double kTol = 0.000001;

// The transmitter's float: exponents from -127 to 128 with a mantissa in [1, 2).
const double kCoefficientLimit = std::ldexp(1.0, 129);
const double kSmallestNormal = std::ldexp(1.0, -127);

std::string Printed(const char* format, double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, v);
  std::string s = buf;
  std::replace(s.begin(), s.end(), '.', docs::LocaleDecimalSeparator());
  return s;
}

double OneDecimal(long double v) {
  return static_cast<double>(app::RoundHalfEven(static_cast<double>(v) * 10.0)) / 10.0;
}

double Rounded(double v, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return static_cast<double>(app::RoundHalfEven(v * scale)) / scale;
}

std::int32_t ResultTenths(double v) {
  return app::RoundHalfEven32(10.0 * v * 1.000001);
}

void SetResultRow(double resMin, double resMax, TSensorRangeTable& ranges) {
  const std::int32_t a = ResultTenths(resMin), b = ResultTenths(resMax);
  ranges[kUserRangeRow] = {std::min(a, b), std::max(a, b)};
}

bool WithinResults(double v) {
  return v >= kResultLow - kTol && v <= kResultHigh + kTol;
}

// Steps 1..3 of a conversion's button: the input range and its span.
TFault InputRangeFault(const TInputLimits& l, double inMin, double inMax) {
  if (!(inMin >= l.lo - kTol && inMin < l.hi)) return {"Minimum out of range!", false, kInMinField};
  if (!(inMax > l.lo && inMax <= l.hi + kTol)) return {"Maximum out of range!", false, kInMaxField};
  if (!(inMax - inMin >= l.span - kTol))
    return {"Input range too small!", false, inMin - l.span <= l.lo ? kInMinField : kInMaxField};
  return {};
}

TFault SpanFault(const TInputLimits& l, double inMin, double inMax, int field) {
  if (inMax - inMin >= l.span - kTol) return {};
  return {inMax >= inMin ? "Input range too small!" : "Values should rise", false, field};
}

}  // namespace

int ResultUnitIndex(int jednostki) {
  return jednostki >= 0 && jednostki < kResultUnitCount ? jednostki : 0;
}

TInputLimits InputLimitsOf(const TSensorRangeTable& ranges, int charTyp) {
  return {ranges.Lo(charTyp), ranges.Hi(charTyp), MinSpan(charTyp)};
}

TFault InMinFault(const TInputLimits& l, double inMin, double inMax) {
  if (TFault f = SpanFault(l, inMin, inMax, kInMinField); !f.ok()) return f;
  if (inMin < l.lo - kTol) return {"Minimum out of range!", false, kInMinField};
  return {};
}

TFault InMaxFault(const TInputLimits& l, double inMin, double inMax) {
  if (TFault f = SpanFault(l, inMin, inMax, kInMaxField); !f.ok()) return f;
  if (inMax > l.hi + kTol) return {"Maximum out of range!", false, kInMaxField};
  return {};
}

double RoundedResult(double v) {
  if (WithinResults(10.0 * v)) return static_cast<double>(app::RoundHalfEven(10.0 * v * 1.000001)) / 10.0;
  return static_cast<double>(app::RoundHalfEven(v));
}

TFault ResultFault(double value, double other, bool minimum) {
  if (WithinResults(value)) return {};
  const int field = minimum ? kResMinField : kResMaxField;
  if (std::fabs(other - value) < 1) return {"Range too small", true, field};
  return {minimum ? "Minimum out of range!" : "Maximum out of range!", false, field};
}

TFault LinearFault(const TInputLimits& l, double inMin, double inMax, double resMin, double resMax) {
  if (TFault f = InputRangeFault(l, inMin, inMax); !f.ok()) return f;
  if (!(resMin >= kResultLow - kTol && resMin < kResultHigh + kTol))
    return {"Minimum out of range!", false, kResMinField};
  if (!(resMax > kResultLow - kTol && resMax <= kResultHigh + kTol))
    return {"Maximum out of range!", false, kResMaxField};
  if (!(std::fabs(resMax - resMin) >= 1))
    return {"Range too small", false, resMin <= kResultLow - kTol ? kResMinField : kResMaxField};
  return {};
}

TConversionStart LinearStart(const TSensorData& d, int charTyp, int decimals) {
  const app::TParamSet& p = d.p;
  TConversionStart s;
  if (p.Code.Lin == 4 && p.Code.Typ == charTyp && p.Code.CharModified == 0 && CharFitsInput(d, charTyp)) {
    s.resMin = p.LinCoef[9];
    s.resMax = p.LinCoef[10];
    s.inMin = Rounded(SensorSignal(d, charTyp, s.resMin), decimals);
    s.inMax = Rounded(SensorSignal(d, charTyp, s.resMax), decimals);
    s.unit = ResultUnitIndex(p.P.Jednostki);
    s.fromSet = true;
    return s;
  }
  s.inMin = d.ranges.Lo(charTyp);
  s.inMax = d.ranges.Hi(charTyp);
  s.unit = DefaultResultUnit(charTyp);
  return s;
}

TConversionStart StartPowerSeries(app::TParamSet& p, const TUserTable& table, const TSensorRangeTable& ranges,
                                  int charTyp) {
  TConversionStart s;
  auto& c = p.LinCoef;
  if (p.Code.Lin == 8 && p.Code.Typ == charTyp && p.Code.CharModified == 0 &&
      CharFitsInput({p, table, ranges}, charTyp)) {
    s.inMin = c[9];
    s.inMax = c[10];
    s.resMin = OneDecimal(PolyValueOf(c, 9, c[9]));
    s.resMax = OneDecimal(PolyValueOf(c, 9, c[10]));
    s.unit = ResultUnitIndex(p.P.Jednostki);
    s.fromSet = true;
  } else {
    s.inMin = ranges.Lo(charTyp);
    s.inMax = ranges.Hi(charTyp);
    s.unit = DefaultResultUnit(charTyp);
    std::fill(c.begin(), c.begin() + 9, 0.0);
    c[1] = 1.0;
  }
  c[9] = s.inMin;
  c[10] = s.inMax;
  return s;
}

TFault PowerSeriesFault(const app::TParamSet& p, const TSensorRangeTable& ranges, int charTyp, double& resMin,
                        double& resMax) {
  const auto& c = p.LinCoef;
  if (TFault f = InputRangeFault(InputLimitsOf(ranges, charTyp), c[9], c[10]); !f.ok()) return f;
  if (TResult r = PowerSeriesCheck(p, charTyp, ranges); !r) return {r.key, false, kInMinField};
  resMin = OneDecimal(PolyValueOf(c, 9, c[9]));
  resMax = OneDecimal(PolyValueOf(c, 9, c[10]));
  if (!(std::fabs(resMax - resMin) >= 1)) return {"Range too small", false, kInMaxField};
  return {};
}

void ApplyLinear(double inMin, double inMax, double resMin, double resMax, int unit, app::TParamSet& p,
                 TSensorRangeTable& ranges) {
  const double b = (inMax - inMin) / (resMax - resMin);
  p.LinCoef[1] = b;
  p.LinCoef[0] = inMin - b * resMin;
  p.LinCoef[9] = resMin;
  p.LinCoef[10] = resMax;
  SetResultRow(resMin, resMax, ranges);
  p.P.Jednostki = unit;
  p.Code.CharModified = 1;
}

void ApplyPowerSeries(double resMin, double resMax, int unit, app::TParamSet& p, TSensorRangeTable& ranges) {
  SetResultRow(resMin, resMax, ranges);
  p.P.Jednostki = unit;
  p.Code.CharModified = 1;
}

TCoefficientEntry CheckCoefficient(std::string_view text) {
  TCoefficientEntry e;
  if (!docs::StrToNumber(text, e.value)) {
    e.wrongFormat = true;
    return e;
  }
  if (std::fabs(e.value) >= kCoefficientLimit) return e;
  if (std::fabs(e.value) < kSmallestNormal) e.value = 0.0;
  e.ok = true;
  return e;
}

std::string InputValueText(double v) {
  return Printed(std::fabs(v) >= 1000 ? "%.2f" : "%.3f", v);
}

std::string CoefficientText(double v) {
  if (std::isnan(v)) return {};
  if (v != 0 && std::fabs(v) < 0.001) return Printed("%.5E", v);
  return Printed("%.6G", v);
}

}  // namespace vorta::sensors
