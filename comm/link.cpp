// TCommD on a serial line: writes, event-character reads bounded by deadlines, transactions.
#include "comm/link.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>

#include "comm/comm_state.h"
#include "platform/port_names.h"
#include "platform/serial_port.h"

namespace vorta::comm {

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// The driver settles after a change of line settings before the first command goes out.
constexpr int kSettleMs = 250;
// A write may take twice its line time plus this before it counts as failed.
constexpr int kWriteMarginMs = 50;
constexpr int kStopWaitMs = 10000;

// Takes bytes [from, end) of buf into the frame being received and returns the new count. Our
// own echo starts with the only raw FrameStart on the line: whatever came before it is the tail
// of an earlier reply that arrived after the purge, and is dropped. Sets ended at a FrameEnd that
// can end the frame (at or past minTotal bytes from the echo).
int TakeIn(TBuffer& buf, int from, int end, int minTotal, bool& ended) {
  for (int i = end - 1; i >= from; --i) {
    if (buf[i] == kFrameStart) {
      std::memmove(buf.data(), buf.data() + i, static_cast<std::size_t>(end - i));
      end -= i;
      from = 0;
      break;
    }
  }
  if (buf[0] != kFrameStart) return 0;  // no echo yet: nothing of this is ours
  for (int i = from; i < end; ++i) {
    if (buf[i] == kFrameEnd && i + 1 >= minTotal) {
      ended = true;
      return i + 1;
    }
  }
  return end;
}

}  // namespace

bool TimingForBaud(int baud, TLinkTiming& t) {
  if (baud <= 0) return false;
  const double charTime = 10000.0 / baud;
  const double ceilMs = std::ceil(charTime);
  if (ceilMs > 65535) return false;
  t.charTime = charTime;
  t.charTimeMs = static_cast<std::uint16_t>(ceilMs);
  t.readIntervalMs = static_cast<int>(std::ceil(4 * charTime));
  t.readMultiplierMs = t.charTimeMs;
  t.writeMultiplierMs = t.charTimeMs;
  return true;
}

bool LinkPause(int ms) {
  if (ms <= 0) return !Comm().AbortFlag;
  return !Comm().AbortEvent.Wait(ms);
}

TCommD::TCommD(std::unique_ptr<platform::ISerialLine> line) : line_(std::move(line)) {}

// CloseLine closes through ClosePort first; this only lets go of a line nobody waits on any more.
TCommD::~TCommD() = default;

std::unique_ptr<TCommD> TCommD::OpenPort(int portNumber, platform::TPortOpenError* why) {
  const std::string path = platform::ResolveComPort(portNumber);
  if (path.empty()) {
    // No device of its own and no link: named after the link that would have given it one.
    if (why)
      *why = platform::ClassifyOpenError(platform::PortsDir() + "/COM" + std::to_string(portNumber), ENOENT);
    return nullptr;
  }
  auto port = platform::SerialPort::Open(path, why);
  if (!port) return nullptr;
  return std::make_unique<TCommD>(std::move(port));
}

bool TCommD::Setup(int baud) {
  TLinkTiming t;
  if (!line_ || !TimingForBaud(baud, t)) return false;
  if (!line_->Configure(baud)) return false;
  Comm().CharTime = t.charTime;
  Comm().CharTimeMs = t.charTimeMs;
  line_->Purge();
  LinkPause(kSettleMs);
  return true;
}

bool TCommD::WriteFrame(const TBuffer& frame) {
  if (Comm().AbortFlag || !line_) return false;
  const int count = frame[255];
  if (count == 0 || count == 255) return false;
  const int lineTime = static_cast<int>(std::ceil(count * Comm().CharTime.load()));
  // Stale input from an earlier reply is discarded before every command.
  line_->Purge();
  return line_->Write(frame.data(), static_cast<std::size_t>(count), 2 * lineTime + kWriteMarginMs);
}

