// Control commands of the simulated transmitter.
#include "sim/sim_control.h"

#include <sstream>
#include <vector>

namespace vorta::sim {

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::string Status(TSimTransmitter& tx) {
  std::string text = "model " + std::to_string(tx.ModelCode()) + "\n";
  for (const std::string& l : DescribeSignal(tx.Signal())) text += l + "\n";
  for (const std::string& l : DescribeKnobs(tx.Knobs())) text += l + "\n";
  const TSimStats s = tx.Stats();
  text += "frames " + std::to_string(s.frames) + ", bad " + std::to_string(s.badFrames) + ", replies " +
          std::to_string(s.replies) + ", lost " + std::to_string(s.lost) + ", corrupted " +
          std::to_string(s.corrupted) + ", unanswered " + std::to_string(s.unanswered) + ", restarts " +
          std::to_string(s.restarts);
  return text;
}

TControlResult Set(TSimTransmitter& tx, const std::string& name, const std::string& value) {
  TControlResult r;
  r.ok = tx.SetSignalValue(name, value) || tx.SetKnob(name, value);
  r.text = r.ok ? name + " " + value : "cannot set " + name + " to '" + value + "'";
  return r;
}

}  // namespace

std::string ControlHelp() {
  return "  set NAME VALUE   set a fault knob or signal setting (same names as the options,\n"
         "                   without the dashes; switches take on or off); 'NAME VALUE' also works\n"
         "  clear            switch every fault knob off\n"
         "  status           show the signal settings, the knobs and the line counters\n"
         "  save             write the memory file now\n"
         "  disconnect       close the pseudo-terminal (the link in ports/ goes with it)\n"
         "  connect          open a new pseudo-terminal after a disconnect and link it again\n"
         "  quit             end the program\n"
         "  help             this list\n";
}

TControlResult RunControlLine(TSimTransmitter& tx, const std::string& line) {
  const std::vector<std::string> w = Words(line);
  TControlResult r;
  if (w.empty()) {
    r.ok = true;
    return r;
  }
  const std::string& verb = w[0];
  if (verb == "set" && (w.size() == 3 || (w.size() == 2 && IsSwitchKnob(w[1]))))
    return Set(tx, w[1], w.size() == 3 ? w[2] : "on");
  if (w.size() == 2 && verb != "set") return Set(tx, verb, w[1]);
  if (w.size() != 1) {
    r.text = "cannot read '" + line + "' (try help)";
    return r;
  }
  r.ok = true;
  if (verb == "clear") {
    tx.SetKnobs(TFaultKnobs{});
    r.text = "all faults off";
  } else if (verb == "status") {
    r.text = Status(tx);
  } else if (verb == "save") {
    r.ok = tx.SaveMemory();
    r.text = r.ok ? "memory saved" : "memory not saved";
  } else if (verb == "help") {
    r.text = ControlHelp();
  } else if (verb == "quit") {
    r.action = TControlResult::TAction::kQuit;
  } else if (verb == "connect") {
    r.action = TControlResult::TAction::kConnect;
  } else if (verb == "disconnect") {
    r.action = TControlResult::TAction::kDisconnect;
  } else if (IsSwitchKnob(verb)) {
    return Set(tx, verb, "on");
  } else {
    r.ok = false;
    r.text = "unknown command '" + verb + "' (try help)";
  }
  return r;
}

}  // namespace vorta::sim
