// The polling thread against the scripted transmitter: attempts when unplugged, queued commands
// with their retries and beeps, the reset pause, measurements taken once, latching, and a
// consistent shadow.
#include "comm/polling.h"

#include <gtest/gtest.h>

#include <semaphore>
#include <thread>

#include "comm/beep.h"
#include "comm/comm_state.h"
#include "comm/protocol.h"
#include "tests/comm/fake_transmitter.h"

namespace vorta::comm {
namespace {

using testing::Bytes;
using testing::TFakeLineControl;
using testing::TFakeTransmitter;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class PollingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetComm();
    SetLinkBeepHandler([this](LinkBeep kind) {
      std::lock_guard lock(beepLock);
      beeps.push_back(kind);
    });
    control = std::make_shared<TFakeLineControl>();
    tx = std::make_shared<TFakeTransmitter>();
  }
  void TearDown() override {
    ResetComm();
    SetLinkBeepHandler({});
  }
  void Open() { ASSERT_TRUE(OpenLineOn(LineTo(control, tx), 4)); }
  // Waits up to ms for cond.
  template <class F>
  bool WaitFor(F cond, int ms = 3000) {
    const auto end = Clock::now() + milliseconds(ms);
    while (Clock::now() < end) {
      if (cond()) return true;
      std::this_thread::sleep_for(milliseconds(2));
    }
    return cond();
  }
  bool Ready() { return Comm().PollOk && Comm().LineFree && !Comm().CommandPending; }
  std::vector<LinkBeep> Beeps() {
    std::lock_guard lock(beepLock);
    return beeps;
  }

  std::shared_ptr<TFakeLineControl> control;
  std::shared_ptr<TFakeTransmitter> tx;
  std::mutex beepLock;
  std::vector<LinkBeep> beeps;
};

TEST_F(PollingTest, StopPollingWithoutThreadReturnsAtOnce) {
  const auto t0 = Clock::now();
  EXPECT_TRUE(StopPolling());
  EXPECT_LT(Clock::now() - t0, milliseconds(50));
}

TEST_F(PollingTest, UnpluggedLineMakesThreeAttemptsPerCycleWithoutSpinning) {
  Open();
  {
    std::lock_guard lock(control->mutex);
    control->gone = true;
  }
  std::this_thread::sleep_for(milliseconds(1000));
  ASSERT_TRUE(StopPolling());
  std::vector<Clock::time_point> at;
  {
    std::lock_guard lock(control->mutex);
    at = control->attempts;
  }
  EXPECT_FALSE(Comm().PollOk);
  // Attempts come in bursts of three, with a pause after each failed cycle.
  int burst = 1, bursts = 0;
  for (std::size_t i = 1; i < at.size(); ++i) {
    if (at[i] - at[i - 1] > milliseconds(50)) {
      if (bursts > 0) {
        EXPECT_EQ(burst, 3);  // the first burst may hold the last good polls
      }
      ++bursts;
      burst = 1;
    } else {
      ++burst;
    }
  }
  EXPECT_GE(bursts, 5);
  EXPECT_LE(at.size(), 60u);
}

TEST_F(PollingTest, SilentTransmitterKeepsPollOkClearAndQueueRefuses) {
  tx->silentAfter = 0;
  Open();
  std::this_thread::sleep_for(milliseconds(300));
  EXPECT_FALSE(Comm().PollOk);
  EXPECT_FALSE(QueueCommand('r', 0));
  ASSERT_EQ(Beeps().size(), 1u);
  EXPECT_EQ(Beeps()[0], LinkBeep::kDefault);
  EXPECT_EQ(tx->Count('r'), 0);
}

TEST_F(PollingTest, SecondQueuedCommandIsRefusedAndLeavesTheFirstUntouched) {
  tx->ignored.insert('@');
  Open();
  ASSERT_TRUE(WaitFor([&] { return Ready(); }));
  ASSERT_TRUE(QueueCommand('@', 0));
  const TBuffer queued = Comm().CommandBuffer;
  EXPECT_FALSE(QueueCommand('o', 0x1234));
  ASSERT_FALSE(Beeps().empty());
  EXPECT_EQ(Beeps().back(), LinkBeep::kAsterisk);
  EXPECT_EQ(Comm().CommandBuffer, queued);
}

