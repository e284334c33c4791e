// Writing and reading parameter files.
#include "docs/par_file.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "docs/language_file.h"
#include "docs/str_to_number.h"
#include "sensors/sensor_range.h"

namespace vorta::docs {
namespace {

constexpr std::string_view kCoefKeys[app::kLinCoefCount] = {"LinA", "LinB", "LinC", "LinD", "LinE", "LinF",
                                                            "LinG", "LinH", "LinI", "LinJ", "LinK"};

// The free text is kept as characters 1-30 under "ogolne" and the rest, up to 64, under "ogolne1".
constexpr std::size_t kOgolneSplit = 30;

// Characters of a UTF-8 text from position first, at most count of them.
std::string Utf8Slice(const std::string& s, std::size_t first, std::size_t count) {
  std::size_t i = 0, chars = 0;
  auto next = [&] {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    ++chars;
  };
  while (i < s.size() && chars < first) next();
  const std::size_t start = i;
  chars = 0;
  while (i < s.size() && chars < count) next();
  return s.substr(start, i - start);
}

// Line breaks and other control characters would split or corrupt the listing.
std::string OneLine(std::string s) {
  for (char& c : s)
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  return s;
}

template <typename Int>
bool ReadInt(const TLineBuffer& lines, std::string_view key, Int& out) {
  const auto v = FindParNumber(lines, key);
  if (!v) return false;
  const double r = std::nearbyint(*v);
  if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
      r > static_cast<double>(std::numeric_limits<Int>::max()))
    return false;
  out = static_cast<Int>(r);
  return true;
}

bool ReadDouble(const TLineBuffer& lines, std::string_view key, double& out) {
  const auto v = FindParNumber(lines, key);
  if (!v) return false;
  out = *v;
  return true;
}

}  // namespace

char LocaleDecimalSeparator() {
  const std::lconv* lc = std::localeconv();
  return lc && lc->decimal_point && *lc->decimal_point ? *lc->decimal_point : '.';
}

std::string FormatGeneralFloat(double v, char sep) {
  if (v == 0.0 || !std::isfinite(v)) return "0";
  // Fifteen significant digits in scientific form, then the trailing zeros dropped.
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
  const std::string sci(buf, res.ptr);
  const bool negative = sci[0] == '-';
  const std::size_t e = sci.find('e');
  std::string digits = sci.substr(negative ? 1 : 0, e - (negative ? 1 : 0));
  digits.erase(1, 1);  // the point after the first digit
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int exp10 = std::atoi(sci.c_str() + e + 1);

  std::string out = negative ? "-" : "";
  if (std::fabs(v) < 0.00001 || exp10 >= 15) {
    out += digits[0];
    if (digits.size() > 1) out += sep + digits.substr(1);
    out += exp10 < 0 ? "E-" : "E+";
    out += std::to_string(std::abs(exp10));
  } else if (exp10 < 0) {
    out += "0";
    out += sep;
    out += std::string(static_cast<std::size_t>(-exp10 - 1), '0') + digits;
  } else {
    const auto intDigits = static_cast<std::size_t>(exp10) + 1;
    if (digits.size() <= intDigits) {
      out += digits + std::string(intDigits - digits.size(), '0');
    } else {
      out += digits.substr(0, intDigits);
      out += sep;
      out += digits.substr(intDigits);
    }
  }
  return out;
}

void ComposeParFile(const app::TParamSet& p, TLineBuffer& lines, char sep) {
  auto num = [sep](double v) { return FormatGeneralFloat(v, sep); };
  lines.Clear();
  lines.Add("Parametry przetwornika serii Vorta");
  lines.Add("");
  lines.Add("Device=" + OneLine(p.Device));
  lines.Add("");
  lines.Add("Czujnik:");
  lines.Add("Typ=" + std::to_string(p.Code.Typ));
  lines.Add("Tryb=" + std::to_string(p.Code.Tryb));
  lines.Add("Lin=" + std::to_string(p.Code.Lin));
  const bool withFile = p.TableLoaded && (p.Code.Typ == 15 || p.Code.Lin == 2);
  lines.Add(withFile ? "File=" + OneLine(BareFileName(p.File)) : "");
  lines.Add("");
  lines.Add("Parametry:");
  lines.Add("MinInput=" + num(p.P.MinInput));
  lines.Add("MaxInput=" + num(p.P.MaxInput));
  lines.Add("RoomT=" + num(p.P.RoomT));
  lines.Add("ZeroReg=" + num(p.P.ZeroReg));
  lines.Add("GainReg=" + num(p.P.GainReg));
  lines.Add("FiltrZakres=" + std::to_string(p.P.FiltrZakres));
  lines.Add("FiltrCzas=" + std::to_string(p.P.FiltrCzas));
  lines.Add("FiltrLimit=" + std::to_string(p.P.FiltrLimit));
  lines.Add("Burnout=" + std::to_string(p.P.Burnout));
  lines.Add("Siec=" + std::to_string(p.P.Siec));
  lines.Add("Jednostki=" + std::to_string(p.P.Jednostki));
  lines.Add("");
  lines.Add("Informacje:");
  lines.Add("Factory:");
  lines.Add("serial=" + OneLine(p.serial));
  lines.Add("data=" + OneLine(p.data));
  lines.Add("User:");
  lines.Add("kod=" + OneLine(p.kod));
  const std::string text = OneLine(p.ogolne);
  lines.Add("ogolne=" + Utf8Slice(text, 0, kOgolneSplit));
  lines.Add("ogolne1=" + Utf8Slice(text, kOgolneSplit, app::kOgolneCap - kOgolneSplit));
  lines.Add("");
  for (int i = 0; i < app::kLinCoefCount; ++i)
    lines.Add(p.Code.Lin > 2 ? std::string(kCoefKeys[i]) + "=" + num(p.LinCoef[static_cast<std::size_t>(i)])
                             : "");
}

