// Layout and behaviour of the current/voltage input dialog.
#include "sensors/ui/wybor_iv_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/model_table.h"
#include "app/ui/app_state.h"
#include "docs/ui/lang.h"
#include "sensors/ui/dialog_support.h"
#include "sensors/ui/sensor_state.h"

namespace vorta::sensors {

using docs::Lt;

namespace {

constexpr std::array kConversions = {TConversion::kNone, TConversion::kLinear, TConversion::kPowerSeries,
                                     TConversion::kTable};

QRadioButton* Radio(QWidget* parent, const char* name, const char* key) {
  auto* b = new QRadioButton(Lt(key), parent);
  b->setObjectName(name);
  return b;
}

}  // namespace

TWyborIV::TWyborIV(QWidget* owner) : TInputDialog(owner, "WyborIV", "V", "I", "Input") {
  TabControl1->setTabText(kVoltageTab, "V");
  TabControl1->setTabText(kCurrentTab, "I");
  auto* inputs = new QVBoxLayout(RTrybG);
  W2 = Radio(RTrybG, "W2", "single");
  W3 = Radio(RTrybG, "W3", "double");
  inputs->addWidget(W2);
  inputs->addWidget(W3);
  VLinG = ConversionGroup("VLinG");
  RLinG = ConversionGroup("RLinG");
  VnoLin = Radio(VLinG, "VnoLin", "none");
  VLina = Radio(VLinG, "VLina", "linear");
  VLins = Radio(VLinG, "VLins", "power series");
  VLin = Radio(VLinG, "VLin", "table defined");
  RnoLin = Radio(RLinG, "RnoLin", "none");
  RLina = Radio(RLinG, "RLina", "linear");
  RLins = Radio(RLinG, "RLins", "power series");
  RLin = Radio(RLinG, "RLin", "table defined");
  for (bool voltage : {true, false}) {
    auto* column = new QVBoxLayout(voltage ? VLinG : RLinG);
    for (QRadioButton* b : Buttons(voltage)) column->addWidget(b);
  }
  Build(nullptr);

  connect(TabControl1, &QTabBar::currentChanged, this, &TWyborIV::TabControl1Change);
  for (bool voltage : {true, false}) {
    const auto buttons = Buttons(voltage);
    connect(buttons[0], &QRadioButton::clicked, this, &TWyborIV::noLinClick);
    for (std::size_t i = 1; i < buttons.size(); ++i)
      connect(buttons[i], &QRadioButton::clicked, this, [this, b = buttons[i]] { ConversionClick(b); });
  }
  connect(OKButt, &QPushButton::clicked, this, &TWyborIV::OKButtClick);
}

std::array<QRadioButton*, 4> TWyborIV::Buttons(bool voltage) const {
  return voltage ? std::array{VnoLin, VLina, VLins, VLin} : std::array{RnoLin, RLina, RLins, RLin};
}

void TWyborIV::Select(bool voltage, TConversion conversion) {
  const auto buttons = Buttons(voltage);
  for (std::size_t i = 0; i < buttons.size(); ++i)
    if (kConversions[i] == conversion) buttons[i]->setChecked(true);
}

TConversion TWyborIV::Chosen(bool voltage) const {
  const auto buttons = Buttons(voltage);
  for (std::size_t i = 0; i < buttons.size(); ++i)
    if (buttons[i]->isChecked()) return kConversions[i];
  return TConversion::kNone;
}

bool TWyborIV::Missing(bool voltage) const {
  return InputMissing(SensorRangeTable(), voltage ? 18 : 17);
}

void TWyborIV::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (painted_) return;
  painted_ = true;
  const app::TParamSet& p = app::Param();
  const bool blocked = TabControl1->blockSignals(true);
  TabControl1->setCurrentIndex(p.Code.Typ == 17 ? kCurrentTab : kVoltageTab);
  TabControl1->blockSignals(blocked);
  const QString rms = app::MeasuresRms(model_) ? " rms" : "";
  RInfoT->setText(Q(WholeLimitsText(SensorRangeTable()[17])) + " mA" + rms);
  VInfoT->setText(Q(WholeLimitsText(SensorRangeTable()[18])) + " V" + rms);
  const TConversion shown = ConversionShown(p.Code.Lin, p.TableLoaded);
  Select(true, p.Code.Typ == 18 ? shown : TConversion::kNone);
  Select(false, p.Code.Typ == 17 ? shown : TConversion::kNone);
  TabControl1Change();
  initialising_ = false;
}

void TWyborIV::TabControl1Change() {
  const bool voltage = VoltageTab();
  const bool missing = Missing(voltage);
  MaxRangeT->setText(missing ? Lt("No such input") : Lt("Maximum range") + ":");
  RInfoT->setVisible(!voltage);
  VInfoT->setVisible(voltage);
  VLinG->setVisible(voltage && !missing);
  RLinG->setVisible(!voltage && !missing);
  RTrybG->setVisible(!voltage && !missing);
  OKButt->setEnabled(!missing);
  // The mode found at opening is shown until the user picks one; ticking a conversion, which
  // runs this again, keeps the pick.
  if (!voltage && !W2->isChecked() && !W3->isChecked())
    (DoubleShown(app::Param().Code.Tryb) ? W3 : W2)->setChecked(true);
  ShowConversion(missing ? TConversion::kNone : Chosen(voltage), voltage ? " V" : " mA");
}

void TWyborIV::ConversionClick(QRadioButton* button) {
  if (initialising_ || !button->isChecked()) return;
  const bool voltage = VoltageTab();
  Select(!voltage, TConversion::kNone);
  const TConversion conversion = Chosen(voltage);
  if (!OpenConversion(conversion, voltage ? 18 : 17)) Select(voltage, TConversion::kNone);
  TabControl1Change();
}

void TWyborIV::noLinClick() {
  if (initialising_) return;
  for (QLabel* l : {InputT, InputIT, ResultT, ResultIT}) l->hide();
  repaint();
}

void TWyborIV::OKButtClick() {
  const bool voltage = VoltageTab();
  if (Missing(voltage)) return;
  TInputChoice c;
  c.typ = voltage ? 18 : 17;
  c.tryb = CurrentVoltageTryb(c.typ, W3->isChecked(), opening_.typ, trybAtOpening_);
  c.conversion = Chosen(voltage);
  ApplyInputChoice(c, opening_, model_, app::Param(), SensorRangeTable(), Today());
  done(1);
}

}  // namespace vorta::sensors
