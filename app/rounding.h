// Rounding to integers as the transmitter and the displays need it: halves to even, and never
// past what the integer type holds (a value outside it saturates, NaN gives 0), so that a huge
// number from a file, a reply or a typed field can never reach an undefined conversion.
#pragma once

#include <cstdint>

namespace vorta::app {

// The nearest integer, halves to even; within 1e-9 of a half counts as a half (decimal steps such
// as 0.08 are not exact in binary). Saturates at the limits of long long; 0 for NaN.
long long RoundHalfEven(double v);
// The same, held within the 32-bit range.
std::int32_t RoundHalfEven32(double v);
// Whether v rounds to an integer that fits 32 bits (finite and within range).
bool FitsInt32(double v);

}  // namespace vorta::app
