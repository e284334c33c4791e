// The polling thread, its start and stop, queued commands and the hand-over of measurements.
#include "comm/polling.h"

#include <chrono>

#include "comm/beep.h"
#include "comm/comm_state.h"
#include "comm/protocol.h"

namespace vorta::comm {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPollPauseMs = 10;
// A cycle whose attempts all failed faster than this (adapter gone) waits out the rest, so that
// an unplugged line never makes the thread spin.
constexpr int kFailedCycleMs = 100;
constexpr int kResetPauseSteps = 20;
constexpr int kResetPauseStepMs = 100;
constexpr int kQueuedRetries = 2;
constexpr int kQueueWaits = 25;
constexpr int kStopWaitMs = 10000;

// The shared state of a stopped poller. A thread that ended by an exception counts as started
// until it is stopped: the live display goes on counting the silence and reports the dead thread
// after 12 s, which it could not do if the thread had unregistered itself.
void ResetPollShared(bool keepStarted = false) {
  TCommState& s = Comm();
  if (!keepStarted) s.PollStarted = false;
  s.CommandPending = false;
  s.LineFree = false;
  s.CommandResult = true;
  s.PollOk = false;
  std::lock_guard lock(s.ShadowLock);
  s.StatusFresh = true;
}

bool PollOnce() {
  TCommState& s = Comm();
  bool ok = false;
  for (int attempt = 0; attempt < kPollAttempts && s.PollRunning && !ok; ++attempt) {
    BuildCommandInto(s.PollCommand, 'm', kPollSelector);
    ok = s.Line->Transact(s.PollCommand, s.PollReply, ReplyTimeoutMs(),
                          {TLogSource::kPoll, static_cast<std::uint8_t>(attempt + 1), kPollAttempts});
  }
  return ok;
}

// A good poll becomes the shadow, with new average and large error latched: a flag reported by
// one poll also stays through the next when the poll before it was taken but that one was not.
void StorePoll() {
  TCommState& s = Comm();
  std::lock_guard lock(s.ShadowLock);
  const bool fresh = s.StatusFresh;
  const bool latch = s.StatusLatch && !fresh;
  const std::uint8_t b = s.PollReply[10];
  s.ShadowNewAverage = (b & 0x20) != 0 || (s.ShadowNewAverage && latch);
  s.ShadowLargeError = (b & 0x40) != 0 || (s.ShadowLargeError && latch);
  s.StatusLatch = fresh;
  s.PollOk = true;
  s.PollShadow = s.PollReply;
  ++s.ShadowSeq;
  s.StatusFresh = false;
  s.NewMeasurementEvent.Set();
}

void PausePolling(int ms) {
  if (Comm().PollRunning) LinkPause(ms);
}

void RunQueuedCommand(int& retry) {
  TCommState& s = Comm();
  s.LineFree = false;
  retry = s.CommandResult ? 0 : retry + 1;
  const bool ok =
      s.Line->Transact(s.CommandBuffer, s.ReplyBuffer, ReplyTimeoutMs(),
                       {TLogSource::kQueued, static_cast<std::uint8_t>(retry + 1), kQueuedRetries + 1});
  s.CommandResult = ok;
  if (!ok && retry <= kQueuedRetries) return;  // tried again after the next good poll
  retry = 0;
  const bool wasReset = s.CommandBuffer[1] == 'r';
  s.CommandPending = false;
  if (ok) {
    // The transmitter restarts after a reset and answers again about two seconds later.
    for (int step = 0; wasReset && step < kResetPauseSteps && s.PollRunning; ++step)
      if (!LinkPause(kResetPauseStepMs)) break;
    PausePolling(kPollPauseMs);
  }
  s.LineFree = true;
  if (ok) s.CommandDoneEvent.Set();
}

void PollLoop() {
  TCommState& s = Comm();
  int retry = 0;
  while (s.PollRunning) {
    const auto start = Clock::now();
    if (PollOnce()) {
      StorePoll();
      if (!s.CommandPending) s.LineFree = true;
      PausePolling(kPollPauseMs);
    } else {
      s.PollOk = false;
      const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
      if (spent < kFailedCycleMs) PausePolling(kFailedCycleMs - static_cast<int>(spent));
    }
    if (s.CommandPending && s.PollOk) RunQueuedCommand(retry);
  }
}

}  // namespace

