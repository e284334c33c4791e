// The serial devices of this machine with what each adapter says of itself, as Qt's serial-port
// information class reports them (the port dialog uses the same source).
#pragma once

#include <vector>

#include "platform/port_list.h"

namespace vorta::cli {

std::vector<platform::TSystemPort> SystemSerialPorts();

}  // namespace vorta::cli
