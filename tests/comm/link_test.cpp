// Transactions of TCommD on a scripted line: good replies, every kind of damaged reply, silence,
// a vanished line, the abort flag, and the line timing.
#include "comm/link.h"

#include <gtest/gtest.h>

#include <chrono>

#include "comm/comm_state.h"
#include "tests/comm/fake_line.h"

namespace vorta::comm {
namespace {

using testing::Bytes;
using testing::EncodeReply;
using testing::TFakeLine;
using testing::TFakeLineControl;

TBuffer Command(const Bytes& bytes, std::uint8_t expected) {
  TBuffer c{};
  c[0] = static_cast<std::uint8_t>(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) c[i + 1] = bytes[i];
  c[bytes.size() + 1] = expected;
  return c;
}

const TBuffer kRead = Command({0xF3, 0x02, 0x00, 0x10}, 5);

class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetComm();
    control = std::make_shared<TFakeLineControl>();
    link = std::make_unique<TCommD>(std::make_unique<TFakeLine>(control));
  }
  void TearDown() override { ResetComm(); }
  void ReplyWith(const Bytes& bytes) {
    control->respond = [bytes](const Bytes&) { return bytes; };
  }
  bool Run(const TBuffer& cmd = kRead) { return link->Transact(cmd, reply, 250); }
  long long TimedRunMs(const TBuffer& cmd = kRead) {
    const auto t0 = std::chrono::steady_clock::now();
    Run(cmd);
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0)
        .count();
  }

  std::shared_ptr<TFakeLineControl> control;
  std::unique_ptr<TCommD> link;
  TBuffer reply{};
};

TEST_F(LinkTest, GoodReplyAfterEchoSucceeds) {
  ReplyWith(EncodeReply({0xF3, 0x00, 0x10, 0xAB, 0xCD}));
  ASSERT_TRUE(Run());
  EXPECT_EQ(reply[0], 5);
  EXPECT_EQ(reply[4], 0xAB);
  EXPECT_EQ(reply[5], 0xCD);
  ASSERT_EQ(control->WriteCount(), 1u);
  EXPECT_EQ(control->Written(0)[0], kFrameStart);
}

TEST_F(LinkTest, CallersCommandBufferIsLeftUnchanged) {
  ReplyWith(EncodeReply({0xF3, 0x00, 0x10, 0xAB, 0xCD}));
  const TBuffer before = kRead;
  TBuffer cmd = kRead;
  ASSERT_TRUE(link->Transact(cmd, reply, 250));
  EXPECT_EQ(cmd, before);
}

TEST_F(LinkTest, EscapedFrameEndInDataDoesNotCutTheReplyShort) {
  control->chunk = 1;  // byte by byte, as a slow line delivers them
  ReplyWith(EncodeReply({0xF3, 0x00, 0x10, 0xC3, 0xC3}));
  ASSERT_TRUE(Run());
  EXPECT_EQ(reply[4], 0xC3);
  EXPECT_EQ(reply[5], 0xC3);
}

TEST_F(LinkTest, EmptyOrOversizedCommandIsNotWritten) {
  TBuffer c{};
  EXPECT_FALSE(Run(c));
  c[0] = 201;
  EXPECT_FALSE(Run(c));
  EXPECT_EQ(control->WriteCount(), 0u);
}

TEST_F(LinkTest, CommandWithoutReplyIsWrittenAndSucceedsWithoutReading) {
  control->echo = false;  // nothing at all comes back
  const auto ms = TimedRunMs(Command({'r'}, kNoReply));
  EXPECT_EQ(control->WriteCount(), 1u);
  EXPECT_LT(ms, 100);
  EXPECT_TRUE(Run(Command({'r'}, kNoReply)));
}

TEST_F(LinkTest, DamagedRepliesFailAndTheNextTransactionWorks) {
  const Bytes good = EncodeReply({0xF3, 0x00, 0x10, 0x01, 0x02});
  Bytes badSum = good;
  badSum[badSum.size() - 2] ^= 0x40;
  Bytes noEnd = good;
  noEnd.pop_back();
  noEnd.push_back(0x00);
  Bytes tooLong = good;
  tooLong.insert(tooLong.end() - 1, {0x11, 0x22});
  const Bytes wrongLength = EncodeReply({0xF3, 0x00, 0x10, 0x01, 0x02, 0x03});
  const Bytes shortReply(good.begin(), good.begin() + 4);
  for (const Bytes& bad : {badSum, noEnd, tooLong, wrongLength, shortReply}) {
    ReplyWith(bad);
    EXPECT_FALSE(Run());
    ReplyWith(good);
    EXPECT_TRUE(Run());
    EXPECT_EQ(reply[5], 0x02);
  }
}

