// State flags of the main window that the workflows, the live display and the editors share.
// They are read and written on the user-interface thread only.
#pragma once

namespace vorta::app {

struct TWindowFlags {
  bool Shown = false;        // parameters are shown on the window
  bool Written = false;      // the shown parameters were written since read or opened
  bool ConfigRead = false;   // a Read succeeded since the transmitter last became reachable
  bool Busy = false;         // a transfer or a table load is running
  bool BusyShown = false;    // the busy window is on screen
  bool EditError = false;    // the last field validation failed
  bool Connected = false;    // the transmitter answers the polling
  bool AutoRead = false;     // automatic reading is on
  bool Deactivated = false;  // the application lost the focus (read by the simulation window)

  void Clear() { *this = TWindowFlags{}; }
};

TWindowFlags& WindowFlags();

}  // namespace vorta::app
