// The input dialogs' shared layout and conversion opening.
#include "sensors/ui/input_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/sensor_code.h"
#include "app/ui/app_state.h"
#include "docs/ui/lang.h"
#include "sensors/ui/dialog_support.h"
#include "sensors/ui/lina_window.h"
#include "sensors/ui/power_window.h"
#include "sensors/ui/sensor_state.h"
#include "sensors/ui/tabl_window.h"

namespace vorta::sensors {

using docs::Lt;

namespace {

QLabel* Label(QWidget* parent, const char* name, const QString& text = {}) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  return l;
}

}  // namespace

TInputDialog::TInputDialog(QWidget* owner, const char* name, const char* voltageTab, const char* otherTab,
                           const char* trybKey)
    : QDialog(owner) {
  setObjectName(name);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(Lt("Input signal"));
  app::TParamSet& p = app::Param();
  p.Code.CharModified = 0;
  opening_ = {p.Code.Typ, p.Code.Lin};
  trybAtOpening_ = p.Code.Tryb;
  model_ = p.ModelCode();
  TabControl1 = new QTabBar(this);
  TabControl1->setObjectName("TabControl1");
  TabControl1->addTab(Lt(voltageTab));
  TabControl1->addTab(Lt(otherTab));
  MaxRangeT = Label(this, "MaxRangeT", Lt("Maximum range") + ":");
  VInfoT = Label(this, "VInfoT");
  RInfoT = Label(this, "RInfoT");
  RTrybG = new QGroupBox(GroupTitle(trybKey), this);
  RTrybG->setObjectName("RTrybG");
  InputT = Label(this, "InputT", Lt("Input") + ":");
  InputIT = Label(this, "InputIT");
  ResultT = Label(this, "ResultT", Q(docs::LT1("Result1")) + ":");
  ResultIT = Label(this, "ResultIT");
  OKButt = new QPushButton("OK", this);
  OKButt->setObjectName("OKButt");
  OKButt->setDefault(true);
  CancelButt = new QPushButton(Lt("Cancel"), this);
  CancelButt->setObjectName("CancelButt");
  connect(CancelButt, &QPushButton::clicked, this, [this] { done(2); });
}

QGroupBox* TInputDialog::ConversionGroup(const char* name) {
  auto* g = new QGroupBox(GroupTitle("result conversion"), this);
  g->setObjectName(name);
  return g;
}

void TInputDialog::Build(QWidget* extraButton) {
  auto* column = new QVBoxLayout(this);
  column->addWidget(TabControl1);
  auto* range = new QHBoxLayout;
  range->addWidget(MaxRangeT);
  range->addWidget(VInfoT);
  range->addWidget(RInfoT);
  range->addStretch(1);
  column->addLayout(range);
  auto* groups = new QHBoxLayout;
  groups->addWidget(RTrybG);
  groups->addWidget(VLinG);
  groups->addWidget(RLinG);
  groups->addStretch(1);
  column->addLayout(groups);
  auto* labels = new QGridLayout;
  labels->addWidget(InputT, 0, 0);
  labels->addWidget(InputIT, 0, 1);
  labels->addWidget(ResultT, 1, 0);
  labels->addWidget(ResultIT, 1, 1);
  labels->setColumnStretch(1, 1);
  column->addLayout(labels);
  column->addStretch(1);
  auto* buttons = new QHBoxLayout;
  if (extraButton) buttons->addWidget(extraButton);
  buttons->addStretch(1);
  buttons->addWidget(OKButt);
  buttons->addWidget(CancelButt);
  column->addLayout(buttons);
  // The size that holds every group, kept on both tabs.
  const int wide = fontMetrics().horizontalAdvance("-9999.9...-9999.9 m3/h");
  InputIT->setMinimumWidth(wide);
  ResultIT->setMinimumWidth(wide);
  setFixedSize(sizeHint());
  PlaceBeside(this, parentWidget(), 40);
}

bool TInputDialog::VoltageTab() const {
  return TabControl1->currentIndex() == 0;
}

void TInputDialog::ShowConversion(TConversion conversion, const QString& inputUnit) {
  const bool shown = conversion != TConversion::kNone;
  for (QLabel* l : {InputT, InputIT, ResultT, ResultIT}) l->setVisible(shown);
  if (!shown) return;
  const app::TParamSet& p = app::Param();
  InputIT->setText(Q(ConversionInputText(p, UserTable(), conversion)) + inputUnit);
  ResultIT->setText(Q(ConversionResultText(SensorRangeTable())) + " " + Q(app::UnitName(p.P.Jednostki)));
}

bool TInputDialog::OpenConversion(TConversion conversion, int typ) {
  app::Param().CharTyp = static_cast<std::uint8_t>(typ);
  repaint();
  switch (conversion) {
    case TConversion::kTable: {
      TTablF d(this);
      return d.exec() == 1;
    }
    case TConversion::kLinear: {
      TLinaF d(this);
      return d.exec() == 1;
    }
    case TConversion::kPowerSeries: {
      TPowerF d(this);
      return d.exec() == 1;
    }
    default:
      return false;
  }
}

}  // namespace vorta::sensors
