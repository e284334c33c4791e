// The simulated transmitter's side of the line: any bytes a host sends, framed or not, through the
// frame parser into the transmitter's commands and back out as reply frames.
#include <algorithm>
#include <deque>

#include "fuzz/fuzz_support.h"
#include "sim/sim_transmitter.h"
#include "sim/sim_wire.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorta::sim;
  TSimTransmitter tx;  // no memory file: nothing is written
  TSimWire wire(tx);
  std::deque<TTimedByte> out;
  // The input arrives in pieces a few milliseconds apart, so that gaps and restarts are reached.
  double now = 0;
  for (std::size_t at = 0; at < size;) {
    // A piece's first byte: its length (low bits) and whether a long gap follows (bit 7).
    const std::size_t n = 1 + (data[at] & 0x7F) % 24;
    const std::size_t take = std::min(n, size - at - 1);
    wire.Receive(data + at + 1, take, now, out);
    now += (data[at] & 0x80) ? 60.0 : 1.0;
    at += 1 + take;
  }
  return 0;
}
