// What the two input dialogs of the sensor selection share (resistance/millivolt for models
// 47..49, current/voltage for 39, 60, 90, 97): the two tabs, the maximum range of each input, the
// four labels of a conversion's input and result ranges, the buttons, and the opening of the
// conversion dialogs. Only OK writes the sensor code.
#pragma once

#include <QDialog>

#include "sensors/input_rules.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace vorta::sensors {

class TInputDialog : public QDialog {
  Q_OBJECT
 public:
  QTabBar* TabControl1 = nullptr;
  QLabel *MaxRangeT = nullptr, *VInfoT = nullptr, *RInfoT = nullptr;
  QGroupBox *RTrybG = nullptr, *VLinG = nullptr, *RLinG = nullptr;
  QRadioButton *W2 = nullptr, *W3 = nullptr;
  QLabel *InputT = nullptr, *InputIT = nullptr, *ResultT = nullptr, *ResultIT = nullptr;
  QPushButton *OKButt = nullptr, *CancelButt = nullptr;

 protected:
  // tabs: the captions' keys, first the voltage input's; trybKey: the caption of RTrybG.
  TInputDialog(QWidget* owner, const char* name, const char* voltageTab, const char* otherTab,
               const char* trybKey);
  void reject() override { done(2); }  // Escape and the close button are Cancel

  // Lays out the dialog around the conversion groups, which the dialog has made.
  void Build(QWidget* extraButton);
  QGroupBox* ConversionGroup(const char* name);
  // The four labels for the conversion ticked on the shown tab (hidden for none).
  void ShowConversion(TConversion conversion, const QString& inputUnit);
  // Opens the dialog of a conversion for input type typ; true when it was accepted.
  bool OpenConversion(TConversion conversion, int typ);
  bool VoltageTab() const;

  bool initialising_ = true;
  TInputOpening opening_;
  int trybAtOpening_ = 0;
  int model_ = 0;
};

}  // namespace vorta::sensors
