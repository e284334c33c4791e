// The command set, direct commands, measurement decoding and line opening on a scripted line.
#include "comm/protocol.h"

#include <gtest/gtest.h>

#include "app/param_set.h"
#include "comm/comm_state.h"
#include "comm/device_record.h"
#include "comm/polling.h"
#include "tests/comm/fake_transmitter.h"

namespace vorta::comm {
namespace {

using testing::Bytes;
using testing::TFakeLineControl;
using testing::TFakeTransmitter;

Bytes CommandOf(const TBuffer& c) {
  return Bytes(c.begin() + 1, c.begin() + 1 + c[0]);
}
int ExpectedOf(const TBuffer& c) {
  return c[c[0] + 1];
}

class CommandSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetComm();
    app::Param().Clear();
    DeviceRecord().Clear();
  }
  const TBuffer& Cmd() { return Comm().CommandBuffer; }
};

TEST_F(CommandSetTest, EveryBuiltCommandHasItsBytesAndReplyLength) {
  struct Case {
    std::uint8_t letter;
    std::uint32_t arg;
    Bytes bytes;
    int expected;
  };
  const Case cases[] = {
      {'m', 0x20, {'m', 0x20}, 10},
      {'o', 0x1234, {'o', 0x12, 0x34}, 0},
      {'r', 0, {'r'}, 255},
      {'s', 0x040123, {'s', 0x04, 0x01, 0x23}, 7},
      {'D', 0x5A0123, {'D', 1, 0x01, 0x23, 0x5A}, 3},
      {'O', 0x11223344, {'D', 4, 0x55, 0x55, 0x33, 0x44, 0x11, 0x22}, 3},
      {'Z', 0x44332211, {'Z', 0x11, 0x22, 0x33, 0x44}, 7},
      {'@', 0, {'@', 'V', 'R', 'T', 'A'}, 5},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(BuildCommand(c.letter, c.arg)) << c.letter;
    EXPECT_EQ(CommandOf(Cmd()), c.bytes) << c.letter;
    EXPECT_EQ(ExpectedOf(Cmd()), c.expected) << c.letter;
  }
}

TEST_F(CommandSetTest, CorrectionsGoOutAsDeviceFloatsAndLandInTheRecord) {
  app::Param().P.ZeroReg = 1.0;
  app::Param().P.GainReg = -2.0;
  ASSERT_TRUE(BuildCommand('V', 0));
  EXPECT_EQ(CommandOf(Cmd()), (Bytes{'V', 8, 0x00, 0x60, 0x7F, 0, 0, 0, 0x80, 0x80, 0, 0}));
  EXPECT_EQ(ExpectedOf(Cmd()), 0);
  EXPECT_EQ(DeviceRecord().GetFloat(2020), 1.0);
  EXPECT_EQ(DeviceRecord().GetFloat(2024), -2.0);
}

TEST_F(CommandSetTest, UnknownLettersAndUnfitArgumentsAreRefused) {
  EXPECT_FALSE(BuildCommand('q', 0));
  EXPECT_FALSE(BuildCommand('s', 0xFC0000));  // a reply of 255 bytes cannot be told from "none"
  EXPECT_TRUE(BuildCommand('s', 0xFB0000));
  app::Param().P.ZeroReg = 1e300;
  EXPECT_FALSE(BuildCommand('V', 0));
}

class DirectCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetComm();
    control = std::make_shared<TFakeLineControl>();
    tx = std::make_shared<TFakeTransmitter>();
    ASSERT_TRUE(OpenLineOn(LineTo(control, tx), 4));
    ASSERT_TRUE(StopPolling());
    polled = tx->CommandCount();  // what the polling thread sent before it stopped
  }
  void TearDown() override { ResetComm(); }
  std::size_t Sent() { return tx->CommandCount() - polled; }
  std::shared_ptr<TFakeLineControl> control;
  std::shared_ptr<TFakeTransmitter> tx;
  std::size_t polled = 0;
};

TEST_F(DirectCommandTest, OpenLineRunsAt9600ForIndexFourAnd1200OtherwiseAndStartsPolling) {
  EXPECT_EQ(control->configuredBaud, 9600);
  auto other = std::make_shared<TFakeLineControl>();
  ASSERT_TRUE(OpenLineOn(LineTo(other, tx), 7));
  EXPECT_EQ(other->configuredBaud, 1200);
  EXPECT_TRUE(Comm().PollStarted);
  EXPECT_TRUE(control->destroyed);  // the first line was closed before the second opened
}

