// Transactions of TCommD on a scripted line: good replies among stray bytes, every kind of damaged
// reply, silence, a flood, a vanished line, the abort flag, and the line timing.
#include "comm/link.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "comm/comm_state.h"
#include "comm/frame.h"
#include "tests/comm/fake_line.h"
#include "tests/comm/known_frames.h"

namespace vorta::comm {
namespace {

using testing::Bytes;
using testing::EncodeReply;
using testing::TFakeLineControl;

TBuffer Command(const Bytes& bytes, std::uint8_t expected) {
  TBuffer c{};
  c[0] = static_cast<std::uint8_t>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), c.begin() + 1);
  c[bytes.size() + 1] = expected;
  return c;
}

// Writes one byte; the transmitter answers D 00 10.
const TBuffer kWrite = Command(testing::kKnownCommands[1].data, 3);
const Bytes kGood = testing::kKnownReplies[0].frame;
const TBuffer kReset = Command({'r'}, kNoReply);

class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetComm();
    control = std::make_shared<TFakeLineControl>();
    link = std::make_unique<TCommD>(std::make_unique<testing::TFakeLine>(control));
    ReplyWith({});  // the echo alone
  }
  void TearDown() override { ResetComm(); }
  void ReplyWith(const Bytes& bytes) {
    control->respond = [bytes](const Bytes&) { return bytes; };
  }
  // A transaction that is to succeed gets all the time a slow machine may need to read the reply.
  bool Run(const TBuffer& cmd = kWrite, std::uint16_t timeoutMs = 250) {
    return link->Transact(cmd, reply, timeoutMs);
  }
  bool RunPatiently(const TBuffer& cmd = kWrite) { return Run(cmd, 30000); }
  Bytes Data() const { return Bytes(reply.begin() + 1, reply.begin() + 1 + reply[0]); }

  std::shared_ptr<TFakeLineControl> control;
  std::unique_ptr<TCommD> link;
  TBuffer reply{};
};

TEST_F(LinkTest, GoodReplyIsFoundAmongStrayBytesInAnyChunksAndTheCommandStaysTheCallers) {
  Bytes tail = EncodeReply({'m', 0x20, 0x7F, 0, 0, 0, 0x43, 0x40, 0, 5});
  tail.insert(tail.end(), tail.begin(), tail.end());  // more than this transaction's budget
  auto with = [](Bytes before, const Bytes& after = {}) {
    before.insert(before.end(), kGood.begin(), kGood.end());
    before.insert(before.end(), after.begin(), after.end());
    return before;
  };
  const struct {
    const char* name;
    Bytes lateTail;  // the end of an earlier reply, arriving ahead of the echo
    Bytes reply;
    std::size_t chunk;
    Bytes data;
  } cases[] = {
      {"plain", {}, kGood, 7, {'D', 0x00, 0x10}},
      {"escaped frame ends in the data, byte by byte",
       {},
       EncodeReply({'D', 0xC3, 0xC3}),
       1,
       {'D', 0xC3, 0xC3}},
      {"stray bytes before", {}, with({0x12, 0x34}), 7, {'D', 0x00, 0x10}},
      {"stray frame end too early to end the reply", {}, with({0x55, 0xC3}), 7, {'D', 0x00, 0x10}},
      {"stray reply start after", {}, with({}, {0xC0, 0x05, 0x99}), 7, {'D', 0x00, 0x10}},
      {"what trailed is gone before the next command", {}, kGood, 7, {'D', 0x00, 0x10}},
      {"late tail, byte by byte", tail, kGood, 1, {'D', 0x00, 0x10}},
      {"late tail in chunks of 7", tail, kGood, 7, {'D', 0x00, 0x10}},
      {"late tail at once", tail, kGood, 64, {'D', 0x00, 0x10}},
  };
  for (const auto& c : cases) {
    control->lateTail = c.lateTail;
    control->chunk = c.chunk;
    ReplyWith(c.reply);
    const TBuffer before = kWrite;
    TBuffer cmd = kWrite;
    ASSERT_TRUE(link->Transact(cmd, reply, 30000)) << c.name;
    EXPECT_EQ(Data(), c.data) << c.name;
    EXPECT_EQ(cmd, before) << c.name;
  }
  EXPECT_EQ(control->writes.back(), testing::kKnownCommands[1].frame);
}

TEST_F(LinkTest, DamagedRepliesFailAndTheNextTransactionWorks) {
  for (const auto& bad : testing::kDamagedReplies) {
    ReplyWith(bad.frame);
    EXPECT_FALSE(Run()) << bad.name;
    ReplyWith(kGood);
    EXPECT_TRUE(RunPatiently()) << bad.name;
    EXPECT_EQ(Data(), (Bytes{'D', 0x00, 0x10})) << bad.name;
  }
}

