// Line speed of the link: single transactions, block transfers and polling against the simulated
// transmitter on a pseudo-terminal at 9600 baud, each as a ratio to the line time of the bytes that
// crossed the wire (the echo of the command included) plus the pauses the protocol prescribes.
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "comm/comm_state.h"
#include "comm/polling.h"
#include "comm/protocol.h"
#include "comm/transfer.h"
#include "comm/transfer_runner.h"
#include "platform/serial_port.h"
#include "sim/sim_pty.h"
#include "sim/sim_transmitter.h"

namespace {

using namespace vorta;
using Clock = std::chrono::steady_clock;

constexpr double kCharMs = 10000.0 / 9600;
constexpr double kReadPauseMs = 4;  // two whole character times after every reply

// Counts what crosses the line: every byte read (echo and reply) and every frame written.
struct TCounters {
  std::atomic<long> bytesRead{0};
  std::atomic<long> frames{0};
  void Clear() { bytesRead = frames = 0; }
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

void PrintRatio(const char* what, double ms, long bytes, double pausesMs) {
  const double line = bytes * kCharMs;
  std::printf("%-34s %9.1f ms  line %8.1f ms  pauses %7.1f ms  ratio %.3f\n", what, ms, line, pausesMs,
              ms / (line + pausesMs));
}

void SingleTransactions(TCounters& c) {
  constexpr int kRuns = 40;
  const struct {
    const char* name;
    std::uint8_t letter;
    std::uint32_t arg;
  } cases[] = {{"measure 'm' 0x20", 'm', 0x20}, {"block read 16 bytes", 0, 0}};
  for (const auto& k : cases) {
    comm::TBuffer cmd{}, reply{};
    if (k.letter) {
      comm::BuildCommandInto(cmd, k.letter, k.arg);
    } else {
      cmd = {4, 0xF3, 16, 0x00, 0x10, 19};
    }
    c.Clear();
    int good = 0;
    const auto t0 = Clock::now();
    for (int i = 0; i < kRuns; ++i) good += comm::Comm().Line->Transact(cmd, reply, 250) ? 1 : 0;
    const double ms = MsSince(t0) / kRuns;
    char label[64];
    std::snprintf(label, sizeof label, "%s (%d/%d good)", k.name, good, kRuns);
    PrintRatio(label, ms, c.bytesRead / kRuns, kReadPauseMs);
  }
}

// Runs a transfer thread body here, with a stand-in for the window that acknowledges progress.
double RunBody(comm::TransferFunction body, comm::TTransferJob& job, bool& ok) {
  comm::TCommState& s = comm::Comm();
  s.TransferRunning = true;
  s.ProgressEvent.Reset();
  s.ProgressAckEvent.Reset();
  std::atomic<bool> done{false};
  std::thread window([&] {
    while (!done) {
      if (s.ProgressEvent.Wait(20)) {
        s.ProgressEvent.Reset();
        s.ProgressAckEvent.Set();
      }
    }
  });
  const auto t0 = Clock::now();
  ok = body(job) == 1;
  const double ms = MsSince(t0);
  done = true;
  window.join();
  return ms;
}

void Transfers(TCounters& c) {
  comm::TTransferJob job;
  for (std::size_t i = 0; i < comm::TDeviceRecord::kSize; ++i)
    job.record[i] = static_cast<std::uint8_t>(i * 5);
  const struct {
    const char* name;
    comm::TransferFunction body;
    int mode;
    double fixedPausesMs;  // the sleeps of the thread itself
  } cases[] = {
      {"full read (mode 4)", comm::ReadThread, 4, 5 + 100},
      {"verify read (mode 5)", comm::ReadThread, 5, 5 + 100},
      {"verify read of written areas", comm::ReadThread, comm::kVerifyReadMode, 5 + 100},
      {"full write", comm::WriteThread, 0, 5 + 50 + 100},
      {"text write", comm::WriteTextsThread, 0, 100},
  };
  for (const auto& k : cases) {
    job.readMode = k.mode;
    c.Clear();
    bool ok = false;
    const double ms = RunBody(k.body, job, ok);
    char label[64];
    std::snprintf(label, sizeof label, "%s%s", k.name, ok ? "" : " FAILED");
    PrintRatio(label, ms, c.bytesRead, k.fixedPausesMs + kReadPauseMs * c.frames);
  }
}

void Polling(TCounters& c) {
  comm::StartPolling();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  std::uint64_t first;
  {
    std::lock_guard lock(comm::Comm().ShadowLock);
    first = comm::Comm().ShadowSeq;
  }
  c.Clear();
  const auto t0 = Clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(3));
  std::uint64_t last;
  {
    std::lock_guard lock(comm::Comm().ShadowLock);
    last = comm::Comm().ShadowSeq;
  }
  const double ms = MsSince(t0);
  const long bytes = c.bytesRead;
  comm::StopPolling();
  const double polls = static_cast<double>(last - first);
  const double perPoll = ms / polls;
  const double limitMs = bytes / polls * kCharMs + kReadPauseMs + 10;
  std::printf("%-34s %9.1f /s  limit %6.1f /s (line %.1f ms + pauses %.0f ms)  ratio %.3f\n", "polling rate",
              1000 / perPoll, 1000 / limitMs, bytes / polls * kCharMs, kReadPauseMs + 10, perPoll / limitMs);
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  sim::TSimTransmitter tx;
  sim::TSimPty pty(tx);
  std::string why;
  if (!pty.Start(&why)) {
    std::fprintf(stderr, "no pseudo-terminal: %s\n", why.c_str());
    return 1;
  }
  auto port = platform::SerialPort::Open(pty.SlavePath());
  TCounters counters;
  if (!port || !comm::OpenLineOn(std::make_unique<TCountingLine>(std::move(port), counters), 4) ||
      !comm::StopPolling()) {
    std::fprintf(stderr, "cannot open the line\n");
    return 1;
  }
  std::printf(
      "Link against the simulated transmitter at 9600 baud on %s (ratio goal: 1.3 single, 1.25 else)\n",
      pty.SlavePath().c_str());
  SingleTransactions(counters);
  Transfers(counters);
  Polling(counters);
  comm::CloseLine();
  return 0;
}
