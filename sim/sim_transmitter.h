// The simulated transmitter's engine: memory, command set, measurement and fault knobs, without
// any line. TSimLine (sim_line.h) puts it behind platform::ISerialLine for in-process tests;
// TSimPty (sim_pty.h) puts it on a pseudo-terminal for the vorta-sim program and line tests.
//
// How a test uses it:
//
//   vorta::sim::TSimConfig config;            // model 47, no memory file, RNG seed 1
//   config.modelCode = 38;
//   vorta::sim::TSimTransmitter tx(config);
//   vorta::sim::TSimLine line(tx);            // an ISerialLine; time is virtual, nothing sleeps
//   line.Write(frame, n, 100);                // the host's command frame
//   int got = line.Read(buf, 256, 250);       // the echo; the next Read brings the reply
//
//   tx.SetLevel(42.0);                        // sensor signal at the terminals (signal unit)
//   tx.SetKnob("lose", "0.5");                // any fault knob by name (sim_knobs.h), or
//   auto k = tx.Knobs(); k.silent = true; tx.SetKnobs(k);
//   tx.WriteMemory(mem::kTag, {'A', 'B'});    // memory as the transmitter holds it (sim_memory.h)
//   auto bytes = tx.ReadMemory(0x400, 8);
//   tx.Stats().replies;                       // what happened on the line so far
//   line.Advance(1000);                       // let virtual time pass (restart after 'r', filter)
//
// On a pseudo-terminal instead (real termios path, real pacing at the baud rate the host sets):
//
//   vorta::sim::TSimPty pty(tx);
//   pty.Start();                              // pty.SlavePath() is the device to open
//   pty.MakeLink(dir + "/ports/COM3");        // optional; removed again by Stop or the destructor
//
// or run the vorta-sim program (vorta-sim --help). All members are safe to call from several
// threads.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "sim/sim_knobs.h"
#include "sim/sim_measure.h"
#include "sim/sim_memory.h"
#include "sim/sim_models.h"

namespace vorta::sim {

struct TSimConfig {
  int modelCode = kDefaultModelCode;  // one of the codes of SimModels()
  std::string memoryFile;             // kept between runs when not empty
  std::uint32_t seed = 1;             // noise and fault draws; fixed, so runs repeat exactly
  double resetSilenceMs = 1000.0;     // how long a restart after 'r' keeps the transmitter deaf
  int turnaroundChars = 2;            // pause between the end of the echo and the reply
  bool modelFromMemory = false;       // a loaded memory file decides the model instead of modelCode
};

// What the line should do after a command frame.
struct TReplyPlan {
  std::vector<std::uint8_t> frame;  // encoded reply frame; empty: nothing is sent
  double delayMs = 0.0;             // extra wait before the reply (the "late" knob)
  bool disconnect = false;          // close the line once the reply (if any) has gone out
};

struct TSimStats {
  long frames = 0;            // good command frames received
  long badFrames = 0;         // frames with a bad checksum or cut off
  long replies = 0;           // reply frames put on the line
  long lost = 0;              // replies dropped by the "lose" knob
  long corrupted = 0;         // replies damaged by the "corrupt" knob
  long unanswered = 0;        // commands not answered: silence, restart, unknown or malformed
  long checksumFailures = 0;  // checksum commands that did not match the memory
  long markedCommands = 0;    // commands received with bit 7 of the letter set
  long restarts = 0;          // resets carried out
  long memorySaves = 0;       // memory file writes
};

class TSimTransmitter {
 public:
  explicit TSimTransmitter(const TSimConfig& config = {});

  // A good command frame (command bytes without framing) received at nowMs.
  TReplyPlan HandleCommand(const std::vector<std::uint8_t>& command, double nowMs);
  void NoteBadFrame();

  void SetKnobs(const TFaultKnobs& knobs);
  TFaultKnobs Knobs() const;
  bool SetKnob(const std::string& name, const std::string& value);
  void SetSignal(const TSignalSettings& signal);
  TSignalSettings Signal() const;
  void SetLevel(double level);
  bool SetSignalValue(const std::string& name, const std::string& value);

  std::vector<std::uint8_t> ReadMemory(unsigned address, unsigned count) const;
  // Test access: writes bytes anywhere, without checksums (call UpdateChecksums to fix them).
  void WriteMemory(unsigned address, const std::vector<std::uint8_t>& bytes);
  void UpdateChecksums();
  TSimMemory Memory() const;
  void SetMemory(const TSimMemory& memory);
  bool SaveMemory();

  // The registers as a measure command at nowMs would see them.
  TRegisters Measure(double nowMs);
  int ModelCode() const;
  int TypeIndex() const;
  int TurnaroundChars() const { return config_.turnaroundChars; }
  TSimStats Stats() const;
  // True while the transmitter restarts after a reset.
  bool Restarting(double nowMs) const;
  // True after a good identify command, until the next reset.
  bool InServiceState() const;
  // How the memory came about: loaded from the file, or new for the model and why.
  std::string StartNote() const;

 private:
  using TData = std::vector<std::uint8_t>;
  std::optional<TData> Execute(const TData& c, double nowMs);
  std::optional<TData> MeasureCommand(const TData& c, double nowMs);
  std::optional<TData> SetOutput(const TData& c);
  std::optional<TData> ReadMemoryCommand(const TData& c, bool block);
  std::optional<TData> WriteMemoryCommand(const TData& c);
  std::optional<TData> WriteCorrections(const TData& c);
  std::optional<TData> SimulateCorrections(const TData& c);
  std::optional<TData> Identify(const TData& c);
  std::optional<TData> ChecksumCommand(const TData& c);
  std::optional<TData> Preamble(const TData& c);
  void Restart(double nowMs);
  void CountBlockCommand();
  bool SilentNow() const;
  void ApplyLineFaults(TData& reply, TReplyPlan& plan);
  void MemoryChanged();
  std::uint8_t StatusA() const;
  std::uint8_t StatusB();
  std::uint16_t OutputDacWord() const;
  void EchoAddress(TData& reply, std::uint8_t hi, std::uint8_t lo) const;

  mutable std::mutex mutex_;
  TSimConfig config_;
  const TSimModel* model_;
  TSimMemory memory_;
  TFaultKnobs knobs_;
  TSignalSettings signal_;
  TSimSampler sampler_;
  std::mt19937 faultRng_;
  TSimStats stats_;
  double restartUntilMs_ = -1.0;
  std::optional<std::uint16_t> independentOutput_;
  bool serviceState_ = false;
  int framesUntilSilent_ = -1;
  int blocksUntilSilent_ = -1;
  int framesUntilDisconnect_ = -1;
  bool silentLatched_ = false;
  std::string startNote_;
};

}  // namespace vorta::sim
