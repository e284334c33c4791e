// Frame encoding, escaping, checksums and the reply parser.
#include "comm/frame.h"

namespace vorta::comm {

bool IsSpecialByte(std::uint8_t b) {
  return b == kReplyStart || b == kFrameEnd || b == kFrameStart || b == kFrameEscape;
}

std::uint8_t Checksum(const std::uint8_t* bytes, std::size_t n) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < n; ++i) sum += bytes[i];
  return static_cast<std::uint8_t>(255 - sum % 256);
}

bool BuildFrame(const TBuffer& cmd, TBuffer& frame) {
  const int n = cmd[0];
  if (n == 0 || n > kMaxCommandBytes || IsSpecialByte(cmd[0])) return false;
  std::array<std::uint8_t, kMaxCommandBytes + 1> body{};
  for (int i = 0; i < n; ++i) body[i] = cmd[i + 1];
  body[n] = Checksum(&cmd[1], n);
  std::size_t len = 0;
  frame[len++] = kFrameStart;
  frame[len++] = static_cast<std::uint8_t>(n);
  for (int i = 0; i <= n; ++i) {
    const std::uint8_t b = body[i];
    const bool escaped = IsSpecialByte(b);
    if (len + (escaped ? 2 : 1) > 255) return false;
    if (escaped) {
      frame[len++] = kFrameEscape;
      frame[len++] = b ^ kEscapeMask;
    } else {
      frame[len++] = b;
    }
  }
  frame[255] = static_cast<std::uint8_t>(len);
  return true;
}

bool ParseReply(const TBuffer& rx, int count, int sent, int expected, TBuffer& reply) {
  if (count > static_cast<int>(rx.size()) || count < sent + expected + 4) return false;
  int start = count - 1;
  while (start >= 0 && rx[start] != kReplyStart) --start;
  if (start < 0 || start + 1 >= count) return false;
  if (rx[start + 1] != expected) return false;
  reply[0] = rx[start + 1];
  int pos = start + 2;
  unsigned sum = 0;
  for (int i = 1; i <= expected + 1; ++i) {
    if (pos >= count) return false;
    std::uint8_t b = rx[pos++];
    if (b == kFrameEscape) {
      if (pos >= count) return false;
      b = rx[pos++] ^ kEscapeMask;
    }
    reply[i] = b;
    if (i <= expected) sum += b;
  }
  if (reply[expected + 1] != static_cast<std::uint8_t>(255 - sum % 256)) return false;
  return pos < count && rx[pos] == kFrameEnd;
}

}  // namespace vorta::comm
