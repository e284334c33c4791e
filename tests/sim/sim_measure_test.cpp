// Measurement of the simulator through characteristics written into its memory: segments,
// corrections, cold junction, output current, burnout and the filter.
#include <gtest/gtest.h>

#include "tests/sim/host_frames.h"

namespace vorta::sim::test {
namespace {

struct TReading {
  double value = 0.0;
  double ma = 0.0;
  std::uint8_t a = 0, b = 0;
};

class SimMeasure : public TSimOnLine {
 protected:
  // Changes the memory as a full write would, with matching checksums.
  template <typename F>
  void Configure(F change) {
    TSimMemory m = tx.Memory();
    change(m);
    m.UpdateChecksums();
    tx.SetMemory(m);
  }
  TReading Read(std::uint8_t selector = 0x20) {
    const TBytes d = Reply({'m', selector});
    return {HostFloat(d, 2), ((d[6] << 8 | d[7]) - 9216.0) / 2000.0, d[8], d[9]};
  }
  // One new sample at level.
  TReading At(double level, std::uint8_t selector = 0x20) {
    tx.SetLevel(level);
    line.Advance(200);
    return Read(selector);
  }
};

TEST_F(SimMeasure, LinearCharacteristicGivesResultCurrentAndUnit) {
  Configure([](TSimMemory& m) {
    WriteLinearCharacteristic(m, 100.0, 138.5, 0.0, 100.0);  // Pt100 shown as 0..100 C
    m.SetByte(mem::kSensorType, 1);
    m.SetByte(mem::kUnitIndex, 8);
  });
  const TReading r = At(119.25);
  EXPECT_NEAR(r.value, 50.0, 1e-4);
  EXPECT_NEAR(r.ma, 12.0, 0.0005);
  EXPECT_EQ(r.a & 0x0F, 8);
  EXPECT_EQ(r.b & 0x80, 0);
  EXPECT_NEAR(At(100.0).ma, 4.0, 0.0005);
  EXPECT_NEAR(At(138.5).value, 100.0, 1e-4);
}

TEST_F(SimMeasure, SegmentOfTheSignalChoosesThePairAndTheEndPairsExtendBeyond) {
  Configure([](TSimMemory& m) {  // fraction s/400 up to s = 100, then rising to 1 at s = 200
    WriteLinearCharacteristic(m, 0.0, 200.0, 0.0, 100.0);
    for (unsigned k = 0; k < mem::kSlotCount; ++k) {
      m.SetFloat(mem::kSlots + 8 * k, k <= 100 ? 0.0 : -0.5);
      m.SetFloat(mem::kSlots + 8 * k + 4, k <= 100 ? 1.0 / 400.0 : 0.0075);
    }
  });
  EXPECT_NEAR(At(50.0, 0x40).value, 0.125, 1e-6);
  EXPECT_NEAR(At(150.0, 0x40).value, 0.625, 1e-6);
  EXPECT_NEAR(Read(0x80).value, 62.5, 1e-4);
  TReading r = At(250.0);
  EXPECT_NEAR(r.value, 137.5, 1e-3);  // slot 201 continues the last segment
  EXPECT_EQ(r.b & 0x80, 0x80);        // out of range
  EXPECT_NEAR(r.ma, 21.75, 0.0005);   // the output stops at its upper limit
  r = At(-10.0);
  EXPECT_NEAR(r.value, -2.5, 1e-4);  // slot 0 continues the first segment
  EXPECT_EQ(r.b & 0x80, 0x80);
  EXPECT_NEAR(r.ma, 3.6, 0.0005);
}

TEST_F(SimMeasure, CorrectionsScaleAndShiftTheSignal) {
  Configure([](TSimMemory& m) {
    m.SetFloat(mem::kZeroCorrection, 1.0);  // 1 % of the 100 mV span
    m.SetFloat(mem::kGainCorrection, 2.0);  // 2 %
  });
  EXPECT_NEAR(At(50.0, 0x08).value, 50.0, 1e-4);
  EXPECT_NEAR(Read(0x10).value, 1.02 * 50.0 + 1.0, 1e-4);
  EXPECT_NEAR(Read(0x20).value, 52.0, 1e-4);
}

TEST_F(SimMeasure, ThermocoupleAddsColdJunctionQuadratic) {
  const auto junction = [](std::uint8_t type) {
    return [type](TSimMemory& m) {
      m.SetByte(mem::kSensorType, type);
      m.SetFloat(mem::kColdJunction, 0.1);
      m.SetFloat(mem::kColdJunction + 4, 0.05);
      m.SetFloat(mem::kColdJunction + 8, 0.001);
    };
  };
  TSignalSettings s;
  s.level = 10.0;
  s.internalTemperature = 20.0;
  tx.SetSignal(s);
  Configure(junction(9));
  const double cj = 0.1 + 0.05 * 20.0 + 0.001 * 400.0;
  EXPECT_NEAR(Read(0x02).value, cj, 1e-5);
  EXPECT_NEAR(Read(0x08).value, 10.0 + cj, 1e-5);
  EXPECT_NEAR(Read(0x04).value, 20.0, 1e-5);
  Configure(junction(16));  // not a thermocouple
  EXPECT_EQ(At(10.0, 0x02).value, 0.0);
  EXPECT_NEAR(Read(0x08).value, 10.0, 1e-5);
}

TEST_F(SimMeasure, BrokenSensorDrivesBurnoutLevelOfModeByte) {
  ASSERT_TRUE(tx.SetKnob("broken-sensor", "on"));
  for (const auto& [bits, ma] : {std::pair<std::uint8_t, double>{0x80, 21.75}, {0x10, 4.0}, {0x00, 3.5}}) {
    Configure([b = bits](TSimMemory& m) {
      m.SetByte(mem::kModeByte, static_cast<std::uint8_t>((m.Byte(mem::kModeByte) & 0x6F) | b));
    });
    const TReading r = Read();
    EXPECT_NEAR(r.ma, ma, 0.0005) << int(bits);
    EXPECT_EQ(r.a & 0xC0, 0x40);  // broken sensor; the checksums were renewed
  }
}

TEST_F(SimMeasure, UnusableCharacteristicReportsInternalError) {
  Configure([](TSimMemory& m) { m.SetFloat(mem::kSignalStep, 0.0); });
  EXPECT_EQ(Read().b & 0x10, 0x10);
}

TEST_F(SimMeasure, FilterFollowsWithItsTimeConstantAndRestartsOnALargeStep) {
  Configure([](TSimMemory& m) {
    m.SetByte(mem::kFilterCount, 10);  // 10 steps of 0.2 s
    m.SetByte(mem::kFilterRange, 50);  // 5.0 % of span
  });
  At(50.0);
  TReading r = At(52.0);
  EXPECT_GT(r.value, 50.1);
  EXPECT_LT(r.value, 50.3);
  EXPECT_NEAR(Read(0x80).value, 52.0, 1e-4);  // the sample itself
  line.Advance(200 * 100);
  EXPECT_NEAR(Read().value, 52.0, 0.01);
  r = At(70.0);
  EXPECT_NEAR(r.value, 70.0, 1e-4);
  EXPECT_EQ(r.b & 0x20, 0x20);
}

TEST_F(SimMeasure, SpuriousSampleIsDroppedOnceWithLargeError) {
  Configure([](TSimMemory& m) { m.SetByte(mem::kFilterLimit, 10); });
  At(50.0);
  const TReading r = At(90.0);
  EXPECT_NEAR(r.value, 50.0, 1e-4);
  EXPECT_EQ(r.b & 0x40, 0x40);
  EXPECT_EQ(Read().b & 0x40, 0);            // reported once
  EXPECT_NEAR(At(90.0).value, 90.0, 1e-4);  // a second such sample is taken
}

TEST_F(SimMeasure, NoiseAndDriftRepeatWithTheSameSeed) {
  TSignalSettings s;
  s.noise = 0.5;
  s.driftAmplitude = 2.0;
  s.driftPeriodS = 10.0;
  const auto run = [&](std::uint32_t seed) {
    TSimConfig config;
    config.seed = seed;
    TSimTransmitter t(config);
    t.SetSignal(s);
    std::vector<double> values;
    for (int i = 0; i < 20; ++i) values.push_back(t.Measure(i * 250.0).input);
    return values;
  };
  EXPECT_EQ(run(7), run(7));
  EXPECT_NE(run(7), run(8));
  for (double x : run(7)) EXPECT_NEAR(x, 50.0, 2.0 + 5 * 0.5);
}

}  // namespace
}  // namespace vorta::sim::test
