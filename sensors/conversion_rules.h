// The rules of the two conversion dialogs of a converted input (resistance, millivolt, current,
// voltage): the linear conversion, given by an input range and the result range it maps to, and
// the power series of the signal. Their start values, the checks of every field and of the button,
// and what an accepted conversion writes. A check names its failure by an English language key,
// shown with a "!" when bang is set, and the field the focus returns to.
#pragma once

#include <string>
#include <string_view>

#include "app/param_set.h"
#include "sensors/sensor_data.h"
#include "sensors/sensor_range.h"
#include "sensors/user_table.h"

namespace vorta::sensors {

enum TConversionField : int {
  kNoField = -1,
  kInMinField = 0,
  kInMaxField = 1,
  kResMinField = 2,
  kResMaxField = 3
};

struct TFault {
  std::string key;  // empty: accepted
  bool bang = false;
  int field = kNoField;
  bool ok() const { return key.empty(); }
};

// The result range a conversion may have, and the number of unit texts the unit box offers
// (" " .. "m3/h").
inline constexpr double kResultLow = -999.0;
inline constexpr double kResultHigh = 9999.0;
inline constexpr int kResultUnitCount = 12;
// The unit box's index for Jednostki: the blank unit for one the box does not offer.
int ResultUnitIndex(int jednostki);

// The input of charTyp: its limits (row charTyp x 0.1) and its minimum signal span.
struct TInputLimits {
  double lo = 0.0;
  double hi = 0.0;
  double span = 0.0;
};
TInputLimits InputLimitsOf(const TSensorRangeTable& ranges, int charTyp);

// Leaving the input fields: a minimum below the input's limits, a maximum above them, or less
// than the minimum span between the two ("Values should rise" when they are reversed).
TFault InMinFault(const TInputLimits& l, double inMin, double inMax);
TFault InMaxFault(const TInputLimits& l, double inMin, double inMax);
// Leaving a result field: the value the field takes (one decimal where 10 x value is a result,
// else whole), then its fault against the other end.
double RoundedResult(double v);
TFault ResultFault(double value, double other, bool minimum);

// The linear conversion's button, in order: the input range, its span, the result range and its
// width of at least 1.
TFault LinearFault(const TInputLimits& l, double inMin, double inMax, double resMin, double resMax);

// Where a dialog starts: the conversion in the set when it is of this kind and for this input,
// fits it and is not a new one; else the input's full range, the result -999..9999 and the unit
// of the input.
struct TConversionStart {
  double inMin = 0.0;
  double inMax = 0.0;
  double resMin = kResultLow;
  double resMax = kResultHigh;
  int unit = 8;
  bool fromSet = false;
};
// decimals: how many the main window shows for a value within the input's limits.
TConversionStart LinearStart(const TSensorData& d, int charTyp, int decimals);
// Also writes the start into p: the identity series when the set's is not taken, and the signal
// ends LinJ, LinK.
TConversionStart StartPowerSeries(app::TParamSet& p, const TUserTable& table, const TSensorRangeTable& ranges,
                                  int charTyp);

// The power series' check: the signal ends LinJ, LinK against the input, the series' own check,
// then the result ends (PolyValue at LinJ and LinK rounded to one decimal, given back) at least 1 apart.
TFault PowerSeriesFault(const app::TParamSet& p, const TSensorRangeTable& ranges, int charTyp, double& resMin,
                        double& resMax);

// Acceptance: signal = LinA + LinB x result with LinJ, LinK the result ends (linear); row 15 from
// the result ends; the unit; CharModified.
void ApplyLinear(double inMin, double inMax, double resMin, double resMax, int unit, app::TParamSet& p,
                 TSensorRangeTable& ranges);
void ApplyPowerSeries(double resMin, double resMax, int unit, app::TParamSet& p, TSensorRangeTable& ranges);

// A typed coefficient: a number the transmitter's float can hold; a magnitude below its smallest
// normal value is taken as 0.
struct TCoefficientEntry {
  bool ok = false;
  bool wrongFormat = false;  // "Wrong format"; else too large: "Value out of range"
  double value = 0.0;
};
TCoefficientEntry CheckCoefficient(std::string_view text);
inline constexpr const char* kCoefficientRangeKey = "Value out of range";

// Texts: an input value with 3 decimals (2 from 1000 up); a coefficient with 6 significant digits,
// in exponent form below 0.001.
std::string InputValueText(double v);
std::string CoefficientText(double v);

}  // namespace vorta::sensors
