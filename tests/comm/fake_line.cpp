// The scripted line and its small transmitter.
#include "tests/comm/fake_line.h"

#include <algorithm>

#include "sim/sim_frame.h"

namespace vorta::comm::testing {

TFakeLine::~TFakeLine() {
  std::lock_guard lock(c_->mutex);
  c_->destroyed = true;
}

bool TFakeLine::Configure(int baud) {
  std::lock_guard lock(c_->mutex);
  c_->configuredBaud = baud;
  return c_->configureOk;
}

void TFakeLine::Purge() {
  std::lock_guard lock(c_->mutex);
  c_->pending.clear();
  c_->interrupted = false;
  ++c_->purges;
}

bool TFakeLine::Write(const std::uint8_t* data, std::size_t n, int) {
  const Bytes frame(data, data + n);
  std::function<Bytes(const Bytes&)> respond;
  {
    std::lock_guard lock(c_->mutex);
    c_->attempts.push_back(Clock::now());
    if (c_->writeFails || c_->gone) return false;
    c_->writes.push_back(frame);
    c_->pending.insert(c_->pending.end(), c_->lateTail.begin(), c_->lateTail.end());
    if (c_->echo) c_->pending.insert(c_->pending.end(), frame.begin(), frame.end());
    respond = c_->respond;
  }
  // The responder runs outside the lock: it may take it itself.
  const Bytes reply = respond ? respond(frame) : c_->Transmit(frame);
  c_->Locked([&](TFakeLineControl& c) { c.pending.insert(c.pending.end(), reply.begin(), reply.end()); });
  return true;
}

int TFakeLine::Read(std::uint8_t* buf, std::size_t max, int timeoutMs) {
  std::unique_lock lock(c_->mutex);
  c_->readTimeouts.push_back(timeoutMs);
  c_->cv.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                  [this] { return c_->gone || c_->interrupted || !c_->pending.empty(); });
  if (c_->gone) return -1;
  if (c_->interrupted) {
    c_->interrupted = false;
    return 0;
  }
  const std::size_t n = std::min({c_->pending.size(), max, c_->chunk});
  std::copy_n(c_->pending.begin(), n, buf);
  c_->pending.erase(c_->pending.begin(), c_->pending.begin() + static_cast<long>(n));
  return static_cast<int>(n);
}

void TFakeLine::Interrupt() {
  c_->Locked([](TFakeLineControl& c) { c.interrupted = true; });
}

bool TFakeLine::Gone() const {
  std::lock_guard lock(c_->mutex);
  return c_->gone;
}

int TFakeLineControl::Count(std::uint8_t letter) {
  std::lock_guard lock(mutex);
  int n = 0;
  for (const Bytes& command : commands) n += command[0] == letter ? 1 : 0;
  return n;
}

Bytes EncodeReply(const Bytes& data) {
  return sim::EncodeReply(data);
}

namespace {

Bytes Execute(TFakeLineControl& c, const Bytes& command) {
  Bytes r{command[0]};
  switch (command[0]) {
    case 'm':
      r.push_back(command.size() > 1 ? command[1] : 0);
      r.insert(r.end(), c.measurement.begin(), c.measurement.end());
      return r;
    case 's':
      if (command.size() < 4) return {};
      r.insert(r.end(), {command[2], command[3]});
      for (int i = 0; i < command[1]; ++i)
        r.push_back(c.memory[((command[2] << 8 | command[3]) + i) & 0xFFF]);
      return r;
    case 'Z':
      return {'Z', 0x80, 0x00, 0x00, 0x00, 0x43, 0x40};
    case '@':
      return {'@', 'V', 'R', 'T', 'A'};
    default:
      return {};
  }
}

}  // namespace

Bytes TFakeLineControl::Transmit(const Bytes& frame) {
  sim::TCommandAssembler assembler;
  Bytes command;
  for (std::uint8_t b : frame)
    if (assembler.Feed(b, 0.0) == sim::TCommandAssembler::TResult::kCommand) command = assembler.Command();
  if (command.empty()) return {};
  if (before) before(*this, command);
  std::lock_guard lock(mutex);
  commands.push_back(command);
  times.push_back(Clock::now());
  if (command[0] == 'r') return {};
  Bytes reply = EncodeReply(Execute(*this, command));
  if (spoiled && spoiled(command, static_cast<int>(commands.size()))) reply[1] ^= 0x01;
  return reply;
}

}  // namespace vorta::comm::testing
