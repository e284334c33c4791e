// The system's serial devices through QSerialPortInfo (Qt Core only, no window).
#include "cli/system_ports.h"

#include <QSerialPortInfo>

namespace vorta::cli {

std::vector<comm::TPortDevice> SystemSerialPorts() {
  std::vector<comm::TPortDevice> devices;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    comm::TPortDevice d;
    d.location = info.systemLocation().toStdString();
    // Only adapters on a bus with vendor identifiers are USB; the board's own ports have none.
    d.usb = info.hasVendorIdentifier();
    d.maker = info.manufacturer().trimmed().toStdString();
    d.product = info.description().trimmed().toStdString();
    devices.push_back(std::move(d));
  }
  return devices;
}

}  // namespace vorta::cli
