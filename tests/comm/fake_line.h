// A scripted serial line for the link tests: every frame written is echoed (unless switched off)
// and followed by whatever the responder returns; reads hand out what is queued, in chunks.
#pragma once

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

struct TFakeLineControl {
  std::mutex mutex;
  std::condition_variable cv;
  std::function<Bytes(const Bytes& written)> respond;           // reply bytes for a written frame
  Bytes pending;                                                // input not yet read
  std::vector<Bytes> writes;                                    // every frame written
  std::vector<std::chrono::steady_clock::time_point> attempts;  // every write tried
  bool echo = true;
  Bytes lateTail;           // arrives after the purge, before the echo: the end of an earlier reply
  bool gone = false;        // reads report a vanished line
  bool writeFails = false;  // writes do not get out in time
  bool configureOk = true;
  bool interrupted = false;
  std::size_t chunk = 7;  // at most this many bytes per read
  int purges = 0;
  int configuredBaud = 0;
  bool destroyed = false;

  void Feed(const Bytes& bytes);
  std::size_t WriteCount();
  Bytes Written(std::size_t i);
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

 private:
  std::shared_ptr<TFakeLineControl> c_;
};

// The reply frame for data (length byte, escaped data and checksum, FrameEnd).
Bytes EncodeReply(const Bytes& data);
// The command bytes of a command frame; empty when the frame is damaged.
Bytes DecodeCommandFrame(const Bytes& frame);

}  // namespace vorta::comm::testing
