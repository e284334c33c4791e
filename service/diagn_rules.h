// The rules of the diagnostics window: the register selector and captions, the value, output and
// status texts, the output preset, and the memory reads and writes of single bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/param_set.h"
#include "comm/frame.h"
#include "docs/lang_list.h"
#include "sensors/sensor_range.h"

namespace vorta::service {

inline constexpr int kRegisterItems = 8;
inline constexpr int kMeasItem = 4;  // "Meas", selector 0x10, the item at opening
inline constexpr int kResultItem = 5;
inline constexpr int kWnormItem = 6;
inline constexpr int kMaxMemoryAddress = 2752;
inline constexpr unsigned kFlashOffset = 0x400;
inline constexpr unsigned kLastByteAddress = 0x1FF;  // single bytes are written below 0x200

// Selector of a register item: 1 shifted left by the item.
std::uint8_t SelectorOfItem(int item);
// Captions of the eight items; items 1..3 depend on the model code.
std::array<std::string, kRegisterItems> RegisterCaptions(int modelCode);
// A register value as its panel shows it: two decimals in 7 characters, then three spaces; the
// result item puts the unit name in place of the spaces, the Wnorm item shows percent.
std::string RegisterText(int item, double value, std::string_view unitName);
// The output current: three decimals and " mA   ".
std::string DiagnOutputText(double current);

struct TStatusFlags {
  bool calMode = false;
  bool independentOutput = false;
  bool eepromError = false;
  bool internalError = false;
  bool brokenSensor = false;
  bool outOfRange = false;
  bool newAverage = false;
  bool largeError = false;
};
// One flag per line, each line ended by a carriage return except "Large error".
std::string StatusText(const TStatusFlags& f);

enum class TPresetCheck { kOk, kWrongFormat, kOutOfRange };
struct TPresetEntry {
  TPresetCheck check = TPresetCheck::kOk;
  std::string text;        // what the field shows afterwards
  std::uint32_t word = 0;  // kOk: the value of 'o', current x 36000 / 18
};
// The output preset: 3.5..22.1 mA (widened by 1e-6), shown with three decimals; a text that is no
// number gives "12.000", a value beyond a limit the nearer limit "3.500" / "22.100".
TPresetEntry CheckPreset(std::string_view text);

// The address of a 4-byte read: the up-down position rounded down to a multiple of 4 (which the
// up-down then shows), plus 0x400 in the flash space.
struct TReadAddress {
  int position = 0;
  unsigned address = 0;
};
TReadAddress ReadAddressOf(int position, bool flash);
// The four data bytes of a memory read reply ("00 1A FF 3C") when it echoes the address; empty
// otherwise. reply: length byte and data as DirectRead copies them.
std::string MemoryReplyText(const comm::TBuffer& reply, unsigned address);

// What a memory write entry sends.
enum class TWriteKind {
  kInvalid,  // not a valid entry: a beep
  kNothing,  // accepted, nothing to send
  kByte,     // 'D' with one byte: arg = value x 65536 + address
  kSpecial,  // 'O': the four bytes of the entry to the service word
};
struct TMemoryWrite {
  TWriteKind kind = TWriteKind::kInvalid;
  std::uint8_t letter = 0;
  std::uint32_t arg = 0;
};
// flash: "O" and eight hexadecimal digits; otherwise two hexadecimal digits for the byte at
// address (below 0x200; from there nothing is sent), or four characters starting with "L".
TMemoryWrite MemoryWriteOf(std::string_view text, bool flash, int address);

// The configuration summary, one line per entry, separated by carriage returns.
std::string ConfigSummary(const app::TParamSet& p, const sensors::TSensorRangeTable& ranges,
                          const docs::TLangList& lang);

}  // namespace vorta::service
