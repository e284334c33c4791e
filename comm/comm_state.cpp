// The one link state of the process.
#include "comm/comm_state.h"

#include "comm/polling.h"
#include "comm/protocol.h"

namespace vorta::comm {

TCommState& Comm() {
  static TCommState state;
  return state;
}

void ResetComm() {
  TCommState& s = Comm();
  AbortTransfer();
  StopPolling();
  CloseLine();
  s.AbortFlag = false;
  s.AbortEvent.Reset();
  s.CharTime = 10000.0 / 9600;
  s.CharTimeMs = 2;
  s.CommandBuffer.fill(0);
  s.ReplyBuffer.fill(0);
  s.CommandDoneEvent.Set();
  s.PollCommand.fill(0);
  s.PollReply.fill(0);
  s.PollRunning = s.PollStarted = s.PollFailed = s.PollOk = false;
  s.CommandPending = s.LineFree = false;
  s.CommandResult = true;
  s.StatusLatch = false;
  s.NewMeasurementEvent.Reset();
  {
    std::lock_guard lock(s.ShadowLock);
    s.StatusFresh = true;
    s.PollShadow.fill(0);
    s.ShadowNewAverage = s.ShadowLargeError = false;
    s.ShadowSeq = s.TakenSeq = 0;
  }
  s.Status.Reset();
  s.TransferRunning = false;
  s.Progress = 0;
  s.ResetPending = false;
  s.ProgressEvent.Reset();
  s.ProgressAckEvent.Reset();
}

}  // namespace vorta::comm
