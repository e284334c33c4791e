// Sensor code tests and name tables.
#include "app/sensor_code.h"

#include <array>

namespace vorta::app {
namespace {

constexpr std::array<std::string_view, 13> kModeNames = {
    "",    "",           "2-wire", "3-wire", "4-wire", "differential", "no CJC", "CJC",
    "sum", "difference", "max",    "min",    ""};

constexpr std::array<std::string_view, 21> kSensorNames = {"",
                                                           "Pt100 (0.00385)",
                                                           "Pt100 (0.00392)",
                                                           "Ni100",
                                                           "Cu100",
                                                           "R",
                                                           "B",
                                                           "C",
                                                           "E",
                                                           "J",
                                                           "K",
                                                           "N",
                                                           "R",
                                                           "S",
                                                           "T",
                                                           "X",
                                                           "V",
                                                           "I",
                                                           "V",
                                                           "",
                                                           ""};

constexpr std::array<std::string_view, 16> kUnitNames = {" ",
                                                         "V",
                                                         "mV",
                                                         "A",
                                                         "mA",
                                                         "Ohm",
                                                         "kOhm",
                                                         "K",
                                                         "\xC2\xB0"
                                                         "C",
                                                         "%",
                                                         "kg",
                                                         "m3/h",
                                                         " ",
                                                         " ",
                                                         " ",
                                                         " "};

template <std::size_t N>
std::string_view Lookup(const std::array<std::string_view, N>& table, int i) {
  return i >= 0 && i < static_cast<int>(N) ? table[static_cast<std::size_t>(i)] : std::string_view{};
}

}  // namespace

bool IsRtd(int typ) {
  return typ >= 1 && typ <= 4;
}

bool IsThermocouple(int typ) {
  return typ >= 6 && typ <= 15;
}

bool IsConvertedInput(int typ) {
  return typ == 5 || (typ >= 16 && typ <= 20);
}

bool UsesUserTable(int typ, int lin) {
  return typ == 15 || (IsConvertedInput(typ) && (lin == 2 || lin == 8));
}

bool HasFixedLimits(int typ, int lin) {
  if (typ == 15) return false;
  return !(IsConvertedInput(typ) && lin > 1);
}

std::string_view ModeNames(int tryb) {
  return Lookup(kModeNames, tryb);
}

std::string_view SensorNames(int typ) {
  return typ >= 1 && typ <= 20 ? Lookup(kSensorNames, typ) : std::string_view{};
}

std::string_view UnitName(int jednostki) {
  return Lookup(kUnitNames, jednostki);
}

}  // namespace vorta::app
