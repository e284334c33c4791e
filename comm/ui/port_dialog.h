// TPortS: the dialog in which the user picks the serial port, with the option of the highest
// priority during transfers. It lists the ports that exist, switches the line to the chosen one
// and keeps the port and the option in the settings only when the port opened.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <vector>

#include "comm/port_list.h"
#include "platform/port_trouble.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace vorta::comm {

class TPortS : public QDialog {
  Q_OBJECT
 public:
  // Opens the line on a port (with polling); why says why not when it fails.
  using Opener = std::function<bool(int port, platform::TPortOpenError* why)>;
  // port and rtPriority are the settings the dialog shows and, after a successful open, changes.
  TPortS(QWidget* owner, std::uint16_t& port, bool& rtPriority, Opener opener);

  // Lists the ports and selects the one in use (FormCreate).
  void ListPorts();
  void OKbuttClick();
  void CancelbuttClick();
  const std::vector<TPortEntry>& Entries() const { return entries_; }

 private:
  void SwitchingShown(bool shown);

  std::uint16_t& port_;
  bool& rtPriority_;
  Opener opener_;
  std::vector<TPortEntry> entries_;
  QLabel* Wybierz = nullptr;
  QComboBox* ListaRS = nullptr;
  QCheckBox* RelPriorB = nullptr;
  QPushButton *OKbutt = nullptr, *Cancelbutt = nullptr;
  QFrame* Panel2 = nullptr;
  QLabel *Wiadomosc1 = nullptr, *Wiadomosc2 = nullptr;
};

}  // namespace vorta::comm
