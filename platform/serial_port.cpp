// Serial port on termios + poll.
#include "platform/serial_port.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace vorta::platform {

namespace {

speed_t SpeedOf(int baud) {
  switch (baud) {
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    default:
      return B0;
  }
}

int RemainingMs(std::chrono::steady_clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Half-duplex two-wire adapters switch their driver with RTS; ports without RS-485 refuse this.
void RequestRs485(int fd) {
  serial_rs485 rs{};
  rs.flags = SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
  ioctl(fd, TIOCSRS485, &rs);
}

}  // namespace

std::unique_ptr<SerialPort> SerialPort::Open(const std::string& path, TPortOpenError* why) {
  const auto fail = [&path, why](int error) {
    if (why) *why = ClassifyOpenError(path, error);
    return nullptr;
  };
  if (const int hooked = HookedOpenError(path)) return fail(hooked);
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return fail(errno);
  termios tio{};
  // TIOCEXCL refuses later opens by other programs; the lock also holds against privileged ones.
  if (tcgetattr(fd, &tio) != 0 || ioctl(fd, TIOCEXCL) != 0 || flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    close(fd);
    return fail(error);
  }
  int wake[2];
  if (pipe2(wake, O_NONBLOCK | O_CLOEXEC) != 0) {
    const int error = errno;
    close(fd);
    return fail(error);
  }
  if (why) *why = TPortOpenError{PortTrouble::kNone, 0, path, {}};
  return std::unique_ptr<SerialPort>(new SerialPort(fd, wake[0], wake[1]));
}

SerialPort::~SerialPort() {
  int dtr = TIOCM_DTR;
  ioctl(fd_, TIOCMBIC, &dtr);
  ioctl(fd_, TIOCNXCL);
  close(fd_);
  close(wakeRead_);
  close(wakeWrite_);
}

bool SerialPort::Configure(int baud) {
  const speed_t speed = SpeedOf(baud);
  termios tio{};
  if (speed == B0 || tcgetattr(fd_, &tio) != 0) return false;
  cfmakeraw(&tio);
  tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS | PARENB | CSTOPB | CSIZE);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  if (cfsetispeed(&tio, speed) != 0 || cfsetospeed(&tio, speed) != 0) return false;
  if (tcsetattr(fd_, TCSANOW, &tio) != 0) return false;
  RequestRs485(fd_);
  int dtr = TIOCM_DTR;
  ioctl(fd_, TIOCMBIS, &dtr);
  return true;
}

void SerialPort::DrainWake() {
  std::uint8_t sink[64];
  while (read(wakeRead_, sink, sizeof sink) > 0) {
  }
}

void SerialPort::NoteError(int error) {
  switch (error) {
    case EIO:
    case ENXIO:
    case ENODEV:
    case EPIPE:
    case EBADF:
      gone_ = true;
      break;
    default:
      break;
  }
}

void SerialPort::Purge() {
  tcflush(fd_, TCIOFLUSH);
  DrainWake();
}

bool SerialPort::Write(const std::uint8_t* data, std::size_t n, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  std::size_t done = 0;
  while (done < n) {
    const ssize_t w = write(fd_, data + done, n - done);
    if (w > 0) {
      done += static_cast<std::size_t>(w);
      continue;
    }
    if (w < 0 && errno != EAGAIN && errno != EINTR) {
      NoteError(errno);
      return false;
    }
    pollfd fds[2] = {{fd_, POLLOUT, 0}, {wakeRead_, POLLIN, 0}};
    const int left = RemainingMs(deadline);
    if (left == 0 || poll(fds, 2, left) <= 0) return false;
    if (fds[1].revents & POLLIN) return false;
    if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
      gone_ = true;
      return false;
    }
  }
  return true;
}

int SerialPort::Read(std::uint8_t* buf, std::size_t max, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    const int rc = poll(fds, 2, RemainingMs(deadline));
    if (rc < 0 && errno != EINTR) {
      NoteError(errno);
      return -1;
    }
    if (rc == 0) return 0;
    if (rc < 0) continue;
    if (fds[1].revents & POLLIN) {
      DrainWake();
      return 0;
    }
    if (fds[0].revents & POLLNVAL) {
      gone_ = true;
      return -1;
    }
    const ssize_t r = read(fd_, buf, max);
    if (r > 0) return static_cast<int>(r);
    // A signal or a wake-up without data: wait on for what is left of the time.
    if (r < 0 && (errno == EAGAIN || errno == EINTR)) {
      if (RemainingMs(deadline) == 0) return 0;
      continue;
    }
    // Readable but nothing to read, or an error: the other end hung up or the device is gone.
    if (r == 0)
      gone_ = true;
    else
      NoteError(errno);
    return -1;
  }
}

void SerialPort::Interrupt() {
  const std::uint8_t b = 1;
  [[maybe_unused]] const ssize_t w = write(wakeWrite_, &b, 1);
}

}  // namespace vorta::platform
