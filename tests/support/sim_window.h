// Window tests against the simulated transmitter in-process: the main window opens its line on a
// TSimLine (virtual time, so transfers take as long as the code needs), the polling thread runs as
// in the program, and the test drives the ticks of the live display itself.
//
//   vorta::testing::SimWindow sw;                 // model 47, default memory
//   ASSERT_TRUE(sw.TickUntilConnected());          // first measurement shown, commands enabled
//   sw.W().OdczytajTClick();                       // Read, as the toolbar button does
//   sw.Tx().SetKnob("silent", "1"); sw.MissTick(); // a tick that finds no new poll
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QThread>
#include <stdlib.h>
#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

#include "app/main_window.h"
#include "app/param_set.h"
#include "app/record_conversion.h"
#include "app/settings.h"
#include "app/window_state.h"
#include "comm/comm_state.h"
#include "comm/device_image.h"
#include "comm/device_record.h"
#include "comm/polling.h"
#include "comm/protocol.h"
#include "platform/program_dir.h"
#include "platform/port_names.h"
#include "sim/sim_line.h"
#include "sim/sim_pty.h"
#include "sim/sim_transmitter.h"
#include "tests/support/message_recorder.h"

namespace vorta::testing {

class SimWindow {
 public:
  // onPty: the transmitter serves a pseudo-terminal at real speed instead, linked as ports/COM1,
  // and the window opens it as the program does (Line() is then not available).
  explicit SimWindow(const sim::TSimConfig& config = {}, bool onPty = false)
      : tx_(std::make_unique<sim::TSimTransmitter>(config)) {
    std::filesystem::remove(IniPath());
    comm::ResetComm();
    comm::DeviceRecord().Clear();
    app::WindowFlags().Clear();
    app::Param().Clear();
    if (onPty) {
      std::string dir = (std::filesystem::temp_directory_path() / "vorta-window-pty-XXXXXX").string();
      EXPECT_NE(mkdtemp(dir.data()), nullptr);
      portsDir_ = dir;
      platform::SetPortsDir(dir);
      pty_ = std::make_unique<sim::TSimPty>(*tx_);
      EXPECT_TRUE(pty_->Start());
      EXPECT_TRUE(pty_->MakeLink(dir + "/COM1"));
      app::TVortaF::SetLineOpener([](int) { return comm::OpenLine(1, 4); });
    } else {
      app::TVortaF::SetLineOpener([this](int) {
        auto line = std::make_unique<sim::TSimLine>(*tx_);
        line_ = line.get();
        return comm::OpenLineOn(std::move(line), 4);
      });
    }
    w_ = std::make_unique<app::TVortaF>(nullptr, false);
  }
  ~SimWindow() {
    w_.reset();
    comm::ResetComm();
    app::TVortaF::SetLineOpener({});
    std::filesystem::remove(IniPath());
    if (pty_) {
      pty_.reset();
      platform::SetPortsDir("");
      std::filesystem::remove_all(portsDir_);
    }
  }
  SimWindow(const SimWindow&) = delete;
  SimWindow& operator=(const SimWindow&) = delete;

  app::TVortaF& W() { return *w_; }
  sim::TSimTransmitter& Tx() { return *tx_; }
  sim::TSimLine& Line() { return *line_; }

  template <typename T>
  T* Child(const char* name) {
    T* c = w_->findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
  }

  // Waits until the polling thread has finished a poll after this call (or timeoutMs passed).
  static bool WaitForPoll(int timeoutMs = 3000) {
    const std::uint64_t first = PollSeq();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (PollSeq() == first) {
      if (std::chrono::steady_clock::now() > end) return false;
      QThread::msleep(2);
    }
    return true;
  }
  // One tick of the live display after a fresh poll.
  bool Tick() {
    const bool polled = WaitForPoll();
    w_->Timer1Timer();
    return polled;
  }
  // Ticks until a measurement was shown and the transmitter counts as connected.
  bool TickUntilConnected(int timeoutMs = 3000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
      Tick();
      if (app::WindowFlags().Connected) return true;
    }
    return false;
  }
  // A tick that finds no new measurement: whatever the poller still had is taken first.
  void MissTick() {
    double v = 0, c = 0;
    comm::TRawMeasurement raw{};
    QThread::msleep(30);
    comm::TakeMeasurement(v, c, raw);
    w_->Timer1Timer();
  }

  // Writes the encoded areas of a parameter set straight into the transmitter's memory, as if an
  // earlier session had configured it. The process-wide set and record are cleared afterwards.
  bool Seed(const app::TParamSet& p, int dayNumber = 9000) {
    app::Param() = p;
    const auto encoded = app::EncodeRecord({tx_->ModelCode(), dayNumber});
    comm::TDeviceImage image{};
    comm::EncodeImage(comm::DeviceRecord(), image);
    tx_->WriteMemory(0x010, std::vector<std::uint8_t>(image.begin() + 0x010, image.begin() + 0x0D0));
    tx_->WriteMemory(0x440, std::vector<std::uint8_t>(image.begin() + 0x440, image.begin() + 0xAC0));
    tx_->UpdateChecksums();
    app::Param().Clear();
    comm::DeviceRecord().Clear();
    return encoded.status == sensors::TCharStatus::kOk;
  }
  // The areas a full write writes, as the transmitter holds them now.
  std::vector<std::uint8_t> WrittenAreas() const {
    std::vector<std::uint8_t> m = tx_->ReadMemory(0x010, 0x0C0);
    const std::vector<std::uint8_t> d = tx_->ReadMemory(0x440, 0x680);
    m.insert(m.end(), d.begin(), d.end());
    return m;
  }

  MessageRecorder rec;

 private:
  static std::string IniPath() { return platform::ProgramDir() + "/" + app::kSettingsFileName; }
  static std::uint64_t PollSeq() {
    std::lock_guard lock(comm::Comm().ShadowLock);
    return comm::Comm().ShadowSeq;
  }

  std::unique_ptr<sim::TSimTransmitter> tx_;
  sim::TSimLine* line_ = nullptr;
  std::unique_ptr<sim::TSimPty> pty_;
  std::string portsDir_;
  std::unique_ptr<app::TVortaF> w_;
};

}  // namespace vorta::testing
