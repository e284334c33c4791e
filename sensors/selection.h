// The sensor selection of the main window: which dialog a model opens, what an accepted selection
// finishes in the parameter set, which of the main window's fields it changed, and the rules of
// the two small dialogs it may open on the way: the transmitter type and the external cold-junction
// temperature.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/model_table.h"
#include "app/param_set.h"
#include "sensors/sensor_range.h"
#include "sensors/user_table.h"

namespace vorta::sensors {

// Modal results of the selection dialogs.
inline constexpr int kSelectOk = 1;
inline constexpr int kSelectCancel = 2;
inline constexpr int kSelectMore = 3;  // "More": the other dialog of models 47..49

// The models whose sensors the selection can configure.
bool IsImplementedModel(int model);

enum class TSelectionDialog { kNone, kWybor, kWyborRV, kWyborIV };

// The dialog the selection opens next for model, given the sensor type, the last modal result and
// the flag that alternates between the thermometer and the resistance/voltage dialog (updated).
TSelectionDialog NextSelectionDialog(int model, int typ, int lastResult, bool& otherDialog);

// What an accepted selection finishes: CoefMissing cleared; a current or voltage input without a
// conversion on a newly chosen model takes the model's full range; a range that gives too small a
// signal becomes the full range of the input (of the conversion's result when there is one); a
// configuration date that is set becomes today.
void FinishSelection(app::TParamSet& p, const TUserTable& table, const TSensorRangeTable& ranges,
                     const std::string& deviceBefore, std::string_view today);

// The main window's fields a selection changed: the range fields whenever the sensor, its
// characteristic or its range changed (so the next Write is a full one), each other field when its
// value changed.
struct TSelectionMarks {
  bool range = false;
  bool filtrZakres = false;
  bool filtrCzas = false;
  bool filtrLimit = false;
  bool siec = false;
};
TSelectionMarks SelectionMarks(const app::TParamSet& before, const app::TParamSet& after);

// The check of a typed cold-junction temperature: a number from 0 to 50 degrees C.
struct TRoomCheck {
  bool ok = false;
  bool wrongFormat = false;  // not a number: "Wrong format"; else out of range: "Out of range!"
  double value = 0.0;
};
inline constexpr double kRoomTLow = 0.0;
inline constexpr double kRoomTHigh = 50.0;
TRoomCheck CheckRoomTemperature(std::string_view text);
// RoomT as the field shows it: two decimals.
std::string RoomTemperatureText(double roomT);

// The transmitter type list: the display names of the offered models (not "?"), sorted.
std::vector<std::string> TransmitterNames(std::span<const app::TModelRow> rows);
// The name preselected for device (for an empty device that of "VTX49"); the first when neither
// is in the list; -1 for an empty list.
int PreselectedTransmitter(const std::vector<std::string>& names, std::span<const app::TModelRow> rows,
                           const std::string& device);
// The device code of the first row with that display name.
std::optional<std::string> DeviceOfTransmitter(std::span<const app::TModelRow> rows, std::string_view name);

}  // namespace vorta::sensors
