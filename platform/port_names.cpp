// COMn to device path.
#include "platform/port_names.h"

#include <sys/stat.h>

#include <mutex>

#include "platform/program_dir.h"

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

}  // namespace

std::string PortsDir() {
  std::lock_guard lock(DirLock());
  if (!DirOverride().empty()) return DirOverride();
  return SettingsDir() + "/ports";
}

void SetPortsDir(const std::string& dir) {
  std::lock_guard lock(DirLock());
  DirOverride() = dir;
}

std::string ResolveComPort(int n) {
  if (n < 1) return {};
  const std::string link = PortsDir() + "/COM" + std::to_string(n);
  struct stat st {};
  if (lstat(link.c_str(), &st) == 0) return link;
  static constexpr const char* kFamilies[] = {"/dev/ttyS", "/dev/ttyUSB", "/dev/ttyACM"};
  const int index = n - 1;
  if (index >= 48) return {};
  return kFamilies[index / 16] + std::to_string(index % 16);
}

}  // namespace vorta::platform
