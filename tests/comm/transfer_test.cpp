// Block transfers against the simulated transmitter in-process: read, full write, text write and
// verify, with lost and corrupted replies, wrong address echoes, a transmitter that goes silent, and
// a transfer that stops reporting progress. Each transfer works on the test's own record.
#include "comm/transfer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "comm/comm_state.h"
#include "comm/polling.h"
#include "comm/protocol.h"
#include "comm/record_layout.h"
#include "comm/transfer_runner.h"
#include "sim/sim_line.h"
#include "sim/sim_transmitter.h"

namespace vorta::comm {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A record whose bytes all differ from their neighbours and from what the transmitter holds.
TDeviceRecord PatternRecord(std::uint8_t seed) {
  TDeviceRecord r;
  for (std::size_t i = 0; i < TDeviceRecord::kSize; ++i)
    r[i] = static_cast<std::uint8_t>((i * 7 + seed) % 253);
  return r;
}

Bytes Slice(const TDeviceImage& img, unsigned a, unsigned n) {
  return Bytes(img.begin() + a, img.begin() + a + n);
}

class TransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetComm();
    tx = std::make_unique<sim::TSimTransmitter>();
    auto line = std::make_unique<sim::TSimLine>(*tx);
    // The transmitter traces each good frame it receives as "<-" and the command bytes in hex.
    line->SetTrace([this](const std::string& t) {
      std::lock_guard lock(receivedLock);
      if (t.rfind("<- ", 0) == 0 && (t.size() == 5 || t[5] == ' '))
        received.push_back(std::stoi(t.substr(3, 2), nullptr, 16));
    });
    SetReplyTimeoutMs(30000);  // time on this line is virtual: a reply sent is never missed
    ASSERT_TRUE(OpenLineOn(std::move(line), 4));
  }
  int Count(int letter) {
    std::lock_guard lock(receivedLock);
    return static_cast<int>(std::count(received.begin(), received.end(), letter));
  }
  void TearDown() override {
    ResetComm();
    SetProgressTimeoutMs(kProgressTimeoutMs);
    SetReplyTimeoutMs(0);
  }
  void Knobs(const char* lose, const char* corrupt) {
    ASSERT_TRUE(tx->SetKnob("lose", lose));
    ASSERT_TRUE(tx->SetKnob("corrupt", corrupt));
  }
  ProgressCallback Progress() {
    return [this](int p) { progress.push_back(p); };
  }
  bool Write(const TDeviceRecord& record) { return RunWrite(record, sent, Progress()); }
  TSentImage FullySent() const {
    TSentImage s;
    s.TakeFullWrite(sent);
    return s;
  }
  Bytes Memory(unsigned a, unsigned n) { return tx->ReadMemory(a, n); }
  void ExpectPollingResumed() {
    EXPECT_TRUE(Comm().PollStarted);
    EXPECT_TRUE(Comm().PollThread.Alive());
    EXPECT_FALSE(Comm().TransferThread.Held());
    EXPECT_FALSE(Comm().TransferRunning);
  }

  std::unique_ptr<sim::TSimTransmitter> tx;
  std::mutex receivedLock;
  std::vector<int> received;
  std::vector<int> progress;
  TDeviceImage sent{};
};

