// The command set, line opening and closing, direct commands and measurement decoding on a
// scripted transmitter.
#include "comm/protocol.h"

#include <gtest/gtest.h>

#include <limits>

#include "comm/comm_state.h"
#include "comm/polling.h"
#include "tests/comm/fake_line.h"

namespace vorta::comm {
namespace {

using testing::Bytes;

Bytes CommandOf(const TBuffer& c) {
  return Bytes(c.begin() + 1, c.begin() + 1 + c[0]);
}

class ProtocolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetComm();
    control = std::make_shared<testing::TFakeLineControl>();
    SetReplyTimeoutMs(30000);  // a reply sent is never missed, however slow the machine
  }
  // Opens the line, and stops polling so that the test has it to itself.
  void Open() {
    ASSERT_TRUE(OpenLineOn(std::make_unique<testing::TFakeLine>(control), 4));
    EXPECT_TRUE(Comm().PollStarted);
    ASSERT_TRUE(StopPolling());
    polled = control->Locked([](testing::TFakeLineControl& c) {
      return c.commands.size();
    });  // what the polling thread sent before it stopped
  }
  void TearDown() override {
    ResetComm();
    SetReplyTimeoutMs(0);
  }
  std::size_t Sent() {
    return control->Locked([](testing::TFakeLineControl& c) { return c.commands.size(); }) - polled;
  }
  Bytes LastCommand() {
    std::lock_guard lock(control->mutex);
    return control->commands.back();
  }
  std::shared_ptr<testing::TFakeLineControl> control;
  std::size_t polled = 0;
};

TEST_F(ProtocolTest, EveryCommandHasItsBytesAndReplyLength) {
  const struct {
    std::uint8_t letter;
    std::uint32_t arg;
    Bytes bytes;
    int expected;
  } cases[] = {
      {'m', 0x20, {'m', 0x20}, 10},
      {'o', 0x1234, {'o', 0x12, 0x34}, 0},
      {'r', 0, {'r'}, 255},
      {'s', 0x040123, {'s', 0x04, 0x01, 0x23}, 7},
      {'s', 0xFB0000, {'s', 0xFB, 0x00, 0x00}, 254},
      {'D', 0x5A0123, {'D', 1, 0x01, 0x23, 0x5A}, 3},
      {'O', 0x11223344, {'D', 4, 0x55, 0x55, 0x33, 0x44, 0x11, 0x22}, 3},
      {'Z', 0x44332211, {'Z', 0x11, 0x22, 0x33, 0x44}, 7},
      {'@', 0, {'@', 'V', 'R', 'T', 'A'}, 5},
  };
  for (const auto& c : cases) {
    TBuffer cmd{};
    ASSERT_TRUE(BuildCommandInto(cmd, c.letter, c.arg)) << c.letter;
    EXPECT_EQ(CommandOf(cmd), c.bytes) << c.letter;
    EXPECT_EQ(cmd[cmd[0] + 1], c.expected) << c.letter;
  }
  TBuffer cmd{};
  ASSERT_TRUE(BuildCorrectionsInto(cmd, 1.0, -2.0));
  EXPECT_EQ(CommandOf(cmd), (Bytes{'V', 8, 0x00, 0x60, 0x7F, 0, 0, 0, 0x80, 0x80, 0, 0}));
  EXPECT_EQ(cmd[cmd[0] + 1], 0);
  const int bauds[] = {1200, 1200, 2400, 4800, 9600, 1200};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(BaudOfIndex(i), bauds[i]) << i;
}

TEST_F(ProtocolTest, UnknownLettersAndUnfitArgumentsAreRefused) {
  TBuffer cmd{};
  EXPECT_FALSE(BuildCommandInto(cmd, 'q', 0));
  EXPECT_FALSE(BuildCommandInto(cmd, 'V', 0));         // the corrections have their own builder
  EXPECT_FALSE(BuildCommandInto(cmd, 's', 0xFC0000));  // a reply of 255 bytes cannot be told from "none"
  EXPECT_FALSE(BuildCorrectionsInto(cmd, 1e300, 1.0));
  EXPECT_FALSE(BuildCorrectionsInto(cmd, 0.0, std::numeric_limits<double>::quiet_NaN()));
}

TEST_F(ProtocolTest, OpeningAgainClosesTheFirstLineAndAFailedSetupReleasesTheNew) {
  Open();
  EXPECT_EQ(control->configuredBaud, 9600);
  auto other = std::make_shared<testing::TFakeLineControl>();
  ASSERT_TRUE(OpenLineOn(std::make_unique<testing::TFakeLine>(other), 2));
  EXPECT_EQ(other->configuredBaud, 2400);
  EXPECT_TRUE(Comm().PollStarted);
  EXPECT_TRUE(control->destroyed);
  auto refusing = std::make_shared<testing::TFakeLineControl>();
  refusing->configureOk = false;
  EXPECT_FALSE(OpenLineOn(std::make_unique<testing::TFakeLine>(refusing), 4));
  EXPECT_TRUE(refusing->destroyed);
  EXPECT_FALSE(LineOpen());
}

