// Layout and behaviour of the linear conversion dialog.
#include "sensors/ui/lina_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/display_format.h"
#include "app/ui/app_state.h"
#include "app/ui/message_box.h"
#include "docs/str_to_number.h"
#include "docs/ui/lang.h"
#include "sensors/conversion_preview.h"
#include "sensors/input_rules.h"
#include "sensors/ui/curve_preview.h"
#include "sensors/ui/dialog_support.h"
#include "sensors/ui/sensor_state.h"

namespace vorta::sensors {

using docs::Lt;

TLinaF::TLinaF(QWidget* owner) : TConversionDialog(owner, "LinaF", "linear") {
  auto* column = new QVBoxLayout(this);
  auto* groups = new QHBoxLayout;
  groups->addWidget(BuildInputGroup());
  ResultG = new QGroupBox(GroupTitle("Result"), this);
  ResultG->setObjectName("ResultG");
  auto* grid = new QGridLayout(ResultG);
  ResMinE = new QLineEdit(ResultG);
  ResMinE->setObjectName("ResMinE");
  ResMinE->setToolTip(Lt("Enter the minimum value"));
  ResMaxE = new QLineEdit(ResultG);
  ResMaxE->setObjectName("ResMaxE");
  ResMaxE->setToolTip(Lt("Enter the maximum value"));
  ResMinJ = new QLabel(ResultG);
  ResMinJ->setObjectName("ResMinJ");
  ResMaxJ = new QLabel(ResultG);
  ResMaxJ->setObjectName("ResMaxJ");
  grid->addWidget(new QLabel(Lt("Minimum"), ResultG), 0, 0);
  grid->addWidget(ResMinE, 0, 1);
  grid->addWidget(ResMinJ, 0, 2);
  grid->addWidget(new QLabel(Lt("Maximum"), ResultG), 1, 0);
  grid->addWidget(ResMaxE, 1, 1);
  grid->addWidget(ResMaxJ, 1, 2);
  grid->addWidget(BuildUnits(ResultG), 2, 0, 1, 3);
  for (QLineEdit* e : {ResMinE, ResMaxE}) {
    e->setMaxLength(24);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance("-0000.0000000"));
  }
  groups->addWidget(ResultG);
  column->addLayout(groups);
  PreviewP = new TCurvePreview(this);
  column->addWidget(PreviewP, 1);
  column->addWidget(BuildButtons());

  Guard(InMinE, [this] { return InMinEExit(); });
  Guard(InMaxE, [this] { return InMaxEExit(); });
  Guard(ResMinE, [this] { return ResMinEExit(); });
  Guard(ResMaxE, [this] { return ResMaxEExit(); });
  connect(TablOKB, &QPushButton::clicked, this, &TLinaF::TablOKBClick);
  connect(TablExitB, &QPushButton::clicked, this, [this] { done(2); });
  connect(UnitsE, &QComboBox::currentIndexChanged, this, &TLinaF::UnitsEChange);

  // The conversion in the set is the starting point when it is this input's; else the input's
  // full range and the widest result.
  const TConversionStart start =
      LinearStart(SensorData(), charTyp_, app::RangeDecimals(limits_.lo, limits_.hi));
  inMin_ = start.inMin;
  inMax_ = start.inMax;
  resMin_ = start.resMin;
  resMax_ = start.resMax;
  FillUnits(UnitsE, start.unit);
  UnitsEChange();
  ShowInputs();
  ShowResults();
  UpdatePreview();
  Place();
}

QLineEdit* TLinaF::ResultField(int field) const {
  if (field == kResMinField) return ResMinE;
  if (field == kResMaxField) return ResMaxE;
  return nullptr;
}

void TLinaF::ShowResults() {
  ResMinE->setText(Q(TenthsText(resMin_)));
  ResMaxE->setText(Q(TenthsText(resMax_)));
}

bool TLinaF::ResultEExit(bool minimum) {
  QLineEdit* e = minimum ? ResMinE : ResMaxE;
  if (!e->isEnabled()) return true;
  double& target = minimum ? resMin_ : resMax_;
  const QString previous = Q(TenthsText(target));
  double v = 0.0;
  if (!docs::StrToNumber(e->text().toStdString(), v)) {
    Refuse(e, previous, Lt("Wrong format") + "!", app::kIconError);
    return false;
  }
  v = RoundedResult(v);
  const TFault f = ResultFault(v, minimum ? resMax_ : resMin_, minimum);
  if (!f.ok()) {
    Refuse(e, previous, FaultText(f), app::kIconWarning);
    return false;
  }
  target = v;
  e->setText(Q(TenthsText(v)));
  UpdatePreview();
  return true;
}

void TLinaF::UnitsEChange() {
  ResMinJ->setText(UnitsE->currentText());
  ResMaxJ->setText(UnitsE->currentText());
}

void TLinaF::UpdatePreview() {
  if (resMax_ == resMin_) {
    PreviewP->SetPreview({});
    return;
  }
  // The conversion as OK would write it, on copies.
  app::TParamSet p = app::Param();
  TSensorRangeTable ranges = SensorRangeTable();
  ApplyLinear(inMin_, inMax_, resMin_, resMax_, UnitsE->currentIndex(), p, ranges);
  PreviewP->SetPreview(LinearPreview(p, ranges, charTyp_));
}

void TLinaF::TablOKBClick() {
  if (!CheckEdited()) return;
  const TFault f = LinearFault(limits_, inMin_, inMax_, resMin_, resMax_);
  if (!f.ok()) {
    RefuseCheck(f);
    return;
  }
  ApplyLinear(inMin_, inMax_, resMin_, resMax_, UnitsE->currentIndex(), app::Param(), SensorRangeTable());
  done(1);
}

}  // namespace vorta::sensors
