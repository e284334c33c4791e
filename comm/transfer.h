// The block transfers between the record and the transmitter memory: read, full write, text write,
// with the version query, progress reporting and the sending rules inside a transfer.
#pragma once

#include <cstdint>

#include "comm/device_image.h"
#include "comm/device_record.h"

namespace vorta::comm {

inline constexpr int kTransferAttempts = 5;
inline constexpr int kFullWriteTotal = 1856;  // 192 bytes of configuration, 1664 of data
inline constexpr int kTextBlocks = 10;
inline constexpr int kTextBlockSize = 8;
inline constexpr int kProgressAckWaitMs = 5000;

// What one transfer thread works on. The runner shares it with the thread, so that it outlives a
// thread that ends late; the caller takes the results only after the thread has ended.
struct TTransferJob {
  int readMode = 4;
  TDeviceRecord
      record{};  // read: starts as the caller's record and receives what was read; write: what is sent
  TDeviceImage image{};  // read: the memory as read; full write: the image sent
};

// Thread functions: exit code 1 on success, 0 on failure.
int ReadThread(TTransferJob& job);
int WriteThread(TTransferJob& job);
int WriteTextsThread(TTransferJob& job);

// The version query into the record bytes 2048..2051 of record (the firmware code).
bool ReadVersion(std::uint8_t* record2048);
// Hands the rounded percentage of done/total to the main thread when it changed.
void ReportProgress(int done, int total, int& last);
// Sends a copy of CommandBuffer with up to five attempts while the transfer runs.
bool SendRetry();
// Sends a copy of CommandBuffer once with bit 7 of the command byte set, then falls back to
// SendRetry with the command as it is.
bool SendMarked();

// After a full write was cut short: the reset it owes the transmitter (no retry). True when none
// was owed or it was sent.
bool SendOwedReset();

}  // namespace vorta::comm
