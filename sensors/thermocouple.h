// Thermoelectric voltages of the catalogue's thermocouples.
#pragma once

namespace vorta::sensors {

// Types 6..14 (B, C, E, J, K, N, R, S, T).
bool IsReferenceThermocouple(int typ);

// The voltage in mV at t degrees C (reference junction at 0 degrees C) of thermocouple type typ
// (6..14). t is first clamped to the function's overall range; at a breakpoint type B takes the
// lower sub-range and every other type the upper one. 0 for any other type.
long double ThermocoupleMillivolts(int typ, long double t);

}  // namespace vorta::sensors
