// Every fact the program keeps about a transmitter model, one row per model code: the device code
// and the name the window shows, the type index the transmitter reports, the filter time step, the
// mode byte scheme of its record, whether its mains filter can be chosen, whether it measures
// rms values, and its own current and voltage input ranges. Model differences are read from here.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "sensors/sensor_range.h"

namespace vorta::app {

// Mode byte schemes: A for 37, 38, 39, 60; B for 47, 48, 49; C for 90, 97; any other model is
// decoded by scheme B and encoded as mode 0.
enum class TModelGroup { kA, kB, kC, kOther };

struct TModelRow {
  int code = 0;             // two-digit model code
  std::string_view device;  // "VTX" + model code
  std::string_view name;    // display name in the caption; "?" for a model not named
  double timeStep = 0.2;    // seconds per device count of the filter time constant
  TModelGroup group = TModelGroup::kOther;
  bool mainsSelectable = true;  // the mains filter frequency can be chosen
  bool rms = false;             // the transmitter measures rms values
  bool ownInputRanges = false;  // current and voltage ranges of its own (record bytes 2032..2039)
  sensors::TRangeRow current;   // type 17, tenths of mA
  sensors::TRangeRow voltage;   // type 18, tenths of V
};

// The rows in the order of the type index the transmitter reports (row i has type index i).
std::span<const TModelRow> ModelTable();
// The row of a model code; nullptr for a code the program does not know.
const TModelRow* ModelRowOf(int code);
// Model code of the type index a transmitter reports (0..16); 0 for an index that names no model.
int ModelCodeOfTypeIndex(int typeIndex);
// Display name of a device code; nullopt when the code is not in the table.
std::optional<std::string> ModelDisplayName(std::string_view device);

// Seconds per device count of FiltrCzas; 0.2 for a model not in the table.
double TimeStepOfModel(int code);
TModelGroup ModelGroupOf(int code);
// Whether the mains filter can be chosen; true for a model not in the table.
bool MainsSelectable(int code);
bool MeasuresRms(int code);

}  // namespace vorta::app
