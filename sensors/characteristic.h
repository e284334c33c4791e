// The transfer function written to the transmitter: 200 equal signal segments between the
// smallest and the largest signal of the input range, each an (offset, gain) pair that turns the
// signal into the output fraction (0 at MinInput, 1 at MaxInput), and the cold-junction quadratic.
#pragma once

#include <array>
#include <string>

#include "comm/device_record.h"

namespace vorta::sensors {

inline constexpr int kSegments = 200;
inline constexpr int kSamples = 801;

// Record offsets of the characteristic.
inline constexpr std::size_t kCjOffset = 68;     // c0, c1, c2 at 68, 72, 76
inline constexpr std::size_t kSminOffset = 80;   // smallest signal
inline constexpr std::size_t kStepOffset = 84;   // signal width of one segment
inline constexpr std::size_t kSlotsOffset = 96;  // slot k: offset at 96 + 8k, gain at 100 + 8k

struct TSegmentPair {
  double offset = 0.0;
  double gain = 0.0;
};

struct TCharacteristic {
  double smin = 0.0;
  double smax = 0.0;
  double step = 0.0;                                // (smax - smin) / 200
  bool cjWritten = false;                           // thermocouple types with Tryb 5, 6 or 7
  std::array<double, 3> cj{};                       // c0, c1, c2
  std::array<TSegmentPair, kSegments + 2> slots{};  // slot 0 repeats 1, slot 201 repeats 200
  std::array<double, kSegments + 1> outputs{};      // output fraction at smin + k x step
  bool monotonic = true;                            // every inverse found a monotonic stretch
};

enum class TCharStatus {
  kOk,
  kNotMonotonic,     // computed, but the sensor curve has no monotonic stretch somewhere
  kInvalid,          // the parameters give no characteristic (zero input or signal span)
  kArithmeticError,  // a floating-point fault, a failed fit or a value outside the float format
};

struct TCharResult {
  TCharStatus status = TCharStatus::kOk;
  std::string reason;  // English language-list key of what failed; empty for kOk and kNotMonotonic
};

// The characteristic of the parameter set (with UserTable), computed in extended precision.
// Nothing process-wide changes except the stored signal bounds.
TCharResult ComputeCharacteristic(TCharacteristic& c);

// Writes the characteristic into the record; false (record unchanged) when a value does not fit
// the transmitter's float format. The cold-junction terms are written only when cjWritten is set.
bool StoreCharacteristic(const TCharacteristic& c, comm::TDeviceRecord& rec);

// ComputeCharacteristic and StoreCharacteristic. When the computation completes (kOk or
// kNotMonotonic) it also publishes SegmentOutputs and TransferMonotonic and sets ResultLow and
// ResultHigh of the parameter set; on any failure record and state stay as they were.
TCharResult EncodeCharacteristic(comm::TDeviceRecord& rec);

// What the last completed computation left for the simulation and the write workflow.
struct TCharacteristicState {
  std::array<double, kSegments + 1> SegmentOutputs{};
  bool TransferMonotonic = true;
};
TCharacteristicState& CharacteristicState();
void ResetCharacteristicState();

// The 801 samples of a catalogue sensor curve over the input range.
struct TSampledCurve {
  std::array<double, kSamples> sig{};
  long double x0 = 0;    // value of sample 0
  long double dx = 0;    // value step between samples
  long double span = 0;  // MaxInput - MinInput
};

// The value at which the sampled curve gives the signal s, searching around sample j (the first
// sample whose signal is not below s). Clears monotonic and returns x0 + span when no monotonic
// stretch of three samples around j exists.
long double CurveInverse(const TSampledCurve& c, int j, long double s, bool& monotonic);

}  // namespace vorta::sensors
