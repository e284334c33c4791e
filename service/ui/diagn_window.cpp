// Layout and handlers of the diagnostics window.
#include "service/ui/diagn_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "app/rounding.h"
#include "app/sensor_code.h"
#include "app/ui/app_state.h"
#include "app/ui/message_box.h"
#include "comm/comm_state.h"
#include "comm/protocol.h"
#include "docs/ui/lang.h"
#include "sensors/ui/sensor_state.h"
#include "service/regul_rules.h"

namespace vorta::service {

using docs::Lt;

namespace {

constexpr int kTimerMs = 150;
constexpr int kResetSettleMs = 1500;
constexpr int kIdentifyAttempts = 5;
constexpr int kIdentifyPauseMs = 500;
constexpr std::uint32_t kReadFour = 0x40000;  // 's' with a count of 4
const char* const kUnknown = "???        ";

template <typename T>
T* Named(T* w, const QString& name) {
  w->setObjectName(name);
  return w;
}

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// Carriage returns end the lines of the status and summary texts.
QString Lines(const std::string& s) {
  return Q(s).replace('\r', '\n');
}

const char* const kPanelNames[kRegisterItems] = {"IinpuP",  "RinpuP", "Tinpup", "XinpuP",
                                                 "PomiarP", "WynikP", "WnormP", "AverP"};

}  // namespace

TDiagnF::TDiagnF(QWidget* owner) : QDialog(owner) {
  setObjectName("DiagnF");
  setWindowTitle(Q(docs::LTOrKey("Vorta Diagnostics")));
  BuildLayout();
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(kTimerMs);
  connect(Timer1, &QTimer::timeout, this, &TDiagnF::Timer1Timer);
  // Opening: identify (the transmitter enters its service state), then the first measurement.
  selector_ = SelectorOfItem(kMeasItem);
  if (comm::DirectCommand('@', 0)) comm::DirectCommand('m', selector_);
  const auto captions = RegisterCaptions(app::Param().ModelCode());
  for (int i = 0; i < kRegisterItems; ++i) items_[i]->setText(Q(captions[i]));
  SensorL->setText(Lines(ConfigSummary(app::Param(), sensors::SensorRangeTable(), docs::LangList())));
  Resume();
}

TDiagnF::~TDiagnF() {
  FormClose();
}

QWidget* TDiagnF::BuildRegisters() {
  auto* box = Named(new QGroupBox(this), "RejestryGB");
  auto* grid = new QGridLayout(box);
  Rejestry = new QButtonGroup(this);
  Rejestry->setObjectName("Rejestry");
  for (int i = 0; i < kRegisterItems; ++i) {
    items_[i] = Named(new QRadioButton(box), QString("Rejestry%1").arg(i));
    panels_[i] = Named(new QLabel(box), kPanelNames[i]);
    panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panels_[i]->setMinimumWidth(130);
    panels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont mono = panels_[i]->font();
    mono.setFamily("Monospace");
    mono.setStyleHint(QFont::TypeWriter);
    panels_[i]->setFont(mono);
    Rejestry->addButton(items_[i], i);
    grid->addWidget(items_[i], i, 0);
    grid->addWidget(panels_[i], i, 1);
  }
  items_[kMeasItem]->setChecked(true);
  Outputp = Named(new QLabel(box), "Outputp");
  Outputp->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Outputp->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid->addWidget(new QLabel(Lt("Output"), box), kRegisterItems, 0);
  grid->addWidget(Outputp, kRegisterItems, 1);
  grid->setRowStretch(kRegisterItems + 1, 1);  // spare height below the panels, not inside them
  connect(Rejestry, &QButtonGroup::idClicked, this, &TDiagnF::RejestryClick);
  return box;
}

QWidget* TDiagnF::BuildMemory() {
  auto* box = Named(new QGroupBox("EEPROM / Flash", this), "MemoryGB");
  auto* grid = new QGridLayout(box);
  EEaUpDn = Named(new QSpinBox(box), "EEaUpDn");
  EEaUpDn->setRange(0, kMaxMemoryAddress);
  EEaUpDn->setToolTip("Address");
  MessTxt = Named(new QLineEdit("??", box), "MessTxt");
  MessTxt->setMaxLength(11);
  ReadEEB = Named(new QPushButton(Q(docs::LTOrKey("Read")), box), "ReadEEB");
  ReadEEB->setToolTip(Q(docs::LTOrKey("Reads 4 bytes")));
  EEwriteB = Named(new QPushButton(Lt("Write"), box), "EEwriteB");
  EEwriteB->setToolTip(Q(docs::LTOrKey("Writes 1 byte to EEPROM or output Flash: OAE9B0000")));
  EEPROMRB = Named(new QRadioButton("EEPROM", box), "EEPROMRB");
  FlashRB = Named(new QRadioButton("Flash", box), "FlashRB");
  EEPROMRB->setChecked(true);
  grid->addWidget(EEaUpDn, 0, 0);
  grid->addWidget(MessTxt, 0, 1);
  grid->addWidget(ReadEEB, 1, 0);
  grid->addWidget(EEwriteB, 1, 1);
  grid->addWidget(EEPROMRB, 2, 0);
  grid->addWidget(FlashRB, 2, 1);
  connect(ReadEEB, &QPushButton::clicked, this, &TDiagnF::ReadEEBClick);
  connect(EEwriteB, &QPushButton::clicked, this, &TDiagnF::EEwriteBClick);
  return box;
}

void TDiagnF::BuildLayout() {
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  left->addWidget(BuildRegisters());
  auto* preset = new QHBoxLayout;
  SetOutM = Named(new QLineEdit("12.000", this), "SetOutM");
  SetOutM->setMaxLength(6);
  SetOutM->setMaximumWidth(80);
  SetOutM->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9+,.Ee-]*"), SetOutM));
  SetOutbutt = Named(new QPushButton(Lt("Set") + " mA", this), "SetOutbutt");
  Resetb = Named(new QPushButton(Lt("Reset"), this), "Resetb");
  preset->addWidget(SetOutM);
  preset->addWidget(SetOutbutt);
  preset->addStretch();
  preset->addWidget(Resetb);
  left->addLayout(preset);
  layout->addLayout(left);

