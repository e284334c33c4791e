// The simulated transmitter on a real pseudo-terminal, its other end opened as the program opens a
// port: the baud rate taken from the host's settings and paced, the disconnect knob, and knobs
// changed while the host polls. The port link is tested with the program.
#include "sim/sim_pty.h"

#include <gtest/gtest.h>

#include <atomic>

#include "tests/support/temp_dir.h"
#include "tests/sim/host_frames.h"

namespace vorta::sim::test {
namespace {

using vorta::testing::kPatientMs;
using vorta::testing::TempDir;
using vorta::testing::WaitUntil;
namespace fs = std::filesystem;

TEST(SimPty, AnswersAtTheBaudRateTheHostSetsPacingEveryByte) {
  TSimTransmitter tx;
  tx.SetLevel(75.0);
  TSimPty pty(tx);
  ASSERT_TRUE(pty.Start());
  auto host = OpenHost(pty.SlavePath(), 1200);
  ASSERT_NE(host, nullptr);
  const auto start = std::chrono::steady_clock::now();
  const TExchange x = Exchange(*host, {'m', 0x20}, kPatientMs);
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  EXPECT_TRUE(x.echoOk);
  ASSERT_TRUE(x.data.has_value());
  EXPECT_NEAR(HostFloat(*x.data, 2), 75.0, 1e-4);
  EXPECT_EQ((*x.data)[6] << 8 | (*x.data)[7], 9216 + 16 * 2000);
  EXPECT_EQ(pty.Baud(), 1200);
  EXPECT_GE(took.count(), 19 * 10000.0 / 1200);  // 5 bytes echo and 14 bytes reply, 10 bits each
}

TEST(SimPty, DisconnectKnobHangsUpOnceTheLastReplyIsOut) {
  TempDir dir;
  const fs::path link = dir / "COM5";
  TSimTransmitter tx;
  TSimPty pty(tx);
  std::atomic<bool> told{false};
  pty.SetOnDisconnect([&] { told = true; });
  ASSERT_TRUE(pty.Start());
  ASSERT_TRUE(pty.MakeLink(link.string()));
  ASSERT_TRUE(tx.SetKnob("disconnect-after", "2"));
  auto host = OpenHost(pty.SlavePath());
  ASSERT_NE(host, nullptr);
  EXPECT_TRUE(Exchange(*host, {'m', 0x20}, kPatientMs).data.has_value());
  EXPECT_TRUE(Exchange(*host, {'m', 0x20}, kPatientMs).data.has_value());
  std::uint8_t buf[16];
  EXPECT_EQ(host->Read(buf, sizeof buf, kPatientMs), -1);  // hung up, not a time-out
  ASSERT_TRUE(WaitUntil([&] { return told.load(); }));
  EXPECT_FALSE(pty.Running());
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST(SimPty, KnobsAndSignalChangeWhileTheHostPolls) {
  TSimTransmitter tx;
  TSimPty pty(tx);
  ASSERT_TRUE(pty.Start());
  auto host = OpenHost(pty.SlavePath());
  ASSERT_NE(host, nullptr);
  std::atomic<bool> done{false};
  int whole = 0;
  std::thread poller([&] {
    for (int i = 0; i < 30; ++i) {
      const TExchange x = Exchange(*host, {'m', 0x20}, kPatientMs);
      whole += x.echoOk && x.received.size() > 5 && x.received.back() == 0xC3;
    }
    done = true;
  });
  for (int i = 0; !done; ++i) {
    tx.SetLevel(10.0 + i % 50);
    tx.SetKnob("corrupt", i % 2 ? "0.5" : "0");
    (void)tx.Stats();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  poller.join();
  EXPECT_EQ(whole, 30);  // damaged or not, every reply came as a whole frame
  EXPECT_EQ(tx.Stats().frames, 30);
}

}  // namespace
}  // namespace vorta::sim::test
