// Reading and writing the settings file.
#include "app/settings.h"

#include <cmath>
#include <limits>

#include "docs/str_to_number.h"

namespace vorta::app {
namespace {

// The fixed key the stored password is combined with: 50 ASCII characters, so that an ASCII
// password character combined with it and offset by 31 stays a single byte above the line ends.
constexpr std::string_view kPassKey = "K7#QZ2;W5@X9(R1%M4^T8&N6*P3=V0?L8!G2$J5+H7[D1]F4<Y";
static_assert(kPassKey.size() == 50);

template <typename Int>
bool ReadInteger(const docs::TLineBuffer& lines, std::string_view key, Int& out) {
  const auto text = lines.Value(key);
  double v = 0.0;
  if (!text || !docs::StrToNumber(*text, v)) return false;
  const double r = std::nearbyint(v);
  if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
      r > static_cast<double>(std::numeric_limits<Int>::max()))
    return false;
  out = static_cast<Int>(r);
  return true;
}

}  // namespace

void ReadSettings(const docs::TLineBuffer& lines, const TDesktop& desk, TSettings& s) {
  ReadInteger(lines, "ComPort", s.ComPort);
  double rt = 0.0;
  if (const auto text = lines.Value("RTPriority"); text && docs::StrToNumber(*text, rt))
    s.RTPriority = rt != 0.0;

  std::int32_t left = 0, top = 0;
  if (ReadInteger(lines, "MainLeft", left) && ReadInteger(lines, "MainTop", top)) {
    if (left > desk.left && left < desk.width - 489) s.MainLeft = left;
    if (top > desk.top && top < desk.height - 401) s.MainTop = top;
  }
  if (const auto v = lines.Value("Language"); v && v->size() >= 2 && v->size() <= 12) s.Language = *v;
  if (const auto v = lines.Value("DataDir"); v && v->size() >= 2 && v->size() <= 60) s.DataDir = *v;
  if (const auto v = lines.Value("Pass"); v && !v->empty() && v->size() < 31) {
    const std::string pass = UnscramblePassword(*v);
    if (ValidPassword(pass)) s.Pass = pass;
  }
  if (const auto v = lines.Value("HistoryDir"); v && !v->empty() && v->size() <= kMaxHistoryDirLength)
    s.HistoryDir = *v;
}

bool LoadSettingsFile(const std::string& dir, const TDesktop& desktop, TSettings& s) {
  s = TSettings{};
  s.DataDir = dir;
  docs::TLineBuffer lines;
  if (!lines.LoadFromFile(dir + "/" + kSettingsFileName, kMaxSettingsBytes)) return false;
  ReadSettings(lines, desktop, s);
  return true;
}

void ComposeSettings(const TSettings& s, docs::TLineBuffer& lines) {
  lines.Clear();
  lines.Add("Vorta initial parameters:");
  lines.Add("");
  lines.Add("ComPort=" + std::to_string(s.ComPort));
  lines.Add(std::string("RTPriority=") + (s.RTPriority ? "1" : "0"));
  lines.Add("");
  lines.Add("MainLeft=" + std::to_string(s.MainLeft));
  lines.Add("MainTop=" + std::to_string(s.MainTop));
  lines.Add("");
  lines.Add("Language=" + s.Language);
  lines.Add("DataDir=" + s.DataDir);
  lines.Add("Pass=" + ScramblePassword(s.Pass));
  if (!s.HistoryDir.empty()) lines.Add("HistoryDir=" + s.HistoryDir);
}

TResult SaveSettingsFile(const std::string& dir, const TSettings& s) {
  docs::TLineBuffer lines;
  ComposeSettings(s, lines);
  return lines.SaveToFile(dir + "/" + kSettingsFileName);
}

bool ValidPassword(std::string_view text) {
  if (text.empty() || text.size() > 30) return false;
  for (const char c : text)
    if (c < 32 || c > 126) return false;
  return true;
}

std::string ScramblePassword(std::string_view password) {
  std::string out;
  for (std::size_t i = 0; i < password.size() && i < kPassKey.size(); ++i)
    out += static_cast<char>(
        (static_cast<unsigned char>(password[i]) ^ static_cast<unsigned char>(kPassKey[i])) + 31);
  return out;
}

std::string UnscramblePassword(std::string_view stored) {
  std::string out;
  for (std::size_t i = 0; i < stored.size() && i < kPassKey.size(); ++i) {
    const int c = static_cast<unsigned char>(stored[i]) - 31;
    out += static_cast<char>((c & 0xFF) ^ static_cast<unsigned char>(kPassKey[i]));
  }
  return out;
}

}  // namespace vorta::app
