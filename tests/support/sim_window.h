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
#include <stdlib.h>

#include <QApplication>
#include <QThread>
#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "app/record_conversion.h"
#include "app/ui/app_state.h"
#include "app/ui/main_window.h"
#include "app/ui/window_state.h"
#include "comm/comm_state.h"
#include "comm/device_image.h"
#include "comm/polling.h"
#include "comm/protocol.h"
#include "comm/ui/record_state.h"
#include "docs/ui/lang.h"
#include "platform/port_names.h"
#include "platform/program_dir.h"
#include "sensors/ui/sensor_state.h"
#include "sim/sim_line.h"
#include "sim/sim_pty.h"
#include "sim/sim_transmitter.h"
#include "tests/support/message_recorder.h"
#include "tests/support/program_folder.h"

namespace vorta::testing {

class SimWindow {
 public:
  // onPty: the transmitter serves a pseudo-terminal at real speed instead, linked as ports/COM1,
  // and the window opens it as the program does (Line() is then not available).
  explicit SimWindow(const sim::TSimConfig& config = {}, bool onPty = false)
      : tx_(std::make_unique<sim::TSimTransmitter>(config)) {
    if (onPty) {
      const std::string ports = folder_.Dir() + "/ports";
      std::filesystem::create_directory(ports);
      pty_ = std::make_unique<sim::TSimPty>(*tx_);
      EXPECT_TRUE(pty_->Start());
      EXPECT_TRUE(pty_->MakeLink(ports + "/COM1"));
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
    pty_.reset();
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
    app::TParamSet set = p;
    auto table = std::make_unique<sensors::TUserTable>(sensors::UserTable());
    comm::TDeviceRecord record{};
    const TResult encoded =
        app::EncodeRecord(set, *table, sensors::SensorRangeTable(), {tx_->ModelCode(), dayNumber}, record);
    comm::TDeviceImage image{};
    comm::EncodeImage(record, image);
    tx_->WriteMemory(0x010, std::vector<std::uint8_t>(image.begin() + 0x010, image.begin() + 0x0D0));
    tx_->WriteMemory(0x440, std::vector<std::uint8_t>(image.begin() + 0x440, image.begin() + 0xAC0));
    tx_->UpdateChecksums();
    return encoded.ok;
  }
  // The areas a full write writes, as the transmitter holds them now.
  std::vector<std::uint8_t> WrittenAreas() const {
    std::vector<std::uint8_t> m = tx_->ReadMemory(0x010, 0x0C0);
    const std::vector<std::uint8_t> d = tx_->ReadMemory(0x440, 0x680);
    m.insert(m.end(), d.begin(), d.end());
    return m;
  }

  const ProgramFolder& Folder() const { return folder_; }

  ProgramFolder folder_;  // first: the window is made in it and destroyed before it goes
  MessageRecorder rec;

 private:
  static std::uint64_t PollSeq() {
    std::lock_guard lock(comm::Comm().ShadowLock);
    return comm::Comm().ShadowSeq;
  }

  std::unique_ptr<sim::TSimTransmitter> tx_;
  sim::TSimLine* line_ = nullptr;
  std::unique_ptr<sim::TSimPty> pty_;
  std::unique_ptr<app::TVortaF> w_;
};

}  // namespace vorta::testing
