// Classification of port opening errors.
#include "platform/port_trouble.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <vector>

namespace vorta::platform {

namespace {

std::mutex& HookLock() {
  static std::mutex lock;
  return lock;
}

OpenErrorHook& Hook() {
  static OpenErrorHook hook;
  return hook;
}

std::string GroupOf(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return {};
  group g{};
  group* found = nullptr;
  std::vector<char> buf(4096);
  if (getgrgid_r(st.st_gid, &g, buf.data(), buf.size(), &found) != 0 || found == nullptr)
    return std::to_string(st.st_gid);
  return g.gr_name;
}

PortTrouble TroubleOf(int error) {
  switch (error) {
    case 0:
      return PortTrouble::kNone;
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
    case EIO:  // a device file with no port behind it (a ttyS without a UART)
      return PortTrouble::kMissing;
    case EACCES:
    case EPERM:
    case EROFS:
      return PortTrouble::kPermission;
    case EBUSY:
    case EWOULDBLOCK:
      return PortTrouble::kBusy;
    case ENOTTY:
    case EINVAL:
      return PortTrouble::kNotSerial;
    default:
      return PortTrouble::kOther;
  }
}

}  // namespace

TPortOpenError ClassifyOpenError(const std::string& path, int error) {
  TPortOpenError e;
  e.trouble = TroubleOf(error);
  e.error = error;
  e.path = path;
  if (e.trouble == PortTrouble::kPermission) e.group = GroupOf(path);
  return e;
}

void SetOpenErrorHook(OpenErrorHook hook) {
  std::lock_guard lock(HookLock());
  Hook() = std::move(hook);
}

int HookedOpenError(const std::string& path) {
  std::lock_guard lock(HookLock());
  return Hook() ? Hook()(path) : 0;
}

}  // namespace vorta::platform
