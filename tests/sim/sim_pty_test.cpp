// The simulated transmitter on a real pseudo-terminal: termios path, baud rate taken from the
// host's settings, the port link, and the disconnect knob.
#include "sim/sim_pty.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "tests/sim/pty_host.h"

namespace vorta::sim::test {
namespace {

namespace fs = std::filesystem;

fs::path TempDir() {
  std::string tmpl = (fs::temp_directory_path() / "vorta-sim-test-XXXXXX").string();
  return mkdtemp(tmpl.data()) ? fs::path(tmpl) : fs::temp_directory_path();
}

TEST(SimPty, AnswersMeasureOverPseudoTerminal) {
  TSimTransmitter tx;
  tx.SetLevel(75.0);
  TSimPty pty(tx);
  ASSERT_TRUE(pty.Start());
  TPtyHost host(pty.SlavePath());
  ASSERT_TRUE(host.Open());
  const TExchange x = host.Exchange({'m', 0x20});
  EXPECT_TRUE(x.echoOk);
  ASSERT_TRUE(x.data.has_value());
  EXPECT_NEAR(HostFloat(*x.data, 2), 75.0, 1e-4);
  EXPECT_EQ((*x.data)[6] << 8 | (*x.data)[7], 9216 + 16 * 2000);
}

TEST(SimPty, TakesBaudRateFromHostSettings) {
  TSimTransmitter tx;
  TSimPty pty(tx);
  ASSERT_TRUE(pty.Start());
  TPtyHost host(pty.SlavePath(), B1200);
  ASSERT_TRUE(host.Exchange({0xF3, 16, 0x00, 0x10}).data.has_value());
  EXPECT_EQ(pty.Baud(), 1200);
}

TEST(SimPty, LinkIsMadeAndRemoved) {
  const fs::path dir = TempDir();
  const fs::path link = dir / "COM7";
  TSimTransmitter tx;
  {
    TSimPty pty(tx);
    ASSERT_TRUE(pty.Start());
    ASSERT_TRUE(pty.MakeLink(link.string()));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link).string(), pty.SlavePath());
    TPtyHost host(link.string());
    EXPECT_TRUE(host.Exchange({'s', 0x80, 0, 0}).data.has_value());
  }
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
  fs::remove_all(dir);
}

TEST(SimPty, LinkNeverReplacesAFile) {
  const fs::path dir = TempDir();
  const fs::path file = dir / "COM8";
  {
    std::FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
  }
  TSimTransmitter tx;
  TSimPty pty(tx);
  ASSERT_TRUE(pty.Start());
  EXPECT_FALSE(pty.MakeLink(file.string()));
  EXPECT_TRUE(fs::is_regular_file(file));
  fs::remove_all(dir);
}

TEST(SimPty, DisconnectKnobClosesLineAfterReply) {
  const fs::path dir = TempDir();
  const fs::path link = dir / "COM5";
  TSimTransmitter tx;
  TSimPty pty(tx);
  ASSERT_TRUE(pty.Start());
  ASSERT_TRUE(pty.MakeLink(link.string()));
  ASSERT_TRUE(tx.SetKnob("disconnect-after", "2"));
  TPtyHost host(pty.SlavePath());
  EXPECT_TRUE(host.Exchange({'m', 0x20}).data.has_value());
  EXPECT_TRUE(host.Exchange({'m', 0x20}).data.has_value());
  EXPECT_TRUE(host.Gone());
  EXPECT_FALSE(host.Exchange({'m', 0x20}, 200).data.has_value());
  for (int i = 0; i < 50 && pty.Running(); ++i) usleep(10000);
  EXPECT_FALSE(pty.Running());
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
  fs::remove_all(dir);
}

TEST(SimPty, KnobsAndSignalChangeWhileTheHostPolls) {
  TSimTransmitter tx;
  TSimPty pty(tx);
  ASSERT_TRUE(pty.Start());
  int answered = 0;
  std::thread host([&] {
    TPtyHost h(pty.SlavePath());
    for (int i = 0; i < 30; ++i) answered += h.Exchange({'m', 0x20}, 100).data.has_value();
  });
  for (int i = 0; i < 30; ++i) {
    tx.SetLevel(10.0 + i);
    tx.SetKnob("lose", i % 2 ? "0.5" : "0");
    (void)tx.Stats();
    usleep(2000);
  }
  host.join();
  EXPECT_GT(answered, 0);
  EXPECT_EQ(tx.Stats().frames, 30);
}

}  // namespace
}  // namespace vorta::sim::test
