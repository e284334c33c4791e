// Echo, framing and reply timing of the simulated transmitter's line.
#include "sim/sim_wire.h"

#include <algorithm>
#include <cstdio>

namespace vorta::sim {

TSimWire::TSimWire(TSimTransmitter& tx) : tx_(tx) {
  SetBaud(9600);
}

void TSimWire::SetBaud(int baud) {
  baud_ = baud > 0 ? baud : 9600;
  // A frame whose bytes stop for 20 character times (at least 20 ms) is abandoned.
  assembler_.SetGap(std::max(20.0, 20.0 * CharTimeMs(baud_)));
}

void TSimWire::Append(std::deque<TTimedByte>& out, const std::uint8_t* data, std::size_t n, double startMs,
                      bool close) {
  const double c = CharTimeMs(baud_);
  const double end = startMs + static_cast<double>(n) * c;
  for (std::size_t i = 0; i < n; ++i)
    out.push_back({data[i], startMs + static_cast<double>(i + 1) * c, end, close && i + 1 == n});
  busyUntilMs_ = std::max(busyUntilMs_, end);
}

void TSimWire::Receive(const std::uint8_t* data, std::size_t n, double nowMs, std::deque<TTimedByte>& out) {
  const double c = CharTimeMs(baud_);
  std::size_t echoed = 0;
  double start = std::max(nowMs, busyUntilMs_);
  for (std::size_t i = 0; i < n; ++i) {
    const double arrivedMs = start + static_cast<double>(i - echoed + 1) * c;
    const auto r = assembler_.Feed(data[i], arrivedMs);
    if (r == TCommandAssembler::TResult::kBadFrame) {
      tx_.NoteBadFrame();
      Trace("<- bad frame", {});
    }
    if (r != TCommandAssembler::TResult::kCommand) continue;
    Append(out, data + echoed, i + 1 - echoed, start, false);
    echoed = i + 1;
    Trace("<-", assembler_.Command());
    const TReplyPlan plan = tx_.HandleCommand(assembler_.Command(), arrivedMs);
    if (!plan.frame.empty()) {
      Trace("->", plan.frame);
      Append(out, plan.frame.data(), plan.frame.size(), arrivedMs + tx_.TurnaroundChars() * c + plan.delayMs,
             plan.disconnect);
    } else {
      Trace("-> no reply", {});
      if (plan.disconnect && !out.empty()) out.back().closeAfter = true;
    }
    start = std::max(busyUntilMs_, arrivedMs);
  }
  if (echoed < n) Append(out, data + echoed, n - echoed, start, false);
}

void TSimWire::Trace(const char* what, const std::vector<std::uint8_t>& bytes) const {
  if (!trace_) return;
  std::string line = what;
  char hex[4];
  for (std::uint8_t b : bytes) {
    std::snprintf(hex, sizeof hex, " %02X", b);
    line += hex;
  }
  trace_(line);
}

}  // namespace vorta::sim
