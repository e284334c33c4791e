// The real serial port on termios: exclusive open, raw 8N1, RS-485 RTS-on-send when the driver
// offers it, and reads and writes bounded by poll() deadlines that Interrupt() cuts short.
#pragma once

#include <memory>
#include <string>

#include "platform/serial_line.h"

namespace vorta::platform {

class SerialPort final : public ISerialLine {
 public:
  // Opens the device (or a link to it) exclusively; nullptr when it does not exist, is no
  // terminal, or another program holds it.
  static std::unique_ptr<SerialPort> Open(const std::string& path);
  ~SerialPort() override;

  bool Configure(int baud) override;
  void Purge() override;
  bool Write(const std::uint8_t* data, std::size_t n, int timeoutMs) override;
  int Read(std::uint8_t* buf, std::size_t max, int timeoutMs) override;
  void Interrupt() override;

 private:
  SerialPort(int fd, int wakeRead, int wakeWrite) : fd_(fd), wakeRead_(wakeRead), wakeWrite_(wakeWrite) {}
  void DrainWake();

  int fd_;
  int wakeRead_;
  int wakeWrite_;
};

}  // namespace vorta::platform
