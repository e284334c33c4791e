// One serial line as the link layer sees it: the real port on termios, or the simulated
// transmitter run in-process behind the same interface.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vorta::platform {

class ISerialLine {
 public:
  virtual ~ISerialLine() = default;
  // Raw 8N1 at the given baud rate, no flow control; false when the line refuses it.
  virtual bool Configure(int baud) = 0;
  // Discards whatever is waiting in the input and output queues.
  virtual void Purge() = 0;
  // Writes all n bytes, waiting at most timeoutMs for them to leave; false otherwise.
  virtual bool Write(const std::uint8_t* data, std::size_t n, int timeoutMs) = 0;
  // Waits up to timeoutMs for input and reads at most max bytes of it. Returns the count read,
  // 0 when nothing came in time or the wait was interrupted, -1 when the line is gone.
  virtual int Read(std::uint8_t* buf, std::size_t max, int timeoutMs) = 0;
  // Makes every Read or Write blocked on this line return at once (used when I/O is stopped).
  virtual void Interrupt() = 0;
  // True once the line itself has failed (the device vanished or hung up, or I/O on it gave EIO
  // or ENXIO): no later Read or Write can succeed, and only closing and reopening helps.
  virtual bool Gone() const { return false; }
};

}  // namespace vorta::platform
