// The serial port of the main window: the port dialog, the port in use on the status bar, and the
// line that comes back by itself when its adapter was unplugged and plugged in again.
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include "app/ui/app_state.h"
#include "app/ui/main_window.h"
#include "app/ui/window_state.h"
#include "comm/comm_state.h"
#include "comm/port_list.h"
#include "comm/protocol.h"
#include "comm/ui/port_dialog.h"
#include "docs/ui/lang.h"
#include "platform/port_links.h"
#include "platform/port_names.h"

namespace vorta::app {

namespace {

// A port that failed beneath the program is tried again this often.
constexpr int kReopenIntervalMs = 2000;

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

void TVortaF::BuildPortPanel() {
  PortPanel = new QLabel(statusBar());
  PortPanel->setObjectName("PortPanel");
  // Room for the longest port in use, "COM48 /dev/ttyACM15"; the window keeps its size.
  // A margin keeps it apart from the status text before it.
  PortPanel->setContentsMargins(12, 0, 4, 0);
  PortPanel->setMinimumWidth(PortPanel->fontMetrics().horizontalAdvance("COM48 /dev/ttyACM15") + 16);
  statusBar()->insertPermanentWidget(1, PortPanel);  // after panel 0, before the progress bar
}

void TVortaF::ShowPortPanel() {
  const int port = Settings().ComPort;
  if (comm::LineOpen() && !lineLost_) {
    portPath_ = platform::ResolveComPort(port);
    portDevice_ = platform::DeviceBehind(portPath_);
    PortPanel->setText(Q(comm::PortInUseText(port, portDevice_)));
    PortPanel->setToolTip(PortPanel->text());
  } else if (lineLost_) {
    PortPanel->setText(Q(comm::PortInUseText(port, "")) + " " + Q(docs::LTOrKey("lost")) + "...");
    PortPanel->setToolTip(Q(comm::PortInUseText(port, portDevice_)) + ": " +
                          Q(docs::LTOrKey("lost, opened again every 2 s")));
  } else {
    PortPanel->setText(Q(comm::PortInUseText(port, "")) + " " + Q(docs::LTOrKey("closed")));
    PortPanel->setToolTip(PortPanel->text());
  }
}

void TVortaF::Komunikacja1Click() {
  if (RefuseWhileBusy()) return;
  Timer1->stop();
  RecordPosition();
  {
    comm::TPortS dialog(this, Settings().ComPort, Settings().RTPriority,
                        [this](int port, platform::TPortOpenError* why) { return OpenPortLine(port, why); });
    // A port chosen and opened here ends the reopening of the one that failed.
    if (dialog.exec() == QDialog::Accepted) lineLost_ = false;
  }
  ShowPortPanel();
  Timer1->start();
}

void TVortaF::WatchLine() {
  if (comm::LineGone()) {
    // The adapter is gone: its descriptor is let go at once, so that the device it comes back as
    // is free (an unplugged USB adapter returns under its old name only when nobody holds it).
    comm::CloseLine();
    lineLost_ = true;
    reopenWaitMs_ = kReopenIntervalMs;
    ShowPortPanel();
    return;
  }
  if (!lineLost_) return;
  if (comm::LineOpen()) {
    lineLost_ = false;  // opened meanwhile (the port dialog)
    ShowPortPanel();
    return;
  }
  // Meanwhile the display counts the silence as for a transmitter that does not answer.
  LiveTick();
  reopenWaitMs_ -= Timer1->interval();
  if (reopenWaitMs_ > 0) return;
  reopenWaitMs_ = kReopenIntervalMs;
  // Only the same port comes back: while a restarted simulator has not yet made its link anew,
  // COMn would name the machine's own port instead.
  if (platform::ResolveComPort(Settings().ComPort) != portPath_) return;
  if (OpenPortLine(Settings().ComPort, nullptr)) {
    lineLost_ = false;
    ShowPortPanel();
  }
}

}  // namespace vorta::app