int PollThreadBody() {
  TCommState& s = Comm();
  bool ended = false;
  try {
    if (!platform::ThreadPriorityIsTimeCritical()) platform::RaiseThreadPriority();
    if (s.Line) {
      PollLoop();
      ended = true;
    }
  } catch (...) {
    // A loop broken by an exception fails like a thread that found no line.
  }
  if (ended) return 1;
  s.PollFailed = true;
  s.PollRunning = false;
  ResetPollShared(true);
  return 0;
}

bool StartPolling() {
  TCommState& s = Comm();
  // A thread that outlived its stop keeps the line until it has really ended.
  if (!s.Line || s.TransferThread.Alive() || !s.PollThread.Release()) return false;
  s.PollRunning = true;
  s.PollFailed = false;
  if (!s.PollThread.Start(PollThreadBody)) {
    s.PollStarted = false;
    s.PollRunning = false;
    return false;
  }
  s.PollStarted = true;
  return true;
}

bool StopPolling() {
  TCommState& s = Comm();
  s.PollRunning = false;
  bool ended = true;
  if (s.PollStarted || s.PollThread.Held()) {
    if (s.Line)
      ended = s.Line->StopIo(s.PollThread);
    else
      ended = s.PollThread.Wait(kStopWaitMs) && s.PollThread.Release();
  }
  ResetPollShared();
  return ended;
}

bool AbortTransfer() {
  TCommState& s = Comm();
  if (!s.TransferRunning) return false;
  s.TransferRunning = false;
  if (s.Line) return s.Line->StopIo(s.TransferThread);
  return s.TransferThread.Wait(kStopWaitMs) && s.TransferThread.Release();
}

bool QueueCommand(std::uint8_t letter, std::uint32_t arg) {
  TCommState& s = Comm();
  // A command already waiting is told apart from a thread that cannot take one: the first clears
  // LineFree, so testing it first would never give the asterisk.
  if (s.CommandPending) {
    Beep(LinkBeep::kAsterisk);
    return false;
  }
  if (!s.PollOk || !s.LineFree) {
    Beep(LinkBeep::kDefault);
    return false;
  }
  s.LineFree = false;
  if (!BuildCommand(letter, arg)) {
    s.LineFree = true;
    Beep(LinkBeep::kDefault);
    return false;
  }
  s.CommandPending = true;
  return true;
}

bool QueueCommandWait(std::uint8_t letter, std::uint32_t arg, const std::function<void()>& processMessages) {
  TCommState& s = Comm();
  bool ready = false;
  for (int i = 0; i < kQueueWaits && !ready; ++i) {
    ready = !s.CommandPending && s.PollOk && s.LineFree;
    if (ready) break;
    LinkPause(10);
    if (processMessages) processMessages();
  }
  if (!ready) {
    Beep(LinkBeep::kAsterisk);
    return false;
  }
  return QueueCommand(letter, arg);
}

bool TakeMeasurement(double& value, double& current, TRawMeasurement& raw) {
  TCommState& s = Comm();
  bool newAverage = false, largeError = false, taken = false;
  if (s.PollRunning && s.PollOk) {
    std::lock_guard lock(s.ShadowLock);
    if (s.ShadowSeq != s.TakenSeq) {
      for (int i = 0; i < 8; ++i) raw[i] = s.PollShadow[3 + i];
      newAverage = s.ShadowNewAverage;
      largeError = s.ShadowLargeError;
      s.TakenSeq = s.ShadowSeq;
      s.StatusFresh = true;
      taken = true;
    }
  }
  if (!taken) {
    s.Status.TypeIndex = kNoMeasurementType;
    return false;
  }
  DecodeMeasurement(raw, true, newAverage, largeError, value, current, s.Status);
  return true;
}

bool CheckQueuedResult() {
  TCommState& s = Comm();
  if (!s.PollRunning || s.CommandResult || s.CommandPending) return true;
  Beep(LinkBeep::kExclamation);
  s.CommandResult = true;
  return false;
}

}  // namespace vorta::comm