TEST_F(PollingTest, FailedQueuedCommandIsTriedFourTimesThenThreeAndReportedOnce) {
  tx->ignored.insert('@');
  Open();
  ASSERT_TRUE(WaitFor([&] { return Ready(); }));
  ASSERT_TRUE(QueueCommand('@', 0));
  ASSERT_TRUE(WaitFor([&] { return !Comm().CommandPending.load(); }, 5000));
  EXPECT_EQ(tx->Count('@'), 4);  // the command before it had succeeded
  ASSERT_TRUE(WaitFor([&] { return Ready(); }));
  ASSERT_TRUE(QueueCommand('@', 0));
  ASSERT_TRUE(WaitFor([&] { return !Comm().CommandPending.load(); }, 5000));
  EXPECT_EQ(tx->Count('@'), 4 + 3);  // the command before it had failed
  EXPECT_FALSE(CheckQueuedResult());
  EXPECT_EQ(Beeps().back(), LinkBeep::kExclamation);
  EXPECT_TRUE(CheckQueuedResult());
}

TEST_F(PollingTest, QueuedCommandRunsBetweenPollsAndSetsCommandDone) {
  Open();
  ASSERT_TRUE(QueueCommandWait('o', 0x1F40));
  ASSERT_TRUE(WaitFor([&] { return tx->Count('o') == 1 && Ready(); }));
  EXPECT_TRUE(CheckQueuedResult());
  EXPECT_TRUE(Comm().CommandDoneEvent.IsSet());
  EXPECT_EQ(tx->Count('o'), 1);
}

TEST_F(PollingTest, QueuedResetIsSentOnceAndPollingPausesTwoSeconds) {
  Open();
  ASSERT_TRUE(QueueCommandWait('r', 0));
  ASSERT_TRUE(WaitFor([&] { return tx->Count('r') == 1; }));
  // PollOk still holds from the polls before the reset, so wait for the first command after it.
  ASSERT_TRUE(WaitFor(
      [&] {
        std::lock_guard lock(tx->mutex);
        std::size_t r = 0;
        while (r < tx->commands.size() && tx->commands[r][0] != 'r') ++r;
        return r + 1 < tx->commands.size();
      },
      4000));
  std::lock_guard lock(tx->mutex);
  std::size_t r = 0;
  while (tx->commands[r][0] != 'r') ++r;
  ASSERT_LT(r + 1, tx->commands.size());
  EXPECT_EQ(tx->commands[r + 1][0], 'm');
  EXPECT_GE(tx->times[r + 1] - tx->times[r], milliseconds(2000));
  EXPECT_LT(tx->times[r + 1] - tx->times[r], milliseconds(2500));
  for (std::size_t i = r + 1; i < tx->commands.size(); ++i) EXPECT_NE(tx->commands[i][0], 'r');
}

TEST_F(PollingTest, MeasurementIsTakenOncePerPoll) {
  Open();
  ASSERT_TRUE(WaitFor([&] { return Comm().PollOk.load(); }));
  double value = 0, current = 0;
  TRawMeasurement raw{};
  Comm().NewMeasurementEvent.Reset();
  ASSERT_TRUE(Comm().NewMeasurementEvent.Wait(2000));
  ASSERT_TRUE(TakeMeasurement(value, current, raw));
  EXPECT_EQ(value, 1.0);
  EXPECT_DOUBLE_EQ(current, 4.0);
  EXPECT_EQ(Comm().Status.TypeIndex, 5);
  StopPolling();
  EXPECT_FALSE(TakeMeasurement(value, current, raw));
  EXPECT_EQ(Comm().Status.TypeIndex, kNoMeasurementType);
}

TEST_F(PollingTest, SecondTakeWithoutNewPollFails) {
  std::counting_semaphore<16> gate(0);
  tx->beforeMeasure = [&](TFakeTransmitter&) { gate.acquire(); };
  Open();
  gate.release();
  ASSERT_TRUE(WaitFor([&] { return Comm().PollOk.load(); }));
  double value = 0, current = 0;
  TRawMeasurement raw{};
  EXPECT_TRUE(TakeMeasurement(value, current, raw));
  EXPECT_FALSE(TakeMeasurement(value, current, raw));
  Comm().NewMeasurementEvent.Reset();
  gate.release();
  ASSERT_TRUE(Comm().NewMeasurementEvent.Wait(2000));
  EXPECT_TRUE(TakeMeasurement(value, current, raw));
  Comm().PollRunning = false;
  gate.release(4);
}

