// The cost of the line log: the polling rate against the simulated transmitter on a
// pseudo-terminal at 9600 baud with the log closed and with it open (a reader taking the ring
// every 200 ms, as the window does), in alternating rounds of one run; and the time of one push
// into the ring. Goal: the rate with the log open within 2 % of the rate with it closed.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include "comm/comm_state.h"
#include "comm/line_log.h"
#include "comm/polling.h"
#include "comm/protocol.h"
#include "platform/serial_port.h"
#include "sim/sim_pty.h"
#include "sim/sim_transmitter.h"

namespace {

using namespace vorta;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 3;
constexpr auto kRoundTime = std::chrono::seconds(3);

std::uint64_t ShadowSeq() {
  std::lock_guard lock(comm::Comm().ShadowLock);
  return comm::Comm().ShadowSeq;
}

// Good polls per second over one round; with open set, a reader takes the ring as the window does.
double PollRate(bool open) {
  std::unique_ptr<comm::TLineLogReader> reader;
  if (open) reader = std::make_unique<comm::TLineLogReader>(comm::LineLog());
  std::atomic<bool> done{false};
  std::size_t taken = 0;
  std::thread window([&] {
    std::vector<comm::TLogEntry> entries;
    while (!done) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      if (!reader) continue;
      entries.clear();
      reader->Read(entries);
      taken += entries.size();
    }
  });
  const std::uint64_t first = ShadowSeq();
  const auto t0 = Clock::now();
  std::this_thread::sleep_for(kRoundTime);
  const std::uint64_t last = ShadowSeq();
  const double s = std::chrono::duration<double>(Clock::now() - t0).count();
  done = true;
  window.join();
  if (open && taken == 0) std::printf("  (the open log took no entries)\n");
  return static_cast<double>(last - first) / s;
}

void PushCost() {
  auto ring = std::make_unique<comm::TLineLogRing>();
  comm::TLogEntry e;
  e.sentCount = 5;
  e.receivedCount = 19;
  constexpr int kPushes = 200000;
  const auto t0 = Clock::now();
  for (int i = 0; i < kPushes; ++i) {
    e.timeNs = static_cast<std::uint64_t>(i);
    ring->Push(e);
  }
  const double ns = std::chrono::duration<double, std::nano>(Clock::now() - t0).count() / kPushes;
  std::printf("one push into the ring               %8.0f ns\n", ns);
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
  auto port = platform::SerialPort::Open(pty.SlavePath());
  if (!port || !comm::OpenLineOn(std::move(port), 4)) {
    std::fprintf(stderr, "cannot open the line\n");
    return 1;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  std::printf("Polling at 9600 baud on %s, %d rounds of %lld s each way (goal: open within 2 %%)\n",
              pty.SlavePath().c_str(), kRounds, static_cast<long long>(kRoundTime.count()));
  double closed = 0, open = 0;
  for (int round = 0; round < kRounds; ++round) {
    const double c = PollRate(false);
    const double o = PollRate(true);
    std::printf("round %d: log closed %7.2f polls/s   log open %7.2f polls/s\n", round + 1, c, o);
    closed += c;
    open += o;
  }
  std::printf("polling rate with the log open / closed  %.4f\n", open / closed);
  comm::CloseLine();
  PushCost();
  return 0;
}
