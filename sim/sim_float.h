// The transmitter's 4-byte floating-point format, as the simulated transmitter computes with it:
// byte 0 exponent + 127, byte 1 sign bit and fraction bits 22..16, bytes 2 and 3 the rest of the
// fraction. In memory every such number is stored byte-reversed (exponent byte at the highest address).
#pragma once

#include <array>
#include <cstdint>

namespace vorta::sim {

using TFloatBytes = std::array<std::uint8_t, 4>;  // in transmission order

// Value of the four bytes; four zero bytes are 0.0.
double FloatFromBytes(const TFloatBytes& b);

// Nearest representable value; values too small for the format give zero, and false is returned for
// values that are not finite or too large (the bytes are then the largest value of that sign).
bool FloatToBytes(double v, TFloatBytes& out);

// Convenience for replies: the bytes of v, saturated when it does not fit.
TFloatBytes FloatBytes(double v);

}  // namespace vorta::sim
