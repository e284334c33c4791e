// Host side of the line, written out by hand for the simulator tests: command frames as the host
// sends them, the split of what comes back into echo and reply, the transmitter on the in-process
// line as a test fixture, and the host's end of a pseudo-terminal.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/serial_port.h"
#include "sim/sim_line.h"

namespace vorta::sim::test {

using TBytes = std::vector<std::uint8_t>;

inline std::uint8_t HostChecksum(const TBytes& b) {
  unsigned sum = 0;
  for (std::uint8_t v : b) sum += v;
  return static_cast<std::uint8_t>(255 - sum % 256);
}

inline void PushEscaped(TBytes& out, std::uint8_t b) {
  if (b == 0xC0 || b == 0xC3 || b == 0xC9 || b == 0xCE) {
    out.push_back(0xCE);
    out.push_back(b ^ 0x20);
  } else {
    out.push_back(b);
  }
}

// 0xC9, n, the command bytes and the checksum escaped.
inline TBytes CommandFrame(const TBytes& command) {
  TBytes f{0xC9, static_cast<std::uint8_t>(command.size())};
  for (std::uint8_t b : command) PushEscaped(f, b);
  PushEscaped(f, HostChecksum(command));
  return f;
}

struct TExchange {
  TBytes received;  // everything read: echo, then reply
  bool echoOk = false;
  std::optional<TBytes> data;  // reply data when a well-formed reply followed the echo
};

// Decodes the reply that follows the echo in received: 0xC0, L, escaped data and checksum, 0xC3.
inline TExchange SplitReply(const TBytes& frame, const TBytes& received) {
  TExchange x;
  x.received = received;
  x.echoOk =
      received.size() >= frame.size() && TBytes(received.begin(), received.begin() + frame.size()) == frame;
  if (!x.echoOk || received.size() < frame.size() + 4 || received[frame.size()] != 0xC0) return x;
  const std::size_t length = received[frame.size() + 1];
  TBytes body;
  std::size_t i = frame.size() + 2;
  for (; i < received.size() && body.size() < length + 1; ++i) {
    if (received[i] == 0xCE && i + 1 < received.size())
      body.push_back(received[++i] ^ 0x20);
    else
      body.push_back(received[i]);
  }
  if (body.size() != length + 1 || i + 1 != received.size() || received[i] != 0xC3) return x;
  const std::uint8_t checksum = body.back();
  body.pop_back();
  if (HostChecksum(body) == checksum) x.data = body;
  return x;
}

// Sends one command and collects what comes back until a frame end after the echo, or until
// nothing more comes within timeoutMs.
inline TExchange Exchange(platform::ISerialLine& line, const TBytes& command, int timeoutMs = 250) {
  const TBytes frame = CommandFrame(command);
  line.Purge();
  line.Write(frame.data(), frame.size(), 100);
  TBytes got;
  std::uint8_t buf[300];
  for (;;) {
    const int n = line.Read(buf, sizeof buf, timeoutMs);
    if (n <= 0) break;
    got.insert(got.end(), buf, buf + n);
    if (got.size() > frame.size() && got.back() == 0xC3) break;
  }
  return SplitReply(frame, got);
}

// Transmitter float bytes in transmission order for a few exact values.
inline double HostFloat(const TBytes& b, std::size_t at) {
  if (b[at] == 0 && b[at + 1] == 0 && b[at + 2] == 0 && b[at + 3] == 0) return 0.0;
  const double fraction = ((b[at + 1] & 0x7F) << 16 | b[at + 2] << 8 | b[at + 3]) / 8388608.0;
  double v = 1.0 + fraction;
  for (int e = b[at] - 127; e > 0; --e) v *= 2.0;
  for (int e = b[at] - 127; e < 0; ++e) v /= 2.0;
  return (b[at + 1] & 0x80) ? -v : v;
}

// The simulated transmitter behind the in-process line, where time is virtual.
class TSimOnLine : public ::testing::Test {
 protected:
  TSimTransmitter tx;
  TSimLine line{tx};

  // The reply data, or nothing when no good reply came.
  std::optional<TBytes> Send(const TBytes& command) { return Exchange(line, command).data; }
  // The reply data of a command that must be answered; zeros when it was not, so indexing stays safe.
  TBytes Reply(const TBytes& command) {
    const std::optional<TBytes> d = Send(command);
    EXPECT_TRUE(d.has_value()) << "no good reply to command 0x" << std::hex << int(command[0]);
    return d.value_or(TBytes(16, 0));
  }
};

// How long a test on a pseudo-terminal listens before it takes the silence as the answer.
inline constexpr int kQuietMs = 300;

// The device opened and set up as the program does it; nullptr when either fails.
inline std::unique_ptr<platform::SerialPort> OpenHost(const std::string& path, int baud = 9600) {
  auto port = platform::SerialPort::Open(path);
  if (port && !port->Configure(baud)) port.reset();
  return port;
}

}  // namespace vorta::sim::test
