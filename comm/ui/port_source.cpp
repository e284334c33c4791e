// Serial devices from QSerialPortInfo.
#include "comm/ui/port_source.h"

#include <QSerialPortInfo>

namespace vorta::comm {

namespace {

PortDeviceSource& Source() {
  static PortDeviceSource source;
  return source;
}

}  // namespace

std::vector<TPortDevice> SystemPortDevices() {
  std::vector<TPortDevice> devices;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    TPortDevice d;
    d.location = info.systemLocation().toStdString();
    // Only adapters on a bus with vendor identifiers are USB; the board's own ports have none.
    d.usb = info.hasVendorIdentifier();
    d.maker = info.manufacturer().trimmed().toStdString();
    d.product = info.description().trimmed().toStdString();
    devices.push_back(std::move(d));
  }
  return devices;
}

void SetPortDeviceSource(PortDeviceSource source) {
  Source() = std::move(source);
}

std::vector<TPortDevice> PortDevices() {
  return Source() ? Source()() : SystemPortDevices();
}

}  // namespace vorta::comm
