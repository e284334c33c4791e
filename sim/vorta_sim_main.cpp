// vorta-sim: the simulated transmitter on a pseudo-terminal, driven from the command line, its
// standard input and a control FIFO.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "platform/program_dir.h"
#include "sim/sim_control.h"
#include "sim/sim_help.h"
#include "sim/sim_pty.h"

namespace {

using namespace vorta::sim;

volatile std::sig_atomic_t gStop = 0;
void OnSignal(int) {
  gStop = 1;
}

struct TOptions {
  TSimConfig config;
  TSignalSettings signal;
  TFaultKnobs knobs;
  std::string port;
  std::string controlPath;
  bool control = true;
  bool verbose = false;
  bool help = false;
};

bool ParsePort(const std::string& text) {
  if (text.size() < 4 || text.size() > 5 || text.compare(0, 3, "COM") != 0) return false;
  for (std::size_t i = 3; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  const int n = std::stoi(text.substr(3));
  return n >= 1 && n <= 99;
}

bool ParseInt(const std::string& text, int& out) {
  try {
    std::size_t used = 0;
    out = std::stoi(text, &used);
    return used == text.size();
  } catch (...) {
    return false;
  }
}

// Reads the arguments; false, with a message on stderr, for anything it does not understand.
bool ParseArgs(int argc, char** argv, TOptions& o) {
  o.signal.driftAmplitude = 0.05;
  o.signal.noise = 0.01;
  bool modelGiven = false;
  for (int i = 1; i < argc; ++i) {
    const int first = i;
    const std::string arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) return false;
      out = argv[++i];
      return true;
    };
    std::string v;
    if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--verbose") {
      o.verbose = true;
    } else if (arg == "--no-control") {
      o.control = false;
    } else if (arg == "--port" && value(v) && ParsePort(v)) {
      o.port = v;
    } else if (arg == "--model" && value(v) && ParseInt(v, o.config.modelCode) &&
               FindSimModel(o.config.modelCode)) {
      modelGiven = true;
    } else if (arg == "--memory" && value(v)) {
      o.config.memoryFile = v;
    } else if (arg == "--control" && value(v)) {
      o.controlPath = v;
    } else if (arg == "--seed" && value(v)) {
      int seed = 0;
      if (!ParseInt(v, seed) || seed < 0) return std::cerr << "vorta-sim: bad seed " << v << "\n", false;
      o.config.seed = static_cast<std::uint32_t>(seed);
    } else if (arg.rfind("--", 0) == 0 && IsSwitchKnob(arg.substr(2))) {
      SetKnobByName(o.knobs, arg.substr(2), "on");
    } else if (arg.rfind("--", 0) == 0 && i + 1 < argc &&
               (SetSignalByName(o.signal, arg.substr(2), argv[i + 1]) ||
                SetKnobByName(o.knobs, arg.substr(2), argv[i + 1]))) {
      ++i;
    } else {
      std::string given = arg;
      for (int j = first + 1; j <= i && j < argc; ++j) given += std::string(" ") + argv[j];
      std::cerr << "vorta-sim: cannot use '" << given << "'; see --help\n";
      return false;
    }
  }
  o.config.modelFromMemory = !modelGiven;
  const std::string dir = vorta::platform::SettingsDir();
  const std::string base = dir + "/vorta-sim" + (o.port.empty() ? "" : "-" + o.port);
  if (o.config.memoryFile.empty()) o.config.memoryFile = base + ".mem";
  if (o.controlPath.empty()) o.controlPath = base + ".ctl";
  return true;
}

bool Connect(TSimPty& pty, const TOptions& o) {
  std::string why;
  if (!pty.Start(&why)) {
    std::cerr << "vorta-sim: no pseudo-terminal: " << why << "\n";
    return false;
  }
  std::cout << "pseudo-terminal " << pty.SlavePath() << "\n";
  if (o.port.empty()) return true;
  const std::string dir = vorta::platform::SettingsDir() + "/ports";
  mkdir(dir.c_str(), 0755);
  if (!pty.MakeLink(dir + "/" + o.port)) {
    std::cerr << "vorta-sim: cannot make the link " << dir << "/" << o.port << "\n";
    return false;
  }
  std::cout << o.port << " -> " << dir << "/" << o.port << "\n";
  return true;
}

