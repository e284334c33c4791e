// Engine of the simulated transmitter: state, knobs, signal, memory access and the fault handling
// around every command. The commands themselves are in sim_commands.cpp.
#include "sim/sim_transmitter.h"

#include "sim/sim_frame.h"

namespace vorta::sim {

TSimTransmitter::TSimTransmitter(const TSimConfig& config)
    : config_(config), model_(FindSimModel(config.modelCode)), sampler_(config.seed), faultRng_(config.seed) {
  if (!model_) model_ = FindSimModel(kDefaultModelCode);
  memory_ = DefaultMemory(*model_);
  startNote_ = "new memory for model " + std::to_string(model_->code);
  if (config_.memoryFile.empty()) return;
  TSimMemory loaded;
  std::string why;
  if (!loaded.Load(config_.memoryFile, &why)) {
    startNote_ += " (" + why + ")";
    return;
  }
  const TSimModel* fileModel = FindSimModel(loaded.ModelCode());
  if (!fileModel) {
    startNote_ += " (" + config_.memoryFile + " holds an unknown type number)";
  } else if (fileModel == model_ || config_.modelFromMemory) {
    model_ = fileModel;
    memory_ = loaded;
    startNote_ = "memory of model " + std::to_string(model_->code) + " loaded from " + config_.memoryFile;
  } else {
    startNote_ += " (" + config_.memoryFile + " holds model " + std::to_string(fileModel->code) + ")";
  }
}

TReplyPlan TSimTransmitter::HandleCommand(const std::vector<std::uint8_t>& command, double nowMs) {
  std::lock_guard lock(mutex_);
  TReplyPlan plan;
  ++stats_.frames;
  if (!command.empty() && (command[0] & 0x80)) ++stats_.markedCommands;
  if (framesUntilDisconnect_ > 0 && --framesUntilDisconnect_ == 0) plan.disconnect = true;
  std::optional<TData> reply;
  if (!SilentNow() && nowMs >= restartUntilMs_) reply = Execute(command, nowMs);
  if (framesUntilSilent_ > 0 && --framesUntilSilent_ == 0) silentLatched_ = true;
  if (!reply) {
    ++stats_.unanswered;
    return plan;
  }
  ApplyLineFaults(*reply, plan);
  return plan;
}

void TSimTransmitter::NoteBadFrame() {
  std::lock_guard lock(mutex_);
  ++stats_.badFrames;
}

bool TSimTransmitter::SilentNow() const {
  return knobs_.silent || silentLatched_;
}

void TSimTransmitter::ApplyLineFaults(TData& reply, TReplyPlan& plan) {
  std::uniform_real_distribution<double> share(0.0, 1.0);
  if (knobs_.loseShare > 0.0 && share(faultRng_) < knobs_.loseShare) {
    ++stats_.lost;
    return;
  }
  if (knobs_.corruptShare > 0.0 && share(faultRng_) < knobs_.corruptShare) {
    // One bit of one data byte flips on the line; the checksum stays that of the good data
    // (with no data, the checksum itself is hit).
    ++stats_.corrupted;
    const std::uint8_t good = Checksum(reply);
    if (reply.empty()) {
      plan.frame = EncodeReply(reply, static_cast<std::uint8_t>(good ^ 0x01));
    } else {
      std::uniform_int_distribution<std::size_t> pick(0, reply.size() - 1);
      std::uniform_int_distribution<int> bit(0, 7);
      reply[pick(faultRng_)] ^= static_cast<std::uint8_t>(1u << bit(faultRng_));
      plan.frame = EncodeReply(reply, good);
    }
  }
  if (plan.frame.empty()) plan.frame = EncodeReply(reply);
  plan.delayMs = knobs_.lateMs;
  ++stats_.replies;
}

void TSimTransmitter::CountBlockCommand() {
  if (blocksUntilSilent_ > 0 && --blocksUntilSilent_ == 0) silentLatched_ = true;
}

void TSimTransmitter::SetKnobs(const TFaultKnobs& knobs) {
  std::lock_guard lock(mutex_);
  if (knobs.silentAfterFrames != knobs_.silentAfterFrames || knobs.silentInBlock != knobs_.silentInBlock ||
      knobs.silent != knobs_.silent) {
    silentLatched_ = knobs.silentAfterFrames == 0;
    framesUntilSilent_ = knobs.silentAfterFrames;
    blocksUntilSilent_ = -1;
  }
  if (knobs.disconnectAfterFrames != knobs_.disconnectAfterFrames)
    framesUntilDisconnect_ = knobs.disconnectAfterFrames;
  knobs_ = knobs;
}

TFaultKnobs TSimTransmitter::Knobs() const {
  std::lock_guard lock(mutex_);
  return knobs_;
}

bool TSimTransmitter::SetKnob(const std::string& name, const std::string& value) {
  TFaultKnobs k = Knobs();
  if (!SetKnobByName(k, name, value)) return false;
  SetKnobs(k);
  return true;
}

void TSimTransmitter::SetSignal(const TSignalSettings& signal) {
  std::lock_guard lock(mutex_);
  signal_ = signal;
}

TSignalSettings TSimTransmitter::Signal() const {
  std::lock_guard lock(mutex_);
  return signal_;
}

void TSimTransmitter::SetLevel(double level) {
  std::lock_guard lock(mutex_);
  signal_.level = level;
}

bool TSimTransmitter::SetSignalValue(const std::string& name, const std::string& value) {
  std::lock_guard lock(mutex_);
  return SetSignalByName(signal_, name, value);
}

std::vector<std::uint8_t> TSimTransmitter::ReadMemory(unsigned address, unsigned count) const {
  std::lock_guard lock(mutex_);
  std::vector<std::uint8_t> out(count);
  for (unsigned i = 0; i < count; ++i) out[i] = memory_.Byte(address + i);
  return out;
}

void TSimTransmitter::WriteMemory(unsigned address, const std::vector<std::uint8_t>& bytes) {
  std::lock_guard lock(mutex_);
  for (std::size_t i = 0; i < bytes.size(); ++i)
    memory_.SetByte(address + static_cast<unsigned>(i), bytes[i]);
}

void TSimTransmitter::UpdateChecksums() {
  std::lock_guard lock(mutex_);
  memory_.UpdateChecksums();
}

TSimMemory TSimTransmitter::Memory() const {
  std::lock_guard lock(mutex_);
  return memory_;
}

void TSimTransmitter::SetMemory(const TSimMemory& memory) {
  std::lock_guard lock(mutex_);
  memory_ = memory;
}

bool TSimTransmitter::SaveMemory() {
  std::lock_guard lock(mutex_);
  if (config_.memoryFile.empty()) return false;
  ++stats_.memorySaves;
  return memory_.Save(config_.memoryFile);
}

void TSimTransmitter::MemoryChanged() {
  if (config_.memoryFile.empty()) return;
  ++stats_.memorySaves;
  memory_.Save(config_.memoryFile);
}

TRegisters TSimTransmitter::Measure(double nowMs) {
  std::lock_guard lock(mutex_);
  sampler_.Advance(memory_, signal_, model_->timeStepS, nowMs);
  return sampler_.Registers();
}

int TSimTransmitter::ModelCode() const {
  return model_->code;
}
int TSimTransmitter::TypeIndex() const {
  return model_->typeIndex;
}

TSimStats TSimTransmitter::Stats() const {
  std::lock_guard lock(mutex_);
  return stats_;
}

bool TSimTransmitter::Restarting(double nowMs) const {
  std::lock_guard lock(mutex_);
  return nowMs < restartUntilMs_;
}

bool TSimTransmitter::InServiceState() const {
  std::lock_guard lock(mutex_);
  return serviceState_;
}

std::string TSimTransmitter::StartNote() const {
  std::lock_guard lock(mutex_);
  return startNote_;
}

}  // namespace vorta::sim
