// Worker threads with the program's fixed stack size and time-critical priority where the system
// grants it. A started thread keeps its handle until it has really ended and been released, so a
// caller can never start a second one beside a thread that outlived its wait.
#pragma once

#include <pthread.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

namespace vorta::platform {

inline constexpr std::size_t kWorkerStackSize = 150000;

class WorkerThread {
 public:
  WorkerThread() = default;
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;
  // Waits for a thread that is still running: a worker never outlives its handle.
  ~WorkerThread();

  // Starts body on a new thread; false when a thread is still held or creation failed.
  bool Start(std::function<int()> body);
  // Waits up to timeoutMs (negative: without limit) for the thread to end; true when it has ended
  // or none is held.
  bool Wait(int timeoutMs);
  // A thread was started and has not been released yet.
  bool Held() const { return state_ != nullptr; }
  // A thread is held and still running.
  bool Alive() const;
  // The exit code of an ended thread; empty while it runs or when none is held.
  std::optional<int> ExitCode() const;
  // Releases an ended thread (closing its handle); false, and nothing changes, while it runs.
  bool Release();

  struct State;  // shared with the running thread

 private:
  std::shared_ptr<State> state_;
  pthread_t handle_{};
};

// Raises the calling thread to the highest real-time priority; a refusal is ignored (false).
bool RaiseThreadPriority();
// The calling thread already runs at the highest real-time priority.
bool ThreadPriorityIsTimeCritical();

}  // namespace vorta::platform