// Opens the control FIFO for reading and writing, so that it never reports an end of file
// when a writer goes away.
int OpenControl(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) == 0 && !S_ISFIFO(st.st_mode)) return -1;
  if (lstat(path.c_str(), &st) != 0 && mkfifo(path.c_str(), 0600) != 0) return -1;
  return open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
}

// Runs the complete lines in buffer; false when one of them asked to quit.
bool RunLines(std::string& buffer, TSimTransmitter& tx, TSimPty& pty, const TOptions& o) {
  for (std::size_t nl; (nl = buffer.find('\n')) != std::string::npos;) {
    const std::string line = buffer.substr(0, nl);
    buffer.erase(0, nl + 1);
    const TControlResult r = RunControlLine(tx, line);
    if (!r.text.empty()) std::cout << r.text << (r.text.back() == '\n' ? "" : "\n") << std::flush;
    switch (r.action) {
      case TControlResult::TAction::kQuit:
        return false;
      case TControlResult::TAction::kDisconnect:
        pty.Stop();
        break;
      case TControlResult::TAction::kConnect:
        if (!pty.Running()) Connect(pty, o);
        break;
      case TControlResult::TAction::kNone:
        break;
    }
  }
  return true;
}

// Reads what is there on fd into buffer; false at the end of the input.
bool ReadSome(int fd, std::string& buffer) {
  char chunk[512];
  const ssize_t n = read(fd, chunk, sizeof chunk);
  if (n == 0) return false;
  if (n > 0) buffer.append(chunk, static_cast<std::size_t>(n));
  return true;
}

void Serve(TSimTransmitter& tx, TSimPty& pty, const TOptions& o) {
  const int control = o.control ? OpenControl(o.controlPath) : -1;
  if (o.control && control < 0) std::cerr << "vorta-sim: no control FIFO at " << o.controlPath << "\n";
  if (control >= 0) std::cout << "control FIFO " << o.controlPath << "\n" << std::flush;
  bool stdinOpen = true;
  std::string fromStdin, fromControl;
  while (!gStop) {
    pollfd fds[2] = {{stdinOpen ? 0 : -1, POLLIN, 0}, {control, POLLIN, 0}};
    if (poll(fds, 2, 200) <= 0) continue;
    if (fds[0].revents & (POLLIN | POLLHUP)) stdinOpen = ReadSome(0, fromStdin);
    if (fds[1].revents & POLLIN) ReadSome(control, fromControl);
    if (!RunLines(fromStdin, tx, pty, o) || !RunLines(fromControl, tx, pty, o)) break;
  }
  if (control >= 0) {
    close(control);
    unlink(o.controlPath.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  TOptions o;
  if (!ParseArgs(argc, argv, o)) return 2;
  if (o.help) {
    std::cout << HelpText();
    return 0;
  }
  TSimTransmitter tx(o.config);
  tx.SetSignal(o.signal);
  tx.SetKnobs(o.knobs);
  std::cout << "vorta-sim: " << tx.StartNote() << "\n";
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  std::signal(SIGPIPE, SIG_IGN);
  TSimPty pty(tx);
  if (o.verbose) pty.SetTrace([](const std::string& line) { std::cout << line << "\n" << std::flush; });
  pty.SetOnDisconnect([] {
    std::cout << "line closed by the disconnect knob; 'connect' opens a new one\n" << std::flush;
  });
  if (!Connect(pty, o)) return 1;
  std::cout << std::flush;
  Serve(tx, pty, o);
  pty.Stop();
  tx.SaveMemory();
  return 0;
}
