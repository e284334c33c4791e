// Why a port does not open (missing, permission with the owning group, held by another program,
// no serial port), the seam over open's error, and a port whose far end vanished.
#include "platform/port_trouble.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "platform/port_links.h"
#include "platform/serial_port.h"
#include "tests/support/temp_dir.h"

namespace vorta::platform {
namespace {

using vorta::testing::TempDir;

class PortTroubleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    ptyPath = name;
  }
  void TearDown() override {
    SetOpenErrorHook({});
    if (master >= 0) close(master);
    if (slave >= 0) close(slave);
  }
  int master = -1, slave = -1;
  std::string ptyPath;
  TempDir dir;
};

TEST_F(PortTroubleTest, AMissingDeviceIsToldApart) {
  TPortOpenError why;
  EXPECT_EQ(SerialPort::Open(dir.File("ttyUSB7"), &why), nullptr);
  EXPECT_EQ(why.trouble, PortTrouble::kMissing);
  EXPECT_EQ(why.error, ENOENT);
  EXPECT_EQ(why.path, dir.File("ttyUSB7"));
}

TEST_F(PortTroubleTest, AFileThatIsNoTerminalIsNoSerialPort) {
  std::ofstream(dir.File("plain")) << "x";
  TPortOpenError why;
  EXPECT_EQ(SerialPort::Open(dir.File("plain"), &why), nullptr);
  EXPECT_EQ(why.trouble, PortTrouble::kNotSerial);
}

TEST_F(PortTroubleTest, APortHeldByAnotherProgramIsBusy) {
  TPortOpenError why;
  auto first = SerialPort::Open(ptyPath, &why);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(why.trouble, PortTrouble::kNone);
  EXPECT_EQ(SerialPort::Open(ptyPath, &why), nullptr);
  EXPECT_EQ(why.trouble, PortTrouble::kBusy);
}

TEST_F(PortTroubleTest, RefusedPermissionNamesTheGroupThatOwnsTheDevice) {
  // A device without permission for the user, as a non-root user meets it: open's error comes
  // from the seam, the group from the device file itself.
  SetOpenErrorHook([this](const std::string& path) { return path == ptyPath ? EACCES : 0; });
  TPortOpenError why;
  EXPECT_EQ(SerialPort::Open(ptyPath, &why), nullptr);
  EXPECT_EQ(why.trouble, PortTrouble::kPermission);
  struct stat st {};
  ASSERT_EQ(stat(ptyPath.c_str(), &st), 0);
  const group* g = getgrgid(st.st_gid);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(why.group, g->gr_name);
  SetOpenErrorHook({});
  EXPECT_NE(SerialPort::Open(ptyPath, &why), nullptr);
}

TEST_F(PortTroubleTest, AVanishedFarEndMakesThePortGoneButSilenceDoesNot) {
  auto port = SerialPort::Open(ptyPath);
  ASSERT_NE(port, nullptr);
  ASSERT_TRUE(port->Configure(9600));
  std::uint8_t buf[16];
  EXPECT_EQ(port->Read(buf, sizeof buf, 20), 0);  // nothing came: a silent transmitter
  EXPECT_FALSE(port->Gone());
  close(master);
  master = -1;
  close(slave);  // only the port's own descriptor is left on the slave
  slave = -1;
  EXPECT_EQ(port->Read(buf, sizeof buf, 1000), -1);
  EXPECT_TRUE(port->Gone());
}

TEST_F(PortTroubleTest, LinksAreListedWithTheDeviceBehindThem) {
  ASSERT_EQ(symlink(ptyPath.c_str(), dir.File("COM3").c_str()), 0);
  ASSERT_EQ(symlink("/nowhere/ttyX", dir.File("COM4").c_str()), 0);
  std::ofstream(dir.File("notes.txt")) << "x";
  auto links = ListPortLinks(dir.Path().string());
  std::sort(links.begin(), links.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0].name, "COM3");
  EXPECT_EQ(links[0].target, ptyPath);
  EXPECT_EQ(links[1].target, "/nowhere/ttyX");  // a dangling link still says where it pointed
  EXPECT_TRUE(ListPortLinks(dir.File("none")).empty());
}

}  // namespace
}  // namespace vorta::platform
