// The frame format of the line: command frames built from a length-prefixed command buffer, and
// reply frames found and checked in what was received (the echo of the command, then the reply).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vorta::comm {

inline constexpr std::uint8_t kFrameStart = 0xC9;
inline constexpr std::uint8_t kReplyStart = 0xC0;
inline constexpr std::uint8_t kFrameEnd = 0xC3;
inline constexpr std::uint8_t kFrameEscape = 0xCE;
inline constexpr std::uint8_t kEscapeMask = 0x20;

// Command, reply and frame buffers: 256 bytes. A command buffer holds n at 0, the command at
// 1..n and the expected reply length L at n+1 (255: no reply awaited). A frame buffer holds the
// encoded frame and its length in byte 255.
using TBuffer = std::array<std::uint8_t, 256>;

inline constexpr int kMaxCommandBytes = 200;
inline constexpr std::uint8_t kNoReply = 255;

bool IsSpecialByte(std::uint8_t b);
// 255 - (sum of the bytes mod 256).
std::uint8_t Checksum(const std::uint8_t* bytes, std::size_t n);

// Encodes the command of cmd into frame (length in byte 255). Fails for n = 0, n > 200, an n
// the receiver would take for a frame byte, or a frame that would not fit.
bool BuildFrame(const TBuffer& cmd, TBuffer& frame);

// Finds the reply frame in rx[0..count) after the sent-byte echo and checks it: the last
// ReplyStart, a length byte equal to expected, the data and checksum unescaped within the bytes
// received, a good checksum and FrameEnd right after. On success reply holds L, the data and the
// checksum byte.
bool ParseReply(const TBuffer& rx, int count, int sent, int expected, TBuffer& reply);

}  // namespace vorta::comm
