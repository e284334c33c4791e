// Mode and sensor names, units by input type, and the fit of a characteristic to an input.
#include "sensors/catalogue.h"

#include <array>
#include <cmath>

#include "docs/lang_list.h"
#include "sensors/sensor_range.h"
#include "sensors/sensor_signal.h"

namespace vorta::sensors {
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

}  // namespace

std::string_view ModeNames(int tryb) {
  return tryb >= 0 && tryb < static_cast<int>(kModeNames.size()) ? kModeNames[static_cast<std::size_t>(tryb)]
                                                                 : std::string_view{};
}

std::string ModeName(int tryb) {
  const std::string_view text = ModeNames(tryb);
  if (!text.empty() && docs::LangList().Has(text)) return docs::LT(text);
  return std::string(text);
}

std::string_view SensorNames(int typ) {
  return typ >= 1 && typ <= 20 ? kSensorNames[static_cast<std::size_t>(typ)] : std::string_view{};
}

int DefaultResultUnit(int charTyp) {
  switch (charTyp) {
    case 5:
      return 5;
    case 16:
      return 2;
    case 17:
    case 19:
      return 4;
    case 18:
      return 1;
    default:
      return 8;
  }
}

std::string_view InputUnitText(int charTyp) {
  switch (charTyp) {
    case 5:
      return "Ohm";
    case 15:
    case 16:
      return "mV";
    case 17:
    case 19:
      return "mA";
    case 18:
      return "V";
    default:
      return "";
  }
}

bool CharFitsInput(int t) {
  if (t < 1 || t > 20) return false;
  const TRangeRow& user = SensorRangeTable()[15];
  const TRangeRow& own = SensorRangeTable()[static_cast<std::size_t>(t)];
  const double s1 = SensorSignal(t, user.lo * 0.1) * 10, s2 = SensorSignal(t, user.hi * 0.1) * 10;
  const double lower = own.lo < 0 ? own.lo * 1.000001 : own.lo * 0.999999;
  const double upper = own.hi < 0 ? own.hi * 0.999999 : own.hi * 1.000001;
  const auto outside = [&](double s) { return lower - 0.00001 >= s || s >= upper + 0.00001; };
  if (outside(s1) || outside(s2)) return false;
  return !(10 * MinSpan(t) * 0.99999 >= std::fabs(s2 - s1));
}

}  // namespace vorta::sensors
