// The real serial port on a pseudo-terminal: port names through ports/ links and the program
// folder, exclusive open, raw reads and writes, time-outs, interruption, and a vanished far end.
#include "platform/serial_port.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include "platform/port_names.h"
#include "platform/program_dir.h"
#include "tests/support/temp_dir.h"

namespace vorta::platform {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

using vorta::testing::kPatientMs;
using vorta::testing::TempDir;
using vorta::testing::WaitUntil;

// Gathers n bytes from source(buf, max), which gives how many it read, or 0 or less at the end.
template <typename F>
std::vector<std::uint8_t> Gather(std::size_t n, F source) {
  std::vector<std::uint8_t> got;
  std::uint8_t buf[512];
  for (int r = 1; got.size() < n && r > 0;)
    if ((r = source(buf, sizeof buf)) > 0) got.insert(got.end(), buf, buf + r);
  return got;
}

class SerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    slavePath = name;
  }
  void TearDown() override {
    SetPortsDir("");
    SetProgramDir("");
    if (master >= 0) close(master);
    if (slave >= 0) close(slave);
  }
  std::unique_ptr<SerialPort> OpenConfigured() {
    auto port = SerialPort::Open(slavePath);
    if (port && !port->Configure(9600)) port.reset();
    return port;
  }

  TempDir dir;
  int master = -1, slave = -1;
  std::string slavePath;
};

TEST_F(SerialPortTest, ComNumbersNameLinksInThePortsFolderOrTheDeviceFamilies) {
  SetProgramDir(dir.Path().string());
  EXPECT_EQ(PortsDir(), (dir.Path() / "ports").string());
  fs::create_directory(dir.Path() / "ports");
  fs::create_symlink(slavePath, dir.Path() / "ports/COM1");
  EXPECT_EQ(ResolveComPort(1), (dir.Path() / "ports/COM1").string());
  const int numbers[] = {2, 16, 17, 32, 33, 48, 49, 0};
  const char* devices[] = {
      "/dev/ttyS1", "/dev/ttyS15", "/dev/ttyUSB0", "/dev/ttyUSB15", "/dev/ttyACM0", "/dev/ttyACM15", "", ""};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(ResolveComPort(numbers[i]), devices[i]) << numbers[i];
  SetPortsDir((dir.Path() / "elsewhere").string());
  EXPECT_EQ(ResolveComPort(1), "/dev/ttyS0");
  SetPortsDir("");
  SetProgramDir("");
  EXPECT_TRUE(fs::exists(fs::path(ProgramDir()) / "test_platform_serial"));  // where this program runs
  EXPECT_EQ(PortsDir(), ProgramDir() + "/ports");
}

TEST_F(SerialPortTest, OpenRefusesMissingDevicesNonTerminalsAndHeldPorts) {
  EXPECT_EQ(SerialPort::Open((dir.Path() / "COM9").string()), nullptr);
  std::ofstream(dir.Path() / "plain") << "x";
  EXPECT_EQ(SerialPort::Open((dir.Path() / "plain").string()), nullptr);
  fs::create_symlink(slavePath, dir.Path() / "COM3");
  auto first = SerialPort::Open((dir.Path() / "COM3").string());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(SerialPort::Open((dir.Path() / "COM3").string()), nullptr);
  EXPECT_EQ(SerialPort::Open(slavePath), nullptr);
  first.reset();
  EXPECT_NE(SerialPort::Open(slavePath), nullptr);
}

TEST_F(SerialPortTest, EveryByteValueCrossesRawInBothDirections) {
  auto port = OpenConfigured();
  ASSERT_NE(port, nullptr);
  EXPECT_FALSE(port->Configure(1234));
  // No echo, no line discipline, no flow control characters.
  std::vector<std::uint8_t> all(256);
  for (int i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
  ASSERT_TRUE(port->Write(all.data(), all.size(), kPatientMs));
  EXPECT_EQ(Gather(256,
                   [&](std::uint8_t* buf, std::size_t max) {
                     pollfd p{master, POLLIN, 0};
                     return poll(&p, 1, kPatientMs) > 0 ? static_cast<int>(read(master, buf, max)) : 0;
                   }),
            all);
  ASSERT_EQ(write(master, all.data(), all.size()), 256);
  EXPECT_EQ(Gather(256, [&](std::uint8_t* buf, std::size_t max) { return port->Read(buf, max, kPatientMs); }),
            all);
}

TEST_F(SerialPortTest, ReadWaitsItsTimeOutOrAnInterruptionPurgeDropsInputAndAGoneFarEndFailsAReadAtOnce) {
  auto port = OpenConfigured();
  ASSERT_NE(port, nullptr);
  std::uint8_t buf[16];
  const auto start = Clock::now();
  EXPECT_EQ(port->Read(buf, sizeof buf, 30), 0);
  EXPECT_GE(Ms(Clock::now() - start).count(), 25.0);  // less the rounding to whole milliseconds
  ASSERT_EQ(write(master, "abc", 3), 3);
  ASSERT_TRUE(WaitUntil([&] {  // the bytes have arrived
    int waiting = 0;
    return ioctl(slave, FIONREAD, &waiting) == 0 && waiting == 3;
  }));
  port->Purge();
  EXPECT_EQ(port->Read(buf, sizeof buf, 30), 0);
  // A reader that an interruption does not wake gets the byte written after a long wait instead.
  std::promise<void> readerBack;
  std::thread waker([&, back = readerBack.get_future()] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    port->Interrupt();
    if (back.wait_for(std::chrono::milliseconds(kPatientMs)) != std::future_status::ready) [[maybe_unused]]
      ssize_t n = write(master, "x", 1);
  });
  EXPECT_EQ(port->Read(buf, sizeof buf, 10 * kPatientMs), 0);
  readerBack.set_value();
  waker.join();
  ASSERT_EQ(write(master, "z", 1), 1);
  EXPECT_EQ(port->Read(buf, sizeof buf, kPatientMs), 1);  // the interruption was used up
  EXPECT_EQ(buf[0], 'z');
  close(master);
  master = -1;
  EXPECT_EQ(port->Read(buf, sizeof buf, kPatientMs), -1);
}

TEST_F(SerialPortTest, WriteThatCannotGetOutFailsAfterItsTimeOut) {
  auto port = OpenConfigured();
  ASSERT_NE(port, nullptr);
  // Nobody reads the far end: the terminal's queue fills and the rest never leaves.
  std::vector<std::uint8_t> flood(1 << 20, 0x55);
  const auto start = Clock::now();
  EXPECT_FALSE(port->Write(flood.data(), flood.size(), 100));
  EXPECT_GE(Ms(Clock::now() - start).count(), 90.0);  // less the rounding to whole milliseconds
}

}  // namespace
}  // namespace vorta::platform