  auto* right = new QVBoxLayout;
  auto* status = Named(new QGroupBox("Status", this), "StatusGB");
  StatusL = Named(new QLabel(status), "StatusL");
  StatusL->setMinimumHeight(110);
  StatusL->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  (new QVBoxLayout(status))->addWidget(StatusL);
  auto* sensor = Named(new QGroupBox(Lt("Sensor"), this), "SensorGB");
  SensorL = Named(new QLabel(sensor), "SensorL");
  SensorL->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  (new QVBoxLayout(sensor))->addWidget(SensorL);
  right->addWidget(status);
  right->addWidget(sensor);
  right->addWidget(BuildMemory());
  layout->addLayout(right);
  for (QPushButton* b : {SetOutbutt, Resetb, ReadEEB, EEwriteB}) b->setAutoDefault(false);
  connect(Resetb, &QPushButton::clicked, this, &TDiagnF::ResetbClick);
  connect(SetOutbutt, &QPushButton::clicked, this, &TDiagnF::SetOutbuttClick);
  connect(SetOutM, &QLineEdit::returnPressed, this, &TDiagnF::SetOutbuttClick);
}

void TDiagnF::Suspend() {
  timerActive_ = false;
  Timer1->stop();
}

void TDiagnF::Resume() {
  if (closed_) return;
  timerActive_ = true;
  Timer1->start();
}

void TDiagnF::ClearPanels() {
  for (QLabel* l : panels_) l->clear();
  Outputp->clear();
}

void TDiagnF::Pause(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QThread::msleep(10);
  }
}

