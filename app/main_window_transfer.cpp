// The workflows that move the parameter set between the program and the transmitter: the
// transfer runner with its busy banner, Read, Refresh, Write, Verify, Reset and the checks before.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

#include "app/main_window.h"
#include "app/message_box.h"
#include "app/model_list.h"
#include "app/param_set.h"
#include "app/record_conversion.h"
#include "app/settings.h"
#include "app/window_state.h"
#include "comm/comm_state.h"
#include "comm/polling.h"
#include "comm/transfer.h"
#include "comm/wiadomosc_window.h"
#include "docs/lang_list.h"
#include "platform/process.h"
#include "sensors/table_file.h"

namespace vorta::app {
namespace {

QString Lt(const char* key) {
  return QString::fromStdString(docs::LT(key));
}

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
    RecordPosition();
    MyMesM(Lt("No communication with transmitter") + "!", kIconNone, this);
    return false;
  }
  if (f.Busy || !comm::StopPolling()) return false;
  f.Busy = true;
  Timer1->stop();
  const QString previousStatus = StatusText();
  StatBarTxt(message);
  ProgressBar1->setValue(0);
  RecordPosition();
  busyWindow_ = new comm::TWiadomosc(this);
  busyWindow_->ShowBusy();
  f.BusyShown = true;
  ClearValuePanels();
  ProcessMessages();
  platform::SetPriorityClass(Settings().RTPriority ? platform::PriorityClass::kRealtime
                                                   : platform::PriorityClass::kHigh);

  const bool ok = run([this, &message](int percent) {
    if (percent != ProgressBar1->value()) {
      ProgressBar1->setValue(percent);
      StatBarTxt(message + "  " + QString::number(percent) + "%");
    }
    ProcessMessages();
  });

  if (Settings().RTPriority) platform::SetPriorityClass(platform::PriorityClass::kHigh);
  busyWindow_->hide();
  delete busyWindow_;
  busyWindow_ = nullptr;
  f.BusyShown = false;
  if (!ok) {
    RecordPosition();
    MyMesM(Lt("Transmission unsuccessful") + "!", kIconError, this);
    StatBarTxt(previousStatus);
  }
  ProcessMessages();
  ProgressBar1->setValue(0);
  f.Busy = false;
  Timer1->start();
  return ok;
}

bool TVortaF::Odczyt(int readMode, const QString& message) {
  if (comm::Comm().Status.EepromError) {
    RecordPosition();
    MyMesM(Lt("EEPROM error") + "!", kIconError, this);
    return false;
  }
  return showiad(message,
                 [readMode](const comm::ProgressCallback& cb) { return comm::RunRead(readMode, cb); });
}

void TVortaF::OdczytajTClick() {
  if (RefuseWhileBusy()) return;
  PressedButton pressed(ButtonOf(OdczytajT));
  if (!Odczyt(4, Lt("Reading data..."))) return;
  TParamSet& p = Param();
  const std::string loadedTable = p.TableLoaded ? sensors::BareFileName(p.File) : std::string();
  DecodeRecord();
  p.TableLoaded = !p.File.empty() && sensors::BareFileName(p.File) == loadedTable;
  double sum = 0.0;
  for (double c : p.LinCoef) sum += std::fabs(c);
  p.CoefMissing = p.Code.Lin > 2 && sum == 0.0;
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
    RecordPosition();
    MyMesM(Lt("No parameters") + "!", kIconError, this);
  }
  return false;
}