TEST_F(TransferTest, FullWriteSendsBothAreasAndTheChecksumsAndReadsBackByteForByte) {
  const TDeviceRecord written = PatternRecord(3);
  ASSERT_TRUE(Write(written));
  EXPECT_EQ(Memory(0x010, 192), Slice(sent, 0x010, 192));
  EXPECT_EQ(Memory(0x440, 1664), Slice(sent, 0x440, 1664));
  EXPECT_EQ(Count('L' | 0x80), 2);  // marked: sent once unless it fails
  EXPECT_EQ(progress.back(), 100);
  for (std::size_t i = 1; i < progress.size(); ++i) EXPECT_GE(progress[i], progress[i - 1]);
  ExpectPollingResumed();

  const TDeviceRecord start = PatternRecord(77);
  TDeviceRecord back = start;
  ASSERT_TRUE(RunRead(kVerifyReadMode, back, {}));
  // Every record field stored in the written areas comes back; 68..79 are never taken back.
  const std::pair<int, int> fields[] = {{0, 8},    {2028, 4},  {1792, 64}, {2020, 8},
                                        {2016, 4}, {1712, 80}, {96, 1616}, {80, 16}};
  for (const auto& [first, count] : fields)
    for (int i = first; i < first + count; ++i) ASSERT_EQ(back[i], written[i]) << i;
  for (int i = 68; i < 80; ++i) EXPECT_EQ(back[i], start[i]) << i;
  EXPECT_EQ(RunVerify(FullySent(), {}), VerifyOutcome::kEqual);
  ExpectPollingResumed();
}

TEST_F(TransferTest, ReadTakesTheMemoryAndTheFirmwareCode) {
  TDeviceRecord record{};
  TDeviceImage image{};
  ASSERT_TRUE(RunRead(4, record, Progress(), &image));
  EXPECT_EQ(Bytes(record.b.begin() + rec::kCodeVersion, record.b.end()), Memory(0xFF0, 4));
  EXPECT_EQ(Bytes(record.b.begin() + rec::kKod, record.b.begin() + rec::kKod + 16), Memory(0x080, 16));
  EXPECT_EQ(Slice(image, 0x010, 192), Memory(0x010, 192));
  EXPECT_EQ(progress.back(), 100);
  // The preamble; a second one when the first met the echo and reply of the last poll, still on
  // their way when polling stopped.
  EXPECT_GE(Count(0xEF), 1);
  EXPECT_EQ(Count(0xF3), 15);
}

TEST_F(TransferTest, FailedReadLeavesRecordAndImageExactlyAsTheyWere) {
  // Silent in a block, or after every block of mode 4 was answered: the version query fails.
  for (const char* silentFrom : {"5", "15"}) {
    ResetComm();
    tx = std::make_unique<sim::TSimTransmitter>();
    ASSERT_TRUE(OpenLineOn(std::make_unique<sim::TSimLine>(*tx), 4));
    ASSERT_TRUE(tx->SetKnob("silent-in-block", silentFrom));
    auto job = std::make_shared<TTransferJob>();
    job->record = PatternRecord(9);
    job->image.fill(0x5A);
    EXPECT_FALSE(RunTransfer(ReadThread, job, {})) << silentFrom;
    EXPECT_EQ(job->record, PatternRecord(9)) << silentFrom;
    EXPECT_TRUE(std::all_of(job->image.begin(), job->image.end(), [](std::uint8_t b) { return b == 0x5A; }));
    ExpectPollingResumed();
  }
  TDeviceRecord record = PatternRecord(9);
  EXPECT_FALSE(RunRead(4, record, {}));
  EXPECT_EQ(record, PatternRecord(9));
}

TEST_F(TransferTest, WrongAddressEchoFailsReadAndWriteAndTheWriteResets) {
  ASSERT_TRUE(tx->SetKnob("wrong-address", "on"));
  TDeviceRecord record{};
  EXPECT_FALSE(RunRead(4, record, {}));
  sent.fill(0x5A);
  EXPECT_FALSE(Write(PatternRecord(5)));
  EXPECT_EQ(Count('r'), 1);
  EXPECT_EQ(sent[0x010], 0x5A);  // nothing handed back
  EXPECT_FALSE(RunWriteTexts(PatternRecord(5), {}));
  ExpectPollingResumed();
}

