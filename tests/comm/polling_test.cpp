// The polling thread against the scripted transmitter: attempts per cycle and the pause of an
// unplugged line, queued commands with their retries and beeps, the reset pause, measurements taken
// once, latched flags, and a consistent shadow. Every wait is for a condition; the deadline only
// ends a test that hangs.
#include "comm/polling.h"

#include <gtest/gtest.h>

#include <semaphore>
#include <thread>

#include "comm/beep.h"
#include "comm/comm_state.h"
#include "comm/protocol.h"
#include "tests/comm/fake_line.h"

namespace vorta::comm {
namespace {

using std::chrono::milliseconds;
using testing::Bytes;
using testing::Clock;

constexpr int kDeadlineMs = 30000;

class PollingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetComm();
    SetLinkBeepHandler([this](LinkBeep kind) {
      std::lock_guard lock(beepLock);
      beeps.push_back(kind);
    });
    control = std::make_shared<testing::TFakeLineControl>();
    SetReplyTimeoutMs(kDeadlineMs);  // a reply sent is never missed, however slow the machine
  }
  void TearDown() override {
    Comm().PollRunning = false;
    gate.release(64);  // a poller held at the gate runs out
    ResetComm();
    SetLinkBeepHandler({});
    SetReplyTimeoutMs(0);
  }
  void Open() { ASSERT_TRUE(OpenLineOn(std::make_unique<testing::TFakeLine>(control), 4)); }
  // Opens with every measurement held until the test lets one through with Poll.
  void OpenGated() {
    control->before = [this](testing::TFakeLineControl& t, const Bytes& c) {
      if (c[0] != 'm') return;
      gate.acquire();
      std::lock_guard lock(t.mutex);
      t.measurement[7] = nextB;
    };
    Open();
  }
  // Lets one poll through with status byte B and waits until it is in the shadow.
  void Poll(std::uint8_t b) {
    nextB = b;
    Comm().NewMeasurementEvent.Reset();
    gate.release();
    ASSERT_TRUE(Comm().NewMeasurementEvent.Wait(kDeadlineMs));
  }
  template <class F>
  static bool WaitFor(F cond) {
    const auto end = Clock::now() + milliseconds(kDeadlineMs);
    while (!cond()) {
      if (Clock::now() > end) return false;
      std::this_thread::sleep_for(milliseconds(2));
    }
    return true;
  }
  static bool Ready() { return Comm().PollOk && Comm().LineFree && !Comm().CommandPending; }
  bool Take() { return TakeMeasurement(value, current, raw); }
  std::vector<LinkBeep> Beeps() {
    std::lock_guard lock(beepLock);
    return beeps;
  }

  std::shared_ptr<testing::TFakeLineControl> control;
  std::mutex beepLock;
  std::vector<LinkBeep> beeps;
  double value = 0, current = 0;
  TRawMeasurement raw{};
  // What the transmitter's hooks use lives as long as the fixture: the poller may outlive the test body.
  std::counting_semaphore<256> gate{0};
  std::atomic<std::uint8_t> nextB{0};
  std::atomic<int> counter{0};
  std::vector<bool> pollOkSeen;  // written by the poller, read after it stopped
};

TEST_F(PollingTest, UnpluggedLineGetsThreeAttemptsPerCycleAndAPauseBetweenCycles) {
  Open();
  ASSERT_TRUE(WaitFor([] { return Comm().PollOk.load(); }));
  control->Locked([](testing::TFakeLineControl& c) {
    c.gone = true;
    c.attempts.clear();
  });
  ASSERT_TRUE(WaitFor([&] { return control->Locked([](auto& c) { return c.attempts.size() >= 18; }); }));
  ASSERT_TRUE(StopPolling());
  EXPECT_FALSE(Comm().PollOk);
  const auto at = control->Locked([](testing::TFakeLineControl& c) { return c.attempts; });
  // A cycle starts at least 100 ms after the one before it, so attempts spread over the time T
  // between the first and the last span at most T / 100 ms + 2 cycles; three attempts each.
  const auto spanMs = std::chrono::duration_cast<milliseconds>(at.back() - at.front()).count();
  EXPECT_LE(static_cast<long long>(at.size()), 3 * (spanMs / 99 + 2)) << spanMs;
}

