// The port list of the port dialog and vorta-cli (COM names, numeric order, links over devices, the
// ports/ folder), the lines that say why a port would not open, and a line that failed beneath the
// program.
#include "comm/port_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "comm/comm_state.h"
#include "comm/polling.h"
#include "comm/protocol.h"
#include "tests/comm/fake_line.h"
#include "tests/support/temp_dir.h"

namespace vorta::comm {
namespace {

using platform::PortTrouble;
using platform::TPortLinkInfo;

std::vector<std::string> Names(const std::vector<TPortEntry>& list) {
  std::vector<std::string> names;
  for (const TPortEntry& e : list) names.push_back(e.name);
  return names;
}

TEST(Ports, ComNamesReadEveryDigitAndNothingElse) {
  const std::pair<const char*, int> cases[] = {
      {"COM1", 1}, {"COM10", 10}, {"COM123", 123}, {"COM65535", 65535}, {"COM65536", 0},  {"COM0", 0},
      {"COM", 0},  {"COM 1", 0},  {"COM12a", 0},   {"com1", 0},         {"COM123456", 0}, {"XCOM1", 0},
  };
  for (const auto& [name, number] : cases) EXPECT_EQ(ComNumberOf(name), number) << name;
}

TEST(Ports, DevicesGetTheComNumbersOfTheirFamily) {
  const std::pair<const char*, int> cases[] = {
      {"/dev/ttyS0", 1},     {"/dev/ttyS15", 16},  {"/dev/ttyS16", 0},    {"/dev/ttyUSB0", 17},
      {"/dev/ttyUSB15", 32}, {"/dev/ttyACM0", 33}, {"/dev/ttyACM15", 48}, {"/dev/ttyAMA0", 0},
      {"/dev/ttyUSB", 0},    {"/dev/ttyUSB1x", 0},
  };
  for (const auto& [path, number] : cases) EXPECT_EQ(ComNumberOfDevice(path), number) << path;
}

TEST(Ports, ListIsInNumericOrderWithLinksWinningOverDevices) {
  const std::vector<TPortDevice> devices = {
      {"/dev/ttyS1", "", "", false},
      {"/dev/ttyUSB0", "FTDI", "FT232R USB UART", true},
      {"/dev/ttyS0", "", "", false},
      {"/dev/ttyAMA0", "", "", false},  // no COM name: not offered
  };
  const std::vector<TPortLinkInfo> links = {
      {"COM123", "/dev/pts/9"}, {"COM10", "/dev/pts/4"}, {"COM1", "/dev/pts/3"}, {"COMx", "/dev/pts/5"}};
  const std::vector<TPortEntry> list = BuildPortList(devices, links);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"COM1", "COM2", "COM10", "COM17", "COM123"}));
  EXPECT_EQ(list[0].path, "/dev/pts/3");  // the link, not /dev/ttyS0
  EXPECT_EQ(PortEntryText(list[0]), "COM1  /dev/pts/3  link in ports/");
  EXPECT_EQ(PortEntryText(list[1]), "COM2  /dev/ttyS1  built-in");
  EXPECT_EQ(PortEntryText(list[3]), "COM17  /dev/ttyUSB0  FTDI FT232R USB UART");
}

TEST(Ports, LinksOfThePortsFolderStayListedWhenTheirDeviceIsGone) {
  vorta::testing::TempDir dir;
  const std::filesystem::path ports = dir / "ports";
  std::filesystem::create_directory(ports);
  std::filesystem::create_symlink(dir / "gone", ports / "COM10");  // a simulator that did not tidy up
  std::filesystem::create_symlink("/dev/null", ports / "COM2");
  std::filesystem::create_symlink("/dev/null", ports / "notes");
  const std::vector<TPortEntry> list =
      BuildPortList({{"/dev/ttyS1", "", "", false}}, platform::ListPortLinks(ports.string()));
  ASSERT_EQ(Names(list), (std::vector<std::string>{"COM2", "COM10"}));  // the link, not /dev/ttyS1
  EXPECT_TRUE(list[0].link);
  EXPECT_EQ(PortEntryText(list[1]), "COM10  " + (dir / "gone").string() + "  link in ports/");
  // Without a ports folder the devices are listed alone.
  const std::vector<TPortEntry> alone =
      BuildPortList({{"/dev/ttyUSB1", "", "", true}}, platform::ListPortLinks((dir / "none").string()));
  ASSERT_EQ(alone.size(), 1u);
  EXPECT_EQ(PortEntryText(alone[0]), "COM18  /dev/ttyUSB1  USB");
  EXPECT_FALSE(alone[0].link);
}

