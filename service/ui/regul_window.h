// TRegulF: the user corrections window. The user trims zero and gain with two scroll bars, watches
// the effect live (applied by the transmitter, or simulated before writing), forces the output,
// resets the transmitter and writes the corrections to its nonvolatile memory. All traffic is
// direct commands driven by the window's own 500 ms timer; polling is stopped for the visit.
#pragma once

#include <QDialog>

#include "service/regul_rules.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTimer;

namespace vorta::service {

class TRegulF : public QDialog {
  Q_OBJECT
 public:
  explicit TRegulF(QWidget* owner);
  ~TRegulF() override;

  void ZeroSChange();
  void GainSChange();
  void AllZeroBClick();
  void Timer1Timer();
  void PomiarTClick();
  void SimulCBClick();
  void SetOutbuttClick();
  void SetOutReturn();
  void ResetBClick();
  void ZapiszBClick();
  void ExitBClick();

  bool Written() const { return written_; }
  bool MeasureMode() const { return measureMode_; }
  const TCorrections& Stored() const { return stored_; }

 public Q_SLOTS:
  // Closing by any way (Exit, Esc, the close box) puts back what the transmitter holds.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildLayout();
  void ScrollChanged(QScrollBar* bar, QLabel* panel, double& correction);
  void ShowTick(double value, double current);
  void FailedTick();
  void SetMeasureMode(bool on);
  void FormClose();
  void StartTimer();

  TCorrections stored_;
  bool written_ = false;
  bool measureMode_ = false;
  bool resetting_ = false;
  bool setOutError_ = false;
  bool running_ = false;  // opened and not yet closed: handlers may restart the timer
  int failures_ = 0;

  QScrollBar *ZeroS = nullptr, *GainS = nullptr;
  QLabel *ZeroP = nullptr, *GainP = nullptr, *ZeroT = nullptr, *GainT = nullptr;
  QLabel *PomiarP = nullptr, *PomiarT = nullptr, *Outputp = nullptr, *nOutput = nullptr;
  QLineEdit* SetOut = nullptr;
  QPushButton *SetOutbutt = nullptr, *ResetB = nullptr, *ZapiszB = nullptr, *AllZeroB = nullptr,
              *ExitB = nullptr;
  QCheckBox* SimulCB = nullptr;
  QTimer* Timer1 = nullptr;
};

}  // namespace vorta::service
