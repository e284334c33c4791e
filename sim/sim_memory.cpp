// Memory of the simulated transmitter: access, checksums, defaults and the memory file.
#include "sim/sim_memory.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "sim/sim_float.h"

namespace vorta::sim {

namespace {

constexpr char kFileMagic[] = "VORTA-SIM-MEMORY 1\n";
constexpr std::size_t kMagicLength = sizeof(kFileMagic) - 1;

// Day number (days since 30 December 1899) of 15 March 2024.
constexpr unsigned kCalibrationDay = 45366;
constexpr double kCalibrationTemperature = 23.0;
constexpr char kFirmwareCode[] = "S1.4";

struct TSumRange {
  unsigned at, first, last;
};
constexpr TSumRange kSums[] = {
    {mem::kSumConfig, 0x010, 0x017},   {mem::kSumSensor, 0x018, 0x05F},   {mem::kSumCorrection, 0x060, 0x06B},
    {mem::kSumFactory, 0x400, 0x43E},  {mem::kSumData, 0x440, 0xABB},     {mem::kSumData + 1, 0x440, 0xABB},
    {mem::kSumData + 2, 0x440, 0xABB}, {mem::kSumData + 3, 0x440, 0xABB},
};

void Fill(TSimMemory& m, unsigned first, unsigned last, std::uint8_t value) {
  for (unsigned a = first; a <= last; ++a) m.SetByte(a, value);
}

void SetWord(TSimMemory& m, unsigned address, unsigned value) {
  m.SetByte(address, static_cast<std::uint8_t>(value >> 8));
  m.SetByte(address + 1, static_cast<std::uint8_t>(value));
}

void SetLowFirst(TSimMemory& m, unsigned address, int value) {
  const auto v = static_cast<std::uint16_t>(value);
  m.SetByte(address, static_cast<std::uint8_t>(v));
  m.SetByte(address + 1, static_cast<std::uint8_t>(v >> 8));
}

void WriteFactoryArea(TSimMemory& m, const TSimModel& model) {
  Fill(m, 0x400, 0x43F, 0x00);
  SetLowFirst(m, mem::kTypeNumber, 2000 + model.code);
  SetWord(m, mem::kCalDate, kCalibrationDay);
  m.SetByte(mem::kCalTemperature, static_cast<std::uint8_t>((kCalibrationTemperature - 16.0) * 16.0));
  const unsigned serial = 1000u * static_cast<unsigned>(model.code) + 1u;
  m.SetByte(mem::kSerial, static_cast<std::uint8_t>(serial >> 16));
  SetWord(m, mem::kSerial + 1, serial & 0xFFFF);
  SetLowFirst(m, mem::kInputRanges, model.currentRange[0]);
  SetLowFirst(m, mem::kInputRanges + 2, model.currentRange[1]);
  SetLowFirst(m, mem::kInputRanges + 4, model.voltageRange[0]);
  SetLowFirst(m, mem::kInputRanges + 6, model.voltageRange[1]);
  for (unsigned i = 0; i < 4; ++i) m.SetByte(mem::kFirmware + i, static_cast<std::uint8_t>(kFirmwareCode[i]));
  Fill(m, mem::kServiceWord, mem::kServiceWord + 3, 0x00);
}

// Millivolt input without conversion, single input, 50 Hz mains, unit mV. The mode byte holds the
// single-input mode of the model's scheme (+8 marks the millivolt input on models 47..49).
void WriteDefaultConfiguration(TSimMemory& m, const TSimModel& model) {
  const bool groupB = model.code >= 47 && model.code <= 49;
  const std::uint8_t mode = static_cast<std::uint8_t>((groupB ? 8 : 0) + 64);
  const std::uint8_t config[8] = {'1', 'U', mode, mode, 0, 0, 0, 2};
  for (unsigned i = 0; i < 8; ++i) m.SetByte(mem::kConfigBytes + i, config[i]);
  m.SetByte(mem::kModeComplement, static_cast<std::uint8_t>(~mode));
  SetWord(m, mem::kConfigDate, kCalibrationDay);
  m.SetByte(mem::kSensorType, 16);
  m.SetByte(mem::kLinearisation, 1);
  Fill(m, 0x01C, 0x01F, 0x00);
  Fill(m, mem::kCharacteristicKind, 0x05F, 0xFF);
  Fill(m, mem::kCharacteristicKind, mem::kCharacteristicKind + 2, 0x01);
  m.SetFloat(mem::kZeroCorrection, 0.0);
  m.SetFloat(mem::kGainCorrection, 0.0);
  m.SetFloat(mem::kRoomTemperature, 25.0);
  Fill(m, mem::kTag, 0x0CF, 0xFF);
}

}  // namespace

TSimMemory::TSimMemory() {
  bytes_.fill(0xFF);
}

std::uint8_t TSimMemory::Byte(unsigned address) const {
  return address < kMemorySize ? bytes_[address] : 0xFF;
}

void TSimMemory::SetByte(unsigned address, std::uint8_t value) {
  if (address < kMemorySize) bytes_[address] = value;
}

bool TSimMemory::HostWritable(unsigned address) {
  return address <= mem::kConfigLast || (address >= mem::kDataFirst && address <= mem::kDataLast);
}

double TSimMemory::Float(unsigned address) const {
  return FloatFromBytes({Byte(address + 3), Byte(address + 2), Byte(address + 1), Byte(address)});
}

void TSimMemory::SetFloat(unsigned address, double value) {
  const TFloatBytes b = FloatBytes(value);
  for (unsigned i = 0; i < 4; ++i) SetByte(address + i, b[3 - i]);
}

unsigned TSimMemory::Word(unsigned address) const {
  return static_cast<unsigned>(Byte(address)) << 8 | Byte(address + 1);
}

std::uint8_t TSimMemory::Sum(unsigned first, unsigned last) const {
  unsigned sum = 0;
  for (unsigned a = first; a <= last; ++a) sum += Byte(a);
  return static_cast<std::uint8_t>(255u - (sum & 0xFFu));
}

void TSimMemory::UpdateChecksums() {
  for (const TSumRange& r : kSums) SetByte(r.at, Sum(r.first, r.last));
}

void TSimMemory::UpdateCorrectionSum() {
  SetByte(mem::kSumCorrection, Sum(0x060, 0x06B));
}

bool TSimMemory::ChecksumsGood() const {
  for (const TSumRange& r : kSums)
    if (Byte(r.at) != Sum(r.first, r.last)) return false;
  return true;
}

int TSimMemory::ModelCode() const {
  const unsigned number = Byte(mem::kTypeNumber) | static_cast<unsigned>(Byte(mem::kTypeNumber + 1)) << 8;
  return static_cast<int>(number % 100);
}

bool TSimMemory::Load(const std::string& path, std::string* why) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (why) *why = "cannot open " + path;
    return false;
  }
  const std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (data.size() != kMagicLength + kMemorySize ||
      std::string(data.begin(), data.begin() + kMagicLength) != kFileMagic) {
    if (why) *why = path + " is not a memory file of this simulator";
    return false;
  }
  for (unsigned i = 0; i < kMemorySize; ++i) bytes_[i] = static_cast<std::uint8_t>(data[kMagicLength + i]);
  return true;
}

