// Rules of the diagnostics window.
#include "service/diagn_rules.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "app/display_format.h"
#include "app/rounding.h"
#include "app/sensor_code.h"
#include "docs/str_to_number.h"

namespace vorta::service {

namespace {

std::string Format(const char* format, double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, std::isfinite(v) ? v : 0.0);
  return buf;
}

constexpr double kPresetLow = 3.5;
constexpr double kPresetHigh = 22.1;
constexpr double kEntryTolerance = 1e-6;
const std::string kDegrees =
    "\xC2\xB0"
    "C";

// Pairs of hexadecimal digits into bytes; false when a character is none.
bool HexBytes(std::string_view text, std::uint8_t* out, std::size_t count) {
  if (text.size() != 2 * count) return false;
  for (std::size_t i = 0; i < 2 * count; ++i) {
    const int c = std::toupper(static_cast<unsigned char>(text[i]));
    int v = 0;
    if (c >= '0' && c <= '9')
      v = c - '0';
    else if (c >= 'A' && c <= 'F')
      v = c - 'A' + 10;
    else
      return false;
    out[i / 2] = static_cast<std::uint8_t>(i % 2 == 0 ? v << 4 : out[i / 2] | v);
  }
  return true;
}

std::string InputKind(const app::TParamSet& p, const docs::TLangList& lang) {
  const int typ = p.Code.Typ;
  std::string s;
  if (typ == 5)
    s = lang.Value("Resistance");
  else if (typ == 16 || typ == 18)
    s = lang.Value("Voltage");
  else if (typ == 17)
    s = lang.Value("Current");
  else
    s = (typ >= 6 && typ <= 15 ? lang.Value("Thermocouple") + " " : std::string()) +
        std::string(app::SensorNames(typ));
  if (p.Code.Tryb == 6) {
    s += ", " + lang.Value("CJ temp.") + ": " + Format("%.1f", p.P.RoomT) + kDegrees;
  } else if (typ < 16 || typ > 18) {
    const std::string_view mode = app::ModeNames(p.Code.Tryb);
    s += ", " + (lang.Has(mode) ? lang.Value(mode) : std::string(mode));
  }
  if (p.Code.Lin > 1) s += (typ == 5 || (typ >= 16 && typ <= 20)) ? ", converted" : ", linearization";
  return s;
}

}  // namespace

std::uint8_t SelectorOfItem(int item) {
  return static_cast<std::uint8_t>(item >= 0 && item < kRegisterItems ? 1 << item : 0x10);
}

std::array<std::string, kRegisterItems> RegisterCaptions(int modelCode) {
  std::array<std::string, kRegisterItems> c = {"Iinpu", "RInpu",  "TInpu", "XInpu",
                                               "Meas",  "Result", "Wnorm", "Aver"};
  if (modelCode >= 37 && modelCode <= 39) {
    c[1] = "XInpu", c[2] = "OInpu", c[3] = "SInpu";
  } else if (modelCode == 97) {
    c[1] = "Freq", c[2] = "OInpu", c[3] = "Zcros";
  }
  return c;
}

std::string RegisterText(int item, double value, std::string_view unitName) {
  if (item == kWnormItem) return Format("%7.2f", value * 100) + " %   ";
  const std::string number = Format("%7.2f", value);
  if (item == kResultItem) return number + std::string(unitName);
  return number + "   ";
}

std::string DiagnOutputText(double current) {
  const double rounded = static_cast<double>(app::RoundHalfEven(current * 1000)) / 1000;
  return Format("%.3f", rounded) + " mA   ";
}

std::string StatusText(const TStatusFlags& f) {
  std::string s;
  if (f.calMode) s += "Calibration mode\r";
  if (f.independentOutput) s += "Independent output\r";
  if (f.eepromError) s += "EEPROM error\r";
  if (f.internalError)
    s += "Internal error\r";
  else if (f.brokenSensor)
    s += "Broken sensor\r";
  if (f.outOfRange) s += "Out of range\r";
  if (f.newAverage) s += "New average\r";
  if (f.largeError) s += "Large error";
  return s;
}

TPresetEntry CheckPreset(std::string_view text) {
  double v = 0;
  if (!docs::StrToNumber(text, v)) return {TPresetCheck::kWrongFormat, "12.000", 0};
  if (v < kPresetLow - kEntryTolerance) return {TPresetCheck::kOutOfRange, "3.500", 0};
  if (v > kPresetHigh + kEntryTolerance) return {TPresetCheck::kOutOfRange, "22.100", 0};
  return {TPresetCheck::kOk, Format("%.3f", v),
          static_cast<std::uint32_t>(app::RoundHalfEven(v * 36000 / 18))};
}

TReadAddress ReadAddressOf(int position, bool flash) {
  const int aligned = std::max(0, std::min(position, kMaxMemoryAddress)) / 4 * 4;
  return {aligned, static_cast<unsigned>(aligned) + (flash ? kFlashOffset : 0)};
}

std::string MemoryReplyText(const comm::TBuffer& reply, unsigned address) {
  if (reply[0] < 7 || reply[2] != ((address >> 8) & 0xFF) || reply[3] != (address & 0xFF)) return {};
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02X %02X %02X %02X", reply[4], reply[5], reply[6], reply[7]);
  return buf;
}

TMemoryWrite MemoryWriteOf(std::string_view text, bool flash, int address) {
  std::uint8_t b[4] = {};
  if (flash) {
    if (text.size() != 9 || std::toupper(static_cast<unsigned char>(text[0])) != 'O' ||
        !HexBytes(text.substr(1), b, 4))
      return {};
    const std::uint32_t arg = static_cast<std::uint32_t>(b[0]) << 24 |
                              static_cast<std::uint32_t>(b[1]) << 16 | static_cast<std::uint32_t>(b[2]) << 8 |
                              b[3];
    return {TWriteKind::kSpecial, 'O', arg};
  }
  if (text.size() == 4 && text[0] == 'L') return {TWriteKind::kNothing, 0, 0};
  if (!HexBytes(text, b, 1)) return {};
  if (address < 0 || static_cast<unsigned>(address) > kLastByteAddress) return {TWriteKind::kNothing, 0, 0};
  return {TWriteKind::kByte, 'D',
          static_cast<std::uint32_t>(b[0]) << 16 | static_cast<std::uint32_t>(address)};
}

std::string ConfigSummary(const app::TParamSet& p, const sensors::TSensorRangeTable& ranges,
                          const docs::TLangList& lang) {
  std::string s = InputKind(p, lang) + "\r";
  s += "Range: " + app::RangeText(p, ranges, p.P.MinInput) + ".." + app::RangeText(p, ranges, p.P.MaxInput) +
       " " + std::string(app::UnitName(p.P.Jednostki)) + "\r";
  s += "Zero:  " + Format("%.2f", p.P.ZeroReg) + "%   " + "Gain:  " + Format("%.2f", p.P.GainReg) + "%\r";
  s += "Filter:  " + Format("%.1f", p.P.FiltrZakres * 0.1) + "%   " + Format("%.1f", p.P.FiltrCzas * 0.1) +
       "s   \r";
  const bool calKnown = p.CalTemp > 16.0 && p.CalTemp < 31.9375;
  s += "Cal. temperature: " + (calKnown ? Format("%.2f", p.CalTemp) + kDegrees : std::string("-- ")) + "\r";
  s += "Calibration date: " + p.CalDate + "\r";
  s += "Config. date:      " + p.data + "\r";
  s += "Inner code version: " + p.CodeVersion;
  return s;
}

}  // namespace vorta::service
