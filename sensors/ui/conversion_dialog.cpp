// The conversion dialogs' shared controls and checks.
#include "sensors/ui/conversion_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/ui/app_state.h"
#include "app/ui/message_box.h"
#include "docs/str_to_number.h"
#include "docs/ui/lang.h"
#include "sensors/catalogue.h"
#include "sensors/characteristic.h"
#include "sensors/ui/curve_preview.h"
#include "sensors/ui/dialog_support.h"
#include "sensors/ui/sensor_state.h"

namespace vorta::sensors {

using docs::Lt;

QString FaultText(const TFault& fault) {
  const QString prefix = fault.key == kNotMonotonicKey ? Lt("Transfer function") + " " : QString();
  return prefix + Lt(fault.key) + (fault.bang ? "!" : "");
}

TConversionDialog::TConversionDialog(QWidget* owner, const char* name, const char* kindKey) : QDialog(owner) {
  setObjectName(name);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(Lt("conversion") + ": " + Lt(kindKey));
  charTyp_ = app::Param().CharTyp;
  limits_ = InputLimitsOf(SensorRangeTable(), charTyp_);
}

QGroupBox* TConversionDialog::BuildInputGroup() {
  InputG = new QGroupBox(GroupTitle("Input range"), this);
  InputG->setObjectName("InputG");
  auto* grid = new QGridLayout(InputG);
  InMinE = new QLineEdit(InputG);
  InMinE->setObjectName("InMinE");
  InMinE->setToolTip(Lt("Enter the minimum value"));
  InMaxE = new QLineEdit(InputG);
  InMaxE->setObjectName("InMaxE");
  InMaxE->setToolTip(Lt("Enter the maximum value"));
  const QString unit = Q(InputUnitText(charTyp_));
  InMinJ = new QLabel(unit, InputG);
  InMinJ->setObjectName("InMinJ");
  InMaxJ = new QLabel(unit, InputG);
  InMaxJ->setObjectName("InMaxJ");
  grid->addWidget(new QLabel(Lt("Minimum"), InputG), 0, 0);
  grid->addWidget(InMinE, 0, 1);
  grid->addWidget(InMinJ, 0, 2);
  grid->addWidget(new QLabel(Lt("Maximum"), InputG), 1, 0);
  grid->addWidget(InMaxE, 1, 1);
  grid->addWidget(InMaxJ, 1, 2);
  for (QLineEdit* e : {InMinE, InMaxE}) {
    e->setMaxLength(24);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance("-0000.0000000"));
  }
  return InputG;
}

QWidget* TConversionDialog::BuildUnits(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  UnitsT = new QLabel(Lt("Eng. units"), box);
  UnitsT->setObjectName("UnitsT");
  UnitsE = new QComboBox(box);
  UnitsE->setObjectName("UnitsE");
  row->addWidget(UnitsT);
  row->addWidget(UnitsE);
  row->addStretch(1);
  return box;
}

QWidget* TConversionDialog::BuildButtons() {
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  TablOKB = new QPushButton("OK", box);
  TablOKB->setObjectName("TablOKB");
  TablOKB->setDefault(true);
  TablExitB = new QPushButton(Lt("Cancel"), box);
  TablExitB->setObjectName("TablExitB");
  TablExitB->setAutoDefault(false);
  row->addStretch(1);
  row->addWidget(TablOKB);
  row->addWidget(TablExitB);
  return box;
}

void TConversionDialog::Place() {
  PlaceDialog(this, parentWidget(), 30, 30);
}

TEntryField* TConversionDialog::Guard(QLineEdit* field, std::function<bool()> check) {
  auto* entry = new TEntryField(field, std::move(check), {TablOKB, TablExitB});
  entries_.append(entry);
  return entry;
}

bool TConversionDialog::CheckEdited() {
  for (TEntryField* e : entries_)
    if (!e->CheckNow()) return false;
  return true;
}

QLineEdit* TConversionDialog::FieldOf(int field) const {
  if (field == kInMinField) return InMinE;
  if (field == kInMaxField) return InMaxE;
  return ResultField(field);
}

void TConversionDialog::ShowInputs() {
  InMinE->setText(Q(InputValueText(inMin_)));
  InMaxE->setText(Q(InputValueText(inMax_)));
}

void TConversionDialog::RefuseCheck(const TFault& fault) {
  app::MessageBeep(app::BeepKind::kExclamation);
  app::MyMesM(FaultText(fault), app::kIconWarning, this);
  if (QLineEdit* e = FieldOf(fault.field)) ReturnFocus(e);
}

bool TConversionDialog::InputEExit(bool minimum) {
  QLineEdit* e = minimum ? InMinE : InMaxE;
  if (!e->isEnabled()) return true;
  double& target = minimum ? inMin_ : inMax_;
  const QString previous = Q(InputValueText(target));
  double v = 0.0;
  if (!docs::StrToNumber(e->text().toStdString(), v)) {
    Refuse(e, previous, Lt("Wrong format") + "!", app::kIconError);
    return false;
  }
  const TFault f = minimum ? InMinFault(limits_, v, inMax_) : InMaxFault(limits_, inMin_, v);
  if (!f.ok()) {
    Refuse(e, previous, FaultText(f), app::kIconWarning);
    return false;
  }
  target = v;
  e->setText(Q(InputValueText(v)));
  InputChanged();
  return true;
}

}  // namespace vorta::sensors
