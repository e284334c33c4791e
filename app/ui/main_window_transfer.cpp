// The workflows that move the parameter set between the program and the transmitter: the
// transfer runner with its busy banner, Read, Refresh, Write, Verify, Reset and the checks before.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "app/model_table.h"
#include "app/ui/app_state.h"
#include "app/record_conversion.h"
#include "app/transfer_workflows.h"
#include "app/write_plan.h"
#include "app/ui/window_state.h"
#include "comm/comm_state.h"
#include "comm/ui/record_state.h"
#include "comm/polling.h"
#include "comm/transfer_runner.h"
#include "comm/ui/wiadomosc_window.h"
#include "docs/ui/lang.h"
#include "platform/process.h"
#include "sensors/characteristic.h"
#include "sensors/ui/sensor_state.h"

namespace vorta::app {

using docs::Lt;
using docs::LtOrKey;

namespace {

// Shows a toolbar button pressed while its workflow runs.
class PressedButton {
 public:
  explicit PressedButton(QToolButton* b) : b_(b) {
    if (b_) {
      b_->setDown(true);
      b_->repaint();
    }
  }
  ~PressedButton() {
    if (b_) b_->setDown(false);
  }
  PressedButton(const PressedButton&) = delete;
  PressedButton& operator=(const PressedButton&) = delete;

