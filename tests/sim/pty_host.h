// A minimal host end for the pseudo-terminal tests: opens the slave like a serial port (raw 8N1)
// and exchanges one frame, with waits bounded by poll.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "tests/sim/host_frames.h"

namespace vorta::sim::test {

class TPtyHost {
 public:
  explicit TPtyHost(const std::string& path, speed_t speed = B9600) {
    fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) return;
    termios t{};
    tcgetattr(fd_, &t);
    cfmakeraw(&t);
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    tcsetattr(fd_, TCSANOW, &t);
    tcflush(fd_, TCIOFLUSH);
  }
  ~TPtyHost() {
    if (fd_ >= 0) close(fd_);
  }
  bool Open() const { return fd_ >= 0; }

  // Reads until a frame end after the echo, nothing for timeoutMs, or the line is gone.
  TExchange Exchange(const TBytes& command, int timeoutMs = 500) {
    const TBytes frame = CommandFrame(command);
    tcflush(fd_, TCIFLUSH);
    if (write(fd_, frame.data(), frame.size()) != static_cast<ssize_t>(frame.size())) return {};
    TBytes got;
    for (;;) {
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, timeoutMs) <= 0 || !(p.revents & POLLIN)) break;
      std::uint8_t buf[256];
      const ssize_t n = read(fd_, buf, sizeof buf);
      if (n <= 0) {
        gone_ = true;
        break;
      }
      got.insert(got.end(), buf, buf + n);
      if (got.size() > frame.size() && got.back() == 0xC3) break;
    }
    return SplitReply(frame, got);
  }
  // True once a read reported the line gone (hang-up or error).
  bool Gone() {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, 500) > 0 && (p.revents & (POLLHUP | POLLERR))) gone_ = true;
    return gone_;
  }

 private:
  int fd_ = -1;
  bool gone_ = false;
};

}  // namespace vorta::sim::test
