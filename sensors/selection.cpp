// The selection workflow's rules, the cold-junction temperature check and the transmitter type list.
#include "sensors/selection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "app/sensor_code.h"
#include "docs/par_file.h"
#include "docs/str_to_number.h"
#include "sensors/selection_models.h"
#include "sensors/sensor_data.h"
#include "sensors/sensor_signal.h"

namespace vorta::sensors {
namespace {

void SetRange(app::TParamSet& p, const TSensorRangeTable& ranges, int row) {
  p.P.MinInput = ranges.Lo(row);
  p.P.MaxInput = ranges.Hi(row);
}

bool SameCode(const app::TSensorCode& a, const app::TSensorCode& b) {
  return a.Typ == b.Typ && a.Tryb == b.Tryb && a.Lin == b.Lin;
}

}  // namespace

bool IsImplementedModel(int model) {
  return SelectionRowOf(model) != nullptr;
}

TSelectionDialog NextSelectionDialog(int model, int typ, int lastResult, bool& otherDialog) {
  const TSelectionRow* row = SelectionRowOf(model);
  if (row == nullptr) return TSelectionDialog::kNone;
  if (row->dialog != TSelectionDialog::kWybor) return row->dialog;
  // Models with both dialogs start with the one of the sensor and alternate on "More".
  if (((typ == 5 || typ == 16) && lastResult == kSelectCancel) || otherDialog) {
    otherDialog = false;
    return TSelectionDialog::kWyborRV;
  }
  otherDialog = true;
  return TSelectionDialog::kWybor;
}

void FinishSelection(app::TParamSet& p, const TUserTable& table, const TSensorRangeTable& ranges,
                     const std::string& deviceBefore, std::string_view today) {
  p.CoefMissing = false;
  const int typ = p.Code.Typ;
  const bool converted = app::IsConvertedInput(typ) && p.Code.Lin > 1;
  // A conversion's range is that of its result, which the conversion dialog already set: the
  // model's signal range in mA or V would put the range outside the characteristic.
  if ((typ == 17 || typ == 18) && p.Device != deviceBefore && !converted) SetRange(p, ranges, typ);
  if (!RangeCheck({p, table, ranges})) SetRange(p, ranges, converted ? kUserRangeRow : typ);
  if (!p.data.empty()) app::SetText(p.data, today, app::kDateCap);
}

TSelectionMarks SelectionMarks(const app::TParamSet& before, const app::TParamSet& after) {
  TSelectionMarks m;
  m.range = !SameCode(before.Code, after.Code) || before.P.MinInput != after.P.MinInput ||
            before.P.MaxInput != after.P.MaxInput || before.LinCoef != after.LinCoef ||
            before.P.Jednostki != after.P.Jednostki || before.P.RoomT != after.P.RoomT ||
            before.TableLoaded != after.TableLoaded || before.File != after.File;
  m.filtrZakres = before.P.FiltrZakres != after.P.FiltrZakres;
  m.filtrCzas = before.P.FiltrCzas != after.P.FiltrCzas;
  m.filtrLimit = before.P.FiltrLimit != after.P.FiltrLimit;
  m.siec = before.P.Siec != after.P.Siec;
  return m;
}

TRoomCheck CheckRoomTemperature(std::string_view text) {
  TRoomCheck c;
  if (!docs::StrToNumber(text, c.value)) {
    c.wrongFormat = true;
    return c;
  }
  c.ok = c.value >= kRoomTLow && c.value <= kRoomTHigh;
  return c;
}

std::string RoomTemperatureText(double roomT) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", std::isfinite(roomT) ? roomT : 0.0);
  std::string s = buf;
  std::replace(s.begin(), s.end(), '.', docs::LocaleDecimalSeparator());
  return s;
}

std::vector<std::string> TransmitterNames(std::span<const app::TModelRow> rows) {
  std::vector<std::string> names;
  for (const app::TModelRow& r : rows)
    if (r.name != "?") names.emplace_back(r.name);
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

int PreselectedTransmitter(const std::vector<std::string>& names, std::span<const app::TModelRow> rows,
                           const std::string& device) {
  if (names.empty()) return -1;
  const std::string_view wanted = device.empty() ? std::string_view("VTX49") : std::string_view(device);
  for (const app::TModelRow& r : rows) {
    if (r.device != wanted) continue;
    const auto it = std::find(names.begin(), names.end(), r.name);
    if (it != names.end()) return static_cast<int>(it - names.begin());
  }
  return 0;
}

std::optional<std::string> DeviceOfTransmitter(std::span<const app::TModelRow> rows, std::string_view name) {
  for (const app::TModelRow& r : rows)
    if (r.name == name) return std::string(r.device.substr(0, app::kDeviceCap));
  return std::nullopt;
}

}  // namespace vorta::sensors
