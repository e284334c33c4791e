// Layout and behaviour of the resistance/millivolt input dialog.
#include "sensors/ui/wybor_rv_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui/app_state.h"
#include "docs/ui/lang.h"
#include "sensors/selection_models.h"
#include "sensors/ui/dialog_support.h"
#include "sensors/ui/sensor_state.h"
#include "sensors/wybor_rules.h"

namespace vorta::sensors {

using docs::Lt;

namespace {

template <typename W>
W* Named(W* w, const char* name) {
  w->setObjectName(name);
  return w;
}

}  // namespace

TWyborRV::TWyborRV(QWidget* owner) : TInputDialog(owner, "WyborRV", "Voltage", "Resistance", "Connection") {
  auto* wires = new QVBoxLayout(RTrybG);
  W2 = Named(new QRadioButton(Lt("2-wire"), RTrybG), "W2");
  W3 = Named(new QRadioButton(Lt("3-wire"), RTrybG), "W3");
  W4 = Named(new QRadioButton(Lt("4-wire"), RTrybG), "W4");
  for (QRadioButton* b : {W2, W3, W4}) wires->addWidget(b);
  VLinG = ConversionGroup("VLinG");
  RLinG = ConversionGroup("RLinG");
  auto* v = new QVBoxLayout(VLinG);
  VLin = Named(new QCheckBox(Lt("table defined"), VLinG), "VLin");
  VLina = Named(new QCheckBox(Lt("linear"), VLinG), "VLina");
  v->addWidget(VLin);
  v->addWidget(VLina);
  auto* r = new QVBoxLayout(RLinG);
  RLin = Named(new QCheckBox(Lt("table defined"), RLinG), "RLin");
  RLina = Named(new QCheckBox(Lt("linear"), RLinG), "RLina");
  r->addWidget(RLin);
  r->addWidget(RLina);
  MoreButt = Named(new QToolButton(this), "MoreButt");
  MoreButt->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
  MoreButt->setToolTip(Lt("More"));
  Build(MoreButt);

  connect(TabControl1, &QTabBar::currentChanged, this, &TWyborRV::TabControl1Change);
  for (QCheckBox* b : {VLin, VLina, RLin, RLina})
    connect(b, &QCheckBox::clicked, this, [this, b] { ConversionClick(b); });
  connect(OKButt, &QPushButton::clicked, this, &TWyborRV::OKButtClick);
  connect(MoreButt, &QToolButton::clicked, this, [this] { done(3); });
}

void TWyborRV::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (painted_) return;
  painted_ = true;
  const app::TParamSet& p = app::Param();
  const int typ = p.Code.Typ;
  const bool blocked = TabControl1->blockSignals(true);
  TabControl1->setCurrentIndex(typ == 5 ? kResistanceTab : kVoltageTab);
  TabControl1->blockSignals(blocked);
  RInfoT->setText(Q(WholeLimitsText(SensorRangeTable()[5])) + " Ohm");
  VInfoT->setText(Q(WholeLimitsText(SensorRangeTable()[16])) + " mV");
  const TConversion shown = ConversionShown(p.Code.Lin, p.TableLoaded);
  if (typ == 5 || typ == 16) {
    (typ == 5 ? RLin : VLin)->setChecked(shown == TConversion::kTable);
    (typ == 5 ? RLina : VLina)->setChecked(shown == TConversion::kLinear);
  }
  TabControl1Change();
  initialising_ = false;
}

TConversion TWyborRV::Ticked(bool voltage) const {
  if ((voltage ? VLina : RLina)->isChecked()) return TConversion::kLinear;
  if ((voltage ? VLin : RLin)->isChecked()) return TConversion::kTable;
  return TConversion::kNone;
}

void TWyborRV::TabControl1Change() {
  const bool voltage = VoltageTab();
  for (QWidget* w : std::initializer_list<QWidget*>{RTrybG, RLinG, RInfoT}) w->setVisible(!voltage);
  for (QWidget* w : std::initializer_list<QWidget*>{VLinG, VInfoT}) w->setVisible(voltage);
  if (!voltage) {
    const bool fourWire = FourWireAllowed(model_);
    W4->setEnabled(fourWire);
    // The connection found at opening is shown until the user picks one; ticking a conversion,
    // which runs this again, keeps the pick.
    if (!W2->isChecked() && !W3->isChecked() && !W4->isChecked())
      std::array{W2, W3, W4}[static_cast<std::size_t>(ConnectionShown(app::Param().Code.Tryb, fourWire) - 2)]
          ->setChecked(true);
  }
  ShowConversion(Ticked(voltage), voltage ? " mV" : " Ohm");
}

void TWyborRV::ConversionClick(QCheckBox* box) {
  if (initialising_ || !box->isChecked()) return;
  const bool voltage = box == VLin || box == VLina;
  for (QCheckBox* other : voltage ? std::array{RLin, RLina} : std::array{VLin, VLina})
    other->setChecked(false);
  const bool table = box == VLin || box == RLin;
  if (OpenConversion(table ? TConversion::kTable : TConversion::kLinear, voltage ? 16 : 5)) {
    QCheckBox* sibling = voltage ? (table ? VLina : VLin) : (table ? RLina : RLin);
    sibling->setChecked(false);
  } else {
    box->setChecked(false);
  }
  TabControl1Change();
}

void TWyborRV::OKButtClick() {
  const bool voltage = VoltageTab();
  TInputChoice c;
  c.typ = voltage ? 16 : 5;
  c.tryb = voltage ? 5 : (W2->isChecked() ? 2 : W4->isChecked() && W4->isEnabled() ? 4 : 3);
  c.conversion = Ticked(voltage);
  ApplyInputChoice(c, opening_, model_, app::Param(), SensorRangeTable(), Today());
  done(1);
}

}  // namespace vorta::sensors
