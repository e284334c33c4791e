// Process priority through the nice value: high is -10, real time -20 (both need the right to
// raise priority; without it the process stays where it is).
#include "platform/process.h"

#include <sys/resource.h>

#include <atomic>

namespace vorta::platform {
namespace {

std::atomic<PriorityClass> gClass{PriorityClass::kNormal};

int NiceOf(PriorityClass cls) {
  switch (cls) {
    case PriorityClass::kHigh:
      return -10;
    case PriorityClass::kRealtime:
      return -20;
    default:
      return 0;
  }
}

}  // namespace

bool SetPriorityClass(PriorityClass cls) {
  if (setpriority(PRIO_PROCESS, 0, NiceOf(cls)) != 0) return false;
  gClass = cls;
  return true;
}

PriorityClass GetPriorityClass() {
  return gClass;
}

void EnableWarningBeep() {}
void BeginTimerPeriod() {}
void EndTimerPeriod() {}

}  // namespace vorta::platform
