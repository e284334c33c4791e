// TCommD: the program's only access to the wire. It owns one serial line and runs whole
// command/reply transactions on it: frame, write, wait for the echo and the reply, unframe, check.
#pragma once

#include <cstdint>
#include <memory>

#include "comm/frame.h"
#include "comm/line_log.h"
#include "platform/port_trouble.h"
#include "platform/serial_line.h"
#include "platform/thread.h"

namespace vorta::comm {

// Line timing for a baud rate: 10 bits per character.
struct TLinkTiming {
  double charTime = 0;           // ms per character
  std::uint16_t charTimeMs = 0;  // charTime rounded up
  int readIntervalMs = 0;        // ceil(4 x charTime): the longest gap inside a reply
  int readMultiplierMs = 0;
  int readConstantMs = 50;
  int writeMultiplierMs = 0;
  int writeConstantMs = 100;
};
// False for a baud rate that gives no timing (0, negative, or a character time past 16 bits).
bool TimingForBaud(int baud, TLinkTiming& timing);

class TCommD {
 public:
  explicit TCommD(std::unique_ptr<platform::ISerialLine> line);
  ~TCommD();
  TCommD(const TCommD&) = delete;
  TCommD& operator=(const TCommD&) = delete;

  // Opens COMn as resolved by the port names; nullptr (and no message) when it cannot be opened,
  // and then why says why when it is given.
  static std::unique_ptr<TCommD> OpenPort(int portNumber, platform::TPortOpenError* why = nullptr);

  // Raw 8N1 at baud, RS-485 requested, queues purged, then the settle pause.
  bool Setup(int baud);
  // Writes the encoded frame (length in byte 255) after purging stale input.
  bool WriteFrame(const TBuffer& frame);
  // Reads into buf until a FrameEnd that can end the frame (at or past minTotal bytes) or the
  // time-out; count in: at most this many bytes, out: bytes read (0 when not plausible). A whole
  // exchange whose echo is not frame (an earlier command's, still on its way) is passed over.
  bool ReadReply(TBuffer& buf, int& count, const TBuffer& frame, int timeoutMs, int minTotal);
  // One transaction; the command buffer is a copy and stays the caller's. The tag says whose it
  // is and which attempt, for the line log.
  bool Transact(TBuffer command, TBuffer& reply, std::uint16_t timeoutMs, TTransactTag tag = {});
  // Stops a worker thread that uses the line: true when it ended and its handle was released.
  bool StopIo(platform::WorkerThread& thread);
  // Stops I/O, waits for the polling thread, releases the line. False while the polling thread
  // still runs: the line then stays open so that it is never closed beneath it.
  bool ClosePort();
  bool IsOpen() const { return line_ != nullptr; }
  // The line itself has failed (unplugged adapter, hung-up device): it must be closed and reopened.
  bool Gone() const { return line_ && line_->Gone(); }

 private:
  bool Exchange(const TBuffer& frame, int expected, std::uint16_t timeoutMs, TBuffer& rx, TBuffer& reply);
  void Record(const TBuffer& command, const TBuffer& frame, const TBuffer& rx, int expected, bool ok,
              std::uint16_t timeoutMs, TTransactTag tag) const;

  std::unique_ptr<platform::ISerialLine> line_;
  TExchangeTrace trace_;  // what the last exchange saw on the line, for the line log
};

// Waits ms unless I/O is being stopped; false when cut short.
bool LinkPause(int ms);

}  // namespace vorta::comm
