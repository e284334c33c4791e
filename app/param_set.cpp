// Reset, normalisation and the derived values of the parameter set.
#include "app/param_set.h"

#include <cmath>

#include "app/model_table.h"
#include "app/rounding.h"
#include "app/sensor_code.h"

namespace vorta::app {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

void SetText(std::string& field, std::string_view text, std::size_t capacity) {
  // The capacity counts characters: never cut a UTF-8 sequence in two.
  std::size_t chars = 0, i = 0;
  while (i < text.size() && chars < capacity) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
    ++chars;
  }
  field.assign(text.substr(0, i));
}

void TParamSet::New() {
  Code.Typ = 20;
  Code.Tryb = 1;
  Code.Lin = 2;
  P.MinInput = P.MaxInput = 0.0;
  P.FiltrLimit = P.FiltrZakres = P.FiltrCzas = 0;
  FilterCount = -1;
  P.Burnout = 0;
  P.Siec = 50;
  P.Jednostki = 10;
  Device.clear();
  serial.clear();
  data.clear();
  kod.clear();
  ogolne.clear();
  TableLoaded = false;
}

TNormalised TParamSet::Normalise(const sensors::TSensorRangeTable& ranges) {
  TNormalised replaced{false, P.MinInput, P.MaxInput};
  if (Code.Typ < 1 || Code.Typ > 20) Code.Typ = 20;
  // An invalid mode becomes 1 ("not set"), the value a read gives for an unknown mode: 0 has no text.
  if (Code.Tryb < 1 || Code.Tryb > 11) Code.Tryb = 1;
  if (Code.Lin != 1 && Code.Lin != 2 && Code.Lin != 4 && Code.Lin != 8) Code.Lin = 0;
  if (HasFixedLimits(Code.Typ, Code.Lin)) {
    const double lo = ranges.Lo(Code.Typ), hi = ranges.Hi(Code.Typ);
    if (!(P.MinInput >= lo && P.MinInput <= hi)) P.MinInput = lo;
    if (!(P.MaxInput >= lo && P.MaxInput <= hi)) P.MaxInput = hi;
    if (!(P.MinInput < P.MaxInput)) {
      P.MinInput = lo;
      P.MaxInput = hi;
    }
    // NaN never equals itself: a range that was no number counts as replaced.
    replaced.rangeReplaced = !(P.MinInput == replaced.oldMin && P.MaxInput == replaced.oldMax);
  } else if (!(std::fabs(P.MinInput) <= kLargestRangeEnd && std::fabs(P.MaxInput) <= kLargestRangeEnd)) {
    // A range from a file or a transmitter's memory that no field can show is no range at all.
    P.MinInput = 0.0;
    P.MaxInput = 0.0;
  }
  if (!(P.RoomT >= -0.0001 && P.RoomT <= 50.0001)) P.RoomT = 25.0;
  if (!(P.ZeroReg >= -1.99991 && P.ZeroReg <= 1.99991)) P.ZeroReg = 0.0;
  if (!(P.GainReg >= -1.99991 && P.GainReg <= 1.99991)) P.GainReg = 0.0;
  if (P.FiltrZakres < 0 || P.FiltrZakres > 250) P.FiltrZakres = 0;
  if (P.FiltrLimit < 0 || P.FiltrLimit > 100) P.FiltrLimit = 0;
  // The time constant keeps every count the transmitter's byte can hold (the editor stops at 250).
  if (P.FiltrCzas < 0 || P.FiltrCzas > FiltrCzasFromCount(255, TimeStep())) P.FiltrCzas = 0;
  if (P.Burnout < 0 || P.Burnout > 2) P.Burnout = 0;
  if (P.Siec != 50 && P.Siec != 60) P.Siec = 50;
  // Every unit of the table is kept; an index outside it becomes the blank unit.
  if (P.Jednostki < 0 || P.Jednostki > 15) P.Jednostki = 0;
  return replaced;
}

bool TParamSet::NeedsTable() const {
  return UsesUserTable(Code.Typ, Code.Lin);
}

bool TParamSet::noTab() const {
  return CoefMissing || (NeedsTable() && !TableLoaded);
}

int TParamSet::ModelCode() const {
  if (Device.size() != 5 || Device.compare(0, 3, "VTX") != 0 || !IsDigit(Device[3]) || !IsDigit(Device[4]))
    return 0;
  return (Device[3] - '0') * 10 + (Device[4] - '0');
}

double TParamSet::TimeStep() const {
  return TimeStepOfModel(ModelCode());
}

std::int32_t FiltrCzasFromCount(int count, double step) {
  return static_cast<std::int32_t>(RoundHalfEven(count * 10.0 * step));
}

int FiltrCzasToCount(std::int32_t& filtrCzas, double step) {
  const int count = static_cast<int>(RoundHalfEven(filtrCzas / (10.0 * step)));
  filtrCzas = FiltrCzasFromCount(count, step);
  return count;
}

std::int32_t MaxFiltrCzas(double step) {
  return static_cast<std::int32_t>(RoundHalfEven(2500.0 * step));
}

}  // namespace vorta::app