 private:
  QToolButton* b_;
};

void ProcessMessages() {
  QApplication::processEvents(QEventLoop::AllEvents, 20);
}

}  // namespace

QToolButton* TVortaF::ButtonOf(QAction* a) const {
  return qobject_cast<QToolButton*>(ToolBar1->widgetForAction(a));
}

bool TVortaF::RefuseWhileBusy() {
  if (!WindowFlags().Busy) return false;
  MessageBeep(BeepKind::kAsterisk);
  return true;
}

bool TVortaF::Marked(const QWidget* field) const {
  return field->property("look").toString() == "aqua";
}

bool TVortaF::showiad(const QString& message, const TransferRun& run) {
  TWindowFlags& f = WindowFlags();
  if (!f.Connected) {
    MyMesM(Lt("No communication with transmitter") + "!", kIconNone, this);
    return false;
  }
  if (f.Busy || !comm::StopPolling()) return false;
  BeginBusy(message);
  const bool ok = run([this, &message](int percent) {
    if (percent != ProgressBar1->value()) {
      ProgressBar1->setValue(percent);
      StatBarTxt(message + "  " + QString::number(percent) + "%");
    }
    ProcessMessages();
  });
  EndBusy();
  if (!ok) {
    MyMesM(Lt("Transmission unsuccessful") + "!", kIconError, this);
    // What the status said before may be untrue now (a write cut short): it tells the set shown.
    StatBarTxt(ShownStatus());
  }
  ProcessMessages();
  ProgressBar1->setValue(0);
  f.Busy = false;
  Timer1->start();
  return ok;
}

void TVortaF::BeginBusy(const QString& message) {
  WindowFlags().Busy = true;
  Timer1->stop();
  StatBarTxt(message);
  ProgressBar1->setValue(0);
  RecordPosition();  // the busy window is placed from the main window's position
  busyWindow_ = new comm::TWiadomosc(this);
  busyWindow_->ShowBusy();
  WindowFlags().BusyShown = true;
  ClearValuePanels();
  ProcessMessages();
  platform::SetPriorityClass(Settings().RTPriority ? platform::PriorityClass::kRealtime
                                                   : platform::PriorityClass::kHigh);
}

void TVortaF::EndBusy() {
  if (Settings().RTPriority) platform::SetPriorityClass(platform::PriorityClass::kHigh);
  busyWindow_->hide();
  delete busyWindow_;
  busyWindow_ = nullptr;
  WindowFlags().BusyShown = false;
}

bool TVortaF::Odczyt(int readMode, const QString& message) {
  if (comm::Comm().Status.EepromError) {
    MyMesM(Lt("EEPROM error") + "!", kIconError, this);
    return false;
  }
  // The record is replaced only after the read thread has ended, and only when it succeeded.
  return showiad(message, [readMode](const comm::ProgressCallback& cb) {
    return comm::RunRead(readMode, comm::DeviceRecord(), cb);
  });
}

void TVortaF::OdczytajTClick() {
  if (RefuseWhileBusy()) return;
  PressedButton pressed(ButtonOf(OdczytajT));
  if (!Odczyt(4, Lt("Reading data..."))) return;
  // What was sent before may have gone to another transmitter than the one just read.
  sent_.Forget();
  TakeReadRecord(comm::DeviceRecord(), Param(), sensors::SensorRangeTable());
  KeepHistory(THistoryEvent::kRead);
  WindowFlags().Written = false;
  WindowFlags().ConfigRead = true;
  pokaz(2);
}

void TVortaF::Odswierz1Click() {
  OdczytajTClick();
}

bool TVortaF::CheckParam(bool tableNeeded, bool quiet) {
  // A field being edited is validated first, as if the focus left it.
  ValidateFocusedField();
  validating_ = true;
  SenSel->setFocus();
  validating_ = false;
  if (WindowFlags().Shown) return !(tableNeeded && Param().noTab() && nietypo());
  if (!quiet) {
    MessageBeep(BeepKind::kExclamation);
    MyMesM(Lt("No parameters") + "!", kIconError, this);
  }
  return false;
}

void TVortaF::ZapiszTClick() {
  if (RefuseWhileBusy()) return;
  TWriteInput in;
  in.complete = CheckParam(true, false);
  if (!in.complete && !CheckParam(false, true)) return;
  if (WindowFlags().EditError) return;
  PressedButton pressed(ButtonOf(ZapiszT));
  in.connectedModel = ModelCodeOfTypeIndex(comm::Comm().Status.TypeIndex);
  in.setModel = Param().ModelCode();
  in.textsMarked = Marked(KodE) || Marked(OgolneE);
  in.othersMarked = Marked(MinInputE) || Marked(MaxInputE) || Marked(FiltrZakresE) || Marked(FiltrCzasE) ||
                    Marked(FiltrLimitE) || Marked(BurnoutE) || Marked(SiecE);
  const TWritePlan plan = PlanWrite(in);
  if (plan.kind == TWriteKind::kRefused) {
    MyMesM(Lt(plan.refusal) + "!", kIconWarning, this);
  } else if (plan.kind == TWriteKind::kTextsOnly) {
    WriteTexts(plan.othersWaiting);
  } else {
    WriteFull(in.connectedModel);
  }
}

void TVortaF::WriteTexts(bool othersWaiting) {
  EncodeTexts(Param(), comm::DeviceRecord());
  if (!showiad(Lt("Writing data..."), [](const comm::ProgressCallback& cb) {
        return comm::RunWriteTexts(comm::DeviceRecord(), cb);
      }))
    return;
  sent_.TakeTextWrite(comm::DeviceRecord());
  if (othersWaiting) {
    // Only the texts went out: the other changes wait for complete characteristic data.
    SetFieldLook(KodE, 2);
    SetFieldLook(OgolneE, 2);
    StatBarTxt(Lt("Information incomplete"));
    MyMesM(Lt("Information incomplete") + ": only the tag and the text were written.", kIconWarning, this);
    return;
  }
  Zapisane();
}

void TVortaF::WriteFull(int connectedModel) {
  TParamSet& p = Param();
  const TResult encoded = PrepareFullWrite(p, sensors::UserTable(), sensors::SensorRangeTable(),
                                           connectedModel, -1, comm::DeviceRecord());
  if (encoded.key == sensors::kNotMonotonicKey) {
    MyMesM(Lt("Transfer function") + " " + Lt("is not monotonic") + "!", kIconError, this);
    return;
  }
  if (!encoded) {
    QString text = Lt("Errors have been found!") + " (" + Lt("Transfer function") + ")";
    if (encoded.key != "Transfer function") text += "\n" + ResultText(encoded);
    MyMesM(text, kIconError, this);
    return;
  }
  DataE->setText(QString::fromStdString(p.data));
  comm::TDeviceImage sent{};
  if (!showiad(Lt("Writing data..."), [&sent](const comm::ProgressCallback& cb) {
        return comm::RunWrite(comm::DeviceRecord(), sent, cb);
      }))
    return;
  sent_.TakeFullWrite(sent);
  Zapisane();
}

void TVortaF::Zapisane() {
  StatBarTxt(Param().noTab() ? Lt("Information transferred") : Lt("Transmitter programmed"));
  KeepHistory(THistoryEvent::kWritten);
  kolory(2);
  WindowFlags().Written = true;
  QThread::msleep(100);
}

void TVortaF::Weryfikuj1Click() {
  if (RefuseWhileBusy()) return;
  PressedButton pressed(ButtonOf(OdczytajT));
  if (comm::Comm().Status.EepromError) {
    MyMesM(Lt("EEPROM error") + "!", kIconError, this);
    return;
  }
  // The verify reads into a scratch record: the parameter set and its record are not touched.
  const bool textsOnly = sent_.Known() == comm::TSentAreas::kTexts;
  comm::VerifyOutcome outcome = comm::VerifyOutcome::kReadFailed;
  const bool read = showiad(Lt("Verifying..."), [this, &outcome](const comm::ProgressCallback& cb) {
    outcome = comm::RunVerify(sent_, cb);
    return outcome != comm::VerifyOutcome::kReadFailed;
  });
  if (!read) return;
  // Without a full write since the last read only the tag and the text are known to compare.
  const QString note = textsOnly ? " (" + LtOrKey("texts only") + ")" : QString();
  if (outcome == comm::VerifyOutcome::kEqual) {
    StatBarTxt(Lt("Verification successful") + note);
  } else if (outcome == comm::VerifyOutcome::kDiffers) {
    MyMesM(Lt("Errors have been found!") + note, kIconWarning, this);
    StatBarTxt(Lt("Verification ended with errors"));
  } else {
    MyMesM(LtOrKey("Nothing has been written to compare with") + ".", kIconInfo, this);
  }
}

void TVortaF::Reset1Click() {
  if (RefuseWhileBusy()) return;
  comm::QueueCommandWait('r', 0, [] { ProcessMessages(); });
}

void TVortaF::CheckDevice() {
  const int connected = ModelCodeOfTypeIndex(comm::Comm().Status.TypeIndex);
  if (connected == 0) return;  // a type the program does not know: nothing to compare
  TParamSet& p = Param();
  if (p.Device.empty()) {
    char device[6];
    std::snprintf(device, sizeof device, "VTX%02d", connected);
    p.Device = device;
    ShowCaption();
    return;
  }
  if (p.ModelCode() == connected) return;
  const int answer = MyMesM(Lt("Type of transmitter inconsistency") + "! " + Lt("New data will be read") +
                                ".\n" + Lt("Disconnect the transmitter") + " " + Lt("and press") + " " +
                                Lt("Cancel") + " " + Lt("to preserve present configuration") + ".",
                            kIconNone | kButtonsOkCancel, this);
  if (answer == kResultCancel) return;
  OdczytajTClick();
  fileName_ = Lt("No_name");
  ShowCaption();
}

}  // namespace vorta::app
