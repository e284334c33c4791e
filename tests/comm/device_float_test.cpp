// DeviceFloat and the DAC word conversion: published edge values, a wide round trip, limits.
#include "comm/device_float.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vorta::comm {
namespace {

TEST(DeviceFloatTest, DecodesTheKnownPatterns) {
  EXPECT_EQ(DecodeDeviceFloat(DeviceFloatBytes{0x7F, 0x00, 0x00, 0x00}), 1.0);
  EXPECT_EQ(DecodeDeviceFloat(DeviceFloatBytes{0x80, 0x00, 0x00, 0x00}), 2.0);
  EXPECT_EQ(DecodeDeviceFloat(DeviceFloatBytes{0x7F, 0x80, 0x00, 0x00}), -1.0);
  EXPECT_EQ(DecodeDeviceFloat(DeviceFloatBytes{0x7E, 0x40, 0x00, 0x00}), 0.75);
  EXPECT_EQ(DecodeDeviceFloat(DeviceFloatBytes{0x00, 0x00, 0x00, 0x00}), 0.0);
  // The largest and smallest patterns decode to finite numbers.
  EXPECT_TRUE(std::isfinite(DecodeDeviceFloat(DeviceFloatBytes{0xFF, 0xFF, 0xFF, 0xFF})));
  EXPECT_GT(DecodeDeviceFloat(DeviceFloatBytes{0x00, 0x00, 0x00, 0x01}), 0.0);
}

TEST(DeviceFloatTest, EncodesTheKnownValues) {
  DeviceFloatBytes b{};
  ASSERT_TRUE(EncodeDeviceFloat(1.0, b));
  EXPECT_EQ(b, (DeviceFloatBytes{0x7F, 0x00, 0x00, 0x00}));
  ASSERT_TRUE(EncodeDeviceFloat(-2.0, b));
  EXPECT_EQ(b, (DeviceFloatBytes{0x80, 0x80, 0x00, 0x00}));
  ASSERT_TRUE(EncodeDeviceFloat(0.0, b));
  EXPECT_EQ(b, (DeviceFloatBytes{0x00, 0x00, 0x00, 0x00}));
  ASSERT_TRUE(EncodeDeviceFloat(0.75, b));
  EXPECT_EQ(b, (DeviceFloatBytes{0x7E, 0x40, 0x00, 0x00}));
}

TEST(DeviceFloatTest, RoundTripOverAWideRangeKeepsTwentyThreeBits) {
  for (int e = -120; e <= 120; e += 3) {
    for (double m : {1.0, 1.1, 1.2345678, 1.5, 1.9999999, 1.000001}) {
      for (double sign : {1.0, -1.0}) {
        const double v = sign * std::ldexp(m, e);
        DeviceFloatBytes b{};
        ASSERT_TRUE(EncodeDeviceFloat(v, b)) << v;
        const double back = DecodeDeviceFloat(b);
        EXPECT_LE(std::fabs(back - v), std::fabs(v) * std::ldexp(1.0, -23)) << v;
        EXPECT_EQ(std::signbit(back), std::signbit(v)) << v;
      }
    }
  }
}

TEST(DeviceFloatTest, ExactlyRepresentableValuesSurviveUnchanged) {
  for (double v : {100.0, -273.15f * 1.0, 850.0, 0.001f * 1.0, 4.0, 20.0, 1e30f * 1.0}) {
    DeviceFloatBytes b{};
    ASSERT_TRUE(EncodeDeviceFloat(v, b));
    EXPECT_EQ(DecodeDeviceFloat(b), v);
  }
}

TEST(DeviceFloatTest, NonFiniteAndTooLargeValuesAreRefused) {
  DeviceFloatBytes b{1, 2, 3, 4};
  EXPECT_FALSE(EncodeDeviceFloat(std::numeric_limits<double>::quiet_NaN(), b));
  EXPECT_FALSE(EncodeDeviceFloat(std::numeric_limits<double>::infinity(), b));
  EXPECT_FALSE(EncodeDeviceFloat(-std::numeric_limits<double>::infinity(), b));
  EXPECT_FALSE(EncodeDeviceFloat(1e39, b));
  EXPECT_FALSE(EncodeDeviceFloat(-7e38, b));
  EXPECT_EQ(b, (DeviceFloatBytes{1, 2, 3, 4}));
  EXPECT_TRUE(EncodeDeviceFloat(6e38, b));
  EXPECT_EQ(b[0], 0xFF);
}

TEST(DeviceFloatTest, TooSmallMagnitudesBecomeZero) {
  DeviceFloatBytes b{1, 2, 3, 4};
  ASSERT_TRUE(EncodeDeviceFloat(1e-45, b));
  EXPECT_EQ(b, (DeviceFloatBytes{0, 0, 0, 0}));
  ASSERT_TRUE(EncodeDeviceFloat(-std::ldexp(1.0, -140), b));
  EXPECT_EQ(b, (DeviceFloatBytes{0, 0, 0, 0}));
  ASSERT_TRUE(EncodeDeviceFloat(std::ldexp(1.0, -127), b));
  EXPECT_EQ(b, (DeviceFloatBytes{0, 0, 0, 0}));
}

TEST(DeviceFloatTest, MantissaCarryNearTheNextPowerOfTwoStaysInRange) {
  // Just below 2: the rounding carry must not wrap the fraction bytes.
  DeviceFloatBytes b{};
  ASSERT_TRUE(EncodeDeviceFloat(std::nextafter(2.0, 0.0), b));
  const double back = DecodeDeviceFloat(b);
  EXPECT_GE(back, 1.99999);
  EXPECT_LE(back, 2.0);
}

TEST(DacToMilliampsTest, KnownWords) {
  EXPECT_DOUBLE_EQ(DacToMilliamps(9216), 0.0);
  EXPECT_DOUBLE_EQ(DacToMilliamps(17216), 4.0);
  EXPECT_DOUBLE_EQ(DacToMilliamps(49216), 20.0);
  EXPECT_DOUBLE_EQ(DacToMilliamps(65500), 0.0);
  EXPECT_DOUBLE_EQ(DacToMilliamps(9000), 0.0);
}

TEST(DacToMilliampsTest, HeadroomLimitAndClampAt25mA) {
  EXPECT_DOUBLE_EQ(DacToMilliamps(65535 - 128), 25.0);  // 28.2 mA clamped
  EXPECT_DOUBLE_EQ(DacToMilliamps(65535 - 127), 0.0);
  EXPECT_DOUBLE_EQ(DacToMilliamps(9216 + 50000), 25.0);
  EXPECT_DOUBLE_EQ(DacToMilliamps(9216 + 2000), 1.0);
}

}  // namespace
}  // namespace vorta::comm
