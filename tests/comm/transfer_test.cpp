// Block transfers against the simulated transmitter in-process: read, full write, text write and
// verify, with lost and corrupted replies, wrong address echoes, a transmitter that goes silent,
// and a transfer that stops reporting progress.
#include "comm/transfer.h"

#include <gtest/gtest.h>

#include "app/param_set.h"
#include "comm/comm_state.h"
#include "comm/polling.h"
#include "comm/protocol.h"
#include "comm/transfer_runner.h"
#include "sim/sim_line.h"
#include "sim/sim_transmitter.h"
#include "tests/comm/recording_line.h"

namespace vorta::comm {
namespace {

using testing::TRecordingLine;
using testing::TSentLog;

// A record whose bytes all differ from their neighbours and from what the transmitter holds.
TDeviceRecord PatternRecord(std::uint8_t seed) {
  TDeviceRecord r;
  for (std::size_t i = 0; i < TDeviceRecord::kSize; ++i)
    r[i] = static_cast<std::uint8_t>((i * 7 + seed) % 253);
  return r;
}

class TransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetComm();
    app::Param().Clear();
    DeviceRecord().Clear();
    tx = std::make_unique<sim::TSimTransmitter>();
    log = std::make_shared<TSentLog>();
    auto line = std::make_unique<TRecordingLine>(std::make_unique<sim::TSimLine>(*tx), log);
    ASSERT_TRUE(OpenLineOn(std::move(line), 4));
  }
  void TearDown() override { ResetComm(); }
  void Knob(const char* name, const char* value) { ASSERT_TRUE(tx->SetKnob(name, value)); }
  bool Write() { return RunTransfer(WriteThread, Record()); }
  ProgressCallback Record() {
    return [this](int p) { progress.push_back(p); };
  }
  std::vector<std::uint8_t> Memory(unsigned a, unsigned n) { return tx->ReadMemory(a, n); }
  static std::vector<std::uint8_t> Slice(const TDeviceImage& img, unsigned a, unsigned n) {
    return std::vector<std::uint8_t>(img.begin() + a, img.begin() + a + n);
  }
  void ExpectPollingResumed() {
    EXPECT_TRUE(Comm().PollStarted);
    EXPECT_TRUE(Comm().PollThread.Alive());
    EXPECT_FALSE(Comm().TransferThread.Held());
    EXPECT_FALSE(Comm().TransferRunning);
  }

  std::unique_ptr<sim::TSimTransmitter> tx;
  std::shared_ptr<TSentLog> log;
  std::vector<int> progress;
};

TEST_F(TransferTest, FullWriteSendsBothAreasAndTheChecksumsAndReadsBackByteForByte) {
  DeviceRecord() = PatternRecord(3);
  TDeviceImage sent{};
  EncodeImage(DeviceRecord(), sent);
  ASSERT_TRUE(Write());
  EXPECT_EQ(Memory(0x010, 192), Slice(sent, 0x010, 192));
  EXPECT_EQ(Memory(0x440, 1664), Slice(sent, 0x440, 1664));
  EXPECT_EQ(log->Count('L') + log->Count('L' | 0x80), 2);
  EXPECT_EQ(progress.back(), 100);
  for (std::size_t i = 1; i < progress.size(); ++i) EXPECT_GE(progress[i], progress[i - 1]);
  ExpectPollingResumed();

  const TDeviceRecord written = DeviceRecord();
  DeviceRecord().Clear();
  ASSERT_TRUE(RunRead(kVerifyReadMode, {}));
  // Every record field stored in the written areas comes back (68..79 are never taken back).
  const std::pair<int, int> fields[] = {{0, 8},    {2028, 4},  {1792, 64}, {2020, 8},
                                        {2016, 4}, {1712, 80}, {96, 1616}, {80, 16}};
  for (const auto& [first, count] : fields)
    for (int i = first; i < first + count; ++i) ASSERT_EQ(DeviceRecord()[i], written[i]) << i;
  for (int i = 68; i < 80; ++i) EXPECT_EQ(DeviceRecord()[i], 0) << i;
  EXPECT_EQ(RunVerify({}), VerifyOutcome::kEqual);
  ExpectPollingResumed();
}

TEST_F(TransferTest, ReadTakesTheFirmwareCodeAndTheVersionText) {
  ASSERT_TRUE(RunRead(4, Record()));
  const std::vector<std::uint8_t> fw = {DeviceRecord()[2048], DeviceRecord()[2049], DeviceRecord()[2050],
                                        DeviceRecord()[2051]};
  EXPECT_NE(fw, std::vector<std::uint8_t>(4, 0));
  EXPECT_EQ(app::Param().CodeVersion, std::string(fw.begin(), fw.end()));
  EXPECT_EQ(progress.back(), 100);
  EXPECT_EQ(log->Count(0xEF), 1);  // the preamble
  EXPECT_EQ(log->Count(0xF3), 15);
}

TEST_F(TransferTest, FailedReadLeavesTheRecordExactlyAsItWas) {
  DeviceRecord() = PatternRecord(9);
  app::Param().CodeVersion = "old";
  const TDeviceRecord before = DeviceRecord();
  Knob("silent-in-block", "5");
  EXPECT_FALSE(RunRead(4, {}));
  EXPECT_EQ(DeviceRecord(), before);
  EXPECT_EQ(app::Param().CodeVersion, "old");
  ExpectPollingResumed();
}

TEST_F(TransferTest, FailedVersionQueryLeavesTheRecordAsItWas) {
  DeviceRecord() = PatternRecord(11);
  const TDeviceRecord before = DeviceRecord();
  Knob("silent-in-block", "15");  // every block of mode 4 answered, then nothing
  EXPECT_FALSE(RunRead(4, {}));
  EXPECT_EQ(DeviceRecord(), before);
}

