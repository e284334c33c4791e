// The system's serial ports through QSerialPortInfo (Qt Core only, no window).
#include "cli/system_ports.h"

#include <QSerialPortInfo>

namespace vorta::cli {

std::vector<platform::TSystemPort> SystemSerialPorts() {
  std::vector<platform::TSystemPort> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    // A USB adapter names its maker and product; a port without them sits on the board.
    QString what = (info.manufacturer() + " " + info.description()).trimmed();
    if (!info.hasVendorIdentifier() && what.isEmpty()) what = "built-in";
    ports.push_back({info.systemLocation().toStdString(), what.toStdString()});
  }
  return ports;
}

}  // namespace vorta::cli
