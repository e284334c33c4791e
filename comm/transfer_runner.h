// The window side of a block transfer as one core routine: stop polling, run the transfer thread on
// a job it shares with the caller, pass its progress on, abort it after a time without progress,
// take its exit code, restart polling. The caller commits the job's results on its own thread.
#pragma once

#include <functional>
#include <memory>

#include "comm/sent_image.h"
#include "comm/transfer.h"

namespace vorta::comm {

inline constexpr int kProgressTimeoutMs = 10000;

using TransferFunction = int (*)(TTransferJob&);
using ProgressCallback = std::function<void(int percent)>;

// The time a transfer may go without progress before it is aborted; tests shorten it.
int ProgressTimeoutMs();
void SetProgressTimeoutMs(int ms);

// Runs one transfer thread (ReadThread, WriteThread or WriteTextsThread) on job; true on exit code 1.
// Refuses (false, nothing started) while an earlier transfer thread still runs or polling does not
// stop. An interrupted full write gets its reset before polling restarts. A thread that will not
// end keeps its job alive until it does.
bool RunTransfer(TransferFunction body, const std::shared_ptr<TTransferJob>& job,
                 const ProgressCallback& onProgress);

// Reads in readMode, starting from record; on success record holds what was read and image, when
// given, the memory as read. On failure both are unchanged.
bool RunRead(int readMode, TDeviceRecord& record, const ProgressCallback& onProgress,
             TDeviceImage* image = nullptr);
// The full write of record; on success sent holds the image that went out.
bool RunWrite(const TDeviceRecord& record, TDeviceImage& sent, const ProgressCallback& onProgress);
// The text write of the tag and free text of record.
bool RunWriteTexts(const TDeviceRecord& record, const ProgressCallback& onProgress);

// Reads back the areas of sent that are known and compares them (nothing is read when nothing was
// sent).
enum class VerifyOutcome { kEqual, kDiffers, kReadFailed, kNothingWritten };
VerifyOutcome RunVerify(const TSentImage& sent, const ProgressCallback& onProgress);

}  // namespace vorta::comm