TEST_F(PollingTest, TwoSpoiledRepliesInARowNeverFailAPoll) {
  // Only every third measurement is answered right: with three attempts per cycle every cycle succeeds.
  control->spoiled = [](const Bytes&, int number) { return number % 3 != 0; };
  control->before = [this](testing::TFakeLineControl& t, const Bytes&) {
    std::lock_guard lock(t.mutex);
    if (t.commands.size() >= 3) pollOkSeen.push_back(Comm().PollOk);  // from the first good poll on
  };
  Open();
  ASSERT_TRUE(WaitFor([&] { return control->Count('m') >= 9; }));
  ASSERT_TRUE(StopPolling());
  ASSERT_FALSE(pollOkSeen.empty());
  for (std::size_t i = 0; i < pollOkSeen.size(); ++i) EXPECT_TRUE(pollOkSeen[i]) << i;
}

TEST_F(PollingTest, TransmitterNeverAnsweringRightKeepsPollOkClearAndQueueRefuses) {
  control->spoiled = [](const Bytes&, int) { return true; };
  Open();
  ASSERT_TRUE(WaitFor([&] { return control->Count('m') >= 4; }));  // one whole cycle
  EXPECT_FALSE(Comm().PollOk);
  EXPECT_FALSE(QueueCommand('r', 0));
  EXPECT_EQ(Beeps(), std::vector<LinkBeep>{LinkBeep::kDefault});
  EXPECT_EQ(control->Count('r'), 0);
}

TEST_F(PollingTest, QueuedCommandFailingIsTriedFourTimesThenThreeAndReportedOnce) {
  control->spoiled = [](const Bytes& c, int) { return c[0] == '@'; };
  control->before = [this](testing::TFakeLineControl&, const Bytes& c) {
    if (c[0] == '@' && counter++ == 0) gate.acquire();  // the first attempt waits for the test
  };
  Open();
  ASSERT_TRUE(WaitFor(Ready));
  ASSERT_TRUE(QueueCommand('@', 0));
  const TBuffer queued = Comm().CommandBuffer;
  EXPECT_FALSE(QueueCommand('o', 0x1234));  // the first is still on its way
  EXPECT_EQ(Beeps(), std::vector<LinkBeep>{LinkBeep::kAsterisk});
  EXPECT_EQ(Comm().CommandBuffer, queued);
  gate.release();
  ASSERT_TRUE(WaitFor([] { return !Comm().CommandPending; }));
  EXPECT_EQ(control->Count('@'), 4);  // the command before it had succeeded
  EXPECT_EQ(control->Count('o'), 0);
  ASSERT_TRUE(WaitFor(Ready));
  ASSERT_TRUE(QueueCommand('@', 0));
  ASSERT_TRUE(WaitFor([] { return !Comm().CommandPending; }));
  EXPECT_EQ(control->Count('@'), 4 + 3);  // the command before it had failed
  EXPECT_FALSE(CheckQueuedResult());
  EXPECT_EQ(Beeps().back(), LinkBeep::kExclamation);
  EXPECT_TRUE(CheckQueuedResult());
}

TEST_F(PollingTest, QueuedCommandsRunOnceAndAResetPausesPollingTwoSeconds) {
  Open();
  Comm().CommandDoneEvent.Reset();
  ASSERT_TRUE(QueueCommandWait('o', 0x1F40));
  ASSERT_TRUE(WaitFor([&] { return control->Count('o') == 1 && Ready(); }));
  EXPECT_TRUE(CheckQueuedResult());
  EXPECT_TRUE(Comm().CommandDoneEvent.IsSet());
  ASSERT_TRUE(QueueCommandWait('r', 0));
  auto resetAt = [&] {
    std::size_t r = 0;
    while (r < control->commands.size() && control->commands[r][0] != 'r') ++r;
    return r;
  };
  // PollOk still holds from the polls before the reset, so wait for the first command after it.
  ASSERT_TRUE(WaitFor([&] {
    std::lock_guard lock(control->mutex);
    return resetAt() + 1 < control->commands.size();
  }));
  ASSERT_TRUE(StopPolling());
  EXPECT_EQ(control->Count('o'), 1);
  EXPECT_EQ(control->Count('r'), 1);
  EXPECT_TRUE(Beeps().empty());
  std::lock_guard lock(control->mutex);
  const std::size_t r = resetAt();
  EXPECT_EQ(control->commands[r + 1][0], 'm');
  EXPECT_GE(control->times[r + 1] - control->times[r], milliseconds(2000));
}

