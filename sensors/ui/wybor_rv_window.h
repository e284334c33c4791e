// The resistance/millivolt input dialog of models 47..49: the millivolt input or the resistance
// input (2-, 3- or 4-wire), each unconverted, with a table or with a linear conversion. Modal
// result 1 OK, 2 Cancel, 3 "More" (the thermometer dialog).
#pragma once

#include "sensors/ui/input_dialog.h"

class QCheckBox;
class QToolButton;

namespace vorta::sensors {

class TWyborRV : public TInputDialog {
  Q_OBJECT
 public:
  explicit TWyborRV(QWidget* owner);

  enum Tab { kVoltageTab = 0, kResistanceTab = 1 };
  void TabControl1Change();
  // Ticking a conversion box: only one tab carries a conversion, and table and linear exclude
  // each other; the conversion's dialog decides whether the box stays ticked.
  void ConversionClick(QCheckBox* box);
  void OKButtClick();

  QRadioButton* W4 = nullptr;
  QCheckBox *VLin = nullptr, *VLina = nullptr, *RLin = nullptr, *RLina = nullptr;
  QToolButton* MoreButt = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  TConversion Ticked(bool voltage) const;
  bool painted_ = false;
};

}  // namespace vorta::sensors
