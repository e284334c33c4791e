// The scripted line.
#include "tests/comm/fake_line.h"

#include <chrono>

#include "comm/frame.h"

namespace vorta::comm::testing {

void TFakeLineControl::Feed(const Bytes& bytes) {
  {
    std::lock_guard lock(mutex);
    pending.insert(pending.end(), bytes.begin(), bytes.end());
  }
  cv.notify_all();
}

std::size_t TFakeLineControl::WriteCount() {
  std::lock_guard lock(mutex);
  return writes.size();
}

Bytes TFakeLineControl::Written(std::size_t i) {
  std::lock_guard lock(mutex);
  return i < writes.size() ? writes[i] : Bytes{};
}

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
  Bytes frame(data, data + n);
  std::function<Bytes(const Bytes&)> respond;
  {
    std::lock_guard lock(c_->mutex);
    c_->attempts.push_back(std::chrono::steady_clock::now());
    if (c_->writeFails || c_->gone) return false;
    c_->writes.push_back(frame);
    c_->pending.insert(c_->pending.end(), c_->lateTail.begin(), c_->lateTail.end());
    if (c_->echo) c_->pending.insert(c_->pending.end(), frame.begin(), frame.end());
    respond = c_->respond;
  }
  if (respond) c_->Feed(respond(frame));
  c_->cv.notify_all();
  return true;
}

int TFakeLine::Read(std::uint8_t* buf, std::size_t max, int timeoutMs) {
  std::unique_lock lock(c_->mutex);
  c_->cv.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                  [this] { return c_->gone || c_->interrupted || !c_->pending.empty(); });
  if (c_->gone) return -1;
  if (c_->interrupted) {
    c_->interrupted = false;
    return 0;
  }
  std::size_t n = c_->pending.size();
  if (n > max) n = max;
  if (n > c_->chunk) n = c_->chunk;
  for (std::size_t i = 0; i < n; ++i) buf[i] = c_->pending[i];
  c_->pending.erase(c_->pending.begin(), c_->pending.begin() + static_cast<long>(n));
  return static_cast<int>(n);
}

void TFakeLine::Interrupt() {
  {
    std::lock_guard lock(c_->mutex);
    c_->interrupted = true;
  }
  c_->cv.notify_all();
}

namespace {

void PutEscaped(Bytes& out, std::uint8_t b) {
  if (IsSpecialByte(b)) {
    out.push_back(kFrameEscape);
    out.push_back(b ^ kEscapeMask);
  } else {
    out.push_back(b);
  }
}

}  // namespace

Bytes EncodeReply(const Bytes& data) {
  Bytes out{kReplyStart, static_cast<std::uint8_t>(data.size())};
  for (std::uint8_t b : data) PutEscaped(out, b);
  PutEscaped(out, Checksum(data.data(), data.size()));
  out.push_back(kFrameEnd);
  return out;
}

Bytes DecodeCommandFrame(const Bytes& frame) {
  if (frame.size() < 3 || frame[0] != kFrameStart) return {};
  Bytes body;
  for (std::size_t i = 2; i < frame.size(); ++i) {
    std::uint8_t b = frame[i];
    if (b == kFrameEscape) {
      if (++i >= frame.size()) return {};
      b = frame[i] ^ kEscapeMask;
    }
    body.push_back(b);
  }
  const std::size_t n = frame[1];
  if (body.size() != n + 1 || Checksum(body.data(), n) != body[n]) return {};
  body.pop_back();
  return body;
}

}  // namespace vorta::comm::testing