bool TCommD::ReadReply(TBuffer& buf, int& count, const TBuffer& frame, int timeoutMs, int minTotal) {
  const int sent = frame[255];
  const int budget = count < static_cast<int>(buf.size()) ? count : static_cast<int>(buf.size());
  count = 0;
  trace_.got = 0;
  trace_.ended = trace_.overflow = false;
  if (Comm().AbortFlag || !line_) return false;
  // Our own frame crosses the wire (and comes back as echo) before the reply starts.
  const int echoMs = static_cast<int>(std::ceil(sent * Comm().CharTime.load()));
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs + echoMs);
  int got = 0;
  bool ended = false;
  while (!ended) {
    if (got >= budget) {
      // More than the frame can hold: the reply is not ours, and the rest of it is dropped.
      trace_.overflow = true;
      line_->Purge();
      return false;
    }
    // With no time left the read still takes what has already come: a thread held up past its
    // deadline must not throw away a reply that arrived meanwhile.
    const int left = MsLeft(deadline);
    const int r = line_->Read(&buf[got], static_cast<std::size_t>(budget - got), left);
    if (Comm().AbortFlag) return false;
    if (r < 0) {
      LinkPause(250);
      return false;
    }
    // Nothing came within the time left (or nothing is waiting once it is up): the reply is late.
    if (r == 0) break;
    got = TakeIn(buf, got, got + r, minTotal, ended);
    // An earlier command's echo and reply (it was stopped after its frame went out) come ahead of
    // ours: that reply answers another command, and ours is still to come.
    if (ended && std::memcmp(buf.data(), frame.data(), static_cast<std::size_t>(sent)) != 0) {
      got = 0;
      ended = false;
    }
    trace_.got = got;
    trace_.ended = ended;
  }
  if (!ended) {
    LinkPause(10);
    return false;
  }
  const bool plausible = got > sent + 3;
  count = plausible ? got : 0;
  LinkPause(2 * Comm().CharTimeMs);
  return plausible;
}

bool TCommD::Transact(TBuffer command, TBuffer& reply, std::uint16_t timeoutMs, TTransactTag tag) {
  const int n = command[0];
  if (n == 0 || n > kMaxCommandBytes) return false;
  const int expected = command[n + 1];
  TBuffer frame{};
  if (!BuildFrame(command, frame)) return false;
  TBuffer rx{};
  const bool ok = Exchange(frame, expected, timeoutMs, rx, reply);
  if (LineLog().Recording()) Record(command, frame, rx, expected, ok, timeoutMs, tag);
  return ok;
}

bool TCommD::Exchange(const TBuffer& frame, int expected, std::uint16_t timeoutMs, TBuffer& rx,
                      TBuffer& reply) {
  trace_ = TExchangeTrace{};
  trace_.awaited = expected < kNoReply;
  trace_.written = WriteFrame(frame);
  if (!trace_.written) return false;
  if (!trace_.awaited) return true;
  const int sent = frame[255];
  int count = 2 * expected + 4 + sent;
  if (!ReadReply(rx, count, frame, timeoutMs, sent + expected + 4)) return false;
  return ParseReply(rx, count, sent, expected, reply);
}

void TCommD::Record(const TBuffer& command, const TBuffer& frame, const TBuffer& rx, int expected, bool ok,
                    std::uint16_t timeoutMs, TTransactTag tag) const {
  TLogEntry e;
  e.timeNs = static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count());
  e.tag = tag;
  TExchangeTrace trace = trace_;
  trace.aborted = Comm().AbortFlag;
  e.outcome = ClassifyExchange(frame, rx, trace, expected, ok);
  e.timeoutMs = timeoutMs;
  for (int i = 0; i < 4 && i < command[0]; ++i) e.command[static_cast<std::size_t>(i)] = command[i + 1];
  e.sentCount = frame[255];
  std::copy_n(frame.begin(), e.sentCount, e.sent.begin());
  e.receivedCount = static_cast<std::uint8_t>(trace_.got < 255 ? trace_.got : 255);
  std::copy_n(rx.begin(), e.receivedCount, e.received.begin());
  LineLog().Push(e);
}

bool TCommD::StopIo(platform::WorkerThread& thread) {
  if (!thread.Held()) return false;
  TCommState& s = Comm();
  s.AbortFlag = true;
  s.AbortEvent.Set();
  if (line_) line_->Interrupt();
  const bool ended = thread.Wait(kStopWaitMs);
  if (line_) line_->Purge();
  const bool released = ended && thread.Release();
  s.AbortEvent.Reset();
  s.AbortFlag = false;
  return released;
}

bool TCommD::ClosePort() {
  TCommState& s = Comm();
  if (line_) {
    s.AbortFlag = true;
    s.AbortEvent.Set();
    line_->Interrupt();
    const bool ended = s.PollThread.Wait(kStopWaitMs);
    s.AbortEvent.Reset();
    s.AbortFlag = false;
    if (!ended) return false;
    line_.reset();
  }
  return s.PollThread.Release();
}

}  // namespace vorta::comm
