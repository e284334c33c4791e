// The real serial port on termios: exclusive open, raw 8N1, RS-485 RTS-on-send when the driver
// offers it, and reads and writes bounded by poll() deadlines that Interrupt() cuts short.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "platform/port_trouble.h"
#include "platform/serial_line.h"

namespace vorta::platform {

class SerialPort final : public ISerialLine {
 public:
  // Opens the device (or a link to it) exclusively; nullptr when it does not exist, is no
  // terminal, or another program holds it. why, when given, then says which.
  static std::unique_ptr<SerialPort> Open(const std::string& path, TPortOpenError* why = nullptr);
  ~SerialPort() override;

  bool Configure(int baud) override;
  void Purge() override;
  bool Write(const std::uint8_t* data, std::size_t n, int timeoutMs) override;
  int Read(std::uint8_t* buf, std::size_t max, int timeoutMs) override;
  void Interrupt() override;
  bool Gone() const override { return gone_; }

 private:
  SerialPort(int fd, int wakeRead, int wakeWrite) : fd_(fd), wakeRead_(wakeRead), wakeWrite_(wakeWrite) {}
  void DrainWake();
  // Notes a failure of the line itself: an error that no retry can mend, or a hang-up.
  void NoteError(int error);

  int fd_;
  int wakeRead_;
  int wakeWrite_;
  std::atomic<bool> gone_{false};
};

}  // namespace vorta::platform
