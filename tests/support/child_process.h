// A program run as a second process for tests: started from a copy in a folder of the test's own
// (so that everything it keeps beside itself lands there), its standard output and error going to
// files there, killed when the test ends however it ends.
//
//   ChildProcess cli(dir, VORTA_CLI_PROGRAM, "vorta-cli", {"read", "--port", "COM1"});
//   EXPECT_EQ(cli.Wait(), 0);
//   cli.Output(); cli.Errors(); cli.Signal(SIGINT);
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

extern char** environ;

namespace vorta::testing {

class ChildProcess {
 public:
  ChildProcess(const std::filesystem::path& folder, const std::string& original, const std::string& name,
               std::vector<std::string> args)
      : id_(NextId()),
        out_(folder / (name + "." + std::to_string(id_) + ".out")),
        err_(folder / (name + "." + std::to_string(id_) + ".err")) {
    namespace fs = std::filesystem;
    const fs::path program = folder / name;
    std::error_code ec;
    if (!fs::exists(program)) fs::copy_file(original, program, ec);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    args.insert(args.begin(), program.string());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~ChildProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return pid_ > 0; }
  void Signal(int sig) const { kill(pid_, sig); }
  std::string Output() const { return Read(out_); }
  std::string Errors() const { return Read(err_); }
  // Waits until the standard output holds text; false when it never does.
  bool Printed(const std::string& text) const {
    return WaitUntil([&] { return Output().find(text) != std::string::npos; });
  }
  // The exit status once the program has ended (128 + the signal that ended it); -1 when it runs on.
  int Wait() {
    int status = 0;
    if (pid_ <= 0 || !WaitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; })) return -1;
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

 private:
  static int NextId() {
    static int n = 0;
    return ++n;
  }
  static std::string Read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  int id_;  // first: the file names take it
  std::filesystem::path out_, err_;
  pid_t pid_ = -1;
};

}  // namespace vorta::testing
