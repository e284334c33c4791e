// Text commands that drive a running simulated transmitter: from a second shell through the
// control FIFO, from the program's standard input, or from tests.
#pragma once

#include <string>

#include "sim/sim_transmitter.h"

namespace vorta::sim {

struct TControlResult {
  bool ok = false;
  std::string text;  // answer to show, one or more lines
  enum class TAction { kNone, kQuit, kConnect, kDisconnect } action = TAction::kNone;
};

// Carries out one command line:
//   set NAME VALUE | NAME VALUE   a fault knob or signal setting (names as on the command line)
//   clear                         every fault knob off
//   status                        signal settings, knobs and counters
//   save                          write the memory file now
//   connect | disconnect | quit   left to the program (see TControlResult::action)
//   help                          this list
TControlResult RunControlLine(TSimTransmitter& tx, const std::string& line);

// The list of commands above, for --help and "help".
std::string ControlHelp();

}  // namespace vorta::sim
