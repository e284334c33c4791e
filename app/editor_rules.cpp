// Editor validation rules.
#include "app/editor_rules.h"

#include <algorithm>
#include <cmath>

#include "app/rounding.h"
#include "app/sensor_code.h"
#include "docs/str_to_number.h"
#include "sensors/sensor_signal.h"

namespace vorta::app {
namespace {

constexpr double kTolerance = 0.000001;

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

}  // namespace

int RangeLimitRow(const TParamSet& p) {
  const int typ = p.Code.Typ;
  if (IsConvertedInput(typ) && p.Code.Lin >= 2) return sensors::kUserRangeRow;
  return typ;
}

TRangeCheck InputEExit(const sensors::TSensorData& d, double value, const docs::TLangList& lang) {
  const TParamSet& p = d.p;
  const int row = RangeLimitRow(p);
  if (value < d.ranges.Lo(row) - kTolerance) return {TRangeVerdict::kBelowMinimum, {}, false};
  if (value > d.ranges.Hi(row) + kTolerance) return {TRangeVerdict::kAboveMaximum, {}, false};
  if (!sensors::RangeCheck(d)) return {TRangeVerdict::kRejected, lang.Value("Input range too small!"), true};
  if (row != sensors::kUserRangeRow && p.P.MinInput >= p.P.MaxInput) {
    return {TRangeVerdict::kRejected,
            lang.Value("Maximum") + " " + lang.Value("has to be higher than") + " " +
                Lower(lang.Value("Minimum")) + "!",
            false};
  }
  return {};
}

bool ParseTenths(std::string_view text, std::int32_t& tenths) {
  double v = 0.0;
  if (!docs::StrToNumber(text, v)) return false;
  // The range is checked before rounding: a rounding of a number past 32 bits means nothing.
  if (!(std::fabs(10.0 * v) <= 2e9)) return false;
  tenths = static_cast<std::int32_t>(RoundHalfEven(10.0 * v));
  return true;
}

bool FiltrLimitInRange(double r) {
  if (!(r >= -1.0 && r <= 101.0)) return false;
  const long long n = RoundHalfEven(r);
  return n >= 0 && n <= 100;
}

std::int32_t ThresholdFor(double r, std::int32_t filtrZakres) {
  double v = r;
  if (RoundHalfEven(r) > 0 && filtrZakres * 0.2 > RoundHalfEven(r)) v = filtrZakres * 0.2;
  return static_cast<std::int32_t>(RoundHalfEven(v));
}

std::int32_t ThresholdStep(std::int32_t limit, std::int32_t filtrZakres, bool up) {
  if (up && limit < 100) ++limit;
  if (!up && limit > 0) --limit;
  if (limit < filtrZakres * 0.2) limit = up ? static_cast<std::int32_t>(RoundHalfEven(filtrZakres * 0.2)) : 0;
  return limit;
}

void OptimalFilter(TParamSet& p, const sensors::TUserTable& table, const sensors::TSensorRangeTable& ranges) {
  std::int32_t zakres = 1, czas = 20;
  const sensors::TSignalBounds b = sensors::SignalBounds({p, table, ranges});
  const int typ = p.Code.Typ;
  struct Group {
    double lo, hi;
  };
  Group g{0, 180};
  if (typ >= 6 && typ <= 15) g = {-6, 80};
  if (typ == 16) g = {-10, 150};
  if (typ == 17) g = {-22, 22};
  if (typ == 18) g = {-11, 11};
  if (typ == 17 || typ == 18) czas = 10;
  double x = (b.smax - b.smin) / (g.hi - g.lo);
  if (typ <= 5) x *= 0.4;
  if (typ == 17 || typ == 18) {
    if (x < 0.00207) {
      zakres = 250;
      czas = 220;
    } else if (x < 0.364) {
      zakres = static_cast<std::int32_t>(RoundHalfEven(0.364 / x));
      czas = static_cast<std::int32_t>(RoundHalfEven(10 / std::sqrt(x)));
    }
  } else if (x < 0.0004) {
    zakres = 250;
    czas = 500;
  } else if (x < 0.11) {
    zakres = static_cast<std::int32_t>(RoundHalfEven(0.1 / x));
    czas = static_cast<std::int32_t>(RoundHalfEven(10 / std::sqrt(x)));
  }
  const double step = p.TimeStep();
  czas = std::min(czas, MaxFiltrCzas(step));
  FiltrCzasToCount(czas, step);
  p.P.FiltrZakres = std::min<std::int32_t>(zakres, 250);
  p.P.FiltrCzas = czas;
}

}  // namespace vorta::app