bool TSimMemory::Save(const std::string& path) const {
  // A temporary file of its own beside the target: two simulators sharing a memory file never
  // write into each other's temporary file.
  std::string temp = path + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  close(fd);
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(kFileMagic, static_cast<std::streamsize>(kMagicLength));
    out.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()));
    out.flush();
    if (!out) {
      out.close();
      std::remove(temp.c_str());
      return false;
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

void WriteLinearCharacteristic(TSimMemory& m, double sLow, double sHigh, double inputLow, double inputHigh) {
  const double gain = 1.0 / (sHigh - sLow);
  const double offset = -sLow * gain;
  for (unsigned k = 0; k < mem::kSlotCount; ++k) {
    m.SetFloat(mem::kSlots + 8 * k, offset);
    m.SetFloat(mem::kSlots + 8 * k + 4, gain);
  }
  m.SetFloat(mem::kSignalMin, sLow);
  m.SetFloat(mem::kSignalStep, (sHigh - sLow) / 200.0);
  m.SetFloat(mem::kInputMin, inputLow);
  m.SetFloat(mem::kInputSpan, inputHigh - inputLow);
}

TSimMemory DefaultMemory(const TSimModel& model) {
  TSimMemory m;
  WriteDefaultConfiguration(m, model);
  WriteFactoryArea(m, model);
  WriteLinearCharacteristic(m, 0.0, 100.0, 0.0, 100.0);
  Fill(m, mem::kColdJunction, 0xABB, 0x00);
  m.UpdateChecksums();
  return m;
}

}  // namespace vorta::sim
