// Lock states from the keyboard LEDs the kernel exports (/sys/class/leds/inputN::capslock).
#include "platform/keyboard.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace vorta::platform {
namespace {

bool AnyLedOn(const std::string& suffix) {
  std::error_code ec;
  std::filesystem::directory_iterator it("/sys/class/leds", ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() < suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
      continue;
    std::ifstream in(it->path() / "brightness");
    int value = 0;
    if (in >> value && value > 0) return true;
  }
  return false;
}

}  // namespace

LockStates ReadLockStates() {
  return {AnyLedOn("::capslock"), AnyLedOn("::numlock")};
}

}  // namespace vorta::platform
