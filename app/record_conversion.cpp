// Decoding and encoding of the transmitter record.
#include "app/record_conversion.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "app/param_set.h"
#include "sensors/sensor_range.h"
#include "sensors/sensor_signal.h"
#include "sensors/table_file.h"

namespace vorta::app {
namespace {

using comm::TDeviceRecord;
using sensors::TCharResult;
using sensors::TCharStatus;

struct TModelRow {
  int model;
  TModelGroup group;
};

constexpr std::array<TModelRow, 9> kModelGroups = {{
    {37, TModelGroup::kA},
    {38, TModelGroup::kA},
    {39, TModelGroup::kA},
    {60, TModelGroup::kA},
    {47, TModelGroup::kB},
    {48, TModelGroup::kB},
    {49, TModelGroup::kB},
    {90, TModelGroup::kC},
    {97, TModelGroup::kC},
}};

constexpr std::size_t kCoefOffset = 1796;  // LinA .. LinK, 11 floats

constexpr std::chrono::sys_days kDayZero = std::chrono::year{1899} / 12 / 30;

TCharResult Refuse(const char* reason) {
  return {TCharStatus::kInvalid, reason};
}

// Appends the UTF-8 form of one ISO-8859-1 byte.
void AppendLatin1(std::string& out, std::uint8_t b) {
  if (b < 0x80) {
    out.push_back(static_cast<char>(b));
  } else {
    out.push_back(static_cast<char>(0xC0 | b >> 6));
    out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
  }
}

// The code point of the UTF-8 sequence at text[i], advancing i; -1 for an invalid sequence.
long NextCodePoint(std::string_view text, std::size_t& i) {
  const auto b = static_cast<unsigned char>(text[i++]);
  if (b < 0x80) return b;
  const int extra = (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
  if (extra < 0) return -1;
  long cp = b & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return -1;
    cp = cp << 6 | (static_cast<unsigned char>(text[i++]) & 0x3F);
  }
  return cp;
}

void PutText(TDeviceRecord& r, std::size_t offset, std::size_t size, std::string_view text) {
  const std::string bytes = TextToRecordBytes(text, size);
  for (std::size_t i = 0; i < size; ++i)
    r[offset + i] = i < bytes.size() ? static_cast<std::uint8_t>(bytes[i]) : 255;
}

// The Tryb that a mode byte gives for the model group.
int DecodeMode(TModelGroup group, std::uint8_t modeByte) {
  if (group == TModelGroup::kC) return 5;
  if (group == TModelGroup::kA) {
    const int m = modeByte & 15;
    if (m <= 7) return 5;
    return 8 + (m - 8) / 2;  // 8, 9: sum; 10, 11: difference; 12, 13: max; 14, 15: min
  }
  constexpr std::array<int, 8> kSchemeB = {5, 6, 7, 1, 3, 4, 2, 1};
  return kSchemeB[modeByte & 7];
}

// The mode byte (before the burnout and mains bits) for the model group.
std::uint8_t EncodeMode(TModelGroup group, int tryb, int typ) {
  switch (group) {
    case TModelGroup::kA: {
      const int m = tryb >= 8 && tryb <= 11 ? 8 + 2 * (tryb - 8) : 0;
      return static_cast<std::uint8_t>(m + (typ == 18 ? 1 : 0));
    }
    case TModelGroup::kB: {
      constexpr std::array<int, 12> kByTryb = {0, 0, 6, 4, 5, 0, 1, 2, 2, 0, 0, 0};
      const int m = tryb >= 0 && tryb < 12 ? kByTryb[static_cast<std::size_t>(tryb)] : 0;
      return static_cast<std::uint8_t>(m + (typ == 5 || typ == 16 ? 8 : 0));
    }
    case TModelGroup::kC:
      return typ == 18 ? 1 : 0;
    default:
      return 0;
  }
}

// Rows 17 and 18 from the record for the models with their own current and voltage ranges.
void DecodeInputRanges(const TDeviceRecord& r, int model, int typ) {
  if (sensors::ModelRangeOf(model) == nullptr || (typ != 17 && typ != 18)) return;
  std::array<std::int32_t, 4> v{};
  bool allZero = true;
  for (std::size_t i = 0; i < 4; ++i) {
    v[i] = static_cast<std::int16_t>(r[2032 + 2 * i] | r[2033 + 2 * i] << 8);
    allZero = allZero && v[i] == 0;
  }
  if (allZero) {
    sensors::SetModelRanges(model);
    return;
  }
  sensors::SensorRangeTable()[17] = {v[0], v[1]};
  sensors::SensorRangeTable()[18] = {v[2], v[3]};
}

void DecodeKind(const TDeviceRecord& r, TParamSet& p) {
  const int kind = r[kKindOffset] + r[kKindOffset + 1] + r[kKindOffset + 2];
  if (kind == 3) {
    std::size_t n = 0;
    while (n < 61 && r[kKindOffset + 3 + n] != 255) ++n;
    p.File = RecordBytesToText(&r.b[kKindOffset + 3], n);
    return;
  }
  for (std::size_t i = 0; i < p.LinCoef.size(); ++i)
    p.LinCoef[i] = kind == 6 || kind == 9 ? r.GetFloat(kCoefOffset + 4 * i) : 0.0;
  if (kind == 6) {
    sensors::SetUserRangeRounded(p.LinCoef[9], p.LinCoef[10]);
  } else {
    p.File.clear();
  }
}

// The mode, configuration bytes and floats of the encoding; false when a value does not fit.
const char* EncodeSettings(const TParamSet& p, int model, int day, TDeviceRecord& r) {
  const int count = static_cast<int>(
      std::clamp<long long>(RoundHalfEven(p.P.FiltrCzas / (10.0 * TimeStepOfModel(model))), -1, 256));
  if (count < 0 || count > 255) return "Time constant";
  if (p.P.FiltrZakres < 0 || p.P.FiltrZakres > 255) return "Filtration range";
  if (p.P.FiltrLimit < 0 || p.P.FiltrLimit > 255) return "Spurious error threshold";
  if (p.P.Jednostki < 0 || p.P.Jednostki > 15) return "Eng. units";
  if (!r.SetFloat(88, p.P.MinInput) || !r.SetFloat(92, p.P.MaxInput - p.P.MinInput) ||
      !r.SetFloat(2016, p.P.RoomT) || !r.SetFloat(2020, p.P.ZeroReg) || !r.SetFloat(2024, p.P.GainReg))
    return "Out of range!";
  r[0] = '1';
  r[1] = 'U';
  std::uint8_t mode = EncodeMode(ModelGroupOf(model), p.Code.Tryb, p.Code.Typ);
  if (p.P.Burnout == 1) mode = static_cast<std::uint8_t>(mode + 128);
  if (p.P.Siec == 50) mode = static_cast<std::uint8_t>(mode + 64);
  if (p.P.Burnout == 2) mode = static_cast<std::uint8_t>(mode + 16);
  r[2] = r[3] = mode;
  r[4] = static_cast<std::uint8_t>(count);
  r[5] = static_cast<std::uint8_t>(p.P.FiltrZakres);
  r[6] = static_cast<std::uint8_t>(p.P.FiltrLimit);
  r[7] = static_cast<std::uint8_t>(p.P.Jednostki);
  r.SetWord(2028, static_cast<std::uint16_t>(day));
  r[2030] = p.Code.Typ;
  r[2031] = p.Code.Lin;
  return nullptr;
}

// The characteristic kind area, 1792 .. 1855; false when a coefficient does not fit the format.
bool EncodeKind(const TParamSet& p, TDeviceRecord& r) {
  const int lin = p.Code.Lin;
  for (std::size_t i = 0; i < kKindSize; ++i) r[kKindOffset + i] = 255;
  if (lin == 1 || lin == 2) {
    for (std::size_t i = 0; i < 3; ++i) r[kKindOffset + i] = 1;
    std::string name = p.TableLoaded ? TextToRecordBytes(sensors::BareFileName(p.File), 61) : std::string();
    if (name.size() > 60) name.clear();
    for (std::size_t i = 0; i < name.size(); ++i) r[kKindOffset + 3 + i] = static_cast<std::uint8_t>(name[i]);
  } else if (lin == 4 || lin == 8) {
    for (std::size_t i = 0; i < 3; ++i) r[kKindOffset + i] = lin == 4 ? 2 : 3;
    for (std::size_t i = 0; i < p.LinCoef.size(); ++i)
      if (!r.SetFloat(kCoefOffset + 4 * i, p.LinCoef[i])) return false;
  }
  return true;
}

void SetChecksum(TDeviceRecord& r) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < 8; ++i) sum += r[i];
  for (std::size_t i = 68; i < 1712; ++i) sum += r[i];
  r[kChecksumOffset] = static_cast<std::uint8_t>(255 - sum % 256);
}

}  // namespace

