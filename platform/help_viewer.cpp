// Help viewer through xdg-open in a child process.
#include "platform/help_viewer.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

extern char** environ;

namespace vorta::platform {
namespace {

pid_t gViewer = 0;

void Reap() {
  if (gViewer > 0 && waitpid(gViewer, nullptr, WNOHANG) == gViewer) gViewer = 0;
}

}  // namespace

bool ShowHelpContents(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  Reap();
  CloseHelp();
  std::string program = "xdg-open";
  std::string arg = path;
  char* argv[] = {program.data(), arg.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
  gViewer = pid;
  return true;
}

void CloseHelp() {
  Reap();
  if (gViewer > 0) {
    kill(gViewer, SIGTERM);
    waitpid(gViewer, nullptr, 0);
    gViewer = 0;
  }
}

}  // namespace vorta::platform
