// The real serial port on a pseudo-terminal: port names through ports/ links, exclusive open,
// raw reads and writes, interruption, and a vanished other end.
#include "platform/serial_port.h"

#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/port_names.h"

namespace vorta::platform {
namespace {

namespace fs = std::filesystem;

class PtyPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    slavePath = name;
    dir = fs::temp_directory_path() / ("vorta-ports-" + std::to_string(getpid()));
    fs::create_directories(dir);
    SetPortsDir(dir.string());
  }
  void TearDown() override {
    SetPortsDir("");
    fs::remove_all(dir);
    if (master >= 0) close(master);
    close(slave);
  }
  void Link(int n) { fs::create_symlink(slavePath, dir / ("COM" + std::to_string(n))); }

  int master = -1, slave = -1;
  std::string slavePath;
  fs::path dir;
};

TEST_F(PtyPortTest, LinkInPortsFolderWinsOverTheDeviceNumbering) {
  EXPECT_EQ(ResolveComPort(1), "/dev/ttyS0");
  Link(1);
  EXPECT_EQ(ResolveComPort(1), (dir / "COM1").string());
  EXPECT_EQ(ResolveComPort(2), "/dev/ttyS1");
}

TEST(PortNamesTest, DefaultNumberingCoversThreeDeviceFamilies) {
  SetPortsDir("/nonexistent-vorta-ports");
  EXPECT_EQ(ResolveComPort(16), "/dev/ttyS15");
  EXPECT_EQ(ResolveComPort(17), "/dev/ttyUSB0");
  EXPECT_EQ(ResolveComPort(32), "/dev/ttyUSB15");
  EXPECT_EQ(ResolveComPort(33), "/dev/ttyACM0");
  EXPECT_EQ(ResolveComPort(48), "/dev/ttyACM15");
  EXPECT_EQ(ResolveComPort(49), "");
  EXPECT_EQ(ResolveComPort(0), "");
  SetPortsDir("");
  EXPECT_NE(PortsDir().find("/ports"), std::string::npos);
}

TEST_F(PtyPortTest, SecondOpenOfTheSamePortIsRefusedUntilTheFirstCloses) {
  Link(3);
  auto first = SerialPort::Open(ResolveComPort(3));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(SerialPort::Open(ResolveComPort(3)), nullptr);
  EXPECT_EQ(SerialPort::Open(slavePath), nullptr);
  first.reset();
  EXPECT_NE(SerialPort::Open(ResolveComPort(3)), nullptr);
}

TEST_F(PtyPortTest, MissingDeviceAndNonTerminalAreRefused) {
  EXPECT_EQ(SerialPort::Open((dir / "COM9").string()), nullptr);
  const fs::path plain = dir / "plain";
  { std::ofstream(plain) << "x"; }
  EXPECT_EQ(SerialPort::Open(plain.string()), nullptr);
}

TEST_F(PtyPortTest, BytesCrossRawInBothDirections) {
  auto port = SerialPort::Open(slavePath);
  ASSERT_NE(port, nullptr);
  ASSERT_TRUE(port->Configure(9600));
  EXPECT_FALSE(port->Configure(1234));
  // Every byte value passes unchanged: no echo, no line discipline, no flow control characters.
  std::vector<std::uint8_t> all(256);
  for (int i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
  ASSERT_TRUE(port->Write(all.data(), all.size(), 500));
  std::vector<std::uint8_t> got;
  std::uint8_t buf[512];
  while (got.size() < 256) {
    const ssize_t n = read(master, buf, sizeof buf);
    ASSERT_GT(n, 0);
    got.insert(got.end(), buf, buf + n);
  }
  EXPECT_EQ(got, all);
  ASSERT_EQ(write(master, all.data(), all.size()), 256);
  got.clear();
  while (got.size() < 256) {
    const int n = port->Read(buf, sizeof buf, 500);
    ASSERT_GT(n, 0);
    got.insert(got.end(), buf, buf + n);
  }
  EXPECT_EQ(got, all);
}

TEST_F(PtyPortTest, ReadTimesOutPurgeDropsInputAndInterruptWakesAReader) {
  auto port = SerialPort::Open(slavePath);
  ASSERT_NE(port, nullptr);
  ASSERT_TRUE(port->Configure(9600));
  std::uint8_t buf[16];
  EXPECT_EQ(port->Read(buf, sizeof buf, 30), 0);
  ASSERT_EQ(write(master, "abc", 3), 3);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  port->Purge();
  EXPECT_EQ(port->Read(buf, sizeof buf, 30), 0);
  const auto t0 = std::chrono::steady_clock::now();
  std::thread waker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    port->Interrupt();
  });
  EXPECT_EQ(port->Read(buf, sizeof buf, 5000), 0);
  waker.join();
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));
}

TEST_F(PtyPortTest, WriteThatCannotGetOutInTimeFails) {
  auto port = SerialPort::Open(slavePath);
  ASSERT_NE(port, nullptr);
  ASSERT_TRUE(port->Configure(9600));
  // Nobody reads the other end: the terminal's queue fills and the rest never leaves.
  std::vector<std::uint8_t> flood(1 << 20, 0x55);
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_FALSE(port->Write(flood.data(), flood.size(), 100));
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));
}

TEST_F(PtyPortTest, VanishedOtherEndMakesReadsFailAtOnce) {
  auto port = SerialPort::Open(slavePath);
  ASSERT_NE(port, nullptr);
  ASSERT_TRUE(port->Configure(9600));
  close(master);
  master = -1;
  std::uint8_t buf[16];
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(port->Read(buf, sizeof buf, 1000), -1);
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(500));
}

}  // namespace
}  // namespace vorta::platform
