// The simulator's transmitter float: published values, round trips and storage in memory.
#include "sim/sim_float.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "sim/sim_memory.h"

namespace vorta::sim {
namespace {

TEST(SimFloat, KnownBytes) {
  EXPECT_EQ(FloatFromBytes({0x7F, 0x00, 0x00, 0x00}), 1.0);
  EXPECT_EQ(FloatFromBytes({0x80, 0x00, 0x00, 0x00}), 2.0);
  EXPECT_EQ(FloatFromBytes({0x7F, 0x80, 0x00, 0x00}), -1.0);
  EXPECT_EQ(FloatFromBytes({0x7E, 0x40, 0x00, 0x00}), 0.75);
  EXPECT_EQ(FloatFromBytes({0, 0, 0, 0}), 0.0);
  EXPECT_EQ(FloatBytes(1.0), (TFloatBytes{0x7F, 0x00, 0x00, 0x00}));
  EXPECT_EQ(FloatBytes(-2.0), (TFloatBytes{0x80, 0x80, 0x00, 0x00}));
  EXPECT_EQ(FloatBytes(0.0), (TFloatBytes{0, 0, 0, 0}));
}

TEST(SimFloat, RoundTripKeepsSevenDigits) {
  for (double v : {1e-30, -3.3e-7, 0.01, 12.345678, -273.15, 1820.0, 49216.0, 6.02e23}) {
    const double back = FloatFromBytes(FloatBytes(v));
    EXPECT_NEAR(back, v, std::fabs(v) * 1.2e-7) << v;
  }
}

TEST(SimFloat, NotFiniteAndHugeValuesFail) {
  TFloatBytes b{};
  EXPECT_FALSE(FloatToBytes(std::numeric_limits<double>::quiet_NaN(), b));
  EXPECT_FALSE(FloatToBytes(1e300, b));
  EXPECT_GT(FloatFromBytes(b), 1e38);
  EXPECT_TRUE(FloatToBytes(1e-300, b));
  EXPECT_EQ(b, (TFloatBytes{0, 0, 0, 0}));
}

TEST(SimFloat, MemoryHoldsFloatsByteReversed) {
  TSimMemory m;
  m.SetFloat(0x060, -2.0);
  EXPECT_EQ(m.Byte(0x060), 0x00);
  EXPECT_EQ(m.Byte(0x062), 0x80);
  EXPECT_EQ(m.Byte(0x063), 0x80);
  EXPECT_EQ(m.Float(0x060), -2.0);
}

}  // namespace
}  // namespace vorta::sim
