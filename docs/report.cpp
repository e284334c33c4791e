// Composition of the parameter report and the geometry of its page.
#include "docs/report.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <tuple>
#include <utility>

#include "app/model_table.h"
#include "app/sensor_code.h"

namespace vorta::docs {
namespace {

constexpr std::string_view kIndent = "   ";
constexpr std::string_view kDeepIndent = "      ";
constexpr std::string_view kDegreesC =
    "\xC2\xB0"
    "C";
constexpr std::size_t kFreeTextChars = 64;  // the whole of ogolne
constexpr std::size_t kModeLineChars = 50;  // mode and detail share line 11 below this

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Characters (not bytes) of UTF-8 text.
std::size_t CharCount(std::string_view s) {
  return static_cast<std::size_t>(
      std::count_if(s.begin(), s.end(), [](char c) { return !IsContinuation(c); }));
}

// Byte offset where character n (0-based) of s starts; s.size() when s has no more characters.
std::size_t ByteOfChar(std::string_view s, std::size_t n) {
  std::size_t i = 0;
  for (std::size_t chars = 0; i < s.size() && chars < n; ++chars) {
    ++i;
    while (i < s.size() && IsContinuation(s[i])) ++i;
  }
  return i;
}

// Fixed-point text with a decimal point whatever the locale, padded with leading blanks to width;
// "?" for a value that is no number.
std::string Fixed(double x, int decimals, std::size_t width) {
  std::string s = "?";
  if (std::isfinite(x)) {
    char buf[400];  // the largest double in fixed notation with two decimals fits
    const auto r = std::to_chars(buf, buf + sizeof buf, x + 0.0, std::chars_format::fixed, decimals);
    if (r.ec == std::errc{}) s.assign(buf, r.ptr);
  }
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  return s;
}

std::string Fix(double x) {
  return Fixed(x, 2, 4);
}

std::string Fix1(double x) {
  return Fixed(x, 1, 3);
}

// A correction with "+" in front of a value above 0.
std::string Signed(double x) {
  return (x > 0 ? "+" : "") + Fix(x);
}

// Lines 5 and 6: the free text broken after the first blank among characters 25..34 (after
// character 35 when there is none); a text that ends sooner ends the first piece there.
std::pair<std::string, std::string> FreeTextLines(std::string_view text) {
  if (text.empty()) return {};
  text = text.substr(0, ByteOfChar(text, kFreeTextChars));
  std::size_t k = 35;
  for (std::size_t pos = 25; pos <= 34; ++pos) {
    const std::size_t b = ByteOfChar(text, pos - 1);
    if (b < text.size() && text[b] == ' ') {
      k = pos;
      break;
    }
  }
  const std::size_t split = ByteOfChar(text, k);
  return {std::string(kIndent).append(text.substr(0, split)),
          std::string(kIndent).append(text.substr(split))};
}

// Line 10: "Input" for the converted inputs, else "Sensor", then the sensor's name.
std::string SensorLine(int typ, const TLangList& lang) {
  std::string s = lang.Value(app::IsConvertedInput(typ) ? "Input" : "Sensor") + ":  ";
  if (app::IsThermocouple(typ)) s += lang.Value("Thermocouple type") + " ";
  if (typ == 5) return s + lang.Value("Resistance");
  if (typ == 16 || typ == 18) return s + lang.Value("Voltage");
  if (typ == 17) return s + lang.Value("Current");
  return s + (typ >= 1 && typ <= 20 ? std::string(app::SensorNames(typ)) : "?");
}

// The mode's text; the modes that are no language key stay English.
std::string ModeText(int tryb, const TLangList& lang) {
  if (tryb < 1 || tryb > 12) return "?";
  const std::string_view name = app::ModeNames(tryb);
  return name.empty() ? std::string() : lang.ValueOrKey(name);
}

// The table file's bare name in lower case, whichever separator its folder used.
std::string BareLowerName(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return name;
}

// The mode text m of lines 11 and 12, before the detail is decided.
std::string ModeBase(const app::TParamSet& p, const TLangList& lang) {
  const int typ = p.Code.Typ, lin = p.Code.Lin;
  std::string m;
  if (p.Code.Tryb == 6) {
    m = lang.Value("external CJ") + " (" + Fix(p.P.RoomT) + std::string(kDegreesC) + ")";
    if (lin == 2) m += ", " + lang.Value("linearization");
    return m;
  }
  if (typ < 16 || typ > 20) m = ModeText(p.Code.Tryb, lang);
  if (lin > 1 && app::IsConvertedInput(typ)) {
    if (!m.empty()) m += ", ";
    m += lang.Value("conversion") + ":  ";
  } else if (lin > 1) {
    m += ", " + lang.Value("linearization");
  }
  return m;
}

// Lines 11 and 12: the mode text and the detail (table file, linear, power series), on one line
// when they are short enough together.
std::pair<std::string, std::string> ModeLines(const app::TParamSet& p, const TLangList& lang) {
  std::string m = ModeBase(p, lang), t;
  const int typ = p.Code.Typ, lin = p.Code.Lin;
  if (lin == 1 || lin == 2) {
    if (typ == 15 && (lin == 1 || p.TableLoaded)) {
      t = lang.Value("source file") + ": " + BareLowerName(p.File);
    } else if (lin == 2 && p.TableLoaded) {
      m += lang.Value("table defined") + " ";
      t = "(" + BareLowerName(p.File) + ")";
    }
  } else if (lin == 4) {
    t = lang.Value("linear");
  } else if (lin == 8) {
    t = lang.Value("power series");
  } else {
    m.clear();
  }
  const std::string indent(kIndent);
  if (CharCount(m) + CharCount(t) >= kModeLineChars) return {indent + m, indent + t};
  // A source file would run into a mode text that ends in a word ("CJCsource file"): part them.
  const bool part = !m.empty() && !t.empty() && m.back() != ' ';
  return {indent + m + (part ? ", " : "") + t, {}};
}

std::string RangeLine(const app::TParamSet& p, const TLangList& lang) {
  const int unit = p.P.Jednostki;
  const std::string unitText = unit >= 0 && unit <= 15 ? std::string(app::UnitName(unit)) : "?";
  return lang.Value("Input range") + ": " + Fix(p.P.MinInput) + " " + lang.Value("to") + " " +
         Fix(p.P.MaxInput) + " " + unitText;
}

std::string BurnoutLine(const app::TParamSet& p, const TLangList& lang) {
  const int b = p.P.Burnout, typ = p.Code.Typ;
  const char* label = b == 2                   ? "Output locked"
                      : typ >= 16 && typ <= 20 ? "Internal failure sygnalization"
                                               : "Output reaction to sensor burnout";
  std::string t;
  if (b == 0) t = lang.Value("below 4mA");
  if (b == 1) t = lang.Value("above 20mA");
  if (b == 2) t = "   I=4mA";
  return lang.Value(label) + ": " + t;
}

std::string CorrectionsLine(const app::TParamSet& p, const TLangList& lang) {
  return lang.Value("Corrections") + ":  " + Signed(p.P.ZeroReg) + "% (" + lang.Value("Zero") + "), " +
         Signed(p.P.GainReg) + "% (" + lang.Value("Gain") + ")";
}

// Lines 18 to 24: the filter section.
void FilterLines(const app::TParamSet& p, const TLangList& lang, TReport& r) {
  const std::string deep(kDeepIndent);
  r[18].text = lang.Value("Filter settings") + ":";
  r[19].text = std::string(kIndent) + lang.Value("Input filter") + ":";
  r[20].text = deep + lang.Value("Filtration range") + "=" + Fix1(p.P.FiltrZakres * 0.1) + " %";
  r[21].text = deep + lang.Value("Time constant") + "=" + Fix1(p.P.FiltrCzas * 0.1) + " s";
  r[22].text = deep + lang.Value("Spurious error threshold") + "=" + std::to_string(p.P.FiltrLimit) + " %";
  r[23].text = std::string(kIndent) + lang.Value("Net filter") + ":";
  r[24].text = deep + lang.Value("Frequency") + "=" + std::to_string(p.P.Siec) + " Hz";
}

}  // namespace

TReport ComposeReport(const app::TParamSet& p, const TLangList& lang, std::string_view printedDate) {
  TReport r;
  r[0] = {TReportLineKind::kTitle,
          lang.Value("Parameters  of") + "  " + app::ModelDisplayName(p.Device).value_or("?")};
  r[2].text = lang.Value("ID Tag") + ":  " + p.kod;
  r[4].text = lang.Value("User info") + ":";
  std::tie(r[5].text, r[6].text) = FreeTextLines(p.ogolne);
  r[7].text = lang.Value("Configuration date") + ": " + p.data;
  r[8].text = lang.Value("Serial number") + ": " + p.serial;
  r[10].text = SensorLine(p.Code.Typ, lang);
  std::tie(r[11].text, r[12].text) = ModeLines(p, lang);
  r[13].text = RangeLine(p, lang);
  r[14].text = lang.Value("Output range") + ": 4 - 20 mA";
  r[15].text = BurnoutLine(p, lang);
  r[16].text = CorrectionsLine(p, lang);
  FilterLines(p, lang, r);
  for (int section : {4, 10, 18, 26}) r[static_cast<std::size_t>(section)].kind = TReportLineKind::kSection;
  r[27] = {TReportLineKind::kFooter, lang.Value("Printed") + ": " + std::string(printedDate)};
  return r;
}

std::string ReportJobTitle(const TLangList& lang) {
  return "Vorta-" + lang.Value("Printing");
}

TReportFont ReportFont(TReportLineKind kind) {
  switch (kind) {
    case TReportLineKind::kTitle:
      return {14, true, false};
    case TReportLineKind::kSection:
      return {12, true, false};
    case TReportLineKind::kFooter:
      return {10, false, true};
    case TReportLineKind::kPlain:
      break;
  }
  return {12, false, false};
}

int TReportGeometry::LineTop(int line) const {
  return top + 2 * std::clamp(line, 0, kReportLineCount - 2) * lineStep;
}

int TReportGeometry::RuleY(int line) const {
  return LineTop(line) - lineStep;
}

TReportGeometry ReportGeometry(int pageWidth, int pageHeight, int dotsPerInch) {
  TReportGeometry g;
  g.left = std::max(pageWidth, 0) / 4;
  g.top = std::max(pageHeight, 0) / 10;
  // 12 points are a sixth of an inch; the step is rounded to the nearest pixel, halves to even.
  const int dpi = std::clamp(dotsPerInch, 0, 100000);
  const int q = dpi / 6, rest = dpi % 6;
  g.lineStep = q + (rest > 3 || (rest == 3 && q % 2 == 1) ? 1 : 0);
  g.ruleRight = 3 * g.left;
  return g;
}

}  // namespace vorta::docs
