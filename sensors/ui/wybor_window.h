// The thermometer dialog of the sensor selection: resistance thermometers (type, connection,
// linearisation) on one page, thermocouples (type, cold junction or difference, linearisation,
// the user thermocouple "Other" with its table) on the other. Modal result 1 OK, 2 Cancel, 3 "More"
// (the resistance/voltage dialog). Only OK writes the sensor code.
#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;
class QToolButton;

namespace vorta::sensors {

class TWybor : public QDialog {
  Q_OBJECT
 public:
  explicit TWybor(QWidget* owner);

  enum Page { kRtdPage = 0, kThermocouplePage = 1 };
  void TabControl1Change();
  void TempDiffClick();
  void CJCClick();
  void AnyClick();
  void ThInnyClick();
  void OKButtClick();

  QTabBar* TabControl1 = nullptr;
  QStackedWidget* Pages = nullptr;
  QGroupBox *RTypG = nullptr, *RTrybG = nullptr, *RLinG = nullptr, *ThTypG = nullptr, *ThTrybG = nullptr;
  QRadioButton *Pt100a = nullptr, *Pt100b = nullptr, *Ni100 = nullptr, *Cu100 = nullptr;
  QLabel *Pt100aT = nullptr, *Pt100bT = nullptr;
  QRadioButton *W2 = nullptr, *W3 = nullptr, *W4 = nullptr;
  QCheckBox* RLin = nullptr;
  std::array<QRadioButton*, 10> Th{};  // ThB, ThC, ThE, ThJ, ThK, ThN, ThR, ThS, ThT, ThInny: types 6..15
  QRadioButton* ThInny = nullptr;
  QCheckBox *TempDiff = nullptr, *CJC = nullptr, *ThLin = nullptr;
  QPushButton *OKButt = nullptr, *CancelButt = nullptr;
  QToolButton* MoreButt = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  void reject() override { done(2); }  // Escape and the close button are Cancel

 private:
  QWidget* BuildRtdPage();
  QWidget* BuildThermocouplePage();
  void ShowRtdPage();
  void ShowThermocouplePage();
  int CheckedRtd() const;
  int CheckedThermocouple() const;
  int CheckedConnection() const;

  bool initialising_ = true;
  bool painted_ = false;
  int typAtOpening_ = 0;
  int model_ = 0;
};

}  // namespace vorta::sensors
