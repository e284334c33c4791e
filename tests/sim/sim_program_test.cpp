// The vorta-sim program as a second process, copied into a folder of the test's own so that its
// ports/ link, memory file and control FIFO land there: --help, refused options, serving the link,
// driving it through its standard input and its control FIFO, the trace, and what it leaves behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <vector>

#include "sim/sim_knobs.h"
#include "sim/sim_memory.h"
#include "tests/support/temp_dir.h"
#include "tests/sim/host_frames.h"

extern char** environ;

namespace vorta::sim::test {
namespace {

using vorta::testing::kPatientMs;
using vorta::testing::TempDir;
using vorta::testing::WaitUntil;
namespace fs = std::filesystem;

// vorta-sim started from a copy in folder, with a pipe on its standard input and its standard
// output going to a file there.
class TChild {
 public:
  TChild(const fs::path& folder, std::vector<std::string> args) : out_(folder / "vorta-sim.out") {
    const fs::path program = folder / "vorta-sim";
    if (!fs::exists(program)) fs::copy_file(VORTA_SIM_PROGRAM, program);
    int in[2];
    if (pipe2(in, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_addopen(&actions, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    args.insert(args.begin(), program.string());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    stdin_ = in[1];
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
  void Signal(int sig) { kill(pid_, sig); }
  std::string Output() const {
    std::ifstream in(out_);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  bool Printed(const std::string& text) const {
    return WaitUntil([&] { return Output().find(text) != std::string::npos; });
  }
  // Exit status once the program has ended; -1 when it runs on.
  int Wait() {
    int status = 0;
    if (pid_ <= 0 || !WaitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; })) return -1;
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
  }

 private:
  fs::path out_;
  pid_t pid_ = -1;
  int stdin_ = -1;
};

TEST(SimProgram, HelpNamesEveryOptionKnobSettingAndControlCommand) {
  TempDir dir;
  TChild child(dir.Path(), {"--help"});
  ASSERT_TRUE(child.Started());
  EXPECT_EQ(child.Wait(), 0);
  std::vector<std::string> wanted{
      "--port ",           "--model ", "--memory ", "--control ", "--no-control ", "--seed ",    "--verbose ",
      "  set NAME VALUE ", "  clear ", "  status ", "  save ",    "  disconnect ", "  connect ", "  quit "};
  for (const auto& lines : {DescribeKnobs({}), DescribeSignal({})})
    for (const std::string& line : lines) wanted.push_back("--" + line.substr(0, line.find(' ') + 1));
  const std::string help = child.Output();
  for (const std::string& w : wanted) EXPECT_NE(help.find(w), std::string::npos) << w;
}

TEST(SimProgram, OptionsItCannotUseAndAPortNameTakenByAFileAreRefused) {
  TempDir dir;
  const std::vector<std::vector<std::string>> refused{{"--model", "55"}, {"--port", "COM100"},
                                                      {"--lose", "2"},   {"--seed", "-1"},
                                                      {"--frobnicate"},  {"--memory"}};
  for (const std::vector<std::string>& args : refused) {
    TChild child(dir.Path(), args);
    ASSERT_TRUE(child.Started());
    EXPECT_EQ(child.Wait(), 2) << args[0];
  }
  fs::create_directory(dir / "ports");
  std::ofstream(dir / "ports/COM94") << "x";
  TChild blocked(dir.Path(), {"--port", "COM94"});
  ASSERT_TRUE(blocked.Started());
  EXPECT_EQ(blocked.Wait(), 1);
  EXPECT_TRUE(fs::is_regular_file(dir / "ports/COM94"));  // the link never replaces a file
}

TEST(SimProgram, ServesItsPortLinkDrivenFromStandardInputAndKeepsTheMemory) {
  TempDir dir;
  const fs::path link = dir / "ports/COM96";
  fs::create_directory(dir / "ports");
  fs::create_symlink(dir / "gone", link);  // left behind by a run that crashed
  TChild child(dir.Path(), {"--port", "COM96", "--model", "60", "--no-control", "--verbose", "--noise", "0",
                            "--drift", "0"});
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(child.Printed("COM96 -> "));
  {
    auto host = OpenHost(link.string());
    ASSERT_NE(host, nullptr);
    ASSERT_TRUE(Exchange(*host, {'D', 2, 0x00, 0x80, 'O', 'K'}, kPatientMs).data.has_value());
    child.Say("level 80\n");
    ASSERT_TRUE(child.Printed("level 80"));
    const TExchange x = Exchange(*host, {'m', 0x20}, kPatientMs);
    ASSERT_TRUE(x.data.has_value());
    EXPECT_NEAR(HostFloat(*x.data, 2), 80.0, 1e-3);
    EXPECT_EQ((*x.data)[9] & 0x0F, 6);  // model 60
  }
  EXPECT_TRUE(child.Printed("<- 44 02 00 80 4F 4B"));  // the trace of every frame
  EXPECT_TRUE(child.Printed("-> C0 03 44 00 80 "));
  child.Say("quit\n");
  EXPECT_EQ(child.Wait(), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
  TSimMemory kept;
  ASSERT_TRUE(kept.Load((dir / "vorta-sim-COM96.mem").string()));  // beside the program by default
  EXPECT_EQ(kept.Byte(0x080), 'O');
  EXPECT_EQ(kept.ModelCode(), 60);
}

TEST(SimProgram, ControlFifoDrivesKnobsAndTheLineAndTerminationSavesTheMemory) {
  TempDir dir;
  const fs::path link = dir / "ports/COM95", fifo = dir / "vorta-sim-COM95.ctl";
  TChild child(dir.Path(), {"--port", "COM95"});
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(child.Printed("control FIFO "));
  ASSERT_TRUE(fs::is_fifo(fifo));                  // beside the program by default
  const auto say = [&](const std::string& line) {  // never waits for a reader that is gone
    const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    const bool said = fd >= 0 && write(fd, (line + "\n").data(), line.size() + 1) == ssize_t(line.size() + 1);
    if (fd >= 0) close(fd);
    return said;
  };
  {
    auto host = OpenHost(link.string());
    ASSERT_NE(host, nullptr);
    ASSERT_TRUE(say("silent on"));
    ASSERT_TRUE(child.Printed("silent on"));
    EXPECT_FALSE(Exchange(*host, {'m', 0x20}, kQuietMs).data.has_value());
    ASSERT_TRUE(say("clear"));
    ASSERT_TRUE(child.Printed("all faults off"));
    EXPECT_TRUE(Exchange(*host, {'m', 0x20}, kPatientMs).data.has_value());
  }
  ASSERT_TRUE(say("disconnect"));
  EXPECT_TRUE(WaitUntil([&] { return !fs::exists(fs::symlink_status(link)); }));
  ASSERT_TRUE(say("connect"));
  ASSERT_TRUE(WaitUntil([&] { return fs::is_symlink(link); }));
  {
    auto host = OpenHost(link.string());
    ASSERT_NE(host, nullptr);
    EXPECT_TRUE(Exchange(*host, {'s', 0x80, 0, 0}, kPatientMs).data.has_value());
  }
  child.Signal(SIGTERM);
  EXPECT_EQ(child.Wait(), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
  EXPECT_FALSE(fs::exists(fs::symlink_status(fifo)));
  EXPECT_TRUE(TSimMemory().Load((dir / "vorta-sim-COM95.mem").string()));
}

}  // namespace
}  // namespace vorta::sim::test
