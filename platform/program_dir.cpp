// Program directory from /proc/self/exe, or the folder a test chose.
#include "platform/program_dir.h"

#include <unistd.h>

#include <array>
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

}  // namespace

std::string ProgramDir() {
  {
    std::lock_guard lock(DirLock());
    if (!DirOverride().empty()) return DirOverride();
  }
  return ExecutableDir();
}

void SetProgramDir(const std::string& dir) {
  std::lock_guard lock(DirLock());
  DirOverride() = dir;
}

std::string SettingsDir() {
  return ProgramDir();
}

}  // namespace vorta::platform
