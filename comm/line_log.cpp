// The line log's ring, its reader, the outcome of an exchange and the texts of a log line.
#include "comm/line_log.h"

#include <cstdio>
#include <cstring>
#include <type_traits>

namespace vorta::comm {

static_assert(std::is_trivially_copyable_v<TLogEntry>, "entries travel through the ring as words");

void TLineLogRing::Push(const TLogEntry& e) {
  const std::uint64_t n = next_.fetch_add(1, std::memory_order_relaxed);
  TSlot& slot = slots_[n % kSlots];
  std::array<std::uint64_t, kWords> words{};
  std::memcpy(words.data(), &e, sizeof e);
  slot.seq.store(2 * n + 1, std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_release);
  for (std::size_t i = 0; i < kWords; ++i) slot.words[i].store(words[i], std::memory_order_relaxed);
  slot.seq.store(2 * n + 2, std::memory_order_release);
}

TLineLogRing::TTake TLineLogRing::Take(std::uint64_t n, TLogEntry& e) const {
  const TSlot& slot = slots_[n % kSlots];
  const std::uint64_t before = slot.seq.load(std::memory_order_acquire);
  if (before < 2 * n + 2) return TTake::kNotYet;
  if (before > 2 * n + 2) return TTake::kLost;
  std::array<std::uint64_t, kWords> words{};
  for (std::size_t i = 0; i < kWords; ++i) words[i] = slot.words[i].load(std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_acquire);
  if (slot.seq.load(std::memory_order_relaxed) != before) return TTake::kLost;
  std::memcpy(static_cast<void*>(&e), words.data(), sizeof e);
  return TTake::kTaken;
}

TLineLogRing& LineLog() {
  static TLineLogRing ring;
  return ring;
}

TLineLogReader::TLineLogReader(TLineLogRing& ring) : ring_(ring), next_(ring.Pushed()) {
  ring_.AddReader();
}

TLineLogReader::~TLineLogReader() {
  ring_.RemoveReader();
}

void TLineLogReader::Read(std::vector<TLogEntry>& out) {
  const std::uint64_t pushed = ring_.Pushed();
  if (pushed - next_ > TLineLogRing::kSlots) {
    lost_ += pushed - TLineLogRing::kSlots - next_;
    next_ = pushed - TLineLogRing::kSlots;
  }
  TLogEntry e;
  while (next_ < pushed) {
    const TLineLogRing::TTake t = ring_.Take(next_, e);
    if (t == TLineLogRing::TTake::kNotYet) break;  // still being written: taken next time
    if (t == TLineLogRing::TTake::kTaken)
      out.push_back(e);
    else
      ++lost_;
    ++next_;
  }
}

namespace {

// Why a received frame that ended was not taken, in the order the reply parser checks it.
TLogOutcome ReplyFault(const TBuffer& rx, int count, int sent, int expected) {
  int start = count - 1;
  while (start >= sent && rx[start] != kReplyStart) --start;
  if (start < sent || start + 1 >= count || rx[start + 1] != expected) return TLogOutcome::kWrongLength;
  int pos = start + 2;
  unsigned sum = 0;
  std::uint8_t check = 0;
  for (int i = 1; i <= expected + 1; ++i) {
    if (pos >= count) return TLogOutcome::kWrongLength;
    std::uint8_t b = rx[pos++];
    if (b == kFrameEscape) {
      if (pos >= count) return TLogOutcome::kWrongLength;
      b = rx[pos++] ^ kEscapeMask;
    }
    if (i <= expected) sum += b;
    check = b;
  }
  if (check != static_cast<std::uint8_t>(255 - sum % 256)) return TLogOutcome::kBadChecksum;
  // The frame end not right after the checksum, or a reply too short to be plausible.
  return TLogOutcome::kWrongLength;
}

}  // namespace

TLogOutcome ClassifyExchange(const TBuffer& frame, const TBuffer& rx, const TExchangeTrace& t, int expected,
                             bool ok) {
  if (ok) return t.awaited ? TLogOutcome::kGood : TLogOutcome::kSent;
  if (t.aborted) return TLogOutcome::kStopped;
  if (!t.written) return TLogOutcome::kWriteFailed;
  const int sent = frame[255];
  const int got = t.got < 0 ? 0 : (t.got > static_cast<int>(rx.size()) ? static_cast<int>(rx.size()) : t.got);
  const int echoed = got < sent ? got : sent;
  if (std::memcmp(rx.data(), frame.data(), static_cast<std::size_t>(echoed)) != 0)
    return TLogOutcome::kWrongEcho;
  if (t.overflow) return TLogOutcome::kWrongLength;
  if (got <= sent) return TLogOutcome::kTimedOut;
  if (!t.ended) return TLogOutcome::kNoFrameEnd;
  return ReplyFault(rx, got, sent, expected);
}

void TLogCounters::Add(const TLogEntry& e) {
  ++transactions;
  if (e.tag.attempt > 1) ++retries;
  const auto k = static_cast<std::size_t>(e.outcome);
  if (k < outcomes.size()) ++outcomes[k];
  if (e.tag.source == TLogSource::kPoll && e.outcome == TLogOutcome::kGood) ++polls;
}

std::uint64_t TLogCounters::Failures() const {
  return transactions - outcomes[static_cast<std::size_t>(TLogOutcome::kGood)] -
         outcomes[static_cast<std::size_t>(TLogOutcome::kSent)];
}

double TLogCounters::PollsPerSecond(std::uint64_t startNs, std::uint64_t nowNs) const {
  if (nowNs <= startNs) return 0.0;
  return static_cast<double>(polls) * 1e9 / static_cast<double>(nowNs - startNs);
}

std::string CommandName(const std::array<std::uint8_t, 4>& c) {
  switch (c[0]) {
    case 'm':
      return "measure";
    case 'o':
      return "set output";
    case 'r':
      return "reset";
    case 's':
      return c[1] == 0x80 && c[2] == 0 && c[3] == 0 ? "version query" : "read memory";
    case 0xF3:
      return "block read";
    case 'D':
      return c[1] == 4 && c[2] == 0x55 && c[3] == 0x55 ? "write special" : "write memory";
    case 'V':
      return "write corrections";
    case 'Z':
      return "simulate corrections";
    case '@':
      return "identify";
    case 'L':
      return c[1] == 1 ? "checksum 1" : "checksum 2";
    case 0xEF:
      return "preamble";
    default:
      return "unknown";
  }
}

const char* SourceName(TLogSource s) {
  switch (s) {
    case TLogSource::kPoll:
      return "poll";
    case TLogSource::kQueued:
      return "queued";
    case TLogSource::kTransfer:
      return "transfer";
    case TLogSource::kService:
      return "service";
    default:
      return "other";
  }
}

std::string OutcomeText(const TLogEntry& e) {
  std::string s;
  switch (e.outcome) {
    case TLogOutcome::kGood:
      s = "good";
      break;
    case TLogOutcome::kSent:
      s = "sent";
      break;
    case TLogOutcome::kBadChecksum:
      s = "bad checksum";
      break;
    case TLogOutcome::kWrongLength:
      s = "wrong length";
      break;
    case TLogOutcome::kNoFrameEnd:
      s = "no frame end";
      break;
    case TLogOutcome::kTimedOut:
      s = "no reply within " + std::to_string(e.timeoutMs) + " ms";
      break;
    case TLogOutcome::kWrongEcho:
      s = "wrong echo";
      break;
    case TLogOutcome::kWriteFailed:
      s = "write failed";
      break;
    case TLogOutcome::kStopped:
      s = "stopped";
      break;
  }
  if (e.tag.attempt > 1 && e.tag.attempts > 1)
    s += "; retry " + std::to_string(e.tag.attempt - 1) + " of " + std::to_string(e.tag.attempts - 1);
  return s;
}

std::string HexBytes(const std::uint8_t* bytes, int n) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string s;
  s.reserve(static_cast<std::size_t>(n > 0 ? 3 * n : 0));
  for (int i = 0; i < n; ++i) {
    if (i > 0) s += ' ';
    s += kDigits[bytes[i] >> 4];
    s += kDigits[bytes[i] & 15];
  }
  return s;
}

std::string LogLine(const TLogEntry& e, std::uint64_t startNs) {
  const double ms = e.timeNs >= startNs ? static_cast<double>(e.timeNs - startNs) / 1e6 : 0.0;
  const std::uint8_t letter = e.command[0];
  // The outcome before the bytes: a long reply must not push it out of sight.
  char head[160];
  std::snprintf(head, sizeof head, "%10.1f  %-8s %c %-20s %-37s", ms, SourceName(e.tag.source),
                letter >= 0x20 && letter < 0x7F ? static_cast<char>(letter) : '.',
                CommandName(e.command).c_str(), OutcomeText(e).c_str());
  return std::string(head) + " > " + HexBytes(e.sent.data(), e.sentCount) + "  < " +
         HexBytes(e.received.data(), e.receivedCount);
}

}  // namespace vorta::comm
