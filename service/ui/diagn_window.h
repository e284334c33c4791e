// TDiagnF: the diagnostics window of the maker's service staff. It shows one chosen register of
// the transmitter continuously with the output current and the status flags, a summary of the
// configuration, and lets the user reset the transmitter, preset the output and read or write
// single bytes of its memory. Direct commands driven by a 150 ms timer; polling is stopped.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

#include "service/diagn_rules.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

namespace vorta::service {

class TDiagnF : public QDialog {
  Q_OBJECT
 public:
  explicit TDiagnF(QWidget* owner);
  ~TDiagnF() override;

  void Timer1Timer();
  void RejestryClick(int item);
  void ResetbClick();
  void SetOutbuttClick();
  void ReadEEBClick();
  void EEwriteBClick();

  std::uint8_t Selector() const { return selector_; }

 public Q_SLOTS:
  // Closing by any way ends with a reset, so that the transmitter leaves the diagnostic state.
  void reject() override;

 private:
  void BuildLayout();
  QWidget* BuildRegisters();
  QWidget* BuildMemory();
  void ClearPanels();
  void Resume();
  void Suspend();
  // Waits without taking user input (a reset takes its time); false when the window closed.
  void Pause(int ms);
  void FormClose();

  std::uint8_t selector_ = 0x10;
  bool timerActive_ = false;
  bool presetError_ = false;
  bool closed_ = false;
  int failures_ = 0;

  QButtonGroup* Rejestry = nullptr;
  std::array<QRadioButton*, kRegisterItems> items_{};
  std::array<QLabel*, kRegisterItems> panels_{};
  QLabel *Outputp = nullptr, *StatusL = nullptr, *SensorL = nullptr;
  QPushButton *Resetb = nullptr, *SetOutbutt = nullptr, *ReadEEB = nullptr, *EEwriteB = nullptr;
  QLineEdit *SetOutM = nullptr, *MessTxt = nullptr;
  QSpinBox* EEaUpDn = nullptr;
  QRadioButton *EEPROMRB = nullptr, *FlashRB = nullptr;
  QTimer* Timer1 = nullptr;
};

}  // namespace vorta::service
