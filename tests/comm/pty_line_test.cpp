// The whole link on a real pseudo-terminal: the simulated transmitter serves it, the program opens
// it as COMn through a ports/ link with the real serial port, and every command of the command set
// crosses the termios path at 9600 baud, as do damaged replies and a line that vanishes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "comm/comm_state.h"
#include "comm/polling.h"
#include "comm/protocol.h"
#include "comm/record_layout.h"
#include "comm/transfer_runner.h"
#include "platform/port_names.h"
#include "platform/serial_port.h"
#include "sim/sim_pty.h"
#include "sim/sim_transmitter.h"

namespace vorta::comm {
namespace {

namespace fs = std::filesystem;

constexpr int kPort = 7;

class PtyLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetComm();
    std::string tmpl = (fs::temp_directory_path() / "vorta-comm-pty-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    dir = tmpl;
    platform::SetPortsDir(dir.string());
    pty = std::make_unique<sim::TSimPty>(tx);
    ASSERT_TRUE(pty->Start());
    ASSERT_TRUE(pty->MakeLink((dir / ("COM" + std::to_string(kPort))).string()));
    ASSERT_TRUE(OpenLine(kPort, 4));
    ASSERT_TRUE(StopPolling());
  }
  void TearDown() override {
    ResetComm();
    pty.reset();
    platform::SetPortsDir("");
    fs::remove_all(dir);
  }
  sim::TSimTransmitter tx;
  std::unique_ptr<sim::TSimPty> pty;
  fs::path dir;
};

TEST_F(PtyLineTest, EveryCommandIsAnsweredOverTheTerminal) {
  TBuffer buf{};
  ASSERT_TRUE(DirectRead('m', 0x20, buf));
  EXPECT_EQ(buf[0], 10);
  EXPECT_EQ(pty->Baud(), 9600);
  for (std::uint8_t reg : {0x01, 0x02, 0x04, 0x08, 0x10, 0x40, 0x80})
    EXPECT_TRUE(DirectCommand('m', reg)) << int(reg);
  ASSERT_TRUE(DirectRead('s', 0x040010, buf));
  EXPECT_EQ(buf[0], 7);
  EXPECT_EQ(buf[3], 0x10);
  EXPECT_TRUE(DirectCommand('D', 0x420090));
  ASSERT_TRUE(DirectRead('s', 0x010090, buf));
  EXPECT_EQ(buf[4], 0x42);
  EXPECT_TRUE(DirectCommand('@', 0));
  EXPECT_TRUE(DirectCommand('o', 12 * 2000));
  double value = 0, current = 0;
  TRawMeasurement raw{};
  ASSERT_TRUE(ReadRegister(0x20, value, current, raw));
  EXPECT_TRUE(Comm().Status.IndependentOutput);
  EXPECT_NEAR(current, 12.0, 0.01);
  EXPECT_TRUE(DirectCorrections(0.5, -0.25));
  EXPECT_EQ(tx.Memory().Float(sim::mem::kZeroCorrection), 0.5);
  EXPECT_EQ(tx.Memory().Float(sim::mem::kGainCorrection), -0.25);
  EXPECT_TRUE(ReadSimulated(value, current, 0x0000007F));  // 1.0 in transmission order
  EXPECT_TRUE(DirectCommand('O', 0x12345678));
  EXPECT_TRUE(DirectCommand('r', 0));
}

TEST_F(PtyLineTest, TextWriteAndReadRunAtNineSixHundredBaud) {
  TDeviceRecord record{};
  for (std::size_t i = 0; i < TDeviceRecord::kSize; ++i) record[i] = static_cast<std::uint8_t>(i * 13);
  ASSERT_TRUE(StartPolling());
  ASSERT_TRUE(RunWriteTexts(record, {}));
  TDeviceRecord back{};
  ASSERT_TRUE(RunRead(1, back, {}));
  const auto texts = [](const TDeviceRecord& r) {
    return std::vector<std::uint8_t>(r.b.begin() + rec::kKod, r.b.begin() + rec::kOgolne + rec::kOgolneSize);
  };
  EXPECT_EQ(texts(back), texts(record));
  EXPECT_EQ(tx.ReadMemory(0x080, 8),
            std::vector<std::uint8_t>(record.b.begin() + 1712, record.b.begin() + 1720));
  EXPECT_TRUE(Comm().PollStarted);
}

TEST_F(PtyLineTest, DamagedRepliesFailAndTheNextOneWorks) {
  TBuffer buf{};
  for (const char* knob : {"corrupt", "lose"}) {
    ASSERT_TRUE(tx.SetKnob(knob, "1"));
    EXPECT_FALSE(DirectRead('s', 0x100010, buf)) << knob;
    ASSERT_TRUE(tx.SetKnob(knob, "0"));
    EXPECT_TRUE(DirectRead('s', 0x100010, buf)) << knob;
  }
  ASSERT_TRUE(tx.SetKnob("late", "400"));
  EXPECT_FALSE(DirectCommand('m', 0x20));
  ASSERT_TRUE(tx.SetKnob("late", "0"));
  EXPECT_TRUE(DirectCommand('m', 0x20));
}

TEST_F(PtyLineTest, SecondProgramIsRefusedThePort) {
  EXPECT_EQ(platform::SerialPort::Open(platform::ResolveComPort(kPort)), nullptr);
  EXPECT_EQ(platform::SerialPort::Open(pty->SlavePath()), nullptr);
}

TEST_F(PtyLineTest, VanishedTerminalMakesEveryCallFail) {
  ASSERT_TRUE(StartPolling());
  pty->Stop();
  TBuffer buf{};
  TDeviceRecord record{};
  ASSERT_TRUE(StopPolling());
  EXPECT_FALSE(DirectRead('s', 0x100010, buf));
  EXPECT_FALSE(RunRead(4, record, {}));
  EXPECT_TRUE(CloseLine());
}

TEST_F(PtyLineTest, LineOpenedAgainOnTheSamePortClosesTheOldOneFirst) {
  ASSERT_TRUE(OpenLine(kPort, 4));
  ASSERT_TRUE(StopPolling());
  EXPECT_TRUE(DirectCommand('m', 0x20));
  EXPECT_FALSE(OpenLine(kPort + 1, 4));  // no such port: nothing is left open
  EXPECT_FALSE(LineOpen());
  EXPECT_TRUE(OpenLine(kPort, 4));
}

}  // namespace
}  // namespace vorta::comm
