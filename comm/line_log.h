// The line log: every transaction of the link, recorded into a fixed-size lock-free ring that the
// line log window reads on its own timer. While no reader is open, recording costs the link one
// branch per transaction. Also the names and texts a log line is made of.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "comm/frame.h"

namespace vorta::comm {

// Which thread's work a transaction was.
enum class TLogSource : std::uint8_t { kOther, kPoll, kQueued, kTransfer, kService };
// How a transaction ended, as far as the line shows it.
enum class TLogOutcome : std::uint8_t {
  kGood,         // the reply came and checked
  kSent,         // written; no reply awaited
  kBadChecksum,  // the reply frame came whole but its checksum is wrong
  kWrongLength,  // the reply's length byte, or its size, is not the expected one
  kNoFrameEnd,   // bytes came but no frame end within the time-out
  kTimedOut,     // nothing but the echo (or nothing at all) within the time-out
  kWrongEcho,    // what came back first is not the command that was sent
  kWriteFailed,  // the frame could not be written
  kStopped,      // the transaction was cut short by a stop of the line
};
inline constexpr int kLogOutcomeCount = 9;

// What a caller tells the link about a transaction: whose it is and which attempt of how many.
struct TTransactTag {
  TLogSource source = TLogSource::kOther;
  std::uint8_t attempt = 1;
  std::uint8_t attempts = 1;
};

struct TLogEntry {
  std::uint64_t timeNs = 0;  // steady clock
  TTransactTag tag;
  TLogOutcome outcome = TLogOutcome::kGood;
  std::uint16_t timeoutMs = 0;
  std::array<std::uint8_t, 4> command{};  // the first command bytes: letter and what names it
  std::uint8_t sentCount = 0;
  std::uint8_t receivedCount = 0;
  std::array<std::uint8_t, 256> sent{};      // the frame as written
  std::array<std::uint8_t, 256> received{};  // from our echo on, as taken from the line
};

// The ring. Any thread may push; readers take entries by number. A slot is guarded by its own
// sequence word: a reader copies it and keeps the copy only when the word did not change.
class TLineLogRing {
 public:
  static constexpr std::size_t kSlots = 1024;

  bool Recording() const { return readers_.load(std::memory_order_relaxed) > 0; }
  void AddReader() { readers_.fetch_add(1, std::memory_order_relaxed); }
  void RemoveReader() { readers_.fetch_sub(1, std::memory_order_relaxed); }

  void Push(const TLogEntry& e);
  // The number of entries ever pushed (claimed, maybe not yet complete).
  std::uint64_t Pushed() const { return next_.load(std::memory_order_acquire); }
  enum class TTake { kTaken, kNotYet, kLost };
  // Copies entry number n into e.
  TTake Take(std::uint64_t n, TLogEntry& e) const;

 private:
  static constexpr std::size_t kWords = (sizeof(TLogEntry) + 7) / 8;
  struct TSlot {
    std::atomic<std::uint64_t> seq{0};  // 2n + 1 while entry n is written, 2n + 2 when it is whole
    std::array<std::atomic<std::uint64_t>, kWords> words{};
  };
  std::atomic<int> readers_{0};
  std::atomic<std::uint64_t> next_{0};
  std::array<TSlot, kSlots> slots_{};
};

// The ring of the program's link.
TLineLogRing& LineLog();

// One reader of a ring: recording is on while it exists. Each Read returns the entries that
// became whole since the last one, oldest first, and counts those overwritten before they were
// read.
class TLineLogReader {
 public:
  explicit TLineLogReader(TLineLogRing& ring);
  ~TLineLogReader();
  TLineLogReader(const TLineLogReader&) = delete;
  TLineLogReader& operator=(const TLineLogReader&) = delete;

  void Read(std::vector<TLogEntry>& out);
  std::uint64_t Lost() const { return lost_; }

 private:
  TLineLogRing& ring_;
  std::uint64_t next_;
  std::uint64_t lost_ = 0;
};

// The outcome of an exchange from what crossed the line. frame: the frame written (length in byte
// 255); rx[0..got): what was taken from the line; ended: a frame end closed it; overflow: more came
// than the frame can hold.
struct TExchangeTrace {
  bool written = false;
  bool awaited = true;
  bool aborted = false;
  bool ended = false;
  bool overflow = false;
  int got = 0;
};
TLogOutcome ClassifyExchange(const TBuffer& frame, const TBuffer& rx, const TExchangeTrace& trace,
                             int expected, bool ok);

// Counters since a reader opened: transactions, failures by kind, retries, good polls.
struct TLogCounters {
  std::uint64_t transactions = 0;
  std::uint64_t retries = 0;
  std::uint64_t polls = 0;
  std::array<std::uint64_t, kLogOutcomeCount> outcomes{};
  void Add(const TLogEntry& e);
  std::uint64_t Failures() const;
  // Good polls per second over the time from startNs to nowNs; 0 before any time has passed.
  double PollsPerSecond(std::uint64_t startNs, std::uint64_t nowNs) const;
};

// Names for the log: the command's name from its first bytes, the source and the outcome in words.
std::string CommandName(const std::array<std::uint8_t, 4>& command);
const char* SourceName(TLogSource s);
std::string OutcomeText(const TLogEntry& e);
// Bytes in hex, two digits each, separated by blanks.
std::string HexBytes(const std::uint8_t* bytes, int n);
// One line of the log: time in ms since start, source, letter and name, outcome, sent, received.
std::string LogLine(const TLogEntry& e, std::uint64_t startNs);

}  // namespace vorta::comm