// Lets exactly one poll through with status byte B, and waits until it is in the shadow.
class LatchTest : public PollingTest {
 protected:
  void SetUp() override {
    PollingTest::SetUp();
    tx->beforeMeasure = [this](TFakeTransmitter& t) {
      gate.acquire();
      std::lock_guard lock(t.mutex);
      t.measurement[7] = nextB;
    };
    Open();
  }
  void TearDown() override {
    Comm().PollRunning = false;
    gate.release(8);
    PollingTest::TearDown();
  }
  void Poll(std::uint8_t b) {
    nextB = b;
    Comm().NewMeasurementEvent.Reset();
    gate.release();
    ASSERT_TRUE(Comm().NewMeasurementEvent.Wait(2000));
  }
  bool Take() {
    double v, c;
    TRawMeasurement raw;
    return TakeMeasurement(v, c, raw);
  }
  std::counting_semaphore<64> gate{0};
  std::atomic<std::uint8_t> nextB{0};
};

TEST_F(LatchTest, NewAverageMissedByTheWindowStaysThroughTheNextPoll) {
  Poll(0x00);
  ASSERT_TRUE(Take());
  Poll(0x20 | 0x40);  // reported, never taken
  Poll(0x00);
  ASSERT_TRUE(Take());
  EXPECT_TRUE(Comm().Status.NewAverage);
  EXPECT_TRUE(Comm().Status.LargeError);
  Poll(0x00);
  ASSERT_TRUE(Take());
  EXPECT_FALSE(Comm().Status.NewAverage);
  EXPECT_FALSE(Comm().Status.LargeError);
}

TEST_F(LatchTest, FlagTakenWithItsPollIsNotCarriedOn) {
  Poll(0x00);
  ASSERT_TRUE(Take());
  Poll(0x20);
  ASSERT_TRUE(Take());
  EXPECT_TRUE(Comm().Status.NewAverage);
  Poll(0x00);
  ASSERT_TRUE(Take());
  EXPECT_FALSE(Comm().Status.NewAverage);
}

TEST_F(PollingTest, ValueDacWordAndStatusAlwaysComeFromTheSamePoll) {
  std::atomic<int> n{0};
  tx->beforeMeasure = [&](TFakeTransmitter& t) {
    const std::uint8_t k = static_cast<std::uint8_t>(n++ & 0x0F);
    std::lock_guard lock(t.mutex);
    // Every byte that is not the exponent says which poll it belongs to.
    t.measurement = {0x7F, k, k, k, 0x43, k, 0x00, k};
  };
  Open();
  int taken = 0;
  const auto end = Clock::now() + milliseconds(800);
  while (Clock::now() < end) {
    double v, c;
    TRawMeasurement raw;
    if (!TakeMeasurement(v, c, raw)) continue;
    ++taken;
    EXPECT_EQ(raw[1], raw[2]);
    EXPECT_EQ(raw[1], raw[5]);
    EXPECT_EQ(raw[1], raw[7]);
    EXPECT_EQ(Comm().Status.TypeIndex, raw[1]);
  }
  EXPECT_GT(taken, 10);
}

TEST_F(PollingTest, PollingDoesNotStartBesideARunningTransferThread) {
  Open();
  ASSERT_TRUE(StopPolling());
  platform::ManualResetEvent go;
  ASSERT_TRUE(Comm().TransferThread.Start([&] {
    go.Wait(-1);
    return 0;
  }));
  EXPECT_FALSE(StartPolling());
  go.Set();
  ASSERT_TRUE(Comm().TransferThread.Wait(2000));
  ASSERT_TRUE(Comm().TransferThread.Release());
  EXPECT_TRUE(StartPolling());
}

TEST_F(PollingTest, CloseLineStopsThePollingThread) {
  Open();
  ASSERT_TRUE(WaitFor([&] { return Comm().PollOk.load(); }));
  ASSERT_TRUE(CloseLine());
  EXPECT_FALSE(Comm().PollThread.Held());
  EXPECT_TRUE(control->destroyed);
}

}  // namespace
}  // namespace vorta::comm
