// The transmitter's side of the frame format: command frames in, reply frames out.
// Written independently of the host's link code, so the line tests check one against the other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vorta::sim {

inline constexpr std::uint8_t kFrameStart = 0xC9;
inline constexpr std::uint8_t kReplyStart = 0xC0;
inline constexpr std::uint8_t kFrameEnd = 0xC3;
inline constexpr std::uint8_t kFrameEscape = 0xCE;
inline constexpr std::uint8_t kEscapeMask = 0x20;
inline constexpr std::size_t kMaxCommandBytes = 200;
inline constexpr std::size_t kMaxReplyBytes = 254;

// 255 minus the byte sum modulo 256.
std::uint8_t Checksum(const std::uint8_t* data, std::size_t n);
inline std::uint8_t Checksum(const std::vector<std::uint8_t>& v) {
  return Checksum(v.data(), v.size());
}

// True for the four values that travel escaped.
bool NeedsEscape(std::uint8_t b);

// Appends b to out, escaped when it is one of the special values.
void AppendEscaped(std::vector<std::uint8_t>& out, std::uint8_t b);

// Reply frame: 0xC0, L, the L data bytes and the checksum escaped, 0xC3. Empty when L > 254.
std::vector<std::uint8_t> EncodeReply(const std::vector<std::uint8_t>& data);
// The same with the given checksum byte in place of the right one (for damaged replies).
std::vector<std::uint8_t> EncodeReply(const std::vector<std::uint8_t>& data, std::uint8_t checksum);

// Collects command frames from the byte stream the host sends. A frame is 0xC9, n (1..200),
// then n command bytes and a checksum, escaped. A new 0xC9 restarts a frame, a reply start,
// frame end or bad length abandons it, and so does a gap of more than gapMs between bytes.
class TCommandAssembler {
 public:
  enum class TResult { kNone, kCommand, kBadFrame };

  explicit TCommandAssembler(double gapMs = 50.0) : gapMs_(gapMs) {}
  void SetGap(double gapMs) { gapMs_ = gapMs; }
  // Feeds one byte received at nowMs. kCommand leaves the command bytes in Command();
  // kBadFrame reports a complete frame whose checksum was wrong or an abandoned frame.
  TResult Feed(std::uint8_t b, double nowMs);
  const std::vector<std::uint8_t>& Command() const { return command_; }
  void Reset();

 private:
  enum class TState { kHunt, kLength, kBody };
  TResult TakeBodyByte(std::uint8_t value);

  double gapMs_;
  double lastByteMs_ = 0.0;
  TState state_ = TState::kHunt;
  bool escaped_ = false;
  std::size_t expected_ = 0;  // command bytes plus the checksum
  std::vector<std::uint8_t> body_;
  std::vector<std::uint8_t> command_;
};

}  // namespace vorta::sim