// A command stopped after its frame went out (polling stopped, a retry) leaves its whole exchange
// on the way: the next command must not take that earlier reply for its own.
TEST_F(LinkTest, WholeEarlierExchangeAheadOfTheEchoIsNeverTakenForTheReply) {
  // Another one-byte write: its frame and its reply are as long as ours.
  TBuffer frame{};
  ASSERT_TRUE(BuildFrame(Command({'D', 0x01, 0x00, 0x20, 0x5A}, 3), frame));
  Bytes earlier(frame.begin(), frame.begin() + frame[255]);
  const Bytes earlierReply = EncodeReply({'D', 0x55, 0x66});
  earlier.insert(earlier.end(), earlierReply.begin(), earlierReply.end());
  for (std::size_t chunk : {1u, 7u, 64u}) {
    control->lateTail = earlier;
    control->chunk = chunk;
    ReplyWith(kGood);
    if (Run()) {
      EXPECT_EQ(Data(), (Bytes{'D', 0x00, 0x10})) << chunk;
    }
    control->lateTail.clear();
    ASSERT_TRUE(RunPatiently()) << chunk;
    EXPECT_EQ(Data(), (Bytes{'D', 0x00, 0x10})) << chunk;
  }
}
TEST_F(LinkTest, CommandsThatCannotGoOutFailWithoutReading) {
  ReplyWith(kGood);
  TBuffer c{};
  EXPECT_FALSE(Run(c));
  c[0] = 201;
  EXPECT_FALSE(Run(c));
  EXPECT_TRUE(control->writes.empty());
  Comm().AbortFlag = true;
  EXPECT_FALSE(Run());
  EXPECT_TRUE(control->writes.empty());
  Comm().AbortFlag = false;
  control->writeFails = true;
  EXPECT_FALSE(Run(kReset));
  EXPECT_FALSE(Run());
  EXPECT_TRUE(control->readTimeouts.empty());
  control->writeFails = false;
  EXPECT_TRUE(RunPatiently());
}

TEST_F(LinkTest, CommandWithoutReplyIsWrittenAndNothingIsRead) {
  control->echo = false;  // nothing at all comes back
  EXPECT_TRUE(Run(kReset));
  EXPECT_EQ(control->writes.size(), 1u);
  EXPECT_TRUE(control->readTimeouts.empty());
}

TEST_F(LinkTest, SilenceFailsOnlyAfterTheWholeTimeOut) {
  EXPECT_FALSE(Run());  // the echo alone
  control->echo = false;
  control->readTimeouts.clear();
  const auto t0 = testing::Clock::now();
  EXPECT_FALSE(Run());
  EXPECT_GE(testing::Clock::now() - t0, std::chrono::milliseconds(250));
  // The wait is the time-out plus the line time of the echo (8 bytes at 9600 baud), never more.
  ASSERT_FALSE(control->readTimeouts.empty());
  EXPECT_LE(control->readTimeouts.front(), 250 + 9);
}

TEST_F(LinkTest, FloodOfBytesBeyondTheBufferFailsAndIsPurged) {
  control->respond = [](const Bytes&) { return Bytes(600, 0x55); };
  EXPECT_FALSE(Run());
  EXPECT_GE(control->purges, 2);  // the one before the write and the one after the flood
  ReplyWith(kGood);
  EXPECT_TRUE(RunPatiently());
}

TEST_F(LinkTest, VanishedLineFailsEveryCall) {
  control->respond = [this](const Bytes&) {
    control->Locked([](TFakeLineControl& c) { c.gone = true; });  // between the write and the read
    return Bytes{};
  };
  EXPECT_FALSE(Run());
  control->readTimeouts.clear();
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(Run());
  EXPECT_TRUE(control->readTimeouts.empty());  // the write fails: nothing is waited for
}

TEST_F(LinkTest, SetupConfiguresTheBaudAndSettles) {
  const auto t0 = testing::Clock::now();
  ASSERT_TRUE(link->Setup(1200));
  EXPECT_GE(testing::Clock::now() - t0, std::chrono::milliseconds(250));
  EXPECT_EQ(control->configuredBaud, 1200);
  EXPECT_EQ(Comm().CharTimeMs, 9);
  EXPECT_GE(control->purges, 1);
  control->configureOk = false;
  EXPECT_FALSE(link->Setup(9600));
  EXPECT_FALSE(link->Setup(0));
}

TEST_F(LinkTest, TimingOfEachBaudRate) {
  const struct {
    int baud;
    double charTime;
    int charTimeMs, readIntervalMs;
  } cases[] = {{1200, 8.333, 9, 34}, {2400, 4.167, 5, 17}, {4800, 2.083, 3, 9}, {9600, 1.042, 2, 5}};
  for (const auto& c : cases) {
    TLinkTiming t;
    ASSERT_TRUE(TimingForBaud(c.baud, t)) << c.baud;
    EXPECT_NEAR(t.charTime, c.charTime, 0.001) << c.baud;
    EXPECT_EQ(t.charTimeMs, c.charTimeMs) << c.baud;
    EXPECT_EQ(t.readIntervalMs, c.readIntervalMs) << c.baud;
    EXPECT_EQ(t.readMultiplierMs, c.charTimeMs) << c.baud;
    EXPECT_EQ(t.writeMultiplierMs, c.charTimeMs) << c.baud;
    EXPECT_EQ(t.readConstantMs, 50) << c.baud;
    EXPECT_EQ(t.writeConstantMs, 100) << c.baud;
  }
  TLinkTiming t;
  EXPECT_FALSE(TimingForBaud(0, t));
  EXPECT_FALSE(TimingForBaud(-9600, t));
}

}  // namespace
}  // namespace vorta::comm
