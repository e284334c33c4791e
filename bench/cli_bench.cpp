// vorta-cli write with its verify of a full configuration against the simulated transmitter on a
// pseudo-terminal at 9600 baud, as a ratio to the line time of the bytes that crossed the wire (the
// echo included) and to that time plus the pauses the protocol prescribes; and the start-up of the
// vorta-cli program (`vorta-cli --help` run to its end).
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli_run.h"
#include "cli/cli_session.h"
#include "comm/comm_state.h"
#include "comm/protocol.h"
#include "platform/serial_port.h"
#include "sim/sim_pty.h"
#include "sim/sim_transmitter.h"
#include "tests/cli/cli_fixture.h"
#include "tests/support/temp_dir.h"

extern char** environ;

namespace {

using namespace vorta;
using Clock = std::chrono::steady_clock;

constexpr double kCharMs = 10000.0 / 9600;
constexpr double kReadPauseMs = 4;  // two whole character times after every reply
// The sleeps of the transfer threads themselves: the first read, the write, the verify read.
constexpr double kThreadPausesMs = (5 + 100) + (5 + 50 + 100) + (5 + 100);

struct TCounters {
  std::atomic<long> bytesRead{0};
  std::atomic<long> frames{0};
};

class TCountingLine final : public platform::ISerialLine {
 public:
  TCountingLine(std::unique_ptr<platform::ISerialLine> inner, TCounters& c)
      : inner_(std::move(inner)), c_(c) {}
  bool Configure(int baud) override { return inner_->Configure(baud); }
  void Purge() override { inner_->Purge(); }
  bool Write(const std::uint8_t* d, std::size_t n, int t) override {
    ++c_.frames;
    return inner_->Write(d, n, t);
  }
  int Read(std::uint8_t* b, std::size_t m, int t) override {
    const int r = inner_->Read(b, m, t);
    if (r > 0) c_.bytesRead += r;
    return r;
  }
  void Interrupt() override { inner_->Interrupt(); }

 private:
  std::unique_ptr<platform::ISerialLine> inner_;
  TCounters& c_;
};

double MsSince(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

int WriteAndVerify(const sim::TSimPty& pty, TCounters& c) {
  vorta::testing::TempDir dir;
  const std::string file = dir.File("plant.par");
  std::ofstream(file, std::ios::binary) << cli::testing::KFile();
  std::ostringstream out, err;
  std::atomic<bool> interrupted{false};
  cli::TCliEnv env;
  env.out = &out;
  env.err = &err;
  env.settingsDir = env.programDir = env.workingDir = dir.Path().string();
  env.openLine = [&](int) {
    auto port = platform::SerialPort::Open(pty.SlavePath());
    return port && comm::OpenLineOn(std::make_unique<TCountingLine>(std::move(port), c), 4);
  };
  env.now = [] { return app::THistoryTime{2026, 12, 7, 15, 30, 0}; };
  env.interrupted = &interrupted;
  const auto t0 = Clock::now();
  const int code = cli::RunCli({"write", "--port", "COM1", file}, env);
  const double ms = MsSince(t0);
  comm::ResetComm();
  const double line = static_cast<double>(c.bytesRead) * kCharMs;
  const double pauses = kThreadPausesMs + kReadPauseMs * static_cast<double>(c.frames);
  std::printf("%-28s %s  %9.1f ms  line %8.1f ms  pauses %7.1f ms  ratio to line %.3f  to line+pauses %.3f\n",
              "write + verify", code == 0 ? "ok    " : "FAILED", ms, line, pauses, ms / line,
              ms / (line + pauses));
  return code;
}

void StartUp() {
  constexpr int kRuns = 20;
  std::string program = VORTA_CLI_PROGRAM;
  std::string help = "--help";
  char* argv[] = {program.data(), help.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  double total = 0, best = 1e9;
  for (int i = 0; i < kRuns; ++i) {
    pid_t pid = 0;
    const auto t0 = Clock::now();
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) != 0) break;
    waitpid(pid, nullptr, 0);
    const double ms = MsSince(t0);
    total += ms;
    best = std::min(best, ms);
  }
  posix_spawn_file_actions_destroy(&actions);
  std::printf("%-28s %9.1f ms mean, %.1f ms best of %d (goal < 50 ms)\n", "vorta-cli start-up", total / kRuns,
              best, kRuns);
}

}  // namespace

int main() {
  sim::TSimTransmitter tx;
  sim::TSimPty pty(tx);
  std::string why;
  if (!pty.Start(&why)) {
    std::fprintf(stderr, "no pseudo-terminal: %s\n", why.c_str());
    return 1;
  }
  std::printf("vorta-cli against the simulated transmitter at 9600 baud on %s (goal: ratio <= 1.1)\n",
              pty.SlavePath().c_str());
  TCounters counters;
  const int code = WriteAndVerify(pty, counters);
  StartUp();
  return code;
}
