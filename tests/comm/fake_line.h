// A scripted serial line with a small transmitter behind it, for the link, polling and protocol
// tests. Every frame written is echoed (unless switched off) and followed by what the responder
// returns, by default the small transmitter's reply; reads hand out what is queued, in chunks.
// Frames are coded with the simulator's frame code, which shares nothing with the program's.
#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/serial_line.h"

namespace vorta::comm::testing {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

struct TFakeLineControl {
  std::mutex mutex;
  std::condition_variable cv;
  // The line.
  Bytes pending;                            // input not yet read
  std::vector<Bytes> writes;                // every frame written
  std::vector<Clock::time_point> attempts;  // every write tried
  std::vector<int> readTimeouts;            // the time-out of every read
  bool echo = true;
  Bytes lateTail;           // arrives after the purge, before the echo: the end of an earlier reply
  bool gone = false;        // reads and writes report a vanished line
  bool writeFails = false;  // writes do not get out in time
  bool configureOk = true;
  bool interrupted = false;
  std::size_t chunk = 7;  // at most this many bytes per read
  int purges = 0;
  int configuredBaud = 0;
  bool destroyed = false;
  // The reply bytes for a written frame; the small transmitter's when empty.
  std::function<Bytes(const Bytes& written)> respond;

  // The small transmitter: memory, the measurement reply ('m'), 's', 'Z' and '@', empty replies
  // to the rest, none to a reset. A spoiled reply has a wrong length byte: it fails at once, so
  // that no test waits out a reply time-out.
  std::array<std::uint8_t, 4096> memory{};
  Bytes measurement = {0x7F, 0x00, 0x00, 0x00, 0x43, 0x40, 0x00, 0x05};  // 1.0, 4 mA, type 5
  std::vector<Bytes> commands;                                           // every good command, in order
  std::vector<Clock::time_point> times;                                  // when each came
  // True for a command (and its number, from 1) whose reply is spoiled; runs under the lock.
  std::function<bool(const Bytes& command, int number)> spoiled;
  // Runs before a command is answered, outside the lock (a test can hold the line here).
  std::function<void(TFakeLineControl&, const Bytes& command)> before;

  Bytes Transmit(const Bytes& frame);
  int Count(std::uint8_t letter);
  // Runs f on the control under its lock, for tests whose line is used by another thread.
  template <class F>
  auto Locked(F f) {
    std::lock_guard lock(mutex);
    cv.notify_all();  // a waiting read sees the change once the lock is free
    return f(*this);
  }
};

class TFakeLine final : public platform::ISerialLine {
 public:
  explicit TFakeLine(std::shared_ptr<TFakeLineControl> control) : c_(std::move(control)) {}
  ~TFakeLine() override;
  bool Configure(int baud) override;
  void Purge() override;
  bool Write(const std::uint8_t* data, std::size_t n, int timeoutMs) override;
  int Read(std::uint8_t* buf, std::size_t max, int timeoutMs) override;
  void Interrupt() override;
  bool Gone() const override;

 private:
  std::shared_ptr<TFakeLineControl> c_;
};

// The reply frame for data (reply start, length, escaped data and checksum, frame end).
Bytes EncodeReply(const Bytes& data);

}  // namespace vorta::comm::testing