TEST_F(DirectCommandTest, FailedSetupReleasesTheLine) {
  auto refusing = std::make_shared<TFakeLineControl>();
  refusing->configureOk = false;
  EXPECT_FALSE(OpenLineOn(LineTo(refusing, tx), 4));
  EXPECT_TRUE(refusing->destroyed);
  EXPECT_FALSE(LineOpen());
}

TEST_F(DirectCommandTest, DirectReadCopiesTheReply) {
  tx->memory[0x123] = 0xC3;
  TBuffer buf{};
  ASSERT_TRUE(DirectRead('s', 0x040123, buf));
  EXPECT_EQ(buf[0], 7);
  EXPECT_EQ(buf[2], 0x01);
  EXPECT_EQ(buf[3], 0x23);
  EXPECT_EQ(buf[4], 0xC3);
}

TEST_F(DirectCommandTest, DirectCommandMakesFiveAttempts) {
  tx->silentAfter = 0;
  EXPECT_FALSE(DirectCommand('@', 0));
  EXPECT_EQ(Sent(), 5u);
  EXPECT_TRUE(Comm().CommandDoneEvent.IsSet());
}

TEST_F(DirectCommandTest, DirectCommandWithoutCommandDoneSendsNothing) {
  Comm().CommandDoneEvent.Reset();
  EXPECT_FALSE(DirectCommand('@', 0));
  EXPECT_EQ(Sent(), 0u);
}

TEST_F(DirectCommandTest, ReadRegisterDecodesValueCurrentAndEveryFlag) {
  // 0.75, DAC 17216 (4 mA); A: broken sensor, EEPROM error, unit 0 (taken as 15);
  // B: new average, large error, out of range, type 9.
  tx->measurement = {0x7E, 0x40, 0x00, 0x00, 0x43, 0x40, 0xC0, 0xE9};
  double value = 0, current = 0;
  TRawMeasurement raw{};
  ASSERT_TRUE(ReadRegister(0x04, value, current, raw));
  EXPECT_EQ(tx->commands.back(), (Bytes{'m', 0x04}));
  EXPECT_EQ(value, 0.75);
  EXPECT_DOUBLE_EQ(current, 4.0);
  EXPECT_EQ(raw[6], 0xC0);
  const TMeasurementStatus& st = Comm().Status;
  EXPECT_TRUE(st.BrokenSensor);
  EXPECT_TRUE(st.EepromError);
  EXPECT_FALSE(st.CalMode);
  EXPECT_FALSE(st.IndependentOutput);
  EXPECT_EQ(st.UnitIndex, 15);
  EXPECT_TRUE(st.NewAverage);
  EXPECT_TRUE(st.LargeError);
  EXPECT_TRUE(st.OutOfRange);
  EXPECT_FALSE(st.InternalError);
  EXPECT_EQ(st.TypeIndex, 9);

  tx->measurement = {0x7F, 0x00, 0x00, 0x00, 0xC0, 0x40, 0x33, 0x12};
  ASSERT_TRUE(ReadRegister(0x20, value, current, raw));
  EXPECT_TRUE(st.CalMode);
  EXPECT_TRUE(st.IndependentOutput);
  EXPECT_FALSE(st.BrokenSensor);
  EXPECT_EQ(st.UnitIndex, 3);
  EXPECT_TRUE(st.InternalError);
  EXPECT_FALSE(st.NewAverage);
  EXPECT_FALSE(st.OutOfRange);
  EXPECT_EQ(st.TypeIndex, 2);
  EXPECT_DOUBLE_EQ(current, 20.0);
}

TEST_F(DirectCommandTest, ReadSimulatedDecodesValueAndDacWord) {
  double value = 0, current = 0;
  ASSERT_TRUE(ReadSimulated(value, current, 0x0000807F));
  EXPECT_EQ(tx->commands.back(), (Bytes{'Z', 0x7F, 0x80, 0x00, 0x00}));
  EXPECT_EQ(value, 2.0);  // the fake answers 0x80 0x00 0x00 0x00 and DAC word 17216
  EXPECT_DOUBLE_EQ(current, 4.0);
}

TEST_F(DirectCommandTest, CloseLineReleasesTheLine) {
  ASSERT_TRUE(CloseLine());
  EXPECT_TRUE(control->destroyed);
  EXPECT_FALSE(DirectCommand('@', 0));
}

}  // namespace
}  // namespace vorta::comm
