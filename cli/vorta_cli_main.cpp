// vorta-cli: the command-line programmer of Vorta transmitters (vorta-cli --help).
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <iostream>

#include "app/config_history.h"
#include "cli/cli_run.h"
#include "cli/system_ports.h"
#include "comm/protocol.h"
#include "platform/program_dir.h"

namespace {

std::atomic<bool> gInterrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// The first Ctrl+C lets a transfer end as the window ends an aborted one (with the reset a
// write owes); a second one ends the program at once.
void OnInterrupt(int) {
  gInterrupted = true;
}

void CatchInterrupts() {
  struct sigaction sa {};
  sa.sa_handler = OnInterrupt;
  sa.sa_flags = SA_RESETHAND;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  CatchInterrupts();
  vorta::cli::TCliEnv env;
  env.out = &std::cout;
  env.err = &std::cerr;
  env.errIsTerminal = isatty(STDERR_FILENO) == 1;
  env.settingsDir = vorta::platform::SettingsDir();
  env.programDir = vorta::platform::ProgramDir();
  std::error_code ec;
  env.workingDir = std::filesystem::current_path(ec).string();
  env.openLine = [](int port) { return vorta::comm::OpenLine(port, 4); };
  env.systemPorts = vorta::cli::SystemSerialPorts;
  env.now = vorta::app::HistoryTimeNow;
  env.interrupted = &gInterrupted;
  return vorta::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc), env);
}
