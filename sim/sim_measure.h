// How the simulated transmitter turns its sensor signal into a result, an output current and the
// measurement registers, using only what its memory holds: the cold-junction quadratic, the user
// corrections, the 200-segment transfer function and the filter bytes.
#pragma once

#include <cstdint>
#include <random>

#include "sim/sim_knobs.h"
#include "sim/sim_memory.h"

namespace vorta::sim {

inline constexpr double kOutputLowMa = 3.5;     // lowest current the output can drive
inline constexpr double kOutputHighMa = 21.75;  // highest current the output can drive
inline constexpr unsigned kDacOffset = 9216;
inline constexpr double kDacCountsPerMa = 2000.0;

// Cold-junction signal c0 + c1 t + c2 t^2 for a thermocouple input (types 6..15), else 0.
double ColdJunctionSignal(const TSimMemory& m, double internalTemperature);
// User corrections: (1 + gain/100) x + zero/100 x signal span, the span being 200 segment widths.
double ApplyCorrections(const TSimMemory& m, double signal);

struct TTransfer {
  double fraction = 0.0;  // 0 at the lower end of the input range, 1 at the upper end
  double result = 0.0;    // in the configured unit
  bool ok = false;        // false when the memory holds no usable characteristic
};
// The segment of the signal (slot 0 below the first segment, 201 above the last) gives the pair
// (offset, gain): fraction = offset + gain x signal; result = input low + fraction x input span.
TTransfer ApplyCharacteristic(const TSimMemory& m, double signal);

// 4..20 mA over the fraction 0..1, limited to what the output can drive.
double OutputCurrent(double fraction);
// Output current of a broken sensor: mode byte bit 7 above 20 mA, bit 4 held at 4 mA, else below 4 mA.
double BurnoutCurrent(const TSimMemory& m);
// DAC word of a current: offset 9216 plus 2000 counts per mA.
std::uint16_t DacWord(double milliamps);

// The registers a measure command can report.
struct TRegisters {
  double input = 0.0;         // 0x01: signal at the terminals
  double coldJunction = 0.0;  // 0x02: cold-junction signal added to it
  double internalTemp = 0.0;  // 0x04: the transmitter's own temperature, C
  double compensated = 0.0;   // 0x08: terminal signal plus cold-junction signal
  double corrected = 0.0;     // 0x10: compensated signal with the user corrections
  double result = 0.0;        // 0x20: filtered result in the configured unit (drives the output)
  double fraction = 0.0;      // 0x40: filtered output fraction
  double sampleResult = 0.0;  // 0x80: result of the newest sample before the filter
  bool characteristicOk = true;
};

// The sampling and the filter. Samples are taken every time step of the model; a sample that
// deviates from the average by more than the spurious-error limit (whole percent of span, 0x016)
// is dropped once and flags a large error; one beyond the filtration range (tenths of a percent,
// 0x015) restarts the average and flags a new average; otherwise the average follows with the time
// constant of count (0x014) time steps. Count 0 or range 0 switch the filter off.
class TSimSampler {
 public:
  explicit TSimSampler(std::uint32_t seed) : rng_(seed) {}
  // Forgets the filter; the next sample starts a new average.
  void Restart();
  // Takes the samples due up to nowMs (at most 200 of them, older ones are skipped).
  void Advance(const TSimMemory& m, const TSignalSettings& s, double stepS, double nowMs);
  const TRegisters& Registers() const { return regs_; }
  // Value of the register of a selector: its lowest set bit, 0 meaning the result.
  double Register(std::uint8_t selector) const;
  bool OutOfRange() const { return regs_.fraction < 0.0 || regs_.fraction > 1.0; }
  // Latched flags, cleared when taken.
  bool TakeNewAverage();
  bool TakeLargeError();

 private:
  void Sample(const TSimMemory& m, const TSignalSettings& s, double tS);
  void Filter(const TSimMemory& m, double fraction);

  std::mt19937 rng_;
  std::normal_distribution<double> noise_{0.0, 1.0};
  bool started_ = false;
  long long lastIndex_ = 0;
  double average_ = 0.0;
  bool lastDropped_ = false;
  bool newAverage_ = false;
  bool largeError_ = false;
  TRegisters regs_;
};

}  // namespace vorta::sim
