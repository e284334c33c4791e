// Checksum, escaping, reply encoding and the command frame assembler of the simulated transmitter.
#include "sim/sim_frame.h"

namespace vorta::sim {

std::uint8_t Checksum(const std::uint8_t* data, std::size_t n) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < n; ++i) sum += data[i];
  return static_cast<std::uint8_t>(255u - (sum & 0xFFu));
}

bool NeedsEscape(std::uint8_t b) {
  return b == kFrameStart || b == kReplyStart || b == kFrameEnd || b == kFrameEscape;
}

void AppendEscaped(std::vector<std::uint8_t>& out, std::uint8_t b) {
  if (NeedsEscape(b)) {
    out.push_back(kFrameEscape);
    out.push_back(static_cast<std::uint8_t>(b ^ kEscapeMask));
  } else {
    out.push_back(b);
  }
}

std::vector<std::uint8_t> EncodeReply(const std::vector<std::uint8_t>& data) {
  return EncodeReply(data, Checksum(data));
}

std::vector<std::uint8_t> EncodeReply(const std::vector<std::uint8_t>& data, std::uint8_t checksum) {
  std::vector<std::uint8_t> out;
  if (data.size() > kMaxReplyBytes) return out;
  out.reserve(2 * data.size() + 6);
  out.push_back(kReplyStart);
  out.push_back(static_cast<std::uint8_t>(data.size()));
  for (std::uint8_t b : data) AppendEscaped(out, b);
  AppendEscaped(out, checksum);
  out.push_back(kFrameEnd);
  return out;
}

void TCommandAssembler::Reset() {
  state_ = TState::kHunt;
  escaped_ = false;
  expected_ = 0;
  body_.clear();
}

TCommandAssembler::TResult TCommandAssembler::Feed(std::uint8_t b, double nowMs) {
  TResult result = TResult::kNone;
  if (state_ != TState::kHunt && nowMs - lastByteMs_ > gapMs_) {
    Reset();
    result = TResult::kBadFrame;
  }
  lastByteMs_ = nowMs;
  if (b == kFrameStart) {
    // A raw 0xC9 never occurs inside a frame: it always starts a new one.
    if (state_ != TState::kHunt) result = TResult::kBadFrame;
    Reset();
    state_ = TState::kLength;
    return result;
  }
  if (state_ == TState::kHunt) return result;
  if (state_ == TState::kLength) {
    if (b == 0 || b > kMaxCommandBytes) {
      Reset();
      return TResult::kBadFrame;
    }
    expected_ = static_cast<std::size_t>(b) + 1;
    state_ = TState::kBody;
    return result;
  }
  if (b == kReplyStart || b == kFrameEnd) {
    Reset();
    return TResult::kBadFrame;
  }
  if (escaped_) {
    escaped_ = false;
    return TakeBodyByte(static_cast<std::uint8_t>(b ^ kEscapeMask));
  }
  if (b == kFrameEscape) {
    escaped_ = true;
    return result;
  }
  return TakeBodyByte(b);
}

TCommandAssembler::TResult TCommandAssembler::TakeBodyByte(std::uint8_t value) {
  body_.push_back(value);
  if (body_.size() < expected_) return TResult::kNone;
  const std::size_t n = expected_ - 1;
  const bool good = Checksum(body_.data(), n) == body_[n];
  if (good) command_.assign(body_.begin(), body_.begin() + static_cast<std::ptrdiff_t>(n));
  Reset();
  return good ? TResult::kCommand : TResult::kBadFrame;
}

}  // namespace vorta::sim
