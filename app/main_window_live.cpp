// The live display: the timer tick with the measurement, the connection tracking and the enabling
// of the transmitter commands, the result and output panels, automatic reading.
#include <QAction>
#include <QFont>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include "app/display_format.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/param_set.h"
#include "app/settings.h"
#include "app/window_state.h"
#include "comm/comm_state.h"
#include "comm/polling.h"
#include "comm/protocol.h"
#include "docs/lang_list.h"

namespace vorta::app {
namespace {

QString Lt(const char* key) {
  return QString::fromStdString(docs::LT(key));
}

TVortaF::LineOpener& Opener() {
  static TVortaF::LineOpener opener;
  return opener;
}

}  // namespace

void TVortaF::SetLineOpener(LineOpener opener) {
  Opener() = std::move(opener);
}

bool TVortaF::OpenLineAtStart() {
  const int port = Settings().ComPort;
  if (Opener() ? Opener()(port) : comm::OpenLine(port, 4)) return true;
  MessageBeep(BeepKind::kAsterisk);
  RecordPosition();
  MyMesM(Lt("COM%d initialization failed").replace("%d", QString::number(port)) + "!", kIconNone, this);
  return false;
}

void TVortaF::SetResultFont(bool fault) {
  QFont font = Wynikp->font();
  font.setPointSize(fault ? 12 : 18);
  Wynikp->setFont(font);
  Wynikp->setAlignment((fault ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter);
}

void TVortaF::ClearValuePanels() {
  Wynikp->clear();
  Outputp->clear();
}

void TVortaF::showres(double value) {
  const comm::TMeasurementStatus& s = comm::Comm().Status;
  TResultFlags flags;
  flags.calMode = s.CalMode;
  flags.eepromError = s.EepromError;
  flags.internalError = s.InternalError;
  flags.brokenSensor = s.BrokenSensor;
  flags.outOfRange = s.OutOfRange;
  flags.unitIndex = s.UnitIndex;
  const TResultText r = ResultText(Param(), value, WindowFlags().ConfigRead, flags);
  SetResultFont(r.fault);
  Wynikp->setText(QString::fromStdString(r.text));
}

void TVortaF::showout(double current) {
  const bool independent = comm::Comm().Status.IndependentOutput;
  const QString colour = independent ? "red" : "black";
  Outputp->setTextFormat(Qt::RichText);
  Outputp->setText(QString::fromStdString(OutputNumber(current)).replace(" ", "&nbsp;") +
                   "<span style=\"color:" + colour + "\">" +
                   QString::fromStdString(OutputUnit(independent)).replace(" ", "&nbsp;") + "</span>");
  Outputp->setProperty("independent", independent);
}

void TVortaF::CheckAutoRead() {
  TWindowFlags& f = WindowFlags();
  if (!f.AutoRead || f.ConfigRead || comm::Comm().Status.EepromError) return;
  OdczytajTClick();
  if (!f.ConfigRead) {
    RecordPosition();
    if (MyMesM(Lt("Turn Autoread off") + "?", kIconQuestion | kButtonsYesNo, this) == kResultYes)
      Autoread1Click();
  }
}

void TVortaF::Timer1Timer() {
  Timer1->stop();
  TWindowFlags& f = WindowFlags();
  if (f.Busy) return;
  const int ticks = static_cast<int>(RoundHalfEven(6000.0 / Timer1->interval()));
  comm::TCommState& c = comm::Comm();
  if (c.PollStarted) {
    double value = 0, current = 0;
    comm::TRawMeasurement raw{};
    if (comm::TakeMeasurement(value, current, raw)) {
      f.Connected = true;
      showres(value);
      showout(current);
      missCounter_ = 0;
      CheckAutoRead();
      CheckDevice();
    } else if (missCounter_ < ticks) {
      if (missCounter_ > 0) f.ConfigRead = false;
      f.Connected = false;
      if (!(missCounter_ == 0 && Timer1->interval() < 500)) ClearValuePanels();
      ++missCounter_;
    } else if (missCounter_ == ticks) {
      SetResultFont(false);
      Wynikp->setText("???        ");
      Outputp->setText("???        ");
      ++missCounter_;
    } else if (missCounter_ == 2 * ticks) {
      if (c.PollFailed) {
        RecordPosition();
        MyMesM(QString::fromStdString(docs::LTOrKey("No communication with device")) + "!", kIconWarning,
               this);
      }
      ++missCounter_;
    } else if (missCounter_ < 2 * ticks) {
      ++missCounter_;
    }
    if (!comm::CheckQueuedResult()) {
      RecordPosition();
      MyMesM(Lt("Command failed") + "!", kIconError, this);
    }
  }
  // Every command that needs the transmitter follows whether it answers.
  const bool corrections = f.Connected && !c.Status.EepromError;
  RegulacjaT->setEnabled(corrections);
  for (QAction* a : {Regulacja1, Odswierz1, Odczytaj1, OdczytajT, Wykres1T}) a->setEnabled(corrections);
  RegulacjaPic->setEnabled(corrections);
  Weryfikuj1->setEnabled(corrections && f.Written);
  Wykres1->setEnabled(corrections && !MonOnly1->isChecked());
  ZapiszT->setEnabled(f.Connected);
  Zapisz1->setEnabled(f.Connected);
  Ustawienia1->menuAction()->setEnabled(f.Connected);
  Reset1->setEnabled(f.Connected);
  Timer1->start();
}

}  // namespace vorta::app
