// The line log: the ring read by another thread while one writes, overwritten entries counted as
// lost, recording only while a reader exists, the outcome of every kind of exchange, and what the
// link records for its transactions.
#include "comm/line_log.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "comm/comm_state.h"
#include "comm/link.h"
#include "tests/comm/fake_line.h"

namespace vorta::comm {
namespace {

using testing::Bytes;
using testing::EncodeReply;

// An entry whose every byte follows from its number, so a torn copy shows.
TLogEntry Numbered(std::uint64_t n) {
  TLogEntry e;
  e.timeNs = n;
  e.sentCount = static_cast<std::uint8_t>(n % 251);
  e.receivedCount = static_cast<std::uint8_t>(n % 241);
  for (std::size_t i = 0; i < e.sent.size(); ++i) {
    e.sent[i] = static_cast<std::uint8_t>(n + i);
    e.received[i] = static_cast<std::uint8_t>(n * 7 + i);
  }
  return e;
}

bool Whole(const TLogEntry& e) {
  const TLogEntry want = Numbered(e.timeNs);
  return e.sent == want.sent && e.received == want.received && e.sentCount == want.sentCount &&
         e.receivedCount == want.receivedCount;
}

TEST(LineLogRing, AReaderOnAnotherThreadSeesEveryEntryWholeAndInOrderOrCountsItLost) {
  auto ring = std::make_unique<TLineLogRing>();
  TLineLogReader reader(*ring);
  constexpr std::uint64_t kEntries = 20000;
  std::thread writer([&ring] {
    for (std::uint64_t n = 0; n < kEntries; ++n) ring->Push(Numbered(n));
  });
  std::vector<TLogEntry> seen;
  std::uint64_t taken = 0, last = 0;
  bool ordered = true, whole = true;
  while (taken + reader.Lost() < kEntries) {
    seen.clear();
    reader.Read(seen);
    for (const TLogEntry& e : seen) {
      ordered = ordered && (taken == 0 || e.timeNs > last);
      whole = whole && Whole(e);
      last = e.timeNs;
      ++taken;
    }
  }
  writer.join();
  EXPECT_TRUE(ordered);
  EXPECT_TRUE(whole);
  EXPECT_EQ(taken + reader.Lost(), kEntries);
  EXPECT_GT(taken, 0u);
}

TEST(LineLogRing, EntriesOverwrittenBeforeTheyWereReadCountAsLost) {
  auto ring = std::make_unique<TLineLogRing>();
  TLineLogReader reader(*ring);
  const std::uint64_t total = TLineLogRing::kSlots + 10;
  for (std::uint64_t n = 0; n < total; ++n) ring->Push(Numbered(n));
  std::vector<TLogEntry> seen;
  reader.Read(seen);
  ASSERT_EQ(seen.size(), TLineLogRing::kSlots);
  EXPECT_EQ(reader.Lost(), 10u);
  EXPECT_EQ(seen.front().timeNs, 10u);
  EXPECT_EQ(seen.back().timeNs, total - 1);
  seen.clear();
  reader.Read(seen);
  EXPECT_TRUE(seen.empty());
}

TEST(LineLogRing, RecordsOnlyWhileAReaderIsOpenAndAReaderStartsAtTheNewest) {
  auto ring = std::make_unique<TLineLogRing>();
  EXPECT_FALSE(ring->Recording());
  ring->Push(Numbered(1));
  {
    TLineLogReader a(*ring);
    EXPECT_TRUE(ring->Recording());
    { TLineLogReader b(*ring); }
    EXPECT_TRUE(ring->Recording());
    ring->Push(Numbered(2));
    std::vector<TLogEntry> seen;
    a.Read(seen);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].timeNs, 2u);
  }
  EXPECT_FALSE(ring->Recording());
}

// The exchange of "D 01 00 10 5A": frame and what came back.
struct ExchangeCase {
  const char* name;
  Bytes received;
  TExchangeTrace trace;
  bool ok;
  TLogOutcome want;
};

TEST(LineLogOutcome, EveryKindOfExchangeIsNamed) {
  const Bytes frame = {0xC9, 0x05, 0x44, 0x01, 0x00, 0x10, 0x5A, 0x50};
  Bytes good = frame;
  const Bytes reply = {0xC0, 0x03, 0x44, 0x00, 0x10, 0xAB, 0xC3};
  good.insert(good.end(), reply.begin(), reply.end());
  auto with = [&](std::size_t at, std::uint8_t b) {
    Bytes r = good;
    r[at] = b;
    return r;
  };
  const int n = static_cast<int>(good.size());
  const ExchangeCase cases[] = {
      {"good", good, {true, true, false, true, false, n}, true, TLogOutcome::kGood},
      {"reset", frame, {true, false, false, false, false, 0}, true, TLogOutcome::kSent},
      {"write failed", {}, {false, true, false, false, false, 0}, false, TLogOutcome::kWriteFailed},
      {"stopped", {}, {true, true, true, false, false, 0}, false, TLogOutcome::kStopped},
      {"silence", {}, {true, true, false, false, false, 0}, false, TLogOutcome::kTimedOut},
      {"echo only", frame, {true, true, false, false, false, 8}, false, TLogOutcome::kTimedOut},
      {"echo spoiled", with(3, 0x02), {true, true, false, true, false, n}, false, TLogOutcome::kWrongEcho},
      {"short echo spoiled",
       {0xC9, 0x06},
       {true, true, false, false, false, 2},
       false,
       TLogOutcome::kWrongEcho},
      {"no end",
       Bytes(good.begin(), good.end() - 1),
       {true, true, false, false, false, n - 1},
       false,
       TLogOutcome::kNoFrameEnd},
      {"checksum", with(13, 0xAC), {true, true, false, true, false, n}, false, TLogOutcome::kBadChecksum},
      {"length byte", with(9, 0x04), {true, true, false, true, false, n}, false, TLogOutcome::kWrongLength},
      {"flood", good, {true, true, false, false, true, n}, false, TLogOutcome::kWrongLength},
  };
  for (const ExchangeCase& c : cases) {
    TBuffer f{}, rx{};
    std::copy(frame.begin(), frame.end(), f.begin());
    f[255] = static_cast<std::uint8_t>(frame.size());
    std::copy(c.received.begin(), c.received.end(), rx.begin());
    EXPECT_EQ(ClassifyExchange(f, rx, c.trace, 3, c.ok), c.want) << c.name;
  }
}

