// The text of vorta-sim --help: options, control commands and how the simulator behaves.
#pragma once

#include <string>

namespace vorta::sim {

std::string HelpText();

}  // namespace vorta::sim
