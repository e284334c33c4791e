// How the live display follows whether the transmitter answers. Fed once per timer tick with
// whether a new measurement came, the tracker says what the display does on this tick: show the
// value, empty the panels, show "???" after about 6 s of silence, warn once after about 12 s when
// the polling thread itself has failed. It also says which transmitter commands may be offered.
#pragma once

namespace vorta::app {

struct TTickAction {
  bool show = false;          // a new measurement: show it, then the automatic read and model check
  bool clearPanels = false;   // empty the result and output panels
  bool showUnknown = false;   // "???" in both panels
  bool warnNoDevice = false;  // the 12 s warning, given when the polling thread has failed
  bool forgetConfig = false;  // the configuration read counts no longer (ConfigRead cleared)
};

class TConnectionTracker {
 public:
  // ticksPerSixSeconds: how many ticks of the timer make 6 s; fastTimer: the chart view's short
  // interval, which keeps the panels through a single missed tick.
  TTickAction Tick(bool measured, int ticksPerSixSeconds, bool fastTimer);
  bool Connected() const { return connected_; }
  int Misses() const { return misses_; }

 private:
  int misses_ = 0;
  bool connected_ = false;
};

// The transmitter commands the window offers.
struct TCommandStates {
  bool corrections = false;  // Corrections, Read, Refresh and the chart button
  bool verify = false;
  bool diagram = false;  // the Diagram menu entry
  bool write = false;    // Write, the Setup menu and Reset
};
TCommandStates CommandStates(bool connected, bool eepromError, bool written, bool monitorOnly);

}  // namespace vorta::app
