// The linear conversion of a converted input: the input range and the result range it maps to.
// Nothing is written before OK.
#pragma once

#include "sensors/ui/conversion_dialog.h"

namespace vorta::sensors {

class TLinaF : public TConversionDialog {
  Q_OBJECT
 public:
  // For the input type CharTyp of the parameter set.
  explicit TLinaF(QWidget* owner);

  // Leaving a result field: the value rounded, within -999..9999.
  bool ResMinEExit() { return ResultEExit(true); }
  bool ResMaxEExit() { return ResultEExit(false); }
  void UnitsEChange();
  // OK: every check in order; the conversion, its result limits and unit written.
  void TablOKBClick();

  QGroupBox* ResultG = nullptr;
  QLineEdit *ResMinE = nullptr, *ResMaxE = nullptr;
  QLabel *ResMinJ = nullptr, *ResMaxJ = nullptr;

 protected:
  void InputChanged() override { UpdatePreview(); }
  QLineEdit* ResultField(int field) const override;
  void reject() override { done(2); }

 private:
  bool ResultEExit(bool minimum);
  void ShowResults();
  void UpdatePreview();

  double resMin_ = kResultLow, resMax_ = kResultHigh;
};

}  // namespace vorta::sensors
