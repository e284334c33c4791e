// The forward model of every input type: the signal that the sensor gives at a value of the input
// range, the signal bounds of the configured range and the check that the range is usable.
#pragma once

#include <array>

namespace vorta::sensors {

// Resistance polynomials R(t) = c0 + c1 t + ... + c10 t^10 in Ohm of types 1..4 (Pt100 0.00385,
// Pt100 0.00392, Ni100, Cu100), row typ - 1.
using TRtdPolynomial = std::array<std::array<double, 11>, 4>;
const TRtdPolynomial& RtdPolynomial();

// Types 1..4.
bool IsRtd(int typ);
// Types 6..15: the catalogue thermocouples and the user thermocouple.
bool IsThermocouple(int typ);
// Types that follow a user conversion by Lin: 5 and 16..20.
bool IsConvertedInput(int typ);
// The input's signal comes from UserTable: type 15, or a converted input with Lin 2 or 8.
bool UsesUserTable(int typ, int lin);

// The sensor's signal at x (degrees C for types 1..15, the result unit for converted inputs):
// Ohm for types 1..4, mV for thermocouples, the user conversion (by Lin of the parameter set) for
// types 5 and 16..20, x itself for any other type.
double SensorSignal(int typ, double x);
// The same in extended precision.
long double SensorSignalL(int typ, long double x);

struct TSignalBounds {
  double smin = 0.0;
  double smax = 0.0;
};

// The smaller and the larger of SensorSignal(Typ, MinInput) and SensorSignal(Typ, MaxInput) of the
// parameter set; kept for the range check and the simulation.
TSignalBounds SignalBounds();
// The bounds computed last.
const TSignalBounds& LastSignalBounds();

// True when the configured input range gives at least the input's minimum signal span (and at once
// when the input needs a table that is not loaded).
bool RangeCheck();

}  // namespace vorta::sensors
