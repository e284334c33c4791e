// The serial ports the port dialog and `vorta-cli ports` offer: the devices the system reports and the links
// in ports/, each under its COM name, one entry per number in numeric order; and the line that says why a
// port could not be opened.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/port_links.h"
#include "platform/port_trouble.h"

namespace vorta::comm {

// A serial device as the system describes it.
struct TPortDevice {
  std::string location;  // device path, e.g. "/dev/ttyUSB0"
  std::string maker;     // USB adapters: the maker and product they report
  std::string product;
  bool usb = false;  // false: a port of the machine itself
};

struct TPortEntry {
  int number = 0;     // n of COMn
  std::string name;   // "COMn"
  std::string path;   // the device behind it
  std::string about;  // maker and product of a USB adapter, "built-in", or "link in ports/"
  bool link = false;  // a link in ports/
};

inline constexpr int kMaxComNumber = 65535;  // the settings keep the port as 16 bits

// n of a name "COM" followed by nothing but digits (all of them read), 1..kMaxComNumber; 0 for any
// other name.
int ComNumberOf(std::string_view name);
// The COM number of a device by the fixed families: ttyS0..15 are COM1..16, ttyUSB0..15
// COM17..32, ttyACM0..15 COM33..48; 0 for any other device.
int ComNumberOfDevice(std::string_view location);

// Links win over devices of the same number, as they do when a port is opened.
std::vector<TPortEntry> BuildPortList(const std::vector<TPortDevice>& devices,
                                      const std::vector<platform::TPortLinkInfo>& links);
// Index of the entry of port; -1 when there is none.
int PortIndexOf(const std::vector<TPortEntry>& list, int port);
// One line of the list: "COM17  /dev/ttyUSB0  FTDI FT232R USB UART".
std::string PortEntryText(const TPortEntry& e);
// The port in use for the status bar: "COM17 /dev/ttyUSB0".
std::string PortInUseText(int port, const std::string& device);

// Why a port could not be opened, as an English language-list key with the placeholders %s (the
// device) and %g (its group) and the values to put in; empty key when there was no trouble.
struct TTroubleLine {
  std::string key;
  std::string path;
  std::string group;
};
TTroubleLine PortTroubleLine(const platform::TPortOpenError& e);

}  // namespace vorta::comm
