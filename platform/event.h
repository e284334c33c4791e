// Manual-reset events: once set, an event stays set (every waiter passes) until it is reset.
#pragma once

#include <condition_variable>
#include <mutex>

namespace vorta::platform {

class ManualResetEvent {
 public:
  explicit ManualResetEvent(bool initiallySet = false) : set_(initiallySet) {}
  ManualResetEvent(const ManualResetEvent&) = delete;
  ManualResetEvent& operator=(const ManualResetEvent&) = delete;

  void Set();
  void Reset();
  bool IsSet() const;
  // Waits up to timeoutMs (negative: without limit) for the event; true when it is set.
  bool Wait(int timeoutMs) const;

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable cv_;
  bool set_;
};

}  // namespace vorta::platform
