// Measurement chain of the simulated transmitter.
#include "sim/sim_measure.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace vorta::sim {

double ColdJunctionSignal(const TSimMemory& m, double t) {
  const int type = m.Byte(mem::kSensorType);
  if (type < 6 || type > 15) return 0.0;
  const double c0 = m.Float(mem::kColdJunction);
  const double c1 = m.Float(mem::kColdJunction + 4);
  const double c2 = m.Float(mem::kColdJunction + 8);
  return c0 + c1 * t + c2 * t * t;
}

double ApplyCorrections(const TSimMemory& m, double signal) {
  const double zero = m.Float(mem::kZeroCorrection);
  const double gain = m.Float(mem::kGainCorrection);
  const double span = 200.0 * m.Float(mem::kSignalStep);
  return (1.0 + gain / 100.0) * signal + 0.01 * zero * span;
}

TTransfer ApplyCharacteristic(const TSimMemory& m, double signal) {
  TTransfer t;
  const double sMin = m.Float(mem::kSignalMin);
  const double step = m.Float(mem::kSignalStep);
  const double inLow = m.Float(mem::kInputMin);
  const double inSpan = m.Float(mem::kInputSpan);
  t.result = inLow;
  if (!(step > 0.0) || !std::isfinite(signal)) return t;
  const double u = (signal - sMin) / step;
  const unsigned slot = u < 0.0 ? 0u : static_cast<unsigned>(std::min(201.0, std::floor(u) + 1.0));
  const double offset = m.Float(mem::kSlots + 8 * slot);
  const double gain = m.Float(mem::kSlots + 8 * slot + 4);
  t.fraction = offset + gain * signal;
  t.result = inLow + t.fraction * inSpan;
  t.ok = std::isfinite(t.fraction) && std::isfinite(t.result);
  if (!t.ok) {
    t.fraction = 0.0;
    t.result = inLow;
  }
  return t;
}

double OutputCurrent(double fraction) {
  return std::clamp(4.0 + 16.0 * fraction, kOutputLowMa, kOutputHighMa);
}

double BurnoutCurrent(const TSimMemory& m) {
  const std::uint8_t mode = m.Byte(mem::kModeByte);
  if (mode & 0x80) return kOutputHighMa;
  if (mode & 0x10) return 4.0;
  return kOutputLowMa;
}

std::uint16_t DacWord(double milliamps) {
  const double ma = std::clamp(milliamps, 0.0, 25.0);
  return static_cast<std::uint16_t>(kDacOffset + std::lround(ma * kDacCountsPerMa));
}

void TSimSampler::Restart() {
  started_ = false;
  lastDropped_ = false;
}

void TSimSampler::Advance(const TSimMemory& m, const TSignalSettings& s, double stepS, double nowMs) {
  const double stepMs = stepS * 1000.0;
  const auto index = static_cast<long long>(std::floor(nowMs / stepMs));
  if (!started_) {
    Sample(m, s, nowMs / 1000.0);
    lastIndex_ = index;
    return;
  }
  if (index - lastIndex_ > 200) lastIndex_ = index - 200;
  for (long long i = lastIndex_ + 1; i <= index; ++i) Sample(m, s, static_cast<double>(i) * stepS);
  lastIndex_ = std::max(lastIndex_, index);
}

void TSimSampler::Sample(const TSimMemory& m, const TSignalSettings& s, double tS) {
  double input = s.level;
  if (s.driftAmplitude != 0.0)
    input += s.driftAmplitude * std::sin(2.0 * std::numbers::pi * tS / s.driftPeriodS);
  if (s.noise > 0.0) input += s.noise * noise_(rng_);
  regs_.input = input;
  regs_.internalTemp = s.internalTemperature;
  regs_.coldJunction = ColdJunctionSignal(m, s.internalTemperature);
  regs_.compensated = input + regs_.coldJunction;
  regs_.corrected = ApplyCorrections(m, regs_.compensated);
  const TTransfer t = ApplyCharacteristic(m, regs_.corrected);
  regs_.characteristicOk = t.ok;
  regs_.sampleResult = t.result;
  Filter(m, t.fraction);
  regs_.fraction = average_;
  regs_.result = m.Float(mem::kInputMin) + average_ * m.Float(mem::kInputSpan);
  if (!std::isfinite(regs_.result)) regs_.result = 0.0;
}

void TSimSampler::Filter(const TSimMemory& m, double fraction) {
  if (!started_) {
    started_ = true;
    average_ = fraction;
    newAverage_ = true;
    return;
  }
  const double deviation = std::fabs(fraction - average_) * 100.0;
  const int limit = m.Byte(mem::kFilterLimit);
  if (limit > 0 && deviation > limit && !lastDropped_) {
    lastDropped_ = true;
    largeError_ = true;
    return;
  }
  lastDropped_ = false;
  const int count = m.Byte(mem::kFilterCount);
  const double range = m.Byte(mem::kFilterRange) / 10.0;
  if (count == 0 || range <= 0.0) {
    average_ = fraction;
  } else if (deviation > range) {
    average_ = fraction;
    newAverage_ = true;
  } else {
    average_ += (fraction - average_) * (1.0 - std::exp(-1.0 / count));
  }
}

double TSimSampler::Register(std::uint8_t selector) const {
  switch (selector & -static_cast<int>(selector)) {
    case 0x01:
      return regs_.input;
    case 0x02:
      return regs_.coldJunction;
    case 0x04:
      return regs_.internalTemp;
    case 0x08:
      return regs_.compensated;
    case 0x10:
      return regs_.corrected;
    case 0x40:
      return regs_.fraction;
    case 0x80:
      return regs_.sampleResult;
    default:
      return regs_.result;
  }
}

bool TSimSampler::TakeNewAverage() {
  return std::exchange(newAverage_, false);
}
bool TSimSampler::TakeLargeError() {
  return std::exchange(largeError_, false);
}

}  // namespace vorta::sim
