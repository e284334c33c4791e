// The simulated transmitter on a pseudo-terminal: the host opens the slave side like a serial port
// and sets its baud rate there; a worker thread on the master side echoes, answers and paces every
// byte at the character time of that baud rate.
#pragma once

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "sim/sim_wire.h"

namespace vorta::sim {

class TSimPty {
 public:
  explicit TSimPty(TSimTransmitter& tx);
  ~TSimPty();
  TSimPty(const TSimPty&) = delete;
  TSimPty& operator=(const TSimPty&) = delete;

  // Makes a new pseudo-terminal (raw, 9600 baud) and starts serving it. False, with the reason,
  // when no pseudo-terminal can be had or it is already running.
  bool Start(std::string* why = nullptr);
  // Stops serving and closes the pseudo-terminal; also what the disconnect knob does.
  void Stop();
  bool Running() const { return running_; }
  // The device the host opens, e.g. /dev/pts/5; empty when not running.
  std::string SlavePath() const;
  // Makes linkPath a symbolic link to the slave (replacing an old link) and removes it again when
  // the pseudo-terminal closes. False when the link cannot be made.
  bool MakeLink(const std::string& linkPath);
  void RemoveLink();
  // Called from the worker thread with every frame received and sent; set it before Start.
  void SetTrace(std::function<void(const std::string&)> trace);
  // Called from the worker thread when the disconnect knob closed the line.
  void SetOnDisconnect(std::function<void()> onDisconnect);
  // Baud rate the host last set on the slave.
  int Baud() const { return baud_; }

 private:
  void Run();
  bool ReadInput(double nowMs);
  void WriteDue(double nowMs);
  double NowMs() const;
  void CloseFds();

  TSimWire wire_;
  std::deque<TTimedByte> pending_;
  std::thread worker_;
  std::atomic<bool> running_{false};
  std::atomic<bool> stopRequested_{false};
  std::atomic<int> baud_{9600};
  int master_ = -1;
  int slave_ = -1;
  int wakeRead_ = -1, wakeWrite_ = -1;
  mutable std::mutex mutex_;  // guards the paths and the callbacks
  std::string slavePath_;
  std::string linkPath_;
  std::function<void()> onDisconnect_;
  bool closeAfterWrite_ = false;
};

// Baud rate of a termios speed constant; 9600 for one the simulator does not know.
int BaudOfSpeed(unsigned speed);

}  // namespace vorta::sim