TEST(Ports, PortsAreFoundByTheirWholeNumber) {
  const std::vector<TPortEntry> list = BuildPortList({}, {{"COM44", "a"}, {"COM12", "b"}, {"COM300", "c"}});
  EXPECT_EQ(PortIndexOf(list, 300), 2);   // not COM44, whose number has the low byte of 300
  EXPECT_EQ(PortIndexOf(list, 123), -1);  // not COM12, which "COM123" cut to two digits would be
  EXPECT_EQ(PortIndexOf(list, 12), 0);
  EXPECT_EQ(PortInUseText(17, "/dev/ttyUSB0"), "COM17 /dev/ttyUSB0");
}

TEST(Ports, EveryTroubleHasItsOwnLine) {
  using platform::TPortOpenError;
  EXPECT_EQ(PortTroubleLine({PortTrouble::kNone, 0, "/dev/x", ""}).key, "");
  EXPECT_EQ(PortTroubleLine({PortTrouble::kMissing, 2, "/dev/x", ""}).key, "The device %s does not exist");
  const TTroubleLine denied = PortTroubleLine({PortTrouble::kPermission, 13, "/dev/ttyUSB0", "dialout"});
  EXPECT_EQ(denied.key, "Permission denied on %s (group %g): sudo usermod -aG %g $USER, then log in again");
  EXPECT_EQ(denied.group, "dialout");
  EXPECT_EQ(denied.path, "/dev/ttyUSB0");
  EXPECT_EQ(PortTroubleLine({PortTrouble::kPermission, 13, "/dev/x", ""}).key, "Permission denied on %s");
  EXPECT_EQ(PortTroubleLine({PortTrouble::kBusy, 16, "/dev/x", ""}).key, "%s is held by another program");
  EXPECT_EQ(PortTroubleLine({PortTrouble::kNotSerial, 25, "/dev/x", ""}).key, "%s is not a serial port");
}

TEST(Ports, AFailedLineIsToldAndNotTriedAgainByDirectCommands) {
  ResetComm();
  SetReplyTimeoutMs(30000);
  auto control = std::make_shared<testing::TFakeLineControl>();
  ASSERT_TRUE(OpenLineOn(std::make_unique<testing::TFakeLine>(control), 4));
  ASSERT_TRUE(StopPolling());
  EXPECT_FALSE(LineGone());
  EXPECT_TRUE(DirectCommand('@', 0));
  const std::size_t before = control->Locked([](testing::TFakeLineControl& c) { return c.attempts.size(); });
  control->Locked([](testing::TFakeLineControl& c) { c.gone = true; });
  EXPECT_TRUE(LineGone());
  EXPECT_FALSE(DirectCommand('@', 0));
  // A line that has failed itself is not written to: five attempts would only wait out their time.
  EXPECT_EQ(control->Locked([](testing::TFakeLineControl& c) { return c.attempts.size(); }), before);
  EXPECT_TRUE(CloseLine());
  EXPECT_FALSE(LineGone());
  ResetComm();
  SetReplyTimeoutMs(0);
}

TEST(Ports, APortWithoutDeviceOrLinkIsReportedMissing) {
  ResetComm();
  platform::TPortOpenError why;
  EXPECT_FALSE(OpenLine(60, 4, &why));  // COM60 has no device family and no link
  EXPECT_EQ(why.trouble, PortTrouble::kMissing);
  EXPECT_NE(why.path.find("COM60"), std::string::npos);
  EXPECT_FALSE(LineOpen());
}

}  // namespace
}  // namespace vorta::comm
