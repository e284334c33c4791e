// Corrections (Regulacja1Click): the checks, the password prompt, the read when nothing was read
// yet, and the corrections or diagnostics window with polling stopped for the visit.
#include <QAction>
#include <QLabel>
#include <QTimer>

#include "app/display_format.h"
#include "app/ui/app_state.h"
#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "app/ui/window_state.h"
#include "comm/comm_state.h"
#include "comm/polling.h"
#include "comm/ui/wiadomosc_window.h"
#include "docs/ui/lang.h"
#include "service/ui/diagn_window.h"
#include "service/ui/regul_window.h"

namespace vorta::app {

using docs::Lt;

void TVortaF::Regulacja1Click() {
  if (RefuseWhileBusy()) return;
  const TWindowFlags& f = WindowFlags();
  if (!f.Connected) {
    MyMesM(Lt("Transmitter has to be connected!"), kIconInfo, this);
    return;
  }
  if (comm::Comm().Status.EepromError) {
    MyMesM(Lt("EEPROM error") + "!", kIconError, this);
    return;
  }
  RecordPosition();
  {
    comm::TWiadomosc prompt(this, QString::fromStdString(Settings().Pass));
    if (prompt.ExecPassword() != QDialog::Accepted) return;
  }
  if (!f.ConfigRead) OdczytajTClick();
  if (!f.ConfigRead) return;
  OpenServiceWindow();
}

void TVortaF::OpenServiceWindow() {
  Timer1->stop();
  // The service windows talk to the transmitter directly: the line must be theirs alone.
  if (!comm::StopPolling()) {
    Timer1->start();
    return;
  }
  ClearValuePanels();
  RecordPosition();
  if (comm::DiagnosticsRequested()) {
    {
      service::TDiagnF diagnostics(this);
      diagnostics.exec();
    }
    comm::DiagnosticsRequested() = false;
  } else {
    service::TRegulF corrections(this);
    corrections.exec();
  }
  RegulZV->setText(QString::fromStdString(RoundedText(Param().P.ZeroReg, 2)) + "%");
  RegulGV->setText(QString::fromStdString(RoundedText(Param().P.GainReg, 2)) + "%");
  comm::StartPolling();
  Timer1->start();
}

}  // namespace vorta::app
