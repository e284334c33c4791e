// Why a serial port could not be opened, told from the system's error (and, for a refused
// permission, the group that owns the device), with a seam through which tests make open fail.
#pragma once

#include <functional>
#include <string>

namespace vorta::platform {

enum class PortTrouble {
  kNone,        // opened
  kMissing,     // no such device, or no port behind the device file
  kPermission,  // the user may not open it
  kBusy,        // another program holds it
  kNotSerial,   // it opens, but it is no terminal
  kOther,       // any other error
};

struct TPortOpenError {
  PortTrouble trouble = PortTrouble::kNone;
  int error = 0;      // the errno behind it
  std::string path;   // the device file (or link) that was tried
  std::string group;  // kPermission: the group owning the device; empty when it cannot be told
};

// The trouble of an errno that open, tcgetattr, TIOCEXCL or flock gave for path.
TPortOpenError ClassifyOpenError(const std::string& path, int error);

// Test seam: while set, opening a port asks the hook first, and a non-zero errno it returns makes
// the open fail with that error as if the system had refused it. An empty function removes it.
using OpenErrorHook = std::function<int(const std::string& path)>;
void SetOpenErrorHook(OpenErrorHook hook);
// The hook's errno for path; 0 when no hook is set.
int HookedOpenError(const std::string& path);

}  // namespace vorta::platform
