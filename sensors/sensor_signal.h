// The forward model of every input type: the signal that the sensor gives at a value of the input
// range, the signal bounds of the configured range and the check that the range is usable.
#pragma once

#include <array>

#include "sensors/sensor_data.h"

namespace vorta::sensors {

// Resistance polynomials R(t) = c0 + c1 t + ... + c10 t^10 in Ohm of types 1..4 (Pt100 0.00385,
// Pt100 0.00392, Ni100, Cu100), row typ - 1.
using TRtdPolynomial = std::array<std::array<double, 11>, 4>;
const TRtdPolynomial& RtdPolynomial();

// The sensor's signal at x (degrees C for types 1..15, the result unit for converted inputs):
// Ohm for types 1..4, mV for thermocouples (type 15 from the user table), the user conversion (by
// Lin of the parameter set) for types 5 and 16..20, x itself for any other type.
double SensorSignal(const TSensorData& d, int typ, double x);
// The same in extended precision.
long double SensorSignalL(const TSensorData& d, int typ, long double x);

struct TSignalBounds {
  double smin = 0.0;
  double smax = 0.0;
};

// The smaller and the larger of SensorSignal(Typ, MinInput) and SensorSignal(Typ, MaxInput).
TSignalBounds SignalBounds(const TSensorData& d);

// True when the configured input range gives at least the input's minimum signal span (and at once
// when the input needs a table that is not loaded).
bool RangeCheck(const TSensorData& d);

}  // namespace vorta::sensors
