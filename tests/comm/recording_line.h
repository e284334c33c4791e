// A line that passes everything to another one and keeps the command of every frame written, so
// that tests can see what went out even when the transmitter ignored it.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "tests/comm/fake_line.h"

namespace vorta::comm::testing {

struct TSentLog {
  std::mutex mutex;
  std::vector<Bytes> commands;
  int Count(std::uint8_t letter) {
    std::lock_guard lock(mutex);
    int n = 0;
    for (const Bytes& c : commands) n += (!c.empty() && c[0] == letter) ? 1 : 0;
    return n;
  }
};

class TRecordingLine final : public platform::ISerialLine {
 public:
  TRecordingLine(std::unique_ptr<platform::ISerialLine> inner, std::shared_ptr<TSentLog> log)
      : inner_(std::move(inner)), log_(std::move(log)) {}
  bool Configure(int baud) override { return inner_->Configure(baud); }
  void Purge() override { inner_->Purge(); }
  bool Write(const std::uint8_t* data, std::size_t n, int timeoutMs) override {
    {
      std::lock_guard lock(log_->mutex);
      log_->commands.push_back(DecodeCommandFrame(Bytes(data, data + n)));
    }
    return inner_->Write(data, n, timeoutMs);
  }
  int Read(std::uint8_t* buf, std::size_t max, int timeoutMs) override {
    return inner_->Read(buf, max, timeoutMs);
  }
  void Interrupt() override { inner_->Interrupt(); }

 private:
  std::unique_ptr<platform::ISerialLine> inner_;
  std::shared_ptr<TSentLog> log_;
};

}  // namespace vorta::comm::testing
