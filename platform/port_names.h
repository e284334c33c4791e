// Resolution of the Windows port names COM1..COM99 to devices: a link named COMn in the folder
// ports/ of the settings folder wins; otherwise ttyS0..15, ttyUSB0..15 and ttyACM0..15 are COM1..48.
#pragma once

#include <string>

namespace vorta::platform {

// The folder of port links: ports/ in the settings folder, unless tests chose another one.
std::string PortsDir();
// Chooses another folder of port links; an empty text goes back to the default.
void SetPortsDir(const std::string& dir);

// The device path of COMn; empty when n has no device of its own.
std::string ResolveComPort(int n);

}  // namespace vorta::platform
