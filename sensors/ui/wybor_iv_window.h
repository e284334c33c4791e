// The current/voltage input dialog of models 39, 60, 90 and 97: the voltage or the current input
// with the model's ranges, single or double, and the conversion none, linear, power series or
// table. An input the model lacks shows "No such input" and cannot be accepted.
#pragma once

#include <array>

#include "sensors/ui/input_dialog.h"

namespace vorta::sensors {

class TWyborIV : public TInputDialog {
  Q_OBJECT
 public:
  explicit TWyborIV(QWidget* owner);

  enum Tab { kVoltageTab = 0, kCurrentTab = 1 };
  void TabControl1Change();
  // Choosing a conversion: the other tab's becomes none; the conversion's dialog decides whether
  // it stays chosen.
  void ConversionClick(QRadioButton* button);
  void noLinClick();
  void OKButtClick();

  // none, linear, power series, table of each tab.
  QRadioButton *VnoLin = nullptr, *VLina = nullptr, *VLins = nullptr, *VLin = nullptr;
  QRadioButton *RnoLin = nullptr, *RLina = nullptr, *RLins = nullptr, *RLin = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  std::array<QRadioButton*, 4> Buttons(bool voltage) const;
  void Select(bool voltage, TConversion conversion);
  TConversion Chosen(bool voltage) const;
  bool Missing(bool voltage) const;

  bool painted_ = false;
};

}  // namespace vorta::sensors