TEST_F(LinkTest, StrayBytesBeforeOrAfterTheReplyDoNotSpoilIt) {
  const Bytes good = EncodeReply({0xF3, 0x00, 0x10, 0x01, 0x02});
  Bytes strayBefore{0x12, 0x34};
  strayBefore.insert(strayBefore.end(), good.begin(), good.end());
  ReplyWith(strayBefore);
  ASSERT_TRUE(Run());
  EXPECT_EQ(reply[4], 0x01);
  Bytes strayAfter = good;
  strayAfter.insert(strayAfter.end(), {0xC0, 0x05, 0x99});
  ReplyWith(strayAfter);
  ASSERT_TRUE(Run());
  EXPECT_EQ(reply[4], 0x01);
  // What trailed the last reply is gone before the next command goes out.
  ReplyWith(good);
  ASSERT_TRUE(Run());
  EXPECT_EQ(reply[5], 0x02);
}

TEST_F(LinkTest, LateTailOfAnEarlierReplyBeforeTheEchoIsDropped) {
  // A reply that came after its time-out ends in this transaction's input, ahead of the echo.
  Bytes tail = EncodeReply({'m', 0x20, 0x7F, 0, 0, 0, 0x43, 0x40, 0, 5});
  tail.insert(tail.end(), tail.begin(), tail.end());  // more than this transaction's budget
  control->lateTail = tail;
  for (std::size_t chunk : {1u, 7u, 64u}) {
    control->chunk = chunk;
    ReplyWith(EncodeReply({0xF3, 0x00, 0x10, 0x01, 0x02}));
    ASSERT_TRUE(Run()) << chunk;
    EXPECT_EQ(reply[1], 0xF3);
    EXPECT_EQ(reply[5], 0x02);
  }
}

TEST_F(LinkTest, NoReplyFailsWithinTheTimeOut) {
  control->echo = false;
  const auto ms = TimedRunMs();
  EXPECT_FALSE(Run());
  EXPECT_GE(ms, 240);
  EXPECT_LT(ms, 400);
}

TEST_F(LinkTest, EchoWithoutReplyFails) {
  EXPECT_FALSE(Run());
}

TEST_F(LinkTest, FloodOfBytesBeyondTheBufferFailsAndIsPurged) {
  control->respond = [](const Bytes&) { return Bytes(600, 0x55); };
  const int purgesBefore = control->purges;
  EXPECT_FALSE(Run());
  EXPECT_GT(control->purges, purgesBefore + 1);  // the one before the write and the one after
  ReplyWith(EncodeReply({0xF3, 0x00, 0x10, 0x01, 0x02}));
  EXPECT_TRUE(Run());
}

TEST_F(LinkTest, VanishedLineFailsAtOnceEveryTime) {
  ReplyWith(EncodeReply({0xF3, 0x00, 0x10, 0x01, 0x02}));
  {
    std::lock_guard lock(control->mutex);
    control->gone = true;
  }
  for (int i = 0; i < 3; ++i) EXPECT_LT(TimedRunMs(), 100);
  EXPECT_FALSE(Run());
}

TEST_F(LinkTest, ReadGoneAfterWriteFailsWithoutHanging) {
  control->respond = [this](const Bytes&) {
    std::lock_guard lock(control->mutex);  // the responder runs outside the line's lock
    control->gone = true;
    return Bytes{};
  };
  const auto ms = TimedRunMs();
  EXPECT_FALSE(Run());
  EXPECT_LT(ms, 400);
}

TEST_F(LinkTest, WriteThatDoesNotGetOutFails) {
  control->writeFails = true;
  EXPECT_FALSE(Run(Command({'r'}, kNoReply)));
  EXPECT_FALSE(Run());
}

TEST_F(LinkTest, AbortFlagFailsEveryCallAtOnce) {
  ReplyWith(EncodeReply({0xF3, 0x00, 0x10, 0x01, 0x02}));
  Comm().AbortFlag = true;
  EXPECT_FALSE(Run());
  EXPECT_EQ(control->WriteCount(), 0u);
  Comm().AbortFlag = false;
  EXPECT_TRUE(Run());
}

TEST_F(LinkTest, SetupConfiguresTheBaudAndSettles) {
  const auto t0 = std::chrono::steady_clock::now();
  ASSERT_TRUE(link->Setup(1200));
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
  EXPECT_EQ(control->configuredBaud, 1200);
  EXPECT_GE(ms, 240);
  EXPECT_EQ(Comm().CharTimeMs, 9);
  control->configureOk = false;
  EXPECT_FALSE(link->Setup(9600));
}

TEST(LinkTimingTest, CharacterTimesAndTimeOutsAt1200And9600) {
  TLinkTiming t;
  ASSERT_TRUE(TimingForBaud(1200, t));
  EXPECT_NEAR(t.charTime, 8.33, 0.01);
  EXPECT_EQ(t.charTimeMs, 9);
  EXPECT_EQ(t.readIntervalMs, 34);
  EXPECT_EQ(t.readMultiplierMs, 9);
  EXPECT_EQ(t.writeMultiplierMs, 9);
  ASSERT_TRUE(TimingForBaud(9600, t));
  EXPECT_NEAR(t.charTime, 1.04, 0.01);
  EXPECT_EQ(t.charTimeMs, 2);
  EXPECT_EQ(t.readIntervalMs, 5);
  EXPECT_EQ(t.readConstantMs, 50);
  EXPECT_EQ(t.writeConstantMs, 100);
  EXPECT_FALSE(TimingForBaud(0, t));
}

}  // namespace
}  // namespace vorta::comm
