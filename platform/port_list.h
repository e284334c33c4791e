// The serial ports a user can choose from: the system's serial devices under their COM names and
// the links COMn in the ports/ folder (the simulated transmitter makes one), each with its device
// path and what it is. The system's devices come from the caller, so the rules here are plain.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorta::platform {

// A serial device as the system reports it.
struct TSystemPort {
  std::string device;       // "/dev/ttyUSB0"
  std::string description;  // what the adapter says of itself, or empty
};

struct TPortEntry {
  int com = 0;  // n of COMn; 0 for a device without a COM name
  std::string device;
  std::string description;
  bool link = false;  // a link in ports/, which wins over the system's device of the same name
};

// "COM" and n.
std::string ComName(int n);
// n of a name "COMn" (1..65535, no leading zero); 0 for anything else.
int ComNumberOfName(std::string_view name);
// The COM number of a system device by the fixed families: /dev/ttyS0..15 are COM1..16,
// /dev/ttyUSB0..15 COM17..32, /dev/ttyACM0..15 COM33..48; 0 for any other device.
int ComNumberOfDevice(std::string_view device);

// Every port in the order of its COM number (devices without one last, by path): the links of
// portsDir first, then the system's ports whose COM name no link took and that no link leads to. A
// link tells its target and what that is; a link whose target is gone is listed as missing.
std::vector<TPortEntry> ListPorts(const std::vector<TSystemPort>& system, const std::string& portsDir);

}  // namespace vorta::platform
