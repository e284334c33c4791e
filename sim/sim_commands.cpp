// The command set as the simulated transmitter carries it out. Each handler returns the reply data
// (command letter first), or nothing when the transmitter stays silent: malformed commands get no
// reply, as the protocol has no error reply.
#include <algorithm>
#include <cmath>

#include "sim/sim_float.h"
#include "sim/sim_frame.h"
#include "sim/sim_transmitter.h"

namespace vorta::sim {

namespace {

constexpr std::uint8_t kMarked = 0x80;
constexpr unsigned kSpecialAddress = 0x5555;

unsigned AddressOf(const std::vector<std::uint8_t>& c) {
  return static_cast<unsigned>(c[2]) << 8 | c[3];
}

}  // namespace

std::optional<TSimTransmitter::TData> TSimTransmitter::Execute(const TData& c, double nowMs) {
  if (c.empty()) return std::nullopt;
  // Bit 7 of the letter turns 'o' into the preamble and 's' into the block read; on every other
  // letter it marks a first attempt and changes nothing.
  switch (c[0]) {
    case 0xEF:
      return Preamble(c);
    case 0xF3:
      return ReadMemoryCommand(c, true);
    default:
      break;
  }
  switch (c[0] & ~kMarked) {
    case 'm':
      return MeasureCommand(c, nowMs);
    case 'o':
      return SetOutput(c);
    case 'r':
      Restart(nowMs);
      return std::nullopt;
    case 's':
      return ReadMemoryCommand(c, false);
    case 'D':
      return WriteMemoryCommand(c);
    case 'V':
      return WriteCorrections(c);
    case 'Z':
      return SimulateCorrections(c);
    case '@':
      return Identify(c);
    case 'L':
      return ChecksumCommand(c);
    default:
      return std::nullopt;
  }
}

std::optional<TSimTransmitter::TData> TSimTransmitter::MeasureCommand(const TData& c, double nowMs) {
  if (c.size() != 2) return std::nullopt;
  sampler_.Advance(memory_, signal_, model_->timeStepS, nowMs);
  const TFloatBytes value = FloatBytes(sampler_.Register(c[1]));
  const std::uint16_t dac = OutputDacWord();
  return TData{c[0],
               c[1],
               value[0],
               value[1],
               value[2],
               value[3],
               static_cast<std::uint8_t>(dac >> 8),
               static_cast<std::uint8_t>(dac & 0xFF),
               StatusA(),
               StatusB()};
}

std::uint8_t TSimTransmitter::StatusA() const {
  std::uint8_t a = memory_.Byte(mem::kUnitIndex) & 0x0F;
  if (knobs_.calibrationMode) a |= 0x10;
  if (independentOutput_) a |= 0x20;
  if (knobs_.brokenSensor) a |= 0x40;
  if (knobs_.eepromError || !memory_.ChecksumsGood()) a |= 0x80;
  return a;
}

std::uint8_t TSimTransmitter::StatusB() {
  auto b = static_cast<std::uint8_t>(model_->typeIndex & 0x0F);
  if (knobs_.internalError || !sampler_.Registers().characteristicOk) b |= 0x10;
  if (sampler_.TakeNewAverage()) b |= 0x20;
  if (sampler_.TakeLargeError()) b |= 0x40;
  if (sampler_.OutOfRange()) b |= 0x80;
  return b;
}

std::uint16_t TSimTransmitter::OutputDacWord() const {
  if (independentOutput_)
    return static_cast<std::uint16_t>(std::min(65535u, kDacOffset + *independentOutput_));
  if (knobs_.brokenSensor) return DacWord(BurnoutCurrent(memory_));
  return DacWord(OutputCurrent(sampler_.Registers().fraction));
}

// 'o' value: the output current x 2000 drives the output independently of the measurement;
// value 0 hands the output back to the measurement.
std::optional<TSimTransmitter::TData> TSimTransmitter::SetOutput(const TData& c) {
  if (c.size() != 3) return std::nullopt;
  const unsigned value = static_cast<unsigned>(c[1]) << 8 | c[2];
  if (value == 0)
    independentOutput_.reset();
  else
    independentOutput_ = static_cast<std::uint16_t>(value);
  return TData{};
}

std::optional<TSimTransmitter::TData> TSimTransmitter::Preamble(const TData& c) {
  if (c.size() != 3) return std::nullopt;
  blocksUntilSilent_ = knobs_.silentInBlock;
  if (blocksUntilSilent_ == 0) silentLatched_ = true;
  return TData{};
}

void TSimTransmitter::Restart(double nowMs) {
  ++stats_.restarts;
  restartUntilMs_ = nowMs + config_.resetSilenceMs;
  independentOutput_.reset();
  serviceState_ = false;
  blocksUntilSilent_ = -1;
  sampler_.Restart();
}

void TSimTransmitter::EchoAddress(TData& reply, std::uint8_t hi, std::uint8_t lo) const {
  unsigned address = static_cast<unsigned>(hi) << 8 | lo;
  if (knobs_.wrongAddressEcho) address = (address + 1) & 0xFFFF;
  reply.push_back(static_cast<std::uint8_t>(address >> 8));
  reply.push_back(static_cast<std::uint8_t>(address & 0xFF));
}

// 's' count, address: count bytes from the address. 's' 0x80 0x0000 is the version query, which
// answers the firmware code; a plain read of 128 bytes from address 0 needs the block read.
std::optional<TSimTransmitter::TData> TSimTransmitter::ReadMemoryCommand(const TData& c, bool block) {
  if (c.size() != 4) return std::nullopt;
  const unsigned count = c[1];
  const unsigned address = AddressOf(c);
  TData reply{c[0]};
  if (!block && count == 0x80 && address == 0) {
    reply.insert(reply.end(), {0, 0});
    for (unsigned i = 0; i < 4; ++i) reply.push_back(memory_.Byte(mem::kFirmware + i));
    return reply;
  }
  if (count + 3 > kMaxReplyBytes) return std::nullopt;
  if (block) CountBlockCommand();
  EchoAddress(reply, c[2], c[3]);
  for (unsigned i = 0; i < count; ++i) reply.push_back(memory_.Byte(address + i));
  return reply;
}

// 'D' count, address, data: writes into the configuration and data areas (bytes aimed elsewhere
// are dropped); the four bytes written to 0x5555 go to the service word of the factory area.
// The stored checksums change only through the checksum commands.
std::optional<TSimTransmitter::TData> TSimTransmitter::WriteMemoryCommand(const TData& c) {
  if (c.size() < 4 || c.size() != 4u + c[1]) return std::nullopt;
  const unsigned count = c[1];
  const unsigned address = AddressOf(c);
  CountBlockCommand();
  if (address == kSpecialAddress && count == 4) {
    for (unsigned i = 0; i < 4; ++i) memory_.SetByte(mem::kServiceWord + i, c[4 + i]);
  } else {
    for (unsigned i = 0; i < count; ++i)
      if (TSimMemory::HostWritable(address + i)) memory_.SetByte(address + i, c[4 + i]);
  }
  MemoryChanged();
  TData reply{c[0]};
  EchoAddress(reply, c[2], c[3]);
  return reply;
}

// 'V' 8, 0x0060, zero and gain correction in transmission order: stored byte-reversed like every
// float of the memory, and the transmitter renews the checksum of 0x060..0x06B itself.
std::optional<TSimTransmitter::TData> TSimTransmitter::WriteCorrections(const TData& c) {
  if (c.size() != 12 || c[1] != 8 || AddressOf(c) != mem::kZeroCorrection) return std::nullopt;
  for (unsigned f = 0; f < 2; ++f)
    for (unsigned i = 0; i < 4; ++i) memory_.SetByte(mem::kZeroCorrection + 4 * f + i, c[4 + 4 * f + 3 - i]);
  memory_.UpdateCorrectionSum();
  MemoryChanged();
  return TData{};
}

// 'Z' float: a corrected measurement value through the transfer function; answers the result and
// the DAC word the output would take for it.
std::optional<TSimTransmitter::TData> TSimTransmitter::SimulateCorrections(const TData& c) {
  if (c.size() != 5) return std::nullopt;
  const double measured = FloatFromBytes({c[1], c[2], c[3], c[4]});
  const TTransfer t = ApplyCharacteristic(memory_, measured);
  const TFloatBytes value = FloatBytes(t.result);
  const std::uint16_t dac = DacWord(OutputCurrent(t.fraction));
  return TData{c[0],
               value[0],
               value[1],
               value[2],
               value[3],
               static_cast<std::uint8_t>(dac >> 8),
               static_cast<std::uint8_t>(dac & 0xFF)};
}

// '@' "VRTA": enters the service state and answers '@' with the last four characters of the
// device code ("TX47"). Any other text stays unanswered.
std::optional<TSimTransmitter::TData> TSimTransmitter::Identify(const TData& c) {
  const TData tail(c.begin() + 1, c.end());
  const bool good = tail == TData{'V', 'R', 'T', 'A'} || tail == TData{'@', 'V', 'R', 'T', 'A'};
  if (!good) return std::nullopt;
  serviceState_ = true;
  const int code = model_->code;
  return TData{c[0], 'T', 'X', static_cast<std::uint8_t>('0' + code / 10),
               static_cast<std::uint8_t>('0' + code % 10)};
}

// 'L' 1, X ~X X ~X X ~X: X must equal the checksum of 0x440..0xABB; it is then stored in
// 0xABC..0xABF. 'L' 2, C ~C D ~D E ~E: the checksums of 0x010..0x017, 0x018..0x05F and
// 0x060..0x06B, stored in 0x0FC..0x0FE. A value that does not match the memory is not stored and
// the command is not answered, so the host's write fails; the transmitter reports an EEPROM error
// for as long as a stored checksum does not match.
std::optional<TSimTransmitter::TData> TSimTransmitter::ChecksumCommand(const TData& c) {
  if (c.size() != 8 || (c[1] != 1 && c[1] != 2)) return std::nullopt;
  for (unsigned i = 0; i < 3; ++i)
    if (static_cast<std::uint8_t>(~c[2 + 2 * i]) != c[3 + 2 * i]) return std::nullopt;
  if (c[1] == 1) {
    const std::uint8_t want = memory_.Sum(0x440, 0xABB);
    if (c[2] != want || c[4] != want || c[6] != want) {
      ++stats_.checksumFailures;
      return std::nullopt;
    }
    for (unsigned i = 0; i < 4; ++i) memory_.SetByte(mem::kSumData + i, want);
  } else {
    const std::uint8_t want[3] = {memory_.Sum(0x010, 0x017), memory_.Sum(0x018, 0x05F),
                                  memory_.Sum(0x060, 0x06B)};
    if (c[2] != want[0] || c[4] != want[1] || c[6] != want[2]) {
      ++stats_.checksumFailures;
      return std::nullopt;
    }
    for (unsigned i = 0; i < 3; ++i) memory_.SetByte(mem::kSumConfig + i, want[i]);
  }
  MemoryChanged();
  return TData{};
}

}  // namespace vorta::sim
