// The window side of a block transfer as one core routine: stop polling, run the transfer thread,
// pass its progress on, abort it after 10 s without progress, take its exit code, restart polling.
#pragma once

#include <functional>

namespace vorta::comm {

inline constexpr int kProgressTimeoutMs = 10000;

using TransferFunction = int (*)();
using ProgressCallback = std::function<void(int percent)>;

// Runs one transfer thread (ReadThread, WriteThread or WriteTextsThread); true on exit code 1.
// Refuses (false, nothing started) while an earlier transfer thread still runs or polling does not
// stop. An interrupted full write gets its reset before polling restarts.
bool RunTransfer(TransferFunction body, const ProgressCallback& onProgress);
// Sets the read mode and runs ReadThread.
bool RunRead(int readMode, const ProgressCallback& onProgress);
// Reads back what a full write writes and compares it with what the last successful full write
// sent. False when there was no such write, the read failed, or a byte differs.
enum class VerifyOutcome { kEqual, kDiffers, kReadFailed, kNothingWritten };
VerifyOutcome RunVerify(const ProgressCallback& onProgress);

}  // namespace vorta::comm