TModelGroup ModelGroupOf(int modelCode) {
  for (const TModelRow& row : kModelGroups)
    if (row.model == modelCode) return row.group;
  return TModelGroup::kOther;
}

std::string DayNumberText(unsigned dayNumber) {
  if (dayNumber == 0) return "never";
  const std::chrono::year_month_day d{kDayZero + std::chrono::days{dayNumber}};
  char text[16];
  std::snprintf(text, sizeof text, "%02u.%02u.%04d", static_cast<unsigned>(d.day()),
                static_cast<unsigned>(d.month()), static_cast<int>(d.year()));
  return text;
}

int TodayDayNumber() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::chrono::sys_days today = std::chrono::year{local.tm_year + 1900} /
                                      std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)} /
                                      std::chrono::day{static_cast<unsigned>(local.tm_mday)};
  return static_cast<int>((today - kDayZero).count());
}

std::string RecordBytesToText(const std::uint8_t* bytes, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) {
    if (bytes[i] == 255) continue;
    AppendLatin1(out, bytes[i] < 32 ? ' ' : bytes[i]);
  }
  return out;
}

std::string TextToRecordBytes(std::string_view utf8, std::size_t cap) {
  std::string out;
  std::size_t i = 0;
  while (i < utf8.size() && out.size() < cap) {
    const long cp = NextCodePoint(utf8, i);
    if (cp >= 0 && cp < 32) {
      out.push_back(' ');
    } else if (cp < 0 || cp >= 255) {
      out.push_back('?');
    } else {
      out.push_back(static_cast<char>(cp));
    }
  }
  return out;
}

