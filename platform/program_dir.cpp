// Program and settings folders from /proc/self/exe and the environment, or the folder a test chose.
#include "platform/program_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <mutex>

namespace vorta::platform {
namespace {

std::mutex& DirLock() {
  static std::mutex lock;
  return lock;
}

std::string& DirOverride() {
  static std::string dir;
  return dir;
}

std::string Override() {
  std::lock_guard lock(DirLock());
  return DirOverride();
}

std::string ExecutableDir() {
  std::array<char, 4096> buf{};
  const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return ".";
  std::string path(buf.data(), static_cast<std::size_t>(n));
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The prefix of an installation whose bin/ is exeDir.
std::string PrefixOf(const std::string& exeDir) {
  const auto slash = exeDir.rfind('/');
  return slash == std::string::npos ? std::string(".") : exeDir.substr(0, slash);
}

// Makes every missing folder of path; true when path is a folder afterwards.
bool MakeFolders(const std::string& path) {
  for (std::size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1))
    mkdir(path.substr(0, at).c_str(), 0755);
  mkdir(path.c_str(), 0755);
  return IsDirectory(path);
}

}  // namespace

bool IsInstalledLayout(const std::string& exeDir) {
  const auto slash = exeDir.rfind('/');
  if (slash == std::string::npos || exeDir.compare(slash, std::string::npos, "/bin") != 0) return false;
  return IsDirectory(PrefixOf(exeDir) + "/share/vorta");
}

std::string ChooseSettingsDir(const std::string& exeDir, bool installed, bool writable,
                              const char* xdgConfigHome, const char* home) {
  if (!installed && writable) return exeDir;
  if (xdgConfigHome && xdgConfigHome[0] == '/') return std::string(xdgConfigHome) + "/vorta";
  if (home && home[0] == '/') return std::string(home) + "/.config/vorta";
  return exeDir;
}

std::string ProgramDir() {
  if (std::string dir = Override(); !dir.empty()) return dir;
  const std::string exe = ExecutableDir();
  return IsInstalledLayout(exe) ? PrefixOf(exe) + "/share/vorta" : exe;
}

std::string SettingsDir() {
  if (std::string dir = Override(); !dir.empty()) return dir;
  const std::string exe = ExecutableDir();
  const std::string dir = ChooseSettingsDir(exe, IsInstalledLayout(exe), access(exe.c_str(), W_OK) == 0,
                                            std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  // A configuration folder that cannot be made leaves the settings where they were read from.
  if (dir != exe && !MakeFolders(dir)) return exe;
  return dir;
}

void SetProgramDir(const std::string& dir) {
  std::lock_guard lock(DirLock());
  DirOverride() = dir;
}

}  // namespace vorta::platform
