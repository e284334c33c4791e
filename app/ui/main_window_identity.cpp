// Whether the transmitter that answers again after a silence is the one whose parameters are shown:
// its serial number, read alone, decides, so that a lossy line does not make the automatic read
// throw away the changes on the window.
#include <QApplication>

#include "app/record_conversion.h"
#include "app/ui/app_state.h"
#include "app/ui/main_window.h"
#include "app/ui/window_state.h"
#include "comm/transfer_runner.h"
#include "comm/ui/record_state.h"

namespace vorta::app {

namespace {

// Mode 2 reads the identification alone: device word, calibration date and temperature, serial.
constexpr int kIdentityReadMode = 2;

}  // namespace

// True when nothing is to be read now: the transmitter shown is back, or its identity did not come.
bool TVortaF::SameTransmitterBack() {
  TWindowFlags& f = WindowFlags();
  const std::string& shown = Param().serial;
  if (!f.Shown || shown.empty()) return false;
  comm::TDeviceRecord identity = comm::DeviceRecord();
  f.Busy = true;
  const bool read = comm::RunRead(kIdentityReadMode, identity,
                                  [](int) { QApplication::processEvents(QEventLoop::AllEvents, 20); });
  f.Busy = false;
  // A reply lost on the line tells nothing: the next tick asks again, and nothing is read meanwhile.
  if (!read) return true;
  if (SerialText(identity) != shown) {
    readBeforeLoss_ = false;
    return false;
  }
  // The silence did not change what was read: the same transmitter is still on the line.
  f.ConfigRead = readBeforeLoss_;
  autoReadDone_ = true;
  return true;
}

}  // namespace vorta::app
