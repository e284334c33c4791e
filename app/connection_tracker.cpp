// The connection tracker of the live display.
#include "app/connection_tracker.h"

namespace vorta::app {

TTickAction TConnectionTracker::Tick(bool measured, int ticks, bool fastTimer) {
  TTickAction a;
  if (measured) {
    connected_ = true;
    misses_ = 0;
    a.show = true;
    return a;
  }
  if (misses_ < ticks) {
    connected_ = false;
    a.forgetConfig = misses_ > 0;  // one missed tick is forgiven, two are a new connection
    a.clearPanels = !(misses_ == 0 && fastTimer);
  } else if (misses_ == ticks) {
    a.showUnknown = true;
  } else if (misses_ == 2 * ticks) {
    a.warnNoDevice = true;
  } else if (misses_ > 2 * ticks) {
    return a;  // silent on: nothing more to say
  }
  ++misses_;
  return a;
}

TCommandStates CommandStates(bool connected, bool eepromError, bool written, bool monitorOnly) {
  TCommandStates s;
  s.corrections = connected && !eepromError;
  s.verify = s.corrections && written;
  s.diagram = s.corrections && !monitorOnly;
  s.write = connected;
  return s;
}

}  // namespace vorta::app
