// In-process serial line to the simulated transmitter, on virtual time.
#include "sim/sim_line.h"

#include <algorithm>
#include <chrono>

namespace vorta::sim {

TSimLine::TSimLine(TSimTransmitter& tx, bool realTime) : wire_(tx), realTime_(realTime) {}

bool TSimLine::Configure(int baud) {
  std::lock_guard lock(mutex_);
  if (baud <= 0 || closed_) return false;
  wire_.SetBaud(baud);
  return true;
}

void TSimLine::Purge() {
  std::lock_guard lock(mutex_);
  // Bytes still on their way arrive after the purge, as on a real line.
  while (!pending_.empty() && pending_.front().dueMs <= nowMs_) pending_.pop_front();
}

bool TSimLine::Write(const std::uint8_t* data, std::size_t n, int /*timeoutMs*/) {
  std::lock_guard lock(mutex_);
  if (closeAtMs_ >= 0.0 && nowMs_ >= closeAtMs_ && pending_.empty()) closed_ = true;
  if (closed_ || n == 0) return false;
  wire_.Receive(data, n, nowMs_, pending_);
  return true;
}

void TSimLine::DeliverLocked(std::uint8_t* buf, std::size_t max, int& got) {
  while (!pending_.empty() && pending_.front().dueMs <= nowMs_ && static_cast<std::size_t>(got) < max) {
    const TTimedByte b = pending_.front();
    pending_.pop_front();
    buf[got++] = b.value;
    if (b.closeAfter) {
      closeAtMs_ = b.dueMs;
      pending_.clear();
    }
  }
}

int TSimLine::Read(std::uint8_t* buf, std::size_t max, int timeoutMs) {
  std::unique_lock lock(mutex_);
  if (closeAtMs_ >= 0.0 && nowMs_ >= closeAtMs_ && pending_.empty()) closed_ = true;
  if (closed_) return -1;
  int got = 0;
  DeliverLocked(buf, max, got);
  if (got > 0 || max == 0) return got;
  const unsigned long interruptsAtStart = interrupts_;
  const double limitMs = nowMs_ + std::max(0, timeoutMs);
  // Wait for the whole echo or reply that comes next, or for the time-out.
  const double targetMs = pending_.empty() ? limitMs : std::min(limitMs, pending_.front().chunkEndMs);
  AdvanceLocked(lock, targetMs - nowMs_);
  if (interrupts_ != interruptsAtStart || closed_) return closed_ ? -1 : 0;
  DeliverLocked(buf, max, got);
  return got;
}

void TSimLine::AdvanceLocked(std::unique_lock<std::mutex>& lock, double ms) {
  if (ms <= 0.0) return;
  if (realTime_) {
    const unsigned long at = interrupts_;
    wake_.wait_for(lock, std::chrono::duration<double, std::milli>(ms), [&] { return interrupts_ != at; });
  }
  nowMs_ += ms;
}

void TSimLine::Interrupt() {
  std::lock_guard lock(mutex_);
  ++interrupts_;
  wake_.notify_all();
}

double TSimLine::NowMs() const {
  std::lock_guard lock(mutex_);
  return nowMs_;
}

void TSimLine::Advance(double ms) {
  std::unique_lock lock(mutex_);
  AdvanceLocked(lock, ms);
}

void TSimLine::Close() {
  std::lock_guard lock(mutex_);
  closed_ = true;
  pending_.clear();
  wake_.notify_all();
}

bool TSimLine::Closed() const {
  std::lock_guard lock(mutex_);
  return closed_ || (closeAtMs_ >= 0.0 && nowMs_ >= closeAtMs_ && pending_.empty());
}

void TSimLine::SetTrace(std::function<void(const std::string&)> trace) {
  std::lock_guard lock(mutex_);
  wire_.SetTrace(std::move(trace));
}

}  // namespace vorta::sim
