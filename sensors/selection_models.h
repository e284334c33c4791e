// What the sensor selection offers on each model it can configure, one row per model code: the
// dialog it opens, whether its resistance inputs can be connected with four wires, and whether the
// configuration is read first from a transmitter that answers, so that the dialog starts from the
// current and voltage ranges the device reports.
#pragma once

#include "sensors/selection.h"

namespace vorta::sensors {

struct TSelectionRow {
  int model = 0;
  TSelectionDialog dialog = TSelectionDialog::kNone;  // kWybor: the thermometer dialog, with "More"
  bool fourWire = false;                              // "4-wire" offered
  bool readRangesFirst = false;                       // ranges of its own, read from the device
};

// The row of a model code; nullptr for a model the selection cannot configure.
const TSelectionRow* SelectionRowOf(int model);
// Whether the model's resistance inputs can be connected with four wires.
bool FourWireAllowed(int model);
// Whether the selection reads an unread configuration first on this model.
bool ReadRangesFirst(int model);

}  // namespace vorta::sensors
