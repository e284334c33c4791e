// The serial devices of this machine, read from Qt's serial-port information exactly as the port
// dialog reads them, so that `vorta-cli ports` offers what Options > Communication offers.
#pragma once

#include <vector>

#include "comm/port_list.h"

namespace vorta::cli {

std::vector<comm::TPortDevice> SystemSerialPorts();

}  // namespace vorta::cli
