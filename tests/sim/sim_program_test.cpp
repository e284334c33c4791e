// The vorta-sim program as a second process: --help, the ports/ link, driving it through its
// standard input and its control FIFO, and the memory file it leaves behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "sim/sim_knobs.h"
#include "tests/sim/pty_host.h"

extern char** environ;

namespace vorta::sim::test {
namespace {

namespace fs = std::filesystem;

const fs::path kProgram = VORTA_SIM_PROGRAM;

// vorta-sim running as a child with a pipe on its standard input.
class TChild {
 public:
  explicit TChild(std::vector<std::string> args) {
    int fds[2];
    if (pipe(fds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], 0);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    args.insert(args.begin(), kProgram.string());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, kProgram.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[0]);
    stdin_ = fds[1];
  }
  ~TChild() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (stdin_ >= 0) close(stdin_);
  }
  bool Started() const { return pid_ > 0; }
  void Say(const std::string& line) { [[maybe_unused]] ssize_t n = write(stdin_, line.data(), line.size()); }
  // Exit status, or -1 when it did not end within two seconds.
  int Wait() {
    for (int i = 0; i < 200; ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
      }
      usleep(10000);
    }
    return -1;
  }
  void Signal(int sig) { kill(pid_, sig); }

 private:
  pid_t pid_ = -1;
  int stdin_ = -1;
};

bool WaitFor(const fs::path& p) {
  for (int i = 0; i < 300; ++i) {
    if (fs::exists(p)) return true;
    usleep(10000);
  }
  return false;
}

fs::path TempPath(const char* name) {
  return fs::temp_directory_path() / (std::string(name) + "-" + std::to_string(getpid()));
}

TEST(SimProgram, HelpNamesEveryKnobAndSetting) {
  std::FILE* p = popen((kProgram.string() + " --help").c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string text;
  char buf[512];
  while (std::fgets(buf, sizeof buf, p)) text += buf;
  EXPECT_EQ(pclose(p), 0);
  for (const std::string& line : DescribeKnobs(TFaultKnobs{}))
    EXPECT_NE(text.find("--" + line.substr(0, line.find(' '))), std::string::npos) << line;
  for (const std::string& line : DescribeSignal(TSignalSettings{}))
    EXPECT_NE(text.find("--" + line.substr(0, line.find(' '))), std::string::npos) << line;
  for (const char* option : {"--port", "--model", "--memory", "--verbose", "--control"})
    EXPECT_NE(text.find(option), std::string::npos) << option;
}

TEST(SimProgram, BadOptionIsRefused) {
  TChild child({"--model", "55"});
  ASSERT_TRUE(child.Started());
  EXPECT_EQ(child.Wait(), 2);
}

TEST(SimProgram, PortLinkServesDrivesAndKeepsMemory) {
  const fs::path link = kProgram.parent_path() / "ports" / "COM96";
  const fs::path memory = TempPath("vorta-sim-program.mem");
  fs::remove(memory);
  TChild child({"--port", "COM96", "--model", "60", "--memory", memory.string(), "--no-control", "--noise",
                "0", "--drift", "0"});
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(WaitFor(link));
  {
    TPtyHost host(link.string());
    ASSERT_TRUE(host.Open());
    ASSERT_TRUE(host.Exchange({'D', 2, 0x00, 0x80, 'O', 'K'}).data.has_value());
    child.Say("level 80\n");
    usleep(200000);
    const TExchange x = host.Exchange({'m', 0x20});
    ASSERT_TRUE(x.data.has_value());
    EXPECT_NEAR(HostFloat(*x.data, 2), 80.0, 1e-3);
    EXPECT_EQ((*x.data)[9] & 0x0F, 6);  // model 60
  }
  child.Say("quit\n");
  EXPECT_EQ(child.Wait(), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
  TSimMemory kept;
  ASSERT_TRUE(kept.Load(memory.string()));
  EXPECT_EQ(kept.Byte(0x080), 'O');
  EXPECT_EQ(kept.ModelCode(), 60);
  fs::remove(memory);
}

TEST(SimProgram, ControlFifoAndTerminationSignal) {
  const fs::path link = kProgram.parent_path() / "ports" / "COM95";
  const fs::path fifo = TempPath("vorta-sim-program.ctl");
  const fs::path memory = TempPath("vorta-sim-program95.mem");
  TChild child({"--port", "COM95", "--memory", memory.string(), "--control", fifo.string()});
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(WaitFor(link));
  ASSERT_TRUE(WaitFor(fifo));
  { std::ofstream(fifo) << "silent on\n"; }
  usleep(200000);
  {
    TPtyHost host(link.string());
    EXPECT_FALSE(host.Exchange({'m', 0x20}, 200).data.has_value());
    { std::ofstream(fifo) << "clear\n"; }
    usleep(200000);
    EXPECT_TRUE(host.Exchange({'m', 0x20}).data.has_value());
  }
  child.Signal(SIGTERM);
  EXPECT_EQ(child.Wait(), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
  EXPECT_FALSE(fs::exists(fs::symlink_status(fifo)));
  fs::remove(memory);
}

}  // namespace
}  // namespace vorta::sim::test
