// Where the port dialog learns which serial devices exist: Qt's serial port information (USB maker
// and product included), or a list a test gives instead.
#pragma once

#include <functional>
#include <vector>

#include "comm/port_list.h"

namespace vorta::comm {

using PortDeviceSource = std::function<std::vector<TPortDevice>()>;

// The devices the system reports now.
std::vector<TPortDevice> SystemPortDevices();
// Makes the port dialog list these devices instead; an empty function puts the system back.
void SetPortDeviceSource(PortDeviceSource source);
std::vector<TPortDevice> PortDevices();

}  // namespace vorta::comm
