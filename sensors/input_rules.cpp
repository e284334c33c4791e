// The input dialogs' rules.
#include "sensors/input_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/model_table.h"
#include "app/rounding.h"
#include "docs/par_file.h"
#include "sensors/catalogue.h"

namespace vorta::sensors {
namespace {

std::string Joined(const std::string& a, const std::string& b) {
  return a + "..." + b;
}

}  // namespace

TConversion ConversionShown(int lin, bool tableLoaded) {
  switch (lin) {
    case 4:
      return TConversion::kLinear;
    case 8:
      return TConversion::kPowerSeries;
    case 2:
      return tableLoaded ? TConversion::kTable : TConversion::kNone;
    default:
      return TConversion::kNone;
  }
}

std::string WholeLimitsText(const TRangeRow& row) {
  return Joined(std::to_string(row.lo / 10), std::to_string(row.hi / 10));
}

std::string TenthsText(double v) {
  const long long tenths = app::RoundHalfEven(v * 10.0);
  if (tenths % 10 == 0) return std::to_string(tenths / 10);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.1f", static_cast<double>(tenths) / 10.0);
  std::string s = buf;
  std::replace(s.begin(), s.end(), '.', docs::LocaleDecimalSeparator());
  return s;
}

std::string ConversionInputText(const app::TParamSet& p, const TUserTable& table, TConversion conversion) {
  const auto& c = p.LinCoef;
  switch (conversion) {
    case TConversion::kTable: {
      const int n = table.Count();
      if (n < 1) return {};
      const double a = table[1].y, b = table[n].y;
      return Joined(TenthsText(std::min(a, b)), TenthsText(std::max(a, b)));
    }
    case TConversion::kLinear:
      return Joined(TenthsText(c[0] + c[1] * c[9]), TenthsText(c[0] + c[1] * c[10]));
    case TConversion::kPowerSeries:
      return Joined(TenthsText(c[9]), TenthsText(c[10]));
    default:
      return {};
  }
}

std::string ConversionResultText(const TSensorRangeTable& ranges) {
  return Joined(TenthsText(ranges.Lo(kUserRangeRow)), TenthsText(ranges.Hi(kUserRangeRow)));
}

bool InputMissing(const TSensorRangeTable& ranges, int typ) {
  return ranges[static_cast<std::size_t>(typ)] == TRangeRow{0, 0};
}

bool DoubleShown(int tryb) {
  return tryb >= 8 && tryb <= 11;
}

int CurrentVoltageTryb(int typ, bool doubleInput, int typAtOpening, int trybAtOpening) {
  const bool keep = typ == typAtOpening && DoubleShown(trybAtOpening);
  if (typ == 18) return keep ? trybAtOpening : 5;
  if (keep && doubleInput) return trybAtOpening;
  return doubleInput ? 8 : 5;
}

void ApplyInputChoice(const TInputChoice& choice, const TInputOpening& opening, int model, app::TParamSet& p,
                      const TSensorRangeTable& ranges, std::string_view today) {
  const int lin = static_cast<int>(choice.conversion);
  p.Code.Typ = static_cast<std::uint8_t>(choice.typ);
  p.Code.Tryb = static_cast<std::uint8_t>(choice.tryb);
  p.Code.Lin = static_cast<std::uint8_t>(lin);
  // The same input with the same conversion and no new characteristic keeps its range, filter and
  // the field trim of its corrections.
  const bool unchanged = choice.typ == opening.typ && lin == opening.lin && p.Code.CharModified == 0;
  if (!unchanged) {
    const int row = lin > 1 ? kUserRangeRow : choice.typ;
    p.P.MinInput = ranges.Lo(row);
    p.P.MaxInput = ranges.Hi(row);
    if (lin <= 1) p.P.Jednostki = DefaultResultUnit(choice.typ);
    p.P.FiltrLimit = p.P.FiltrZakres = p.P.FiltrCzas = 0;
    p.P.ZeroReg = p.P.GainReg = 0.0;
    if (!app::MainsSelectable(model)) p.P.Siec = 50;
  }
  if (lin != 2) p.TableLoaded = false;
  if (lin < 2) p.CharTyp = 0;
  app::SetText(p.data, today, app::kDateCap);
}

}  // namespace vorta::sensors
