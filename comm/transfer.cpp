// Block read, full write and text write threads.
#include "comm/transfer.h"

#include <cmath>

#include "app/rounding.h"
#include "comm/comm_state.h"
#include "comm/device_image.h"
#include "comm/protocol.h"
#include "comm/record_layout.h"
#include "platform/thread.h"

namespace vorta::comm {

namespace {

// Time for the owed reset (a few bytes at 9600 baud, plus an adapter's latency) to be sent.
constexpr int kOwedResetDrainMs = 50;

TBuffer& Cmd() {
  return Comm().CommandBuffer;
}
const TBuffer& Reply() {
  return Comm().ReplyBuffer;
}

void StartTransferThread() {
  if (!platform::ThreadPriorityIsTimeCritical()) platform::RaiseThreadPriority();
  Comm().Progress = 0;
}

// Ends a transfer thread: it clears TransferRunning itself and wakes the window one last time.
// The result stands only when nobody aborted the transfer meanwhile.
int FinishTransfer(bool ok) {
  TCommState& s = Comm();
  const bool stillRunning = s.TransferRunning.exchange(false);
  s.ProgressEvent.Set();
  return ok && stillRunning ? 1 : 0;
}

void SetCommand(std::initializer_list<std::uint8_t> head, const std::uint8_t* data, int count, int expected) {
  TBuffer& c = Cmd();
  c.fill(0);
  int n = 0;
  for (std::uint8_t b : head) c[++n] = b;
  for (int i = 0; i < count; ++i) c[++n] = data[i];
  c[0] = static_cast<std::uint8_t>(n);
  c[n + 1] = static_cast<std::uint8_t>(expected);
}

std::uint8_t Hi(int address) {
  return static_cast<std::uint8_t>(address >> 8);
}
std::uint8_t Lo(int address) {
  return static_cast<std::uint8_t>(address & 0xFF);
}

bool AddressEchoed(int address) {
  return Reply()[2] == Hi(address) && Reply()[3] == Lo(address);
}

bool SendPreamble() {
  SetCommand({0xEF, 0x00, 0x00}, nullptr, 0, 0);
  if (!SendRetry()) return false;
  LinkPause(5);
  return true;
}

bool ReadBlock(const TBlock& block, TDeviceImage& image) {
  SetCommand({0xF3, block.count, Hi(block.address), Lo(block.address)}, nullptr, 0, block.count + 3);
  if (!SendRetry() || Reply()[0] != block.count + 3 || !AddressEchoed(block.address)) return false;
  for (int i = 0; i < block.count; ++i) image[block.address + i] = Reply()[4 + i];
  return true;
}

bool WriteBlock(const TDeviceImage& image, int address) {
  SetCommand({'D', kBlockSize, Hi(address), Lo(address)}, &image[address], kBlockSize, 3);
  return SendMarked() && AddressEchoed(address);
}

bool WriteArea(const TDeviceImage& image, const TAddressRange& range, int& done, int& last) {
  for (int a = range.first; a <= range.last && Comm().TransferRunning; a += kBlockSize) {
    if (!WriteBlock(image, a)) return false;
    ReportProgress(done, kFullWriteTotal, last);
    done += kBlockSize;
  }
  return Comm().TransferRunning;
}

bool SendChecksums(const TDeviceImage& image) {
  const std::uint8_t x = image[0xABF];
  const std::uint8_t nx = static_cast<std::uint8_t>(~x);
  SetCommand({'L', 1, x, nx, x, nx, x, nx}, nullptr, 0, 0);
  if (!SendMarked() || !Comm().TransferRunning) return false;
  LinkPause(50);
  const std::uint8_t c = image[0x0FC], d = image[0x0FD], e = image[0x0FE];
  SetCommand({'L', 2, c, static_cast<std::uint8_t>(~c), d, static_cast<std::uint8_t>(~d), e,
              static_cast<std::uint8_t>(~e)},
             nullptr, 0, 0);
  return SendMarked();
}

bool SendReset() {
  TCommState& s = Comm();
  TBuffer reset{};
  BuildCommandInto(reset, 'r', 0);
  return s.Line && s.Line->Transact(reset, s.ReplyBuffer, ReplyTimeoutMs(), {TLogSource::kTransfer, 1, 1});
}

}  // namespace

bool SendRetry() {
  TCommState& s = Comm();
  const TBuffer copy = s.CommandBuffer;
  for (int attempt = 0; attempt < kTransferAttempts && s.TransferRunning; ++attempt)
    if (s.Line &&
        s.Line->Transact(copy, s.ReplyBuffer, ReplyTimeoutMs(),
                         {TLogSource::kTransfer, static_cast<std::uint8_t>(attempt + 1), kTransferAttempts}))
      return true;
  return false;
}

bool SendMarked() {
  TCommState& s = Comm();
  TBuffer marked = s.CommandBuffer;
  marked[1] |= 0x80;
  if (s.TransferRunning && s.Line &&
      s.Line->Transact(marked, s.ReplyBuffer, ReplyTimeoutMs(), {TLogSource::kTransfer, 1, 1}))
    return true;
  return SendRetry();
}

void ReportProgress(int done, int total, int& last) {
  TCommState& s = Comm();
  long long p = total > 0 ? app::RoundHalfEven(done * 100.0 / total) : 100;
  if (p > 100) p = 100;
  if (p < 0) p = 0;
  s.Progress = static_cast<int>(p);
  if (p != last) {
    s.ProgressEvent.Set();
    if (s.ProgressAckEvent.Wait(kProgressAckWaitMs)) s.ProgressAckEvent.Reset();
  }
  last = static_cast<int>(p);
}

bool ReadVersion(std::uint8_t* record2048) {
  SetCommand({'s', 0x80, 0x00, 0x00}, nullptr, 0, 7);
  if (!SendRetry()) return false;
  const TBuffer& r = Reply();
  if (r[1] != 's' || r[2] != 0 || r[3] != 0) return false;
  for (int i = 0; i < 4; ++i) record2048[i] = r[4 + i];
  return true;
}

int ReadThread(TTransferJob& job) {
  StartTransferThread();
  TCommState& s = Comm();
  // The job's record is only replaced when every step succeeded: a failed read changes nothing.
  TDeviceRecord record = job.record;
  TDeviceImage image{};
  EncodeImage(record, image);
  const std::vector<TBlock> blocks = BlocksOfReadMode(job.readMode);
  int total = 0;
  for (const TBlock& b : blocks) total += b.count;
  bool ok = SendPreamble();
  int done = 0, last = -1;
  for (std::size_t i = 0; ok && i < blocks.size() && s.TransferRunning; ++i) {
    ok = ReadBlock(blocks[i], image);
    done += blocks[i].count;
    if (ok) ReportProgress(done, total, last);
  }
  ok = ok && s.TransferRunning && ReadVersion(&record[rec::kCodeVersion]);
  if (ok) {
    DecodeImage(image, record);
    LinkPause(100);
  }
  if (ok && s.TransferRunning) {
    job.record = record;
    job.image = image;
  }
  return FinishTransfer(ok);
}

int WriteThread(TTransferJob& job) {
  StartTransferThread();
  TCommState& s = Comm();
  bool ok = SendPreamble();
  TDeviceImage image{};
  EncodeImage(job.record, image);
  int done = 0, last = -1;
  if (ok) {
    s.ResetPending = true;
    ok = WriteArea(image, kWrittenConfig, done, last) && WriteArea(image, kWrittenData, done, last);
  }
  ok = ok && s.TransferRunning && SendChecksums(image);
  if (s.TransferRunning && s.ResetPending) {
    if (ok) {
      ReportProgress(kFullWriteTotal, kFullWriteTotal, last);
      LinkPause(100);
    } else {
      SendReset();
    }
    s.ResetPending = false;
  }
  if (ok && s.TransferRunning) job.image = image;
  return FinishTransfer(ok);
}

int WriteTextsThread(TTransferJob& job) {
  StartTransferThread();
  TCommState& s = Comm();
  const TDeviceRecord& record = job.record;
  bool ok = true;
  int last = -1;
  for (int k = 0; ok && k < kTextBlocks && s.TransferRunning; ++k) {
    const int address = kWrittenTexts.first + k * kTextBlockSize;
    SetCommand({'D', kTextBlockSize, Hi(address), Lo(address)},
               record.b.data() + rec::kKod + k * kTextBlockSize, kTextBlockSize, 3);
    ok = SendMarked() && AddressEchoed(address);
    if (ok) ReportProgress((k + 1) * kTextBlockSize, kTextBlocks * kTextBlockSize, last);
  }
  ok = ok && s.TransferRunning;
  if (ok) LinkPause(100);
  return FinishTransfer(ok);
}

bool SendOwedReset() {
  TCommState& s = Comm();
  if (!s.ResetPending) return true;
  s.ResetPending = false;
  if (!SendReset()) return false;
  // The reset expects no reply: let it leave the wire before the next command purges the line,
  // which would otherwise throw away the reset still on its way out.
  LinkPause(kOwedResetDrainMs);
  return true;
}

}  // namespace vorta::comm