void TVortaF::ZapiszTClick() {
  if (RefuseWhileBusy()) return;
  bool textOnly = false;
  if (!CheckParam(true, false)) {
    if (!CheckParam(false, true)) return;
    textOnly = true;
  }
  if (WindowFlags().EditError) return;
  PressedButton pressed(ButtonOf(ZapiszT));
  TParamSet& p = Param();
  const int connectedModel = ModelCodeOfTypeIndex(comm::Comm().Status.TypeIndex);
  if (connectedModel != p.ModelCode()) {
    RecordPosition();
    MyMesM(Lt("Type of transmitter inconsistency") + "!", kIconWarning, this);
    return;
  }
  const bool othersMarked = Marked(MinInputE) || Marked(MaxInputE) || Marked(FiltrZakresE) ||
                            Marked(FiltrCzasE) || Marked(FiltrLimitE) || Marked(BurnoutE) || Marked(SiecE);
  if ((Marked(KodE) || Marked(OgolneE)) && !othersMarked) textOnly = true;

  if (textOnly) {
    EncodeTexts();
    if (!showiad(Lt("Writing data..."), [](const comm::ProgressCallback& cb) {
          return comm::RunTransfer(comm::WriteTextsThread, cb);
        }))
      return;
    if (othersMarked) {
      // Only the texts went out: the other changes wait for complete characteristic data.
      SetFieldLook(KodE, 2);
      SetFieldLook(OgolneE, 2);
      StatBarTxt(Lt("Information incomplete"));
      RecordPosition();
      MyMesM(Lt("Information incomplete") + ": only the tag and the text were written.", kIconWarning, this);
      return;
    }
    Zapisane();
    return;
  }

  const QString today = QDate::currentDate().toString("dd.MM.yyyy");
  const sensors::TCharResult encoded = EncodeRecord({connectedModel, -1});
  if (encoded.status == sensors::TCharStatus::kArithmeticError ||
      encoded.status == sensors::TCharStatus::kInvalid) {
    RecordPosition();
    QString text = Lt("Errors have been found!") + " (" + Lt("Transfer function") + ")";
    if (!encoded.reason.empty() && encoded.reason != "Transfer function")
      text += "\n" + QString::fromStdString(docs::LT(encoded.reason));
    MyMesM(text, kIconError, this);
    return;
  }
  if (encoded.status == sensors::TCharStatus::kNotMonotonic) {
    RecordPosition();
    MyMesM(Lt("Transfer function") + " " + Lt("is not monotonic") + "!", kIconError, this);
    return;
  }
  SetText(p.data, today.toStdString(), kDateCap);
  DataE->setText(today);
  if (!showiad(Lt("Writing data..."),
               [](const comm::ProgressCallback& cb) { return comm::RunTransfer(comm::WriteThread, cb); }))
    return;
  Zapisane();
}

void TVortaF::Zapisane() {
  StatBarTxt(Param().noTab() ? Lt("Information transferred") : Lt("Transmitter programmed"));
  kolory(2);
  WindowFlags().Written = true;
  QThread::msleep(100);
}

void TVortaF::Weryfikuj1Click() {
  if (RefuseWhileBusy()) return;
  PressedButton pressed(ButtonOf(OdczytajT));
  const comm::TDeviceRecord copy = comm::DeviceRecord();
  comm::VerifyOutcome outcome = comm::VerifyOutcome::kReadFailed;
  if (comm::Comm().Status.EepromError) {
    RecordPosition();
    MyMesM(Lt("EEPROM error") + "!", kIconError, this);
    return;
  }
  const bool read = showiad(Lt("Verifying..."), [&outcome](const comm::ProgressCallback& cb) {
    outcome = comm::RunVerify(cb);
    return outcome == comm::VerifyOutcome::kEqual || outcome == comm::VerifyOutcome::kDiffers;
  });
  if (!read) {
    comm::DeviceRecord() = copy;
    return;
  }
  StatBarTxt(Lt("Verifying..."));
  if (outcome == comm::VerifyOutcome::kEqual) {
    StatBarTxt(Lt("Verification successful"));
  } else {
    RecordPosition();
    MyMesM(Lt("Errors have been found!"), kIconWarning, this);
    StatBarTxt(Lt("Verification ended with errors"));
  }
  comm::DeviceRecord() = copy;  // the parameter set and its record are not touched by a verify
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
  RecordPosition();
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
