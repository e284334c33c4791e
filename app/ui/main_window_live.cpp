// The live display: the timer tick with the measurement, the connection tracking and the enabling
// of the transmitter commands, the result and output panels, automatic reading.
#include <QAction>
#include <QFont>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include "app/connection_tracker.h"
#include "app/display_format.h"
#include "app/rounding.h"
#include "app/settings.h"
#include "app/ui/app_state.h"
#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "app/ui/window_state.h"
#include "comm/comm_state.h"
#include "comm/polling.h"
#include "comm/protocol.h"
#include "comm/ui/port_messages.h"
#include "docs/ui/lang.h"

namespace vorta::app {

using docs::Lt;
using docs::LtOrKey;

namespace {

TVortaF::LineOpener& Opener() {
  static TVortaF::LineOpener opener;
  return opener;
}

}  // namespace

void TVortaF::SetLineOpener(LineOpener opener) {
  Opener() = std::move(opener);
}

bool TVortaF::OpenPortLine(int port, platform::TPortOpenError* why) {
  if (Opener()) return Opener()(port);
  return comm::OpenLine(port, 4, why);
}

bool TVortaF::OpenLineAtStart() {
  const int port = Settings().ComPort;
  platform::TPortOpenError why;
  const bool opened = OpenPortLine(port, &why);
  ShowPortPanel();
  if (opened) return true;
  MessageBeep(BeepKind::kAsterisk);
  MyMesM(comm::PortFailureText(port, why), kIconNone, this);
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
  const TResultFlags flags = ResultFlagsOf(comm::Comm().Status);
  const TResultText r = ResultText(Param(), value, WindowFlags().ConfigRead, flags, docs::LangList());
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
  if (!f.AutoRead || f.ConfigRead || autoReadDone_ || comm::Comm().Status.EepromError) return;
  // The transmitter shown, back after a silence, is not read again; another one is read, but
  // changes not yet written are given up only on the user's word.
  if (SameTransmitterBack()) return;
  if (AnyFieldMarked() && MyMesM(LtOrKey("A transmitter has been connected") + ".\n" +
                                     LtOrKey("Read its configuration and discard the changes") + "?",
                                 kIconQuestion | kButtonsYesNo, this) != kResultYes) {
    autoReadDone_ = true;
    return;
  }
  ReadFromTick();
  if (!f.ConfigRead) {
    if (MyMesM(Lt("Turn Autoread off") + "?", kIconQuestion | kButtonsYesNo, this) == kResultYes)
      Autoread1Click();
  }
}

void TVortaF::Timer1Timer() {
  Timer1->stop();
  TWindowFlags& f = WindowFlags();
  if (f.Busy) return;
  if (comm::Comm().PollStarted) {
    LiveTick();
    if (!comm::CheckQueuedResult()) MyMesM(Lt("Command failed") + "!", kIconError, this);
  }
  WatchLine();
  EnableTransmitterCommands();
  Timer1->start();
}

void TVortaF::LiveTick() {
  TWindowFlags& f = WindowFlags();
  double value = 0, current = 0;
  comm::TRawMeasurement raw{};
  const bool measured = comm::TakeMeasurement(value, current, raw);
  const int ticks = static_cast<int>(RoundHalfEven(6000.0 / Timer1->interval()));
  const TTickAction a = tracker_.Tick(measured, ticks, Timer1->interval() < 500);
  f.Connected = tracker_.Connected();
  if (a.forgetConfig) {
    if (f.ConfigRead) readBeforeLoss_ = true;
    f.ConfigRead = false;
    autoReadDone_ = false;
  }
  if (a.clearPanels) ClearValuePanels();
  if (a.showUnknown) {
    SetResultFont(false);
    Wynikp->setText("???        ");
    Outputp->setText("???        ");
    StatBarTxt(Lt("No communication with transmitter"));
    noCommShown_ = true;
  }
  if (a.show && noCommShown_) {
    StatBarTxt(ShownStatus());
    noCommShown_ = false;
  }
  if (a.warnNoDevice && comm::Comm().PollFailed)
    MyMesM(QString::fromStdString(docs::LTOrKey("No communication with device")) + "!", kIconWarning, this);
  if (a.show) {
    showres(value);
    showout(current);
    CheckAutoRead();
    CheckDevice();
    if (ChartViewOn()) WykresPlot(value, current);
  }
}

void TVortaF::EnableTransmitterCommands() {
  const TWindowFlags& f = WindowFlags();
  const TCommandStates s =
      CommandStates(f.Connected, comm::Comm().Status.EepromError, f.Written, MonOnly1->isChecked());
  RegulacjaT->setEnabled(s.corrections);
  for (QAction* a : {Regulacja1, Odswierz1, Odczytaj1, OdczytajT, Wykres1T}) a->setEnabled(s.corrections);
  RegulacjaPic->setEnabled(s.corrections);
  Weryfikuj1->setEnabled(s.verify);
  Wykres1->setEnabled(s.diagram);
  for (QAction* a : {ZapiszT, Zapisz1, Ustawienia1->menuAction(), Reset1}) a->setEnabled(s.write);
}

}  // namespace vorta::app