TEST_F(TransferTest, WrongAddressEchoFailsTheReadAndTheWriteAndTheWriteResets) {
  Knob("wrong-address", "on");
  EXPECT_FALSE(RunRead(4, {}));
  DeviceRecord() = PatternRecord(5);
  EXPECT_FALSE(Write());
  EXPECT_EQ(log->Count('r'), 1);
  ExpectPollingResumed();
}

TEST_F(TransferTest, TransmitterSilentInTheMiddleOfAWriteGetsTheReset) {
  DeviceRecord() = PatternRecord(6);
  Knob("silent-in-block", "40");
  EXPECT_FALSE(Write());
  EXPECT_EQ(log->Count('r'), 1);
  EXPECT_FALSE(Comm().HasLastWritten);
  EXPECT_EQ(RunVerify({}), VerifyOutcome::kNothingWritten);
  ExpectPollingResumed();
}

TEST_F(TransferTest, LostAndCorruptedRepliesAreRetriedWithoutLosingAByte) {
  for (const char* share : {"0.05", "0.2"}) {
    DeviceRecord() = PatternRecord(share[2]);
    TDeviceImage sent{};
    EncodeImage(DeviceRecord(), sent);
    Knob("lose", share);
    Knob("corrupt", share);
    ASSERT_TRUE(Write()) << share;
    Knob("lose", "0");
    Knob("corrupt", "0");
    EXPECT_EQ(Memory(0x010, 192), Slice(sent, 0x010, 192));
    EXPECT_EQ(Memory(0x440, 1664), Slice(sent, 0x440, 1664));
    Knob("lose", share);
    Knob("corrupt", share);
    EXPECT_EQ(RunVerify({}), VerifyOutcome::kEqual) << share;
    Knob("lose", "0");
    Knob("corrupt", "0");
  }
  ExpectPollingResumed();
}

TEST_F(TransferTest, VerifyFindsACorruptedColdJunctionTermThatModeFiveWouldMiss) {
  DeviceRecord() = PatternRecord(8);
  ASSERT_TRUE(Write());
  std::vector<std::uint8_t> term = Memory(0xAA4, 1);
  term[0] ^= 0x01;
  tx->WriteMemory(0xAA4, term);
  EXPECT_EQ(RunVerify({}), VerifyOutcome::kDiffers);
}

TEST_F(TransferTest, TextWriteSendsTenBlocksOfEightAndChecksTheirEcho) {
  DeviceRecord() = PatternRecord(1);
  ASSERT_TRUE(RunTransfer(WriteTextsThread, Record()));
  EXPECT_EQ(Memory(0x080, 80),
            std::vector<std::uint8_t>(DeviceRecord().b.begin() + 1712, DeviceRecord().b.begin() + 1792));
  // Each block's percentage, then the wake-up at the end of the thread shows the last one again.
  EXPECT_EQ(progress, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 100}));
  Knob("wrong-address", "on");
  EXPECT_FALSE(RunTransfer(WriteTextsThread, {}));
  ExpectPollingResumed();
}

TEST_F(TransferTest, TransferWithoutProgressForTenSecondsIsAbortedAndOwesItsReset) {
  // A full write that hangs after its first block: nothing but the runner's abort ends it.
  const auto t0 = std::chrono::steady_clock::now();
  const bool ok = RunTransfer(
      [] {
        Comm().ResetPending = true;
        while (Comm().TransferRunning) LinkPause(20);
        return 1;
      },
      {});
  EXPECT_FALSE(ok);
  EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(9900));
  EXPECT_EQ(log->Count('r'), 1);
  EXPECT_FALSE(Comm().ResetPending);
  ExpectPollingResumed();
}

TEST_F(TransferTest, NoSecondTransferBesideOneStillRunning) {
  platform::ManualResetEvent go;
  ASSERT_TRUE(Comm().TransferThread.Start([&] {
    go.Wait(-1);
    return 1;
  }));
  EXPECT_FALSE(RunRead(4, {}));
  EXPECT_EQ(log->Count(0xEF), 0);
  go.Set();
  ASSERT_TRUE(Comm().TransferThread.Wait(2000));
  EXPECT_TRUE(RunRead(4, {}));
}

TEST(ReportProgressTest, SignalsOnlyWhenTheRoundedPercentageChanges) {
  ResetComm();
  TCommState& s = Comm();
  int last = 0;
  ReportProgress(4, 1000, last);  // 0.4 % rounds to 0
  EXPECT_FALSE(s.ProgressEvent.IsSet());
  std::thread window([&] {
    ASSERT_TRUE(s.ProgressEvent.Wait(2000));
    s.ProgressEvent.Reset();
    s.ProgressAckEvent.Set();
  });
  ReportProgress(25, 1000, last);  // 2.5 % rounds to even: 2
  window.join();
  EXPECT_EQ(last, 2);
  EXPECT_EQ(s.Progress, 2);
  EXPECT_FALSE(s.ProgressAckEvent.IsSet());  // the thread took the acknowledgement
  ReportProgress(15, 1000, last);            // 1.5 % rounds to 2 again
  EXPECT_FALSE(s.ProgressEvent.IsSet());
  s.ProgressAckEvent.Set();  // acknowledged ahead: the capped 100 % does not wait
  ReportProgress(3000, 1000, last);
  EXPECT_EQ(s.Progress, 100);
  EXPECT_TRUE(s.ProgressEvent.IsSet());
}

}  // namespace
}  // namespace vorta::comm
