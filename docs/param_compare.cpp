// The field-by-field comparison of two parameter sets.
#include "docs/param_compare.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

#include "app/sensor_code.h"
#include "docs/par_file.h"

namespace vorta::docs {
namespace {

using app::TParamSet;

constexpr double kTolerance = 0.000001;
constexpr std::string_view kDegreesC =
    "\xC2\xB0"
    "C";

bool Near(double a, double b) {
  return std::fabs(a - b) <= kTolerance;
}

std::string Number(double v) {
  return FormatGeneralFloat(v, '.');
}

std::string Tenths(std::int32_t v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", v * 0.1);
  return text;
}

// A name the language list has in lower case ("conversion") starts a row with a capital.
std::string Capitalised(std::string s) {
  if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
  return s;
}

std::string SensorText(const TParamSet& p, const TLangList& lang) {
  const int typ = p.Code.Typ;
  std::string s = app::IsThermocouple(typ) ? lang.Value("Thermocouple type") + " " : "";
  if (typ == 5) return s + lang.Value("Resistance");
  if (typ == 16 || typ == 18) return s + lang.Value("Voltage");
  if (typ == 17) return s + lang.Value("Current");
  return s + (typ >= 1 && typ <= 20 ? std::string(app::SensorNames(typ)) : "?");
}

std::string ConnectionText(const TParamSet& p, const TLangList& lang) {
  if (p.Code.Tryb == 6)
    return lang.Value("external CJ") + " (" + Number(p.P.RoomT) + std::string(kDegreesC) + ")";
  if (p.Code.Typ >= 16 && p.Code.Typ <= 20) return {};
  if (p.Code.Tryb < 1 || p.Code.Tryb > 12) return "?";
  const std::string_view name = app::ModeNames(p.Code.Tryb);
  return name.empty() ? std::string() : lang.ValueOrKey(name);
}

bool SameConnection(const TParamSet& a, const TParamSet& b) {
  return a.Code.Tryb == b.Code.Tryb && (a.Code.Tryb != 6 || Near(a.P.RoomT, b.P.RoomT));
}

std::string ConversionText(const TParamSet& p, const TLangList& lang) {
  const int lin = p.Code.Lin;
  std::string s;
  if (lin == 0 || lin == 1) s = lang.Value("none");
  if (lin == 2) s = lang.Value(app::UsesUserTable(p.Code.Typ, lin) ? "table defined" : "linearization");
  if (lin == 4) s = lang.Value("linear");
  if (lin == 8) s = lang.Value("power series");
  if (s.empty()) return "?";
  if (lin <= 2) return s;
  s += " (";
  for (int i = 0; i < app::kLinCoefCount; ++i) {
    if (i > 0) s += ", ";
    s += std::string(1, static_cast<char>('A' + i)) + "=" + Number(p.LinCoef[static_cast<std::size_t>(i)]);
  }
  return s + ")";
}

bool SameConversion(const TParamSet& a, const TParamSet& b) {
  if (a.Code.Lin != b.Code.Lin) return false;
  if (a.Code.Lin <= 2) return true;
  return std::equal(a.LinCoef.begin(), a.LinCoef.end(), b.LinCoef.begin(), Near);
}

// The table file only counts for a characteristic that takes its signal from a table.
std::string TableText(const TParamSet& p) {
  return app::UsesUserTable(p.Code.Typ, p.Code.Lin) && p.Code.Lin != 8 ? BareFileName(p.File) : std::string();
}

std::string RangeText(const TParamSet& p, const TLangList& lang) {
  const int unit = p.P.Jednostki;
  const std::string unitText = unit >= 0 && unit <= 15 ? std::string(app::UnitName(unit)) : "?";
  return Number(p.P.MinInput) + " " + lang.Value("to") + " " + Number(p.P.MaxInput) + " " + unitText;
}

std::string BurnoutText(const TParamSet& p, const TLangList& lang) {
  if (p.P.Burnout == 0) return lang.Value("below 4mA");
  if (p.P.Burnout == 1) return lang.Value("above 20mA");
  if (p.P.Burnout == 2) return "I=4mA";
  return "?";
}

std::string CorrectionsText(const TParamSet& p, const TLangList& lang) {
  auto signedNumber = [](double v) { return (v > 0 ? "+" : "") + Number(v); };
  return signedNumber(p.P.ZeroReg) + "% (" + lang.Value("Zero") + "), " + signedNumber(p.P.GainReg) + "% (" +
         lang.Value("Gain") + ")";
}

struct TField {
  const char* id;
  std::string name;
  std::function<std::string(const TParamSet&)> text;
  std::function<bool(const TParamSet&, const TParamSet&)> same;
};

std::vector<TField> Fields(const TLangList& lang) {
  const auto& l = lang;
  return {
      {"device", l.Value("Device"), [](const TParamSet& p) { return p.Device; },
       [](const TParamSet& a, const TParamSet& b) { return a.Device == b.Device; }},
      {"sensor", l.Value("Sensor"), [&l](const TParamSet& p) { return SensorText(p, l); },
       [](const TParamSet& a, const TParamSet& b) { return a.Code.Typ == b.Code.Typ; }},
      {"connection", l.Value("Connection"), [&l](const TParamSet& p) { return ConnectionText(p, l); },
       SameConnection},
      {"conversion", Capitalised(l.Value("conversion")),
       [&l](const TParamSet& p) { return ConversionText(p, l); }, SameConversion},
      {"table", Capitalised(l.Value("source file")), TableText,
       [](const TParamSet& a, const TParamSet& b) { return TableText(a) == TableText(b); }},
      {"range", l.Value("Input range"), [&l](const TParamSet& p) { return RangeText(p, l); },
       [](const TParamSet& a, const TParamSet& b) {
         return Near(a.P.MinInput, b.P.MinInput) && Near(a.P.MaxInput, b.P.MaxInput) &&
                a.P.Jednostki == b.P.Jednostki;
       }},
      {"filtration_range", l.Value("Filtration range"),
       [](const TParamSet& p) { return Tenths(p.P.FiltrZakres) + " %"; },
       [](const TParamSet& a, const TParamSet& b) { return a.P.FiltrZakres == b.P.FiltrZakres; }},
      {"time_constant", l.Value("Time constant"),
       [](const TParamSet& p) { return Tenths(p.P.FiltrCzas) + " s"; },
       [](const TParamSet& a, const TParamSet& b) { return a.P.FiltrCzas == b.P.FiltrCzas; }},
      {"spurious_error_threshold", l.Value("Spurious error threshold"),
       [](const TParamSet& p) { return std::to_string(p.P.FiltrLimit) + " %"; },
       [](const TParamSet& a, const TParamSet& b) { return a.P.FiltrLimit == b.P.FiltrLimit; }},
      {"burnout", l.Value("Output reaction to sensor burnout"),
       [&l](const TParamSet& p) { return BurnoutText(p, l); },
       [](const TParamSet& a, const TParamSet& b) { return a.P.Burnout == b.P.Burnout; }},
      {"mains", l.Value("Net filter"), [](const TParamSet& p) { return std::to_string(p.P.Siec) + " Hz"; },
       [](const TParamSet& a, const TParamSet& b) { return a.P.Siec == b.P.Siec; }},
      {"corrections", l.Value("Corrections"), [&l](const TParamSet& p) { return CorrectionsText(p, l); },
       [](const TParamSet& a, const TParamSet& b) {
         return Near(a.P.ZeroReg, b.P.ZeroReg) && Near(a.P.GainReg, b.P.GainReg);
       }},
      {"tag", l.Value("ID Tag"), [](const TParamSet& p) { return p.kod; },
       [](const TParamSet& a, const TParamSet& b) { return a.kod == b.kod; }},
      {"text", l.Value("User info"), [](const TParamSet& p) { return p.ogolne; },
       [](const TParamSet& a, const TParamSet& b) { return a.ogolne == b.ogolne; }},
  };
}

}  // namespace

std::vector<TCompareRow> CompareParamSets(const TParamSet& a, const TParamSet& b, const TLangList& lang) {
  std::vector<TCompareRow> rows;
  for (const TField& f : Fields(lang)) rows.push_back({f.id, f.name, f.text(a), f.text(b), !f.same(a, b)});
  return rows;
}

int DifferingRows(const std::vector<TCompareRow>& rows) {
  return static_cast<int>(
      std::count_if(rows.begin(), rows.end(), [](const TCompareRow& r) { return r.differs; }));
}

}  // namespace vorta::docs
