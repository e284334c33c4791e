// What the linear and the power-series conversion dialogs share: the input range group with its
// two checked fields, the unit box of the result, the preview curve and the two buttons.
#pragma once

#include <QDialog>
#include <QList>

#include "sensors/conversion_rules.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vorta::sensors {

class TCurvePreview;
class TEntryField;

class TConversionDialog : public QDialog {
  Q_OBJECT
 public:
  // Leaving the input fields: a number within the input's limits, the minimum span apart.
  bool InMinEExit() { return InputEExit(true); }
  bool InMaxEExit() { return InputEExit(false); }

  QGroupBox* InputG = nullptr;
  QLineEdit *InMinE = nullptr, *InMaxE = nullptr;
  QLabel *InMinJ = nullptr, *InMaxJ = nullptr;
  QLabel* UnitsT = nullptr;
  QComboBox* UnitsE = nullptr;
  TCurvePreview* PreviewP = nullptr;
  QPushButton *TablOKB = nullptr, *TablExitB = nullptr;

 protected:
  // The dialog of the input type CharTyp of the parameter set.
  TConversionDialog(QWidget* owner, const char* name, const char* kindKey);

  QGroupBox* BuildInputGroup();
  QWidget* BuildButtons();
  QWidget* BuildUnits(QWidget* parent);
  // Inside the dialog that opened it, once laid out.
  void Place();
  // Makes a field checked on leaving it; the buttons check it themselves.
  TEntryField* Guard(QLineEdit* field, std::function<bool()> check);
  // Checks every field edited and not yet checked; false when one was refused.
  bool CheckEdited();
  // Shows a refusal of the button's check and puts the focus into the field named.
  void RefuseCheck(const TFault& fault);
  QLineEdit* FieldOf(int field) const;
  void ShowInputs();
  // An input end was taken.
  virtual void InputChanged() {}
  virtual QLineEdit* ResultField(int) const { return nullptr; }

  int charTyp_ = 0;
  TInputLimits limits_;
  double inMin_ = 0.0, inMax_ = 0.0;

 private:
  bool InputEExit(bool minimum);

  QList<TEntryField*> entries_;
};

// The message of a fault: the language text, "!" when the fault asks for it; a series that turns
// back reads "Transfer function is not monotonic".
QString FaultText(const TFault& fault);

}  // namespace vorta::sensors
