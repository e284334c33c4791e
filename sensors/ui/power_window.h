// The power-series conversion of a converted input: the input signal range and the nine
// coefficients of the series, written into LinCoef at once and put back on Cancel. The button
// checks the series first ("Check") and accepts it once it passed ("OK").
#pragma once

#include <array>

#include "sensors/ui/conversion_dialog.h"

namespace vorta::sensors {

class TPowerF : public TConversionDialog {
  Q_OBJECT
 public:
  // For the input type CharTyp of the parameter set.
  explicit TPowerF(QWidget* owner);

  // Leaving coefficient field i (a .. j): a number the transmitter's float holds.
  bool CoefEExit(int i);
  // Any edit of an input or coefficient: the values must be checked again.
  void AnyChange();
  void UnitsEChange();
  void TablOKBClick();
  void TablExitBClick();
  bool Checked() const { return checked_; }

  std::array<QLineEdit*, 9> AE{};  // A0E .. A8E
  QLabel* FormulaT = nullptr;
  QLabel *ResMinV = nullptr, *ResMaxV = nullptr, *ResMinJ = nullptr, *ResMaxJ = nullptr;

 protected:
  void InputChanged() override;
  void reject() override { TablExitBClick(); }

 private:
  QWidget* BuildCoefficients();
  QWidget* BuildResults();
  void ShowCoefficients();
  void SetChecked(bool checked);
  void UpdatePreview();

  std::array<double, 11> copy_{};  // LinCoef at opening, for Cancel
  bool initialising_ = true;
  bool checked_ = false;
  double resMin_ = kResultLow, resMax_ = kResultHigh;
};

}  // namespace vorta::sensors
