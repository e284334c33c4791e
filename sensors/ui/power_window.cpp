// Layout and behaviour of the power-series conversion dialog.
#include "sensors/ui/power_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "app/ui/app_state.h"
#include "app/ui/message_box.h"
#include "docs/ui/lang.h"
#include "sensors/conversion_preview.h"
#include "sensors/input_rules.h"
#include "sensors/ui/curve_preview.h"
#include "sensors/ui/dialog_support.h"
#include "sensors/ui/sensor_state.h"

namespace vorta::sensors {

using docs::Lt;

namespace {

constexpr std::array<const char*, 9> kNames = {"A0E", "A1E", "A2E", "A3E", "A4E", "A5E", "A6E", "A7E", "A8E"};
constexpr std::array<const char*, 9> kLetters = {"a", "b", "c", "d", "f", "g", "h", "i", "j"};

QLabel* ValueLabel(QWidget* parent, const char* name) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  l->setMinimumWidth(l->fontMetrics().horizontalAdvance("-0000.0"));
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return l;
}

}  // namespace

TPowerF::TPowerF(QWidget* owner) : TConversionDialog(owner, "PowerF", "power series") {
  app::TParamSet& p = app::Param();
  copy_ = p.LinCoef;
  auto* column = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(BuildInputGroup());
  top->addWidget(BuildResults());
  column->addLayout(top);
  column->addWidget(BuildCoefficients());
  PreviewP = new TCurvePreview(this);
  column->addWidget(PreviewP, 1);
  column->addWidget(BuildButtons());

  Guard(InMinE, [this] { return InMinEExit(); });
  Guard(InMaxE, [this] { return InMaxEExit(); });
  for (int i = 0; i < 9; ++i) Guard(AE[static_cast<std::size_t>(i)], [this, i] { return CoefEExit(i); });
  for (QLineEdit* e : {InMinE, InMaxE}) connect(e, &QLineEdit::textEdited, this, &TPowerF::AnyChange);
  for (QLineEdit* e : AE) connect(e, &QLineEdit::textEdited, this, &TPowerF::AnyChange);
  connect(TablOKB, &QPushButton::clicked, this, &TPowerF::TablOKBClick);
  connect(TablExitB, &QPushButton::clicked, this, &TPowerF::TablExitBClick);
  connect(UnitsE, &QComboBox::currentIndexChanged, this, &TPowerF::UnitsEChange);

  // The series in the set is the starting point when it is this input's; else the identity over
  // the input's full range.
  const TConversionStart start = StartPowerSeries(p, UserTable(), SensorRangeTable(), charTyp_);
  inMin_ = start.inMin;
  inMax_ = start.inMax;
  FillUnits(UnitsE, start.unit);
  UnitsEChange();
  ShowInputs();
  ShowCoefficients();
  if (start.fromSet) {
    resMin_ = start.resMin;
    resMax_ = start.resMax;
    ResMinV->setText(Q(TenthsText(resMin_)));
    ResMaxV->setText(Q(TenthsText(resMax_)));
  }
  SetChecked(start.fromSet);
  UpdatePreview();
  initialising_ = false;
  Place();
}

QWidget* TPowerF::BuildResults() {
  auto* g = new QGroupBox(GroupTitle("Result"), this);
  g->setObjectName("ResultG");
  auto* grid = new QGridLayout(g);
  ResMinV = ValueLabel(g, "ResMinV");
  ResMaxV = ValueLabel(g, "ResMaxV");
  ResMinJ = new QLabel(g);
  ResMinJ->setObjectName("ResMinJ");
  ResMaxJ = new QLabel(g);
  ResMaxJ->setObjectName("ResMaxJ");
  grid->addWidget(new QLabel(Lt("Minimum"), g), 0, 0);
  grid->addWidget(ResMinV, 0, 1);
  grid->addWidget(ResMinJ, 0, 2);
  grid->addWidget(new QLabel(Lt("Maximum"), g), 1, 0);
  grid->addWidget(ResMaxV, 1, 1);
  grid->addWidget(ResMaxJ, 1, 2);
  grid->addWidget(BuildUnits(g), 2, 0, 1, 3);
  return g;
}

