// A small scripted transmitter for the polling and transfer tests: memory, measurement registers
// and a few faults, answering on a TFakeLine. (The full simulated transmitter lives in sim/.)
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "tests/comm/fake_line.h"

namespace vorta::comm::testing {

struct TFakeTransmitter {
  std::mutex mutex;
  std::array<std::uint8_t, 4096> memory{};
  Bytes measurement = {0x7F, 0x00, 0x00, 0x00, 0x43, 0x40, 0x00, 0x05};  // 1.0, 4 mA, type 5
  std::array<std::uint8_t, 4> firmware = {'V', '1', '.', '2'};
  int loseEvery = 0;            // no reply to every k-th command
  int silentAfter = -1;         // no reply at all after this many commands
  int wrongEchoAt = -1;         // the command with this number gets a wrong address echo
  std::vector<Bytes> commands;  // every good command received, in order
  std::vector<std::chrono::steady_clock::time_point> times;  // when each came
  std::set<std::uint8_t> ignored;                            // letters never answered
  // Runs before a measurement is answered, outside the lock (a test can hold the poller here).
  std::function<void(TFakeTransmitter&)> beforeMeasure;

  Bytes Respond(const Bytes& frame);
  int Count(std::uint8_t letter);
  std::size_t CommandCount();
};

// A fake line answered by tx; the control stays with the caller.
std::unique_ptr<TFakeLine> LineTo(const std::shared_ptr<TFakeLineControl>& control,
                                  const std::shared_ptr<TFakeTransmitter>& tx);

}  // namespace vorta::comm::testing
