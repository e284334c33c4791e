// Worker threads on pthreads: fixed stack, exit code, timed wait through a manual-reset event.
#include "platform/thread.h"

#include <sched.h>

#include <atomic>

#include "platform/event.h"

namespace vorta::platform {

struct WorkerThread::State {
  std::function<int()> body;
  ManualResetEvent ended;
  std::atomic<int> exitCode{0};
};

namespace {

void* Trampoline(void* arg) {
  // The thread holds its own reference, so the state outlives a handle released meanwhile.
  auto* holder = static_cast<std::shared_ptr<WorkerThread::State>*>(arg);
  std::shared_ptr<WorkerThread::State> state = std::move(*holder);
  delete holder;
  int code = 0;
  try {
    code = state->body();
  } catch (...) {
    code = 0;
  }
  state->exitCode.store(code);
  state->ended.Set();
  return nullptr;
}

}  // namespace

WorkerThread::~WorkerThread() {
  if (!state_) return;
  state_->ended.Wait(-1);
  Release();
}

bool WorkerThread::Start(std::function<int()> body) {
  if (state_) return false;
  auto state = std::make_shared<State>();
  state->body = std::move(body);
  pthread_attr_t attr;
  if (pthread_attr_init(&attr) != 0) return false;
  pthread_attr_setstacksize(&attr, kWorkerStackSize);
  auto* holder = new std::shared_ptr<State>(state);
  const int rc = pthread_create(&handle_, &attr, Trampoline, holder);
  pthread_attr_destroy(&attr);
  if (rc != 0) {
    delete holder;
    return false;
  }
  state_ = std::move(state);
  return true;
}

bool WorkerThread::Wait(int timeoutMs) {
  return !state_ || state_->ended.Wait(timeoutMs);
}

bool WorkerThread::Alive() const {
  return state_ && !state_->ended.IsSet();
}

std::optional<int> WorkerThread::ExitCode() const {
  if (!state_ || !state_->ended.IsSet()) return std::nullopt;
  return state_->exitCode.load();
}

bool WorkerThread::Release() {
  if (!state_) return true;
  if (!state_->ended.IsSet()) return false;
  pthread_join(handle_, nullptr);
  state_.reset();
  return true;
}

bool RaiseThreadPriority() {
  sched_param param{};
  param.sched_priority = sched_get_priority_max(SCHED_FIFO);
  return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
}

bool ThreadPriorityIsTimeCritical() {
  int policy = 0;
  sched_param param{};
  if (pthread_getschedparam(pthread_self(), &policy, &param) != 0) return false;
  return policy == SCHED_FIFO && param.sched_priority == sched_get_priority_max(SCHED_FIFO);
}

}  // namespace vorta::platform
