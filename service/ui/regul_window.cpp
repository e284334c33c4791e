// Layout and handlers of the user corrections window.
#include "service/ui/regul_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "app/rounding.h"
#include "app/ui/app_state.h"
#include "app/ui/message_box.h"
#include "app/ui/window_state.h"
#include "comm/comm_state.h"
#include "comm/device_float.h"
#include "comm/polling.h"
#include "comm/protocol.h"
#include "comm/record_layout.h"
#include "comm/ui/record_state.h"
#include "docs/ui/lang.h"

namespace vorta::service {

using docs::Lt;

namespace {

constexpr int kTimerMs = 500;
constexpr std::uint8_t kResultRegister = 0x20;
constexpr std::uint8_t kInternalTempRegister = 0x04;
constexpr std::uint8_t kCorrectedRegister = 0x10;
const char* const kUnknown = "???        ";

template <typename T>
T* Named(T* w, const char* name) {
  w->setObjectName(name);
  return w;
}

QLabel* Panel(QWidget* parent, const char* name) {
  auto* l = Named(new QLabel(parent), name);
  l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  l->setMinimumWidth(110);
  return l;
}

void Colour(QLabel* l, const char* colour) {
  l->setStyleSheet(QString("color: %1;").arg(colour));
}

app::TResultFlags FlagsNow() {
  return app::ResultFlagsOf(comm::Comm().Status);
}

}  // namespace

TRegulF::TRegulF(QWidget* owner) : QDialog(owner) {
  setObjectName("RegulF");
  setWindowTitle(Lt("Input corrections"));
  BuildLayout();
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(kTimerMs);
  connect(Timer1, &QTimer::timeout, this, &TRegulF::Timer1Timer);
  // Opening: the corrections the transmitter holds now are the stored ones.
  const app::TMeasParams& p = app::Param().P;
  stored_ = {p.ZeroReg, p.GainReg};
  for (QScrollBar* bar : {ZeroS, GainS}) bar->blockSignals(true);
  ZeroS->setValue(ScrollPosition(p.ZeroReg));
  GainS->setValue(ScrollPosition(p.GainReg));
  for (QScrollBar* bar : {ZeroS, GainS}) bar->blockSignals(false);
  ZeroSChange();
  GainSChange();
  SetMeasureMode(false);
  running_ = true;
  Timer1->start();
}

TRegulF::~TRegulF() {
  FormClose();
}

void TRegulF::BuildLayout() {
  auto* layout = new QVBoxLayout(this);
  auto* trims = new QGridLayout;
  ZeroT = Named(new QLabel(Lt("Zero"), this), "ZeroT");
  GainT = Named(new QLabel(Lt("Gain"), this), "GainT");
  ZeroS = Named(new QScrollBar(Qt::Horizontal, this), "ZeroS");
  GainS = Named(new QScrollBar(Qt::Horizontal, this), "GainS");
  ZeroS->setToolTip(Lt("Correct Zero"));
  GainS->setToolTip(Lt("Correct Gain"));
  ZeroP = Panel(this, "ZeroP");
  GainP = Panel(this, "GainP");
  for (QScrollBar* bar : {ZeroS, GainS}) {
    bar->setRange(0, kScrollMax);
    bar->setPageStep(10);
    bar->setValue(kScrollCentre);
    bar->setMinimumWidth(260);
  }
  for (QLabel* l : {ZeroP, GainP}) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  trims->addWidget(ZeroT, 0, 0);
  trims->addWidget(ZeroS, 0, 1);
  trims->addWidget(ZeroP, 0, 2);
  trims->addWidget(GainT, 1, 0);
  trims->addWidget(GainS, 1, 1);
  trims->addWidget(GainP, 1, 2);
  AllZeroB = Named(new QPushButton(Lt("Set all to zero"), this), "AllZeroB");
  AllZeroB->setToolTip(Lt("Set corrections to zero"));
  SimulCB = Named(new QCheckBox(Lt("Simulation"), this), "SimulCB");
  SimulCB->setToolTip(Lt("Simulate corrections"));
  trims->addWidget(AllZeroB, 2, 1, Qt::AlignLeft);
  trims->addWidget(SimulCB, 2, 2);
  trims->setColumnStretch(1, 1);  // a wider window lengthens the scroll bars
  layout->addLayout(trims);

  auto* values = new QGridLayout;
  PomiarT = Named(new QLabel(this), "PomiarT");
  PomiarT->setCursor(Qt::PointingHandCursor);
  PomiarT->installEventFilter(this);
  nOutput = Named(new QLabel(Lt("Output"), this), "nOutput");
  PomiarP = Panel(this, "PomiarP");
  PomiarP->setMinimumWidth(220);
  PomiarP->setMinimumHeight(40);
  Outputp = Panel(this, "Outputp");
  Outputp->setMinimumWidth(150);
  Outputp->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QFont big = Outputp->font();
  big.setPointSize(18);
  Outputp->setFont(big);
  values->addWidget(PomiarT, 0, 0);
  values->addWidget(nOutput, 0, 1);
  values->addWidget(PomiarP, 1, 0);
  values->addWidget(Outputp, 1, 1);
  // A taller window gives the room to the panels; the captions stay right above them.
  values->setRowStretch(1, 1);
  layout->addLayout(values, 1);

  auto* output = new QHBoxLayout;
  SetOut = Named(new QLineEdit("10.00", this), "SetOut");
  SetOut->setMaxLength(5);
  SetOut->setMaximumWidth(70);
  SetOut->setToolTip(Lt("Determine output current value"));
  SetOutbutt = Named(new QPushButton(Lt("Set") + " mA", this), "SetOutbutt");
  SetOutbutt->setToolTip(Lt("Set the output current"));
  output->addWidget(SetOut);
  output->addWidget(SetOutbutt);
  output->addStretch();
  layout->addLayout(output);

  auto* buttons = new QHBoxLayout;
  ResetB = Named(new QPushButton(Lt("Reset"), this), "ResetB");
  ResetB->setToolTip(Lt("Reset transmitter"));
  ZapiszB = Named(new QPushButton(Lt("Write"), this), "ZapiszB");
  ZapiszB->setToolTip(Lt("Write to nonvolatile memory"));
  ExitB = Named(new QPushButton(Lt("Exit"), this), "ExitB");
  buttons->addWidget(ResetB);
  buttons->addWidget(ZapiszB);
  buttons->addStretch();
  buttons->addWidget(ExitB);
  layout->addLayout(buttons);
  for (QPushButton* b : {AllZeroB, SetOutbutt, ResetB, ZapiszB, ExitB}) b->setAutoDefault(false);

  connect(ZeroS, &QScrollBar::valueChanged, this, &TRegulF::ZeroSChange);
  connect(GainS, &QScrollBar::valueChanged, this, &TRegulF::GainSChange);
  connect(AllZeroB, &QPushButton::clicked, this, &TRegulF::AllZeroBClick);
  connect(SimulCB, &QCheckBox::clicked, this, &TRegulF::SimulCBClick);
  connect(SetOutbutt, &QPushButton::clicked, this, &TRegulF::SetOutbuttClick);
  connect(SetOut, &QLineEdit::returnPressed, this, &TRegulF::SetOutReturn);
  connect(ResetB, &QPushButton::clicked, this, &TRegulF::ResetBClick);
  connect(ZapiszB, &QPushButton::clicked, this, &TRegulF::ZapiszBClick);
  connect(ExitB, &QPushButton::clicked, this, &TRegulF::ExitBClick);
}

void TRegulF::StartTimer() {
  if (running_) Timer1->start();
}

void TRegulF::ScrollChanged(QScrollBar* bar, QLabel* panel, double& correction) {
  Timer1->stop();
  const double shown = ScrollCorrection(bar->value());
  panel->setText(QString::fromStdString(CorrectionText(shown)));
  correction = LimitCorrection(shown);
  StartTimer();
}

void TRegulF::ZeroSChange() {
  ScrollChanged(ZeroS, ZeroP, app::Param().P.ZeroReg);
}

void TRegulF::GainSChange() {
  ScrollChanged(GainS, GainP, app::Param().P.GainReg);
}

void TRegulF::AllZeroBClick() {
  for (QScrollBar* bar : {ZeroS, GainS}) bar->blockSignals(true);
  ZeroS->setValue(kScrollCentre);
  GainS->setValue(kScrollCentre);
  for (QScrollBar* bar : {ZeroS, GainS}) bar->blockSignals(false);
  ZeroSChange();
  GainSChange();
}

void TRegulF::SetMeasureMode(bool on) {
  measureMode_ = on;
  PomiarT->setText(on ? Lt("Int. temp.") : docs::Lt("Result"));
}

void TRegulF::Timer1Timer() {
  if (!running_) return;
  Timer1->stop();
  const app::TParamSet& p = app::Param();
  double value = 0, current = 0;
  comm::TRawMeasurement raw{};
  bool ok = false;
  if (SimulCB->isChecked()) {
    // The transmitter evaluates the trial corrections on its present measurement.
    double m = 0;
    ok = comm::ReadRegister(kCorrectedRegister, m, current, raw);
    const double y = SimulatedValue(m, stored_, {p.P.ZeroReg, p.P.GainReg}, p.P.ResultHigh - p.P.ResultLow);
    comm::DeviceFloatBytes b{};
    if (ok) ok = comm::EncodeDeviceFloat(y, b);
    if (ok)
      ok = comm::ReadSimulated(value, current,
                               static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                                   static_cast<std::uint32_t>(b[2]) << 16 |
                                   static_cast<std::uint32_t>(b[3]) << 24);
  } else {
    ok = comm::ReadRegister(measureMode_ ? kInternalTempRegister : kResultRegister, value, current, raw);
  }
  if (ok)
    ShowTick(value, current);
  else
    FailedTick();
  // The window stays responsive while the line is slow; a close in here ends the ticks for good.
  QApplication::processEvents();
  StartTimer();
}

void TRegulF::ShowTick(double value, double current) {
  failures_ = 0;
  resetting_ = false;
  const app::TResultFlags flags = FlagsNow();
  const bool fault =
      flags.calMode || flags.eepromError || flags.internalError || flags.brokenSensor || flags.outOfRange;
  if (fault) SetMeasureMode(false);
  PomiarT->setEnabled(!fault);
  SimulCB->setEnabled(!fault);
  const bool simulating = SimulCB->isChecked();
  const app::TResultText r = RegulValueText(app::Param(), value, measureMode_, flags, docs::LangList());
  QFont font = PomiarP->font();
  font.setPointSize(r.fault ? 12 : 18);
  PomiarP->setFont(font);
  PomiarP->setAlignment((r.fault ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter);
  PomiarP->setText(QString::fromStdString(r.text));
  Colour(PomiarP, simulating ? "teal" : measureMode_ ? "blue" : "black");
  const bool independent = comm::Comm().Status.IndependentOutput;
  Outputp->setText(QString::fromStdString(RegulOutputText(current, independent, simulating)));
  Colour(Outputp, independent ? "red" : simulating ? "teal" : "black");
}

void TRegulF::FailedTick() {
  const int limit = static_cast<int>(app::RoundHalfEven(6000.0 / Timer1->interval()));
  const TFailAction a = CountFailure(failures_, limit, resetting_);
  app::TWindowFlags& f = app::WindowFlags();
  if (a.forgetConfig) f.ConfigRead = false;
  if (a.clearPanels) {
    if (!f.ConfigRead) {
      SimulCB->setChecked(false);
      SimulCB->setEnabled(false);
      PomiarT->setEnabled(false);
      SetMeasureMode(false);
      Colour(PomiarP, "black");
      Colour(Outputp, "black");
    }
    PomiarP->clear();
    Outputp->clear();
  }
  if (a.showUnknown) {
    app::MessageBeep(app::BeepKind::kQuestion);
    PomiarP->setText(kUnknown);
    Outputp->setText(kUnknown);
  }
}

void TRegulF::PomiarTClick() {
  if (!MeasureModeAllowed(comm::Comm().Status.TypeIndex)) {
    SetMeasureMode(false);
    return;
  }
  Timer1->stop();
  SetMeasureMode(!measureMode_);
  if (measureMode_) SimulCB->setChecked(false);
  PomiarP->clear();
  PomiarP->repaint();
  StartTimer();
}

void TRegulF::SimulCBClick() {
  if (SimulCB->isChecked()) {
    SetMeasureMode(false);
    ZeroS->setFocus();
  } else {
    ExitB->setFocus();
  }
}

void TRegulF::SetOutbuttClick() {
  setOutError_ = false;
  const TOutputEntry e = CheckSetOut(SetOut->text().toStdString());
  if (e.check == TEntryCheck::kWrongFormat) {
    setOutError_ = true;
    app::MessageBeep(app::BeepKind::kExclamation);
    app::MyMesM(Lt("Wrong format") + "!", app::kIconError, this);
    SetOut->setText(QString::fromStdString(e.text));
    return;
  }
  if (e.check == TEntryCheck::kOutOfRange) {
    setOutError_ = true;
    app::MessageBeep(app::BeepKind::kQuestion);
    SetOut->setText(QString::fromStdString(e.text));
    return;
  }
  Timer1->stop();
  SetOut->setText(QString::fromStdString(e.text));
  comm::DirectCommand('o', e.word);
  SimulCB->setChecked(false);
  StartTimer();
}

void TRegulF::SetOutReturn() {
  SetOutbuttClick();
  if (setOutError_)
    SetOut->setFocus();
  else
    SetOutbutt->setFocus();
}

void TRegulF::ResetBClick() {
  if (!comm::DirectCommand('r', 0)) return;
  Timer1->stop();
  SimulCB->setChecked(false);
  SimulCB->setEnabled(false);
  SetMeasureMode(false);
  PomiarT->setEnabled(false);
  resetting_ = true;
  double value = 0, current = 0;
  comm::TRawMeasurement raw{};
  comm::ReadRegister(kResultRegister, value, current,
                     raw);  // wakes the transmitter; the answer is not needed
  StartTimer();
}

void TRegulF::ZapiszBClick() {
  app::TMeasParams& p = app::Param().P;
  if (!comm::DirectCorrections(p.ZeroReg, p.GainReg)) {
    app::MyMesM(Lt("Command failed") + "!", app::kIconError, this);
    return;
  }
  Timer1->stop();
  SimulCB->setChecked(false);
  SetMeasureMode(false);
  stored_ = {p.ZeroReg, p.GainReg};
  // The record keeps what the transmitter holds, as a read would bring it.
  comm::DeviceRecord().SetFloat(comm::rec::kZeroReg, p.ZeroReg);
  comm::DeviceRecord().SetFloat(comm::rec::kGainReg, p.GainReg);
  double value = 0, current = 0;
  comm::TRawMeasurement raw{};
  comm::TakeMeasurement(value, current, raw);
  StartTimer();
  written_ = true;
  ExitB->setFocus();
}

void TRegulF::ExitBClick() {
  reject();
}

void TRegulF::FormClose() {
  if (!running_) return;
  running_ = false;
  // Whether written or not, the parameter set keeps what the transmitter holds: a trial made after
  // a write in this visit was never sent.
  app::Param().P.ZeroReg = stored_.zero;
  app::Param().P.GainReg = stored_.gain;
  // Everything runs on this thread: a tick that is still on the stack (a close from its message
  // processing) finds running_ cleared and does not start the timer again.
  Timer1->stop();
}

void TRegulF::reject() {
  FormClose();
  QDialog::reject();
}

bool TRegulF::eventFilter(QObject* watched, QEvent* e) {
  if (watched == PomiarT && e->type() == QEvent::MouseButtonPress && PomiarT->isEnabled()) {
    PomiarTClick();
    return true;
  }
  return QDialog::eventFilter(watched, e);
}

}  // namespace vorta::service
