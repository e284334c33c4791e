// The port list: COM names of system devices and of ports/ links, their order, and what a link
// leads to.
#include "platform/port_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/temp_dir.h"

namespace vorta::platform {
namespace {

namespace fs = std::filesystem;

TEST(PortList, DevicesOfTheThreeFamiliesHaveTheirComNumbersAndOthersNone) {
  const struct {
    const char* device;
    int com;
  } cases[] = {{"/dev/ttyS0", 1},    {"/dev/ttyS15", 16},   {"/dev/ttyUSB0", 17}, {"/dev/ttyUSB15", 32},
               {"/dev/ttyACM0", 33}, {"/dev/ttyACM15", 48}, {"/dev/ttyS16", 0},   {"/dev/ttyUSB01", 0},
               {"/dev/ttyAMA0", 0},  {"/dev/ttyS", 0},      {"/dev/pts/3", 0},    {"/dev/ttyS1x", 0}};
  for (const auto& c : cases) EXPECT_EQ(ComNumberOfDevice(c.device), c.com) << c.device;
}

TEST(PortList, OnlyPlainComNamesAreComNames) {
  const struct {
    const char* name;
    int n;
  } cases[] = {{"COM1", 1}, {"COM10", 10}, {"COM65535", 65535}, {"COM0", 0},  {"COM01", 0},
               {"COM", 0},  {"com1", 0},   {"COM65536", 0},     {"COM1a", 0}, {"COM-1", 0}};
  for (const auto& c : cases) EXPECT_EQ(ComNumberOfName(c.name), c.n) << c.name;
}

TEST(PortList, LinksWinTheirNameAndEverythingIsInComOrder) {
  testing::TempDir dir;
  const fs::path ports = dir / "ports";
  fs::create_directory(ports);
  std::ofstream(dir / "adapter") << "x";
  fs::create_symlink(dir / "adapter", ports / "COM17");
  fs::create_symlink("/dev/pts/4", ports / "COM2");
  fs::create_symlink(dir / "gone", ports / "COM10");
  fs::create_symlink(dir / "adapter", ports / "notes");
  const std::vector<TSystemPort> system{{"/dev/ttyAMA0", "built-in"},
                                        {"/dev/ttyUSB0", "FTDI FT232R"},
                                        {"/dev/ttyS0", "built-in"},
                                        {(dir / "adapter").string(), "USB adapter"}};
  const std::vector<TPortEntry> list = ListPorts(system, ports.string());
  ASSERT_EQ(list.size(), 5u);
  EXPECT_EQ(list[0].com, 1);
  EXPECT_EQ(list[0].device, "/dev/ttyS0");
  EXPECT_EQ(list[1].com, 2);
  EXPECT_EQ(list[1].device, "/dev/pts/4");
  EXPECT_TRUE(list[1].link);
  EXPECT_EQ(list[2].com, 10);
  EXPECT_EQ(list[2].description, "missing");
  EXPECT_EQ(list[3].com, 17);  // the link, not /dev/ttyUSB0
  EXPECT_TRUE(list[3].link);
  EXPECT_EQ(list[3].description, "USB adapter");
  EXPECT_EQ(list[4].com, 0);
  EXPECT_EQ(list[4].device, "/dev/ttyAMA0");
  EXPECT_EQ(ComName(list[2].com), "COM10");
}

TEST(PortList, AMissingPortsFolderListsTheSystemPortsAlone) {
  const std::vector<TPortEntry> list = ListPorts({{"/dev/ttyUSB1", "x"}}, "/nonexistent/ports");
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].com, 18);
  EXPECT_FALSE(list[0].link);
}

}  // namespace
}  // namespace vorta::platform