QWidget* TPowerF::BuildCoefficients() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  FormulaT = new QLabel(
      "y = a + bx + cx<sup>2</sup> + dx<sup>3</sup> + fx<sup>4</sup> + gx<sup>5</sup> + hx<sup>6</sup> + "
      "ix<sup>7</sup> + jx<sup>8</sup>",
      box);
  FormulaT->setObjectName("FormulaT");
  FormulaT->setTextFormat(Qt::RichText);
  grid->addWidget(FormulaT, 0, 0, 1, 6);
  for (int i = 0; i < 9; ++i) {
    auto* e = new QLineEdit(box);
    e->setObjectName(kNames[static_cast<std::size_t>(i)]);
    e->setMaxLength(24);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance("-0.00000E-000"));
    AE[static_cast<std::size_t>(i)] = e;
    const int row = 1 + i / 3, col = (i % 3) * 2;
    grid->addWidget(new QLabel(QString(kLetters[static_cast<std::size_t>(i)]) + " =", box), row, col,
                    Qt::AlignRight);
    grid->addWidget(e, row, col + 1);
  }
  return box;
}

void TPowerF::ShowCoefficients() {
  for (int i = 0; i < 9; ++i)
    AE[static_cast<std::size_t>(i)]->setText(
        Q(CoefficientText(app::Param().LinCoef[static_cast<std::size_t>(i)])));
}

void TPowerF::SetChecked(bool checked) {
  checked_ = checked;
  TablOKB->setText(checked ? QString("OK") : Lt("Check"));
}

void TPowerF::AnyChange() {
  if (initialising_) return;
  SetChecked(false);
}

void TPowerF::InputChanged() {
  auto& c = app::Param().LinCoef;
  c[9] = inMin_;
  c[10] = inMax_;
  UpdatePreview();
}

bool TPowerF::CoefEExit(int i) {
  QLineEdit* e = AE[static_cast<std::size_t>(i)];
  double& coef = app::Param().LinCoef[static_cast<std::size_t>(i)];
  const QString previous = Q(CoefficientText(coef));
  const TCoefficientEntry entry = CheckCoefficient(e->text().toStdString());
  if (entry.wrongFormat) {
    Refuse(e, previous, Lt("Wrong format") + "!", app::kIconError);
    return false;
  }
  if (!entry.ok) {
    Refuse(e, previous, Lt(kCoefficientRangeKey) + "!", app::kIconWarning);
    return false;
  }
  coef = entry.value;
  e->setText(Q(CoefficientText(coef)));
  UpdatePreview();
  return true;
}

void TPowerF::UnitsEChange() {
  ResMinJ->setText(UnitsE->currentText());
  ResMaxJ->setText(UnitsE->currentText());
}

void TPowerF::UpdatePreview() {
  PreviewP->SetPreview(PowerSeriesPreview(app::Param(), SensorRangeTable(), charTyp_));
}

void TPowerF::TablOKBClick() {
  if (!CheckEdited()) return;
  app::TParamSet& p = app::Param();
  if (checked_) {
    ApplyPowerSeries(resMin_, resMax_, UnitsE->currentIndex(), p, SensorRangeTable());
    done(1);
    return;
  }
  TablOKB->setEnabled(false);
  double lo = NAN, hi = NAN;
  const TFault f = PowerSeriesFault(p, SensorRangeTable(), charTyp_, lo, hi);
  ResMinV->setText(std::isfinite(lo) ? Q(TenthsText(lo)) : QString());
  ResMaxV->setText(std::isfinite(hi) ? Q(TenthsText(hi)) : QString());
  TablOKB->setEnabled(true);
  if (f.ok()) {
    resMin_ = lo;
    resMax_ = hi;
    SetChecked(true);
    TablOKB->setFocus();
  } else {
    RefuseCheck(f);
  }
  UpdatePreview();
}

void TPowerF::TablExitBClick() {
  app::Param().LinCoef = copy_;
  done(2);
}

}  // namespace vorta::sensors