TEST_F(TransferTest, TransmitterSilentInTheMiddleOfAWriteGetsTheReset) {
  ASSERT_TRUE(tx->SetKnob("silent-in-block", "40"));
  EXPECT_FALSE(Write(PatternRecord(6)));
  EXPECT_EQ(Count('r'), 1);
  EXPECT_FALSE(Comm().ResetPending);
  EXPECT_EQ(RunVerify(TSentImage{}, {}), VerifyOutcome::kNothingWritten);
  EXPECT_EQ(RunVerify(FullySent(), {}), VerifyOutcome::kReadFailed);
  ExpectPollingResumed();
}

TEST_F(TransferTest, LostAndCorruptedRepliesAreRetriedWithoutLosingAByte) {
  for (const char* share : {"0.05", "0.2"}) {
    Knobs(share, share);
    ASSERT_TRUE(Write(PatternRecord(static_cast<std::uint8_t>(share[2])))) << share;
    EXPECT_EQ(RunVerify(FullySent(), {}), VerifyOutcome::kEqual) << share;
    Knobs("0", "0");
    EXPECT_EQ(Memory(0x010, 192), Slice(sent, 0x010, 192));
    EXPECT_EQ(Memory(0x440, 1664), Slice(sent, 0x440, 1664));
  }
  ExpectPollingResumed();
}

TEST_F(TransferTest, VerifyFindsACorruptedColdJunctionTermThatModeFiveWouldMiss) {
  ASSERT_TRUE(Write(PatternRecord(8)));
  Bytes term = Memory(0xAA4, 1);
  term[0] ^= 0x01;
  tx->WriteMemory(0xAA4, term);
  EXPECT_EQ(RunVerify(FullySent(), {}), VerifyOutcome::kDiffers);
}

TEST_F(TransferTest, TextWriteSendsTenBlocksOfEight) {
  const TDeviceRecord record = PatternRecord(1);
  ASSERT_TRUE(RunWriteTexts(record, Progress()));
  EXPECT_EQ(Memory(0x080, 80), Bytes(record.b.begin() + rec::kKod, record.b.begin() + rec::kKod + 80));
  EXPECT_EQ(Count('D' | 0x80), 10);
  // Each block's percentage, then the wake-up at the end of the thread shows the last one again.
  EXPECT_EQ(progress, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 100}));
  ExpectPollingResumed();
}

TEST_F(TransferTest, TransferWithoutProgressIsAbortedAndOwesItsReset) {
  // A full write that hangs after its first block: nothing but the runner's abort ends it.
  SetProgressTimeoutMs(200);
  const auto t0 = std::chrono::steady_clock::now();
  const bool ok = RunTransfer(
      [](TTransferJob&) {
        Comm().ResetPending = true;
        while (Comm().TransferRunning) LinkPause(20);
        return 1;
      },
      std::make_shared<TTransferJob>(), {});
  EXPECT_FALSE(ok);
  EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(200));
  EXPECT_EQ(Count('r'), 1);
  EXPECT_FALSE(Comm().ResetPending);
  ExpectPollingResumed();
}

TEST_F(TransferTest, NoSecondTransferBesideOneStillRunning) {
  platform::ManualResetEvent go;
  ASSERT_TRUE(Comm().TransferThread.Start([&] { return go.Wait(-1) ? 1 : 0; }));
  TDeviceRecord record{};
  EXPECT_FALSE(RunRead(4, record, {}));
  EXPECT_FALSE(RunTransfer(ReadThread, nullptr, {}));
  EXPECT_EQ(Count(0xEF), 0);
  go.Set();
  ASSERT_TRUE(Comm().TransferThread.Wait(30000));
  EXPECT_TRUE(RunRead(4, record, {}));
}

TEST_F(TransferTest, ProgressIsSignalledOnlyWhenTheRoundedPercentageChanges) {
  TCommState& s = Comm();
  int last = 0;
  ReportProgress(4, 1000, last);  // 0.4 % rounds to 0
  EXPECT_FALSE(s.ProgressEvent.IsSet());
  std::thread window([&] {
    ASSERT_TRUE(s.ProgressEvent.Wait(30000));
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
