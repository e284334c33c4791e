// vorta-cli run in-process against the simulated transmitter: the subcommands open their line on
// a TSimLine (virtual time), messages and results go to strings, the settings and history live in
// a folder of the test's own, and the clock moves on one second per history entry.
//
//   vorta::cli::testing::CliRun run;            // model 47 on COM1
//   EXPECT_EQ(run({"write", "--port", "COM1", file}), 0);
//   run.Out(); run.Err(); run.HistoryFiles(); run.Tx().ReadMemory(...);
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "comm/comm_state.h"
#include "comm/protocol.h"
#include "sim/sim_line.h"
#include "sim/sim_transmitter.h"
#include "tests/support/temp_dir.h"

namespace vorta::cli::testing {

namespace fs = std::filesystem;

// A parameter file for a model 47 transmitter: a K thermocouple, 0 to 500 C.
inline std::string KFile(const std::string& device = "VTX47", const std::string& tag = "TAG-7",
                         const std::string& max = "500") {
  return "Parametry przetwornika serii Vorta\r\n\r\nDevice=" + device +
         "\r\n\r\nCzujnik:\r\nTyp=10\r\nTryb=7\r\nLin=2\r\n\r\n\r\nParametry:\r\nMinInput=0\r\nMaxInput=" +
         max +
         "\r\nRoomT=25\r\nZeroReg=0,5\r\nGainReg=0\r\nFiltrZakres=10\r\nFiltrCzas=9\r\nFiltrLimit=20\r\n"
         "Burnout=1\r\nSiec=50\r\nJednostki=8\r\n\r\nInformacje:\r\nFactory:\r\nserial=42\r\ndata=01.02."
         "2026\r\n"
         "User:\r\nkod=" +
         tag + "\r\nogolne=free text\r\nogolne1=\r\n\r\n";
}

class CliRun {
 public:
  explicit CliRun(const sim::TSimConfig& config = {}) : tx_(std::make_unique<sim::TSimTransmitter>(config)) {
    comm::ResetComm();
    env_.out = &out_;
    env_.err = &err_;
    env_.settingsDir = dir_.Path().string();
    env_.programDir = dir_.Path().string();
    env_.workingDir = dir_.Path().string();
    env_.openLine = [this](int port) {
      if (port != 1 || unplugged_) return false;
      auto line = std::make_unique<sim::TSimLine>(*tx_);
      if (trace_) line->SetTrace(trace_);
      return comm::OpenLineOn(std::move(line), 4);
    };
    env_.now = [this] {
      ++seconds_;
      return app::THistoryTime{2026, 12, 7, 15, 30, seconds_ % 60};
    };
    env_.interrupted = &interrupted_;
  }
  ~CliRun() { comm::ResetComm(); }
  CliRun(const CliRun&) = delete;
  CliRun& operator=(const CliRun&) = delete;

  int operator()(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    const int code = RunCli(args, env_);
    comm::ResetComm();
    return code;
  }

  std::string Out() const { return out_.str(); }
  std::string Err() const { return err_.str(); }
  sim::TSimTransmitter& Tx() { return *tx_; }
  TCliEnv& Env() { return env_; }
  std::atomic<bool>& Interrupted() { return interrupted_; }
  // Called with every frame on the line (set before the run).
  void SetTrace(std::function<void(const std::string&)> trace) { trace_ = std::move(trace); }
  // COM1 then cannot be opened, as a port whose adapter is gone.
  void Unplug() { unplugged_ = true; }

  const fs::path& Dir() const { return dir_.Path(); }
  std::string File(const std::string& name, const std::string& text) const {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return dir_.File(name);
  }
  // The history's files, by their names inside the history folder, hidden ones included.
  std::vector<std::string> HistoryFiles() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(dir_ / "history", ec), end; !ec && it != end; it.increment(ec))
      if (it->is_regular_file()) names.push_back(fs::relative(it->path(), dir_ / "history").string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // The areas a full write writes, as the transmitter holds them.
  std::vector<std::uint8_t> WrittenAreas() const {
    std::vector<std::uint8_t> m = tx_->ReadMemory(0x010, 0x0C0);
    const std::vector<std::uint8_t> d = tx_->ReadMemory(0x440, 0x680);
    m.insert(m.end(), d.begin(), d.end());
    return m;
  }

 private:
  vorta::testing::TempDir dir_;
  std::unique_ptr<sim::TSimTransmitter> tx_;
  std::ostringstream out_, err_;
  TCliEnv env_;
  std::atomic<bool> interrupted_{false};
  std::function<void(const std::string&)> trace_;
  bool unplugged_ = false;
  int seconds_ = 0;
};

}  // namespace vorta::cli::testing
