// Pseudo-terminal side of the simulated transmitter: a worker thread that reads what the host sends
// on the slave, and writes echo and replies byte by byte at their due times.
#include "sim/sim_pty.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

namespace vorta::sim {

int BaudOfSpeed(unsigned speed) {
  switch (speed) {
    case B300:
      return 300;
    case B600:
      return 600;
    case B1200:
      return 1200;
    case B2400:
      return 2400;
    case B4800:
      return 4800;
    case B9600:
      return 9600;
    case B19200:
      return 19200;
    case B38400:
      return 38400;
    case B57600:
      return 57600;
    case B115200:
      return 115200;
    default:
      return 9600;
  }
}

TSimPty::TSimPty(TSimTransmitter& tx) : wire_(tx) {}

TSimPty::~TSimPty() {
  Stop();
}

double TSimPty::NowMs() const {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

bool TSimPty::Start(std::string* why) {
  if (running_) {
    if (why) *why = "already running";
    return false;
  }
  if (worker_.joinable()) worker_.join();
  std::array<char, 256> name{};
  if (openpty(&master_, &slave_, name.data(), nullptr, nullptr) != 0) {
    if (why) *why = std::string("openpty: ") + std::strerror(errno);
    return false;
  }
  termios t{};
  tcgetattr(slave_, &t);
  cfmakeraw(&t);
  cfsetispeed(&t, B9600);
  cfsetospeed(&t, B9600);
  tcsetattr(slave_, TCSANOW, &t);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  int pipeFds[2];
  if (pipe2(pipeFds, O_NONBLOCK | O_CLOEXEC) != 0) {
    if (why) *why = std::string("pipe: ") + std::strerror(errno);
    CloseFds();
    return false;
  }
  wakeRead_ = pipeFds[0];
  wakeWrite_ = pipeFds[1];
  {
    std::lock_guard lock(mutex_);
    slavePath_ = name.data();
  }
  pending_.clear();
  closeAfterWrite_ = false;
  baud_ = 9600;
  wire_.SetBaud(9600);
  stopRequested_ = false;
  running_ = true;
  worker_ = std::thread([this] { Run(); });
  return true;
}

void TSimPty::Stop() {
  stopRequested_ = true;
  if (wakeWrite_ >= 0) {
    const char c = 1;
    [[maybe_unused]] ssize_t w = write(wakeWrite_, &c, 1);
  }
  if (worker_.joinable()) worker_.join();
  CloseFds();
  RemoveLink();
  running_ = false;
}

void TSimPty::CloseFds() {
  for (int* fd : {&master_, &slave_, &wakeRead_, &wakeWrite_}) {
    if (*fd >= 0) close(*fd);
    *fd = -1;
  }
  std::lock_guard lock(mutex_);
  slavePath_.clear();
}

std::string TSimPty::SlavePath() const {
  std::lock_guard lock(mutex_);
  return slavePath_;
}

bool TSimPty::MakeLink(const std::string& linkPath) {
  std::lock_guard lock(mutex_);
  if (slavePath_.empty()) return false;
  struct stat st {};
  if (lstat(linkPath.c_str(), &st) == 0) {
    if (!S_ISLNK(st.st_mode)) return false;  // never replace anything but an old link
    unlink(linkPath.c_str());
  }
  if (symlink(slavePath_.c_str(), linkPath.c_str()) != 0) return false;
  linkPath_ = linkPath;
  return true;
}

void TSimPty::RemoveLink() {
  std::lock_guard lock(mutex_);
  if (linkPath_.empty()) return;
  struct stat st {};
  if (lstat(linkPath_.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) unlink(linkPath_.c_str());
  linkPath_.clear();
}

void TSimPty::SetTrace(std::function<void(const std::string&)> trace) {
  wire_.SetTrace(std::move(trace));
}

void TSimPty::SetOnDisconnect(std::function<void()> onDisconnect) {
  std::lock_guard lock(mutex_);
  onDisconnect_ = std::move(onDisconnect);
}

bool TSimPty::ReadInput(double nowMs) {
  std::array<std::uint8_t, 512> buf{};
  const ssize_t n = read(master_, buf.data(), buf.size());
  if (n <= 0) return n < 0 && (errno == EAGAIN || errno == EINTR);
  termios t{};
  if (tcgetattr(master_, &t) == 0) {
    const int baud = BaudOfSpeed(cfgetospeed(&t));
    if (baud != baud_) {
      baud_ = baud;
      wire_.SetBaud(baud);
    }
  }
  wire_.Receive(buf.data(), static_cast<std::size_t>(n), nowMs, pending_);
  return true;
}

void TSimPty::WriteDue(double nowMs) {
  std::vector<std::uint8_t> out;
  while (!pending_.empty() && pending_.front().dueMs <= nowMs) {
    out.push_back(pending_.front().value);
    const bool close = pending_.front().closeAfter;
    pending_.pop_front();
    if (close) {
      closeAfterWrite_ = true;
      break;
    }
  }
  // A full queue on the slave side means nobody reads: the bytes are lost, as on an open line.
  if (!out.empty()) [[maybe_unused]]
    ssize_t w = write(master_, out.data(), out.size());
}

void TSimPty::Run() {
  while (!stopRequested_) {
    WriteDue(NowMs());
    if (closeAfterWrite_) break;
    pollfd fds[2] = {{master_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    timespec wait{0, 200'000'000};
    if (!pending_.empty()) {
      const double ms = std::max(0.0, pending_.front().dueMs - NowMs());
      wait.tv_sec = static_cast<time_t>(ms / 1000.0);
      wait.tv_nsec = static_cast<long>(std::fmod(ms, 1000.0) * 1e6);
    }
    const int r = ppoll(fds, 2, &wait, nullptr);
    if (r < 0 && errno != EINTR) break;
    if (r <= 0) continue;
    if ((fds[0].revents & POLLIN) && !ReadInput(NowMs())) break;
    if (fds[1].revents & POLLIN) {
      char drain[16];
      while (read(wakeRead_, drain, sizeof drain) > 0) {
      }
    }
  }
  if (!closeAfterWrite_) return;
  // The disconnect knob: the pseudo-terminal goes away as a pulled adapter would, once the host
  // has taken the last reply (closing the master side would throw away what it has not read).
  // The bytes reach the slave's queue a moment after the write, so look only after a pause.
  usleep(20000);
  for (int i = 0; i < 100 && !stopRequested_; ++i) {
    int waiting = 0;
    if (ioctl(slave_, FIONREAD, &waiting) != 0 || waiting == 0) break;
    usleep(5000);
  }
  for (int* fd : {&master_, &slave_}) {
    close(*fd);
    *fd = -1;
  }
  RemoveLink();
  {
    std::lock_guard lock(mutex_);
    slavePath_.clear();
  }
  running_ = false;
  std::function<void()> notify;
  {
    std::lock_guard lock(mutex_);
    notify = onDisconnect_;
  }
  if (notify) notify();
}

}  // namespace vorta::sim