TResult SaveParFile(const std::string& path, const app::TParamSet& p) {
  TLineBuffer lines;
  ComposeParFile(p, lines, LocaleDecimalSeparator());
  return lines.SaveToFile(path);
}

std::optional<std::string> FindParText(const TLineBuffer& lines, std::string_view key) {
  auto v = lines.Value(key);
  if (v) *v = EightBitToUtf8(*v);
  return v;
}

std::optional<double> FindParNumber(const TLineBuffer& lines, std::string_view key) {
  const auto text = lines.Value(key);
  double v = 0.0;
  if (!text || !StrToNumber(*text, v)) return std::nullopt;
  return v;
}

bool ReadParHeader(const TLineBuffer& lines, app::TParamSet& p) {
  const struct {
    std::string_view key;
    std::string* field;
    std::size_t cap;
  } texts[] = {{"Device", &p.Device, app::kDeviceCap},
               {"serial", &p.serial, app::kSerialCap},
               {"data", &p.data, app::kDateCap},
               {"kod", &p.kod, app::kKodCap},
               {"ogolne", &p.ogolne, app::kOgolneCap}};
  for (const auto& t : texts) {
    const auto v = FindParText(lines, t.key);
    if (!v) return false;
    app::SetText(*t.field, OneLine(*v), t.cap);
  }
  const auto rest = FindParText(lines, "ogolne1");
  if (!rest) return false;
  app::SetText(p.ogolne, p.ogolne + OneLine(*rest), app::kOgolneCap);
  const auto file = FindParText(lines, "File");
  p.File = file ? OneLine(*file) : std::string();
  return true;
}

bool ReadParValues(const TLineBuffer& lines, app::TParamSet& p) {
  if (!ReadInt(lines, "Typ", p.Code.Typ) || !ReadInt(lines, "Tryb", p.Code.Tryb) ||
      !ReadInt(lines, "Lin", p.Code.Lin))
    return false;
  if (!ReadDouble(lines, "MinInput", p.P.MinInput) || !ReadDouble(lines, "MaxInput", p.P.MaxInput) ||
      !ReadDouble(lines, "RoomT", p.P.RoomT) || !ReadDouble(lines, "ZeroReg", p.P.ZeroReg) ||
      !ReadDouble(lines, "GainReg", p.P.GainReg))
    return false;
  if (!ReadInt(lines, "FiltrZakres", p.P.FiltrZakres) || !ReadInt(lines, "FiltrCzas", p.P.FiltrCzas))
    return false;
  if (!ReadInt(lines, "FiltrLimit", p.P.FiltrLimit)) {
    // A missing or unreadable threshold means no threshold; one that does not fit 32 bits is damage.
    if (FindParNumber(lines, "FiltrLimit")) return false;
    p.P.FiltrLimit = 0;
  }
  if (!ReadInt(lines, "Burnout", p.P.Burnout) || !ReadInt(lines, "Siec", p.P.Siec) ||
      !ReadInt(lines, "Jednostki", p.P.Jednostki))
    return false;
  if (p.Code.Lin > 2) {
    for (int i = 0; i < app::kLinCoefCount; ++i)
      if (!ReadDouble(lines, kCoefKeys[i], p.LinCoef[static_cast<std::size_t>(i)])) return false;
  }
  return true;
}

TResult LoadParFile(const std::string& path, app::TParamSet& p, sensors::TSensorRangeTable& ranges,
                    app::TNormalised* replaced) {
  const TResult corrupted = TResult::Fail("Corrupted or wrong data file", path);
  TLineBuffer lines;
  if (!lines.LoadFromFile(path, kMaxParFileBytes)) return corrupted;
  app::TParamSet loaded = p;
  if (!ReadParHeader(lines, loaded) || !ReadParValues(lines, loaded)) return corrupted;
  loaded.FilterCount = -1;  // the file holds the time constant only

  // A table in memory belongs to the file only when the file names that very table.
  loaded.TableLoaded =
      p.TableLoaded && !loaded.File.empty() && BareFileName(loaded.File) == BareFileName(p.File);
  sensors::TSensorRangeTable loadedRanges = ranges;
  if (loaded.Code.Lin > 2) loadedRanges.SetUserRangeRounded(loaded.LinCoef[9], loaded.LinCoef[10]);
  loadedRanges.SetModelRanges(loaded.ModelCode());
  const app::TNormalised normalised = loaded.Normalise(loadedRanges);
  p = loaded;
  ranges = loadedRanges;
  if (replaced) *replaced = normalised;
  return TResult::Ok();
}

std::string DataDirOf(const std::string& path) {
  const auto slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash);
  return dir.size() > 60 ? std::string() : dir;
}

std::string BareFileName(std::string_view path) {
  const auto slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace vorta::docs
