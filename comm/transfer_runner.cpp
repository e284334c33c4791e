// The transfer runner.
#include "comm/transfer_runner.h"

#include "comm/comm_state.h"
#include "comm/polling.h"
#include "comm/transfer.h"

namespace vorta::comm {

namespace {

constexpr int kExitCodeWaitMs = 1000;
constexpr int kLateEndWaitMs = 10000;

// A thread that throws still ends the transfer, so the window never waits for it in vain.
int Guarded(TransferFunction body) {
  try {
    return body();
  } catch (...) {
    Comm().TransferRunning = false;
    Comm().ProgressEvent.Set();
    return 0;
  }
}

void FollowProgress(const ProgressCallback& onProgress) {
  TCommState& s = Comm();
  while (s.TransferRunning) {
    if (s.ProgressEvent.Wait(kProgressTimeoutMs)) {
      s.ProgressEvent.Reset();
      s.ProgressAckEvent.Set();
      if (onProgress) onProgress(s.Progress);
    } else {
      AbortTransfer();
    }
  }
}

}  // namespace

bool RunTransfer(TransferFunction body, const ProgressCallback& onProgress) {
  TCommState& s = Comm();
  if (!s.TransferThread.Release() || !s.Line) return false;
  if (!StopPolling()) return false;
  s.TransferRunning = true;
  s.ProgressEvent.Reset();
  s.ProgressAckEvent.Reset();
  if (!s.TransferThread.Start([body] { return Guarded(body); })) {
    s.TransferRunning = false;
    StartPolling();
    return false;
  }
  FollowProgress(onProgress);
  if (!s.TransferThread.Wait(kExitCodeWaitMs) && !s.TransferThread.Wait(kLateEndWaitMs)) {
    // Still running after its abort: it keeps the line, and polling stays stopped until it ends.
    return false;
  }
  const int code = s.TransferThread.ExitCode().value_or(0);
  s.TransferThread.Release();
  SendOwedReset();
  StartPolling();
  return code == 1;
}

bool RunRead(int readMode, const ProgressCallback& onProgress) {
  Comm().ReadMode = readMode;
  return RunTransfer(ReadThread, onProgress);
}

VerifyOutcome RunVerify(const ProgressCallback& onProgress) {
  TCommState& s = Comm();
  if (!s.HasLastWritten) return VerifyOutcome::kNothingWritten;
  if (!RunRead(kVerifyReadMode, onProgress)) return VerifyOutcome::kReadFailed;
  return WrittenAreasEqual(s.LastRead, s.LastWritten) ? VerifyOutcome::kEqual : VerifyOutcome::kDiffers;
}

}  // namespace vorta::comm
