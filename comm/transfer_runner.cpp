// The transfer runner.
#include "comm/transfer_runner.h"

#include <atomic>

#include "comm/comm_state.h"
#include "comm/polling.h"

namespace vorta::comm {

namespace {

constexpr int kExitCodeWaitMs = 1000;
constexpr int kLateEndWaitMs = 10000;

std::atomic<int> gProgressTimeoutMs{kProgressTimeoutMs};

// A thread that throws still ends the transfer, so the window never waits for it in vain.
int Guarded(TransferFunction body, TTransferJob& job) {
  try {
    return body(job);
  } catch (...) {
    Comm().TransferRunning = false;
    Comm().ProgressEvent.Set();
    return 0;
  }
}

void FollowProgress(const ProgressCallback& onProgress) {
  TCommState& s = Comm();
  while (s.TransferRunning) {
    if (s.ProgressEvent.Wait(ProgressTimeoutMs())) {
      s.ProgressEvent.Reset();
      s.ProgressAckEvent.Set();
      if (onProgress) onProgress(s.Progress);
    } else {
      AbortTransfer();
    }
  }
}

}  // namespace

int ProgressTimeoutMs() {
  return gProgressTimeoutMs;
}

void SetProgressTimeoutMs(int ms) {
  gProgressTimeoutMs = ms > 0 ? ms : kProgressTimeoutMs;
}

bool RunTransfer(TransferFunction body, const std::shared_ptr<TTransferJob>& job,
                 const ProgressCallback& onProgress) {
  TCommState& s = Comm();
  if (!job || !s.TransferThread.Release() || !s.Line) return false;
  if (!StopPolling()) return false;
  s.TransferRunning = true;
  s.ProgressEvent.Reset();
  s.ProgressAckEvent.Reset();
  // The thread holds its own share of the job: the job lives as long as the thread needs it.
  if (!s.TransferThread.Start([body, job] { return Guarded(body, *job); })) {
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

bool RunRead(int readMode, TDeviceRecord& record, const ProgressCallback& onProgress, TDeviceImage* image) {
  auto job = std::make_shared<TTransferJob>();
  job->readMode = readMode;
  job->record = record;
  if (!RunTransfer(ReadThread, job, onProgress)) return false;
  record = job->record;
  if (image) *image = job->image;
  return true;
}

bool RunWrite(const TDeviceRecord& record, TDeviceImage& sent, const ProgressCallback& onProgress) {
  auto job = std::make_shared<TTransferJob>();
  job->record = record;
  if (!RunTransfer(WriteThread, job, onProgress)) return false;
  sent = job->image;
  return true;
}

bool RunWriteTexts(const TDeviceRecord& record, const ProgressCallback& onProgress) {
  auto job = std::make_shared<TTransferJob>();
  job->record = record;
  return RunTransfer(WriteTextsThread, job, onProgress);
}

VerifyOutcome RunVerify(const TSentImage& sent, const ProgressCallback& onProgress) {
  if (sent.Known() == TSentAreas::kNone) return VerifyOutcome::kNothingWritten;
  TDeviceRecord scratch{};
  TDeviceImage read{};
  if (!RunRead(VerifyReadModeOf(sent.Known()), scratch, onProgress, &read)) return VerifyOutcome::kReadFailed;
  return CompareWithSent(read, sent) == TSentComparison::kEqual ? VerifyOutcome::kEqual
                                                                : VerifyOutcome::kDiffers;
}

}  // namespace vorta::comm
