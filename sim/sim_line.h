// The simulated transmitter in-process behind the serial line interface. Time on this line is
// virtual: it moves on only while the host waits in Read (or through Advance), so a test runs as
// fast as the code allows and repeats exactly. With realTime set, waits also take wall-clock time.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "platform/serial_line.h"
#include "sim/sim_wire.h"

namespace vorta::sim {

class TSimLine : public platform::ISerialLine {
 public:
  explicit TSimLine(TSimTransmitter& tx, bool realTime = false);

  bool Configure(int baud) override;
  void Purge() override;
  bool Write(const std::uint8_t* data, std::size_t n, int timeoutMs) override;
  int Read(std::uint8_t* buf, std::size_t max, int timeoutMs) override;
  void Interrupt() override;
  // A pulled plug is a line that failed, as an unplugged adapter is.
  bool Gone() const override { return Closed(); }

  // Virtual time in milliseconds since the line was made.
  double NowMs() const;
  // Lets time pass without reading (for example the restart after a reset).
  void Advance(double ms);
  // Pulls the plug: every later Read gives -1 and every Write false.
  void Close();
  bool Closed() const;
  void SetTrace(std::function<void(const std::string&)> trace);
  TSimTransmitter& Transmitter() { return wire_.Transmitter(); }

 private:
  void AdvanceLocked(std::unique_lock<std::mutex>& lock, double ms);
  void DeliverLocked(std::uint8_t* buf, std::size_t max, int& got);

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  TSimWire wire_;
  std::deque<TTimedByte> pending_;
  bool realTime_;
  double nowMs_ = 0.0;
  double closeAtMs_ = -1.0;
  bool closed_ = false;
  unsigned long interrupts_ = 0;
};

}  // namespace vorta::sim
