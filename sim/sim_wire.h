// The line as the simulated transmitter sees it: every byte the host sends comes back as echo
// (two-wire half duplex), complete command frames go to the transmitter, and its reply follows
// the echo after a short turnaround. Every byte takes one character time (10 bits at the baud
// rate). The result is a timed list of bytes that a line (in-process or pseudo-terminal) delivers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sim/sim_frame.h"
#include "sim/sim_transmitter.h"

namespace vorta::sim {

struct TTimedByte {
  std::uint8_t value;
  double dueMs;       // when the byte has fully arrived at the host
  double chunkEndMs;  // when the echo or reply it belongs to has fully arrived
  bool closeAfter;    // the line closes once this byte has gone out
};

// Character time in milliseconds: 10 bits per character.
inline double CharTimeMs(int baud) {
  return baud > 0 ? 10000.0 / baud : 10000.0 / 9600.0;
}

class TSimWire {
 public:
  explicit TSimWire(TSimTransmitter& tx);
  void SetBaud(int baud);
  int Baud() const { return baud_; }
  // Receives n bytes that the host sent at nowMs and appends echo and replies to out.
  void Receive(const std::uint8_t* data, std::size_t n, double nowMs, std::deque<TTimedByte>& out);
  // Called with one line of text per frame received and sent (the --verbose trace).
  void SetTrace(std::function<void(const std::string&)> trace) { trace_ = std::move(trace); }
  TSimTransmitter& Transmitter() { return tx_; }

 private:
  void Append(std::deque<TTimedByte>& out, const std::uint8_t* data, std::size_t n, double startMs,
              bool close);
  void Trace(const char* what, const std::vector<std::uint8_t>& bytes) const;

  TSimTransmitter& tx_;
  TCommandAssembler assembler_;
  int baud_ = 9600;
  double busyUntilMs_ = 0.0;
  std::function<void(const std::string&)> trace_;
};

}  // namespace vorta::sim
