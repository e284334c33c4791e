// Toggle states of the lock keys for the status bar's key panels.
#pragma once

namespace vorta::platform {

struct LockStates {
  bool caps = false;
  bool num = false;
};

// The Caps Lock and Num Lock states as the keyboard LEDs show them; both off when unknown.
LockStates ReadLockStates();

}  // namespace vorta::platform
