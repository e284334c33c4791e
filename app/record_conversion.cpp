// Decoding and encoding of the transmitter record.
#include "app/record_conversion.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "app/rounding.h"
#include "comm/record_layout.h"
#include "sensors/sensor_signal.h"
#include "sensors/table_file.h"

namespace vorta::app {
namespace {

using comm::TDeviceRecord;
namespace rec = comm::rec;

constexpr std::chrono::sys_days kDayZero = std::chrono::year{1899} / 12 / 30;

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
void DecodeInputRanges(const TDeviceRecord& r, int model, int typ, sensors::TSensorRangeTable& ranges) {
  const TModelRow* row = ModelRowOf(model);
  if (row == nullptr || !row->ownInputRanges || (typ != 17 && typ != 18)) return;
  std::array<std::int32_t, 4> v{};
  bool allZero = true;
  for (std::size_t i = 0; i < 4; ++i) {
    v[i] = static_cast<std::int16_t>(r[rec::kInputRanges + 2 * i] | r[rec::kInputRanges + 1 + 2 * i] << 8);
    allZero = allZero && v[i] == 0;
  }
  if (allZero) {
    ranges.SetModelRanges(model);
    return;
  }
  ranges[17] = {v[0], v[1]};
  ranges[18] = {v[2], v[3]};
}

void DecodeKind(const TDeviceRecord& r, TParamSet& p, sensors::TSensorRangeTable& ranges) {
  const int kind = r[rec::kKind] + r[rec::kKind + 1] + r[rec::kKind + 2];
  if (kind == 3) {
    std::size_t n = 0;
    while (n < 61 && r[rec::kKind + 3 + n] != 255) ++n;
    p.File = RecordBytesToText(&r.b[rec::kKind + 3], n);
    return;
  }
  for (std::size_t i = 0; i < p.LinCoef.size(); ++i)
    p.LinCoef[i] = kind == 6 || kind == 9 ? r.GetFloat(rec::kCoefficients + 4 * i) : 0.0;
  if (kind == 6) {
    ranges.SetUserRangeRounded(p.LinCoef[9], p.LinCoef[10]);
  } else {
    p.File.clear();
  }
}

// The mode, configuration bytes and floats of the encoding; false when a value does not fit.
// The device count of the time constant: the count that was read while the time constant still
// shows it, otherwise the time constant converted at the model's step.
int FilterCountOf(const TParamSet& p, int model) {
  const double step = TimeStepOfModel(model);
  if (p.FilterCount >= 0 && p.FilterCount <= 255 && FiltrCzasFromCount(p.FilterCount, step) == p.P.FiltrCzas)
    return p.FilterCount;
  return static_cast<int>(std::clamp<long long>(RoundHalfEven(p.P.FiltrCzas / (10.0 * step)), -1, 256));
}

const char* EncodeSettings(const TParamSet& p, int model, int day, TDeviceRecord& r) {
  const int count = FilterCountOf(p, model);
  if (count < 0 || count > 255) return "Time constant";
  if (p.P.FiltrZakres < 0 || p.P.FiltrZakres > 255) return "Filtration range";
  if (p.P.FiltrLimit < 0 || p.P.FiltrLimit > 255) return "Spurious error threshold";
  if (p.P.Jednostki < 0 || p.P.Jednostki > 15) return "Eng. units";
  if (!r.SetFloat(rec::kMinInput, p.P.MinInput) ||
      !r.SetFloat(rec::kInputSpan, p.P.MaxInput - p.P.MinInput) || !r.SetFloat(rec::kRoomT, p.P.RoomT) ||
      !r.SetFloat(rec::kZeroReg, p.P.ZeroReg) || !r.SetFloat(rec::kGainReg, p.P.GainReg))
    return "Out of range!";
  r[0] = '1';
  r[1] = 'U';
  std::uint8_t mode = EncodeMode(ModelGroupOf(model), p.Code.Tryb, p.Code.Typ);
  if (p.P.Burnout == 1) mode = static_cast<std::uint8_t>(mode + 128);
  if (p.P.Siec == 50) mode = static_cast<std::uint8_t>(mode + 64);
  if (p.P.Burnout == 2) mode = static_cast<std::uint8_t>(mode + 16);
  r[rec::kModeByte] = r[rec::kModeByte + 1] = mode;
  r[rec::kFilterCount] = static_cast<std::uint8_t>(count);
  r[rec::kFiltrZakres] = static_cast<std::uint8_t>(p.P.FiltrZakres);
  r[rec::kFiltrLimit] = static_cast<std::uint8_t>(p.P.FiltrLimit);
  r[rec::kUnits] = static_cast<std::uint8_t>(p.P.Jednostki);
  r.SetWord(rec::kConfigDate, static_cast<std::uint16_t>(day));
  r[rec::kTyp] = p.Code.Typ;
  r[rec::kLin] = p.Code.Lin;
  return nullptr;
}

// The characteristic kind area, 1792 .. 1855; false when a coefficient does not fit the format.
bool EncodeKind(const TParamSet& p, TDeviceRecord& r) {
  const int lin = p.Code.Lin;
  for (std::size_t i = 0; i < rec::kKindSize; ++i) r[rec::kKind + i] = 255;
  if (lin == 1 || lin == 2) {
    for (std::size_t i = 0; i < 3; ++i) r[rec::kKind + i] = 1;
    std::string name = p.TableLoaded ? TextToRecordBytes(sensors::BareFileName(p.File), 61) : std::string();
    if (name.size() > 60) name.clear();
    for (std::size_t i = 0; i < name.size(); ++i) r[rec::kKind + 3 + i] = static_cast<std::uint8_t>(name[i]);
  } else if (lin == 4 || lin == 8) {
    for (std::size_t i = 0; i < 3; ++i) r[rec::kKind + i] = lin == 4 ? 2 : 3;
    for (std::size_t i = 0; i < p.LinCoef.size(); ++i)
      if (!r.SetFloat(rec::kCoefficients + 4 * i, p.LinCoef[i])) return false;
  }
  return true;
}

void SetChecksum(TDeviceRecord& r) {
  unsigned sum = 0;
  for (std::size_t i = rec::kConfig; i < rec::kConfig + rec::kConfigSize; ++i) sum += r[i];
  for (std::size_t i = rec::kCjTerms; i < rec::kKod; ++i) sum += r[i];
  r[rec::kChecksum] = static_cast<std::uint8_t>(255 - sum % 256);
}

}  // namespace

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

std::string SerialText(const TDeviceRecord& r) {
  return std::to_string(r[rec::kSerial] << 16 | r[rec::kSerial + 1] << 8 | r[rec::kSerial + 2]);
}

void DecodeRecord(const TDeviceRecord& r, TParamSet& p, sensors::TSensorRangeTable& ranges) {
  char device[8];
  std::snprintf(device, sizeof device, "VTX%02u", r.GetWord(rec::kDeviceWord) % 100u);
  p.Device = device;
  const int model = p.ModelCode();
  p.CalDate = DayNumberText(r.GetWord(rec::kCalDate));
  p.data = DayNumberText(r.GetWord(rec::kConfigDate));
  p.CalTemp = r[rec::kCalTemp] / 16.0 + 16.0;
  p.serial = SerialText(r);
  p.P.ResultLow = r.GetFloat(rec::kSmin);
  p.P.ResultHigh = p.P.ResultLow + 200 * r.GetFloat(rec::kStep);
  p.P.MinInput = r.GetFloat(rec::kMinInput);
  p.P.MaxInput = p.P.MinInput + r.GetFloat(rec::kInputSpan);
  p.P.RoomT = r.GetFloat(rec::kRoomT);
  p.P.ZeroReg = r.GetFloat(rec::kZeroReg);
  p.P.GainReg = r.GetFloat(rec::kGainReg);
  p.P.FiltrLimit = r[rec::kFiltrLimit];
  p.P.FiltrZakres = r[rec::kFiltrZakres];
  p.FilterCount = r[rec::kFilterCount];
  p.P.FiltrCzas = FiltrCzasFromCount(p.FilterCount, TimeStepOfModel(model));
  p.P.Jednostki = r[rec::kUnits] & 15;
  const std::uint8_t mode = r[rec::kModeByte];
  p.P.Burnout = (mode & 0x80) ? 1 : 0;
  if (mode & 0x10) p.P.Burnout = 2;
  p.P.Siec = (mode & 0x40) ? 50 : 60;
  p.Code.Typ = r[rec::kTyp];
  p.Code.Lin = r[rec::kLin];
  DecodeInputRanges(r, model, p.Code.Typ, ranges);
  p.Code.Tryb = static_cast<std::uint8_t>(DecodeMode(ModelGroupOf(model), mode));
  p.Normalise(ranges);
  p.kod = RecordBytesToText(&r.b[rec::kKod], rec::kKodSize);
  p.ogolne = RecordBytesToText(&r.b[rec::kOgolne], rec::kOgolneSize);
  DecodeKind(r, p, ranges);
  p.CodeVersion = RecordBytesToText(&r.b[rec::kCodeVersion], rec::kCodeVersionSize);
}

void TakeReadRecord(const TDeviceRecord& r, TParamSet& p, sensors::TSensorRangeTable& ranges) {
  const std::string loadedTable = p.TableLoaded ? sensors::BareFileName(p.File) : std::string();
  DecodeRecord(r, p, ranges);
  p.TableLoaded = !p.File.empty() && sensors::BareFileName(p.File) == loadedTable;
  double sum = 0.0;
  for (double c : p.LinCoef) sum += std::fabs(c);
  p.CoefMissing = p.Code.Lin > 2 && sum == 0.0;
}

TResult EncodeRecord(TParamSet& p, const sensors::TUserTable& table, const sensors::TSensorRangeTable& ranges,
                     const TEncodeOptions& options, TDeviceRecord& rec, sensors::TCharacteristic* c) {
  if (p.noTab()) return TResult::Fail("No data available");
  const sensors::TSensorData data{p, table, ranges};
  if (!sensors::RangeCheck(data)) return TResult::Fail("Input range too small!");
  const int model = p.Device.empty() ? options.connectedModel : p.ModelCode();
  TDeviceRecord r = rec;
  if (const char* fault =
          EncodeSettings(p, model, options.dayNumber < 0 ? TodayDayNumber() : options.dayNumber, r))
    return TResult::Fail(fault);
  PutText(r, rec::kKod, rec::kKodSize, p.kod);
  PutText(r, rec::kOgolne, rec::kOgolneSize, p.ogolne);
  if (!EncodeKind(p, r)) return TResult::Fail("Out of range!");
  sensors::TCharacteristic local;
  sensors::TCharacteristic& ch = c ? *c : local;
  if (TResult result = sensors::EncodeCharacteristic(data, r, ch); !result) return result;
  SetChecksum(r);
  rec = r;
  p.P.ResultLow = ch.smin;
  p.P.ResultHigh = ch.smax;
  return TResult::Ok();
}

void EncodeTexts(const TParamSet& p, TDeviceRecord& r) {
  PutText(r, rec::kKod, rec::kKodSize, p.kod);
  PutText(r, rec::kOgolne, rec::kOgolneSize, p.ogolne);
}

}  // namespace vorta::app
