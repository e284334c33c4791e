// The transfer function written to the transmitter: 200 equal signal segments between the
// smallest and the largest signal of the input range, each an (offset, gain) pair that turns the
// signal into the output fraction (0 at MinInput, 1 at MaxInput), and the cold-junction quadratic.
#pragma once

#include <array>
#include <string>

#include "app/result.h"
#include "comm/device_record.h"
#include "comm/record_layout.h"
#include "sensors/sensor_data.h"

namespace vorta::sensors {

inline constexpr int kSegments = 200;
inline constexpr int kSamples = 801;

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

// The language key of a transfer function that is computed but turns back somewhere.
inline constexpr const char* kNotMonotonicKey = "is not monotonic";

// The characteristic of the parameter set (with its user table), computed in extended precision.
// Fails with the key of what failed ("Input range too small!" for no signal or input span,
// "Transfer function" or "cold junction compensation" for an arithmetic fault, with a detail);
// a function that turns back is computed with monotonic cleared.
TResult ComputeCharacteristic(const TSensorData& d, TCharacteristic& c);

// Writes the characteristic into the record; false (record unchanged) when a value does not fit
// the transmitter's float format. The cold-junction terms are written only when cjWritten is set.
bool StoreCharacteristic(const TCharacteristic& c, comm::TDeviceRecord& rec);

// ComputeCharacteristic and StoreCharacteristic; c holds what was computed. A function that is
// not monotonic fails with kNotMonotonicKey; on any failure the record stays as it was.
TResult EncodeCharacteristic(const TSensorData& d, comm::TDeviceRecord& rec, TCharacteristic& c);

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
