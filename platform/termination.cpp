// SIGTERM and SIGINT noted in a lock-free flag.
#include "platform/termination.h"

#include <signal.h>

#include <atomic>

namespace vorta::platform {
namespace {

std::atomic<bool> gRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void OnSignal(int) {
  gRequested.store(true, std::memory_order_relaxed);
}

}  // namespace

void CatchTermination() {
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
}

bool TerminationRequested() {
  return gRequested.load(std::memory_order_relaxed);
}

}  // namespace vorta::platform