void TDiagnF::Timer1Timer() {
  if (!timerActive_ || closed_) return;
  Timer1->stop();
  double value = 0, current = 0;
  comm::TRawMeasurement raw{};
  if (comm::ReadRegister(selector_, value, current, raw)) {
    const comm::TMeasurementStatus& s = comm::Comm().Status;
    const int item = Rejestry->checkedId();
    if (item >= 0) panels_[item]->setText(Q(RegisterText(item, value, app::UnitName(s.UnitIndex))));
    Outputp->setText(Q(DiagnOutputText(current)));
    Outputp->setStyleSheet(s.IndependentOutput ? "color: teal;" : "color: black;");
    TStatusFlags f;
    f.calMode = s.CalMode;
    f.independentOutput = s.IndependentOutput;
    f.eepromError = s.EepromError;
    f.internalError = s.InternalError;
    f.brokenSensor = s.BrokenSensor;
    f.outOfRange = s.OutOfRange;
    f.newAverage = s.NewAverage;
    f.largeError = s.LargeError;
    StatusL->setText(Lines(StatusText(f)));
    failures_ = 0;
  } else {
    const int limit = static_cast<int>(app::RoundHalfEven(6000.0 / Timer1->interval()));
    const TFailAction a = CountFailure(failures_, limit, true);
    if (a.clearPanels) {
      ClearPanels();
      StatusL->clear();
    }
    if (a.showUnknown) {
      app::MessageBeep(app::BeepKind::kQuestion);
      for (QLabel* l : panels_) l->setText(kUnknown);
      Outputp->setText(kUnknown);
    }
  }
  if (timerActive_ && !closed_) Timer1->start();
}

void TDiagnF::RejestryClick(int item) {
  if (!timerActive_) return;
  Suspend();
  comm::DirectCommand('@', 0);
  selector_ = SelectorOfItem(item);
  Resume();
}

void TDiagnF::ResetbClick() {
  Suspend();
  ClearPanels();
  StatusL->setText(Q(docs::LTOrKey("Resetting...")));
  StatusL->repaint();
  Pause(kTimerMs);
  comm::DirectCommand('r', 0);
  Pause(kResetSettleMs);
  for (int i = 0; i < kIdentifyAttempts; ++i) {
    if (comm::DirectCommand('@', 0)) break;
    Pause(kIdentifyPauseMs);
  }
  double value = 0, current = 0;
  comm::TRawMeasurement raw{};
  comm::ReadRegister(SelectorOfItem(kMeasItem), value, current, raw);
  StatusL->clear();
  items_[kMeasItem]->setChecked(true);
  selector_ = SelectorOfItem(kMeasItem);
  Resume();
}

void TDiagnF::SetOutbuttClick() {
  presetError_ = false;
  const TPresetEntry e = CheckPreset(SetOutM->text().section('\n', 0, 0).toStdString());
  if (e.check == TPresetCheck::kWrongFormat) {
    presetError_ = true;
    app::MessageBeep(app::BeepKind::kExclamation);
    app::MyMesM(Lt("Wrong format") + "!", app::kIconError, this);
    SetOutM->setText(Q(e.text));
    return;
  }
  SetOutM->setText(Q(e.text));
  if (e.check == TPresetCheck::kOutOfRange) {
    presetError_ = true;
    app::MessageBeep(app::BeepKind::kQuestion);
    return;
  }
  Suspend();
  comm::DirectCommand('o', e.word);
  Resume();
}

void TDiagnF::ReadEEBClick() {
  Suspend();
  const TReadAddress a = ReadAddressOf(EEaUpDn->value(), FlashRB->isChecked());
  EEaUpDn->setValue(a.position);
  comm::TBuffer reply{};
  std::string text;
  if (comm::DirectRead('s', kReadFour + a.address, reply)) text = MemoryReplyText(reply, a.address);
  if (text.empty()) app::MessageBeep(app::BeepKind::kExclamation);
  MessTxt->setText(Q(text));
  Resume();
}

void TDiagnF::EEwriteBClick() {
  Suspend();
  const TMemoryWrite w = MemoryWriteOf(MessTxt->text().toStdString(), FlashRB->isChecked(), EEaUpDn->value());
  bool ok = w.kind == TWriteKind::kNothing;
  if (w.kind == TWriteKind::kByte || w.kind == TWriteKind::kSpecial)
    ok = comm::DirectCommand(w.letter, w.arg);
  if (!ok) app::MessageBeep(app::BeepKind::kExclamation);
  Resume();
}

void TDiagnF::FormClose() {
  if (closed_) return;
  timerActive_ = false;
  Pause(kTimerMs);
  closed_ = true;
  Timer1->stop();
  comm::DirectCommand('r', 0);
}

void TDiagnF::reject() {
  FormClose();
  QDialog::reject();
}

}  // namespace vorta::service