TEST(LineLogText, LinesSayWhoWhatBytesAndOutcomeWithTheRetry) {
  TLogEntry e;
  e.timeNs = 1'000'000'000 + 12'345'678;
  e.tag = {TLogSource::kPoll, 2, 3};
  e.outcome = TLogOutcome::kTimedOut;
  e.timeoutMs = 250;
  e.command = {'m', 0x20, 0, 0};
  e.sentCount = 5;
  e.sent = {0xC9, 0x02, 0x6D, 0x20, 0x72};
  e.receivedCount = 0;
  EXPECT_EQ(LogLine(e, 1'000'000'000),
            "      12.3  poll     m measure              no reply within 250 ms; retry 1 of 2  > C9 02 6D 20 "
            "72  < ");
  e.tag = {TLogSource::kTransfer, 1, 5};
  e.outcome = TLogOutcome::kBadChecksum;
  EXPECT_EQ(OutcomeText(e), "bad checksum");
  const std::pair<std::array<std::uint8_t, 4>, const char*> names[] = {
      {{'s', 0x80, 0, 0}, "version query"}, {{'s', 4, 0x04, 0}, "read memory"},
      {{0xF3, 16, 0, 0}, "block read"},     {{'D', 4, 0x55, 0x55}, "write special"},
      {{'D', 1, 0, 0x10}, "write memory"},  {{'L', 2, 0, 0}, "checksum 2"},
      {{0xEF, 0, 0, 0}, "preamble"},        {{'V', 8, 0, 0x60}, "write corrections"},
  };
  for (const auto& [command, name] : names) EXPECT_EQ(CommandName(command), name);
}

TEST(LineLogCounters, CountFailuresByKindRetriesAndGoodPolls) {
  TLogCounters c;
  TLogEntry e;
  e.tag = {TLogSource::kPoll, 1, 3};
  c.Add(e);
  e.tag.attempt = 2;
  e.outcome = TLogOutcome::kBadChecksum;
  c.Add(e);
  e.tag = {TLogSource::kQueued, 1, 3};
  e.outcome = TLogOutcome::kGood;
  c.Add(e);
  e.outcome = TLogOutcome::kSent;
  c.Add(e);
  EXPECT_EQ(c.transactions, 4u);
  EXPECT_EQ(c.retries, 1u);
  EXPECT_EQ(c.polls, 1u);
  EXPECT_EQ(c.Failures(), 1u);
  EXPECT_EQ(c.outcomes[static_cast<std::size_t>(TLogOutcome::kBadChecksum)], 1u);
  EXPECT_DOUBLE_EQ(c.PollsPerSecond(1'000'000'000, 1'500'000'000), 2.0);
  EXPECT_DOUBLE_EQ(c.PollsPerSecond(5, 5), 0.0);
}

TEST(LineLogLink, TheLinkRecordsEachTransactionWithItsTagOnlyWhileTheLogIsOpen) {
  ResetComm();
  auto control = std::make_shared<testing::TFakeLineControl>();
  control->respond = [](const Bytes&) { return EncodeReply({'D', 0x00, 0x10}); };
  TCommD link(std::make_unique<testing::TFakeLine>(control));
  TBuffer cmd{};
  const Bytes bytes = {'D', 0x01, 0x00, 0x10, 0x5A};
  cmd[0] = 5;
  std::copy(bytes.begin(), bytes.end(), cmd.begin() + 1);
  cmd[6] = 3;
  TBuffer reply{};
  ASSERT_TRUE(link.Transact(cmd, reply, 30000));  // nobody reads: nothing recorded
  TLineLogReader reader(LineLog());
  ASSERT_TRUE(link.Transact(cmd, reply, 30000, {TLogSource::kService, 4, 5}));
  control->respond = [](const Bytes&) { return Bytes{0xC0, 0x03, 0x44, 0x00, 0x10, 0xAC, 0xC3}; };
  EXPECT_FALSE(link.Transact(cmd, reply, 30000, {TLogSource::kService, 5, 5}));
  std::vector<TLogEntry> seen;
  reader.Read(seen);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].outcome, TLogOutcome::kGood);
  EXPECT_EQ(seen[0].tag.source, TLogSource::kService);
  EXPECT_EQ(seen[0].tag.attempt, 4);
  EXPECT_EQ(HexBytes(seen[0].sent.data(), seen[0].sentCount), "C9 05 44 01 00 10 5A 50");
  EXPECT_EQ(HexBytes(seen[0].received.data(), seen[0].receivedCount),
            "C9 05 44 01 00 10 5A 50 C0 03 44 00 10 AB C3");
  EXPECT_EQ(seen[1].outcome, TLogOutcome::kBadChecksum);
  EXPECT_EQ(OutcomeText(seen[1]), "bad checksum; retry 4 of 4");
  EXPECT_LE(seen[0].timeNs, seen[1].timeNs);
  ResetComm();
}

}  // namespace
}  // namespace vorta::comm