TEST_F(ProtocolTest, DirectReadCopiesTheReply) {
  Open();
  control->memory[0x123] = 0xC3;
  TBuffer buf{};
  ASSERT_TRUE(DirectRead('s', 0x040123, buf));
  EXPECT_EQ(LastCommand(), (Bytes{'s', 0x04, 0x01, 0x23}));
  EXPECT_EQ(Bytes(buf.begin(), buf.begin() + 9), (Bytes{7, 's', 0x01, 0x23, 0xC3, 0, 0, 0, 0xA5}));
}

TEST_F(ProtocolTest, DirectCommandMakesFiveAttemptsAndWaitsForCommandDone) {
  Open();
  control->spoiled = [](const Bytes&, int) { return true; };
  EXPECT_FALSE(DirectCommand('@', 0));
  EXPECT_EQ(Sent(), 5u);
  EXPECT_TRUE(Comm().CommandDoneEvent.IsSet());
  Comm().CommandDoneEvent.Reset();  // a queued command still on its way
  EXPECT_FALSE(DirectCommand('@', 0));
  EXPECT_EQ(Sent(), 5u);
}

// The status flags as letters: C calibration mode, I independent output, B broken sensor, E EEPROM
// error, N internal error, A new average, L large error, O out of range; then unit and type.
std::string Flags(const TMeasurementStatus& s) {
  std::string f;
  for (const auto& [on, letter] : {std::pair{s.CalMode.load(), 'C'},
                                   {s.IndependentOutput.load(), 'I'},
                                   {s.BrokenSensor.load(), 'B'},
                                   {s.EepromError.load(), 'E'},
                                   {s.InternalError.load(), 'N'},
                                   {s.NewAverage.load(), 'A'},
                                   {s.LargeError.load(), 'L'},
                                   {s.OutOfRange.load(), 'O'}})
    if (on) f += letter;
  return f + " u" + std::to_string(s.UnitIndex) + " t" + std::to_string(s.TypeIndex);
}

TEST_F(ProtocolTest, ReadRegisterDecodesValueCurrentAndEveryFlag) {
  Open();
  const struct {
    Bytes measurement;
    std::uint8_t selector;
    double value, current;
    const char* flags;
  } cases[] = {
      // Unit 0 is taken as 15.
      {{0x7E, 0x40, 0x00, 0x00, 0x43, 0x40, 0xC0, 0xE9}, 0x04, 0.75, 4.0, "BEALO u15 t9"},
      {{0x7F, 0x00, 0x00, 0x00, 0xC0, 0x40, 0x33, 0xB2}, 0x20, 1.0, 20.0, "CINAO u3 t2"},
  };
  for (const auto& c : cases) {
    control->measurement = c.measurement;
    double value = 0, current = 0;
    TRawMeasurement raw{};
    ASSERT_TRUE(ReadRegister(c.selector, value, current, raw));
    EXPECT_EQ(LastCommand(), (Bytes{'m', c.selector}));
    EXPECT_EQ(Bytes(raw.begin(), raw.end()), c.measurement);
    EXPECT_EQ(value, c.value);
    EXPECT_DOUBLE_EQ(current, c.current);
    EXPECT_EQ(Flags(Comm().Status), c.flags);
  }
}

TEST_F(ProtocolTest, ReadSimulatedAndCorrectionsGoOutAsDeviceFloats) {
  Open();
  double value = 0, current = 0;
  ASSERT_TRUE(ReadSimulated(value, current, 0x0000807F));
  EXPECT_EQ(LastCommand(), (Bytes{'Z', 0x7F, 0x80, 0x00, 0x00}));
  EXPECT_EQ(value, 2.0);  // the fake answers 0x80 0x00 0x00 0x00 and DAC word 17216
  EXPECT_DOUBLE_EQ(current, 4.0);
  ASSERT_TRUE(DirectCorrections(0.75, -1.0));
  EXPECT_EQ(LastCommand(), (Bytes{'V', 8, 0x00, 0x60, 0x7E, 0x40, 0, 0, 0x7F, 0x80, 0, 0}));
  const std::size_t sent = Sent();
  EXPECT_FALSE(DirectCorrections(1e300, 1.0));
  EXPECT_EQ(Sent(), sent);
  EXPECT_TRUE(Comm().CommandDoneEvent.IsSet());
}

}  // namespace
}  // namespace vorta::comm