void DecodeRecord() {
  const TDeviceRecord& r = comm::DeviceRecord();
  TParamSet& p = Param();
  char device[8];
  std::snprintf(device, sizeof device, "VTX%02u", r.GetWord(16) % 100u);
  p.Device = device;
  const int model = p.ModelCode();
  p.CalDate = DayNumberText(r.GetWord(18));
  p.data = DayNumberText(r.GetWord(2028));
  p.CalTemp = r[20] / 16.0 + 16.0;
  p.serial = std::to_string(r[21] << 16 | r[22] << 8 | r[23]);
  p.P.ResultLow = r.GetFloat(80);
  p.P.ResultHigh = p.P.ResultLow + 200 * r.GetFloat(84);
  p.P.MinInput = r.GetFloat(88);
  p.P.MaxInput = p.P.MinInput + r.GetFloat(92);
  p.P.RoomT = r.GetFloat(2016);
  p.P.ZeroReg = r.GetFloat(2020);
  p.P.GainReg = r.GetFloat(2024);
  p.P.FiltrLimit = r[6];
  p.P.FiltrZakres = r[5];
  p.P.FiltrCzas = FiltrCzasFromCount(r[4], TimeStepOfModel(model));
  p.P.Jednostki = r[7] & 15;
  p.P.Burnout = (r[2] & 0x80) ? 1 : 0;
  if (r[2] & 0x10) p.P.Burnout = 2;
  p.P.Siec = (r[2] & 0x40) ? 50 : 60;
  p.Code.Typ = r[2030];
  p.Code.Lin = r[2031];
  DecodeInputRanges(r, model, p.Code.Typ);
  p.Code.Tryb = static_cast<std::uint8_t>(DecodeMode(ModelGroupOf(model), r[2]));
  p.Normalise();
  p.kod = RecordBytesToText(&r.b[kKodOffset], 16);
  p.ogolne = RecordBytesToText(&r.b[kOgolneOffset], 64);
  DecodeKind(r, p);
  p.CodeVersion = RecordBytesToText(&r.b[2048], 4);
}

sensors::TCharResult EncodeRecord(const TEncodeOptions& options) {
  const TParamSet& p = Param();
  if (p.noTab()) return Refuse("No data available");
  if (!sensors::RangeCheck()) return Refuse("Input range too small!");
  const int model = p.Device.empty() ? options.connectedModel : p.ModelCode();
  TDeviceRecord r = comm::DeviceRecord();
  if (const char* fault =
          EncodeSettings(p, model, options.dayNumber < 0 ? TodayDayNumber() : options.dayNumber, r))
    return Refuse(fault);
  PutText(r, kKodOffset, 16, p.kod);
  PutText(r, kOgolneOffset, 64, p.ogolne);
  if (!EncodeKind(p, r)) return Refuse("Out of range!");
  const TCharResult result = sensors::EncodeCharacteristic(r);
  if (result.status != TCharStatus::kOk && result.status != TCharStatus::kNotMonotonic) return result;
  SetChecksum(r);
  comm::DeviceRecord() = r;
  return result;
}

void EncodeTexts() {
  TDeviceRecord& r = comm::DeviceRecord();
  PutText(r, kKodOffset, 16, Param().kod);
  PutText(r, kOgolneOffset, 64, Param().ogolne);
}

}  // namespace vorta::app