TEST_F(PollingTest, EachPollIsTakenOnceAndNoneAfterPollingStops) {
  OpenGated();
  Poll(0x05);
  ASSERT_TRUE(Take());
  EXPECT_EQ(value, 1.0);
  EXPECT_DOUBLE_EQ(current, 4.0);
  EXPECT_EQ(Comm().Status.TypeIndex, 5);
  EXPECT_FALSE(Take());
  EXPECT_EQ(Comm().Status.TypeIndex, kNoMeasurementType);
  Poll(0x05);
  EXPECT_TRUE(Take());
  Poll(0x05);
  Comm().PollRunning = false;
  gate.release(8);
  ASSERT_TRUE(StopPolling());
  EXPECT_FALSE(Take());
  EXPECT_EQ(Comm().Status.TypeIndex, kNoMeasurementType);
}

TEST_F(PollingTest, NewAverageAndLargeErrorMissedByTheWindowStayThroughTheNextPollOnly) {
  OpenGated();
  const struct {
    std::uint8_t b;
    bool take, newAverage, largeError;
  } steps[] = {
      {0x00, true, false, false},  {0x60, false, false, false},  // reported, never taken
      {0x00, true, true, true},    {0x00, true, false, false},
      {0x20, true, true, false},  // taken with its poll
      {0x00, true, false, false},  {0x40, false, false, false},
      {0x40, true, false, true},   {0x20, false, false, false},
      {0x00, false, false, false}, {0x00, true, false, false},  // two missed
      {0x1F, true, false, false},  // the type index bits carry no flag
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    Poll(steps[i].b);
    if (!steps[i].take) continue;
    ASSERT_TRUE(Take()) << i;
    EXPECT_EQ(Comm().Status.NewAverage, steps[i].newAverage) << i;
    EXPECT_EQ(Comm().Status.LargeError, steps[i].largeError) << i;
  }
}

TEST_F(PollingTest, ValueDacWordAndStatusAlwaysComeFromTheSamePoll) {
  control->before = [this](testing::TFakeLineControl& t, const Bytes&) {
    const std::uint8_t k = static_cast<std::uint8_t>(counter++ & 0x0F);
    std::lock_guard lock(t.mutex);
    // Every byte that is not the exponent says which poll it belongs to.
    t.measurement = {0x7F, k, k, k, 0x43, k, 0x00, k};
  };
  Open();
  int taken = 0;
  ASSERT_TRUE(WaitFor([&] {
    if (Take()) {
      ++taken;
      EXPECT_EQ(raw[1], raw[2]);
      EXPECT_EQ(raw[1], raw[5]);
      EXPECT_EQ(raw[1], raw[7]);
      EXPECT_EQ(Comm().Status.TypeIndex, raw[1]);
    }
    return taken >= 50;
  }));
}

TEST_F(PollingTest, PollingNeverStartsBesideARunningTransferThread) {
  EXPECT_TRUE(StopPolling());  // none ran
  Open();
  ASSERT_TRUE(StopPolling());
  platform::ManualResetEvent go;
  ASSERT_TRUE(Comm().TransferThread.Start([&] { return go.Wait(-1) ? 0 : 1; }));
  EXPECT_FALSE(StartPolling());
  go.Set();
  ASSERT_TRUE(Comm().TransferThread.Wait(kDeadlineMs));
  ASSERT_TRUE(Comm().TransferThread.Release());
  EXPECT_TRUE(StartPolling());
}

TEST_F(PollingTest, CloseLineStopsThePollingThreadAndReleasesTheLine) {
  Open();
  ASSERT_TRUE(WaitFor([] { return Comm().PollOk.load(); }));
  ASSERT_TRUE(CloseLine());
  EXPECT_FALSE(Comm().PollThread.Held());
  EXPECT_TRUE(control->Locked([](testing::TFakeLineControl& c) { return c.destroyed; }));
  EXPECT_FALSE(LineOpen());
  EXPECT_FALSE(DirectCommand('@', 0));
  EXPECT_FALSE(DirectCorrections(0.0, 1.0));
  EXPECT_TRUE(Comm().CommandDoneEvent.IsSet());
}

}  // namespace
}  // namespace vorta::comm
