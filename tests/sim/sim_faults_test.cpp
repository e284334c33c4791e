// Every fault knob of the simulator, seen from the host's side of the in-process line.
#include <gtest/gtest.h>

#include <chrono>

#include "tests/sim/host_frames.h"

namespace vorta::sim::test {
namespace {

class SimFaults : public ::testing::Test {
 protected:
  TSimTransmitter tx;
  TSimLine line{tx};

  bool Answered(const TBytes& command, int timeoutMs = 250) {
    return Exchange(line, command, timeoutMs).data.has_value();
  }
  int AnsweredOf(int n) {
    int good = 0;
    for (int i = 0; i < n; ++i) good += Answered({'m', 0x20});
    return good;
  }
};

TEST_F(SimFaults, LoseDropsAboutTheShareButCarriesCommandsOut) {
  ASSERT_TRUE(tx.SetKnob("lose", "0.5"));
  const int good = AnsweredOf(200);
  EXPECT_GT(good, 60);
  EXPECT_LT(good, 140);
  EXPECT_EQ(tx.Stats().lost, 200 - good);
  tx.SetKnob("lose", "1");
  Exchange(line, {'D', 1, 0x00, 0x80, 'Q'});
  EXPECT_EQ(tx.ReadMemory(0x080, 1)[0], 'Q');
  tx.SetKnob("lose", "0");
  EXPECT_EQ(AnsweredOf(10), 10);
}

TEST_F(SimFaults, CorruptKeepsFramingButBreaksChecksum) {
  ASSERT_TRUE(tx.SetKnob("corrupt", "1"));
  for (const TBytes& command : {TBytes{'m', 0x20}, TBytes{0xEF, 0, 0}, TBytes{0xF3, 16, 0x04, 0x40}}) {
    const TExchange x = Exchange(line, command);
    EXPECT_TRUE(x.echoOk);
    EXPECT_FALSE(x.data.has_value());
    EXPECT_EQ(x.received.back(), 0xC3);  // a whole frame came, only its contents are wrong
  }
  EXPECT_EQ(tx.Stats().corrupted, 3);
}

TEST_F(SimFaults, WrongAddressEchoOnReadsAndWrites) {
  ASSERT_TRUE(tx.SetKnob("wrong-address", "on"));
  TExchange x = Exchange(line, {0xF3, 16, 0x04, 0x40});
  ASSERT_TRUE(x.data.has_value());
  EXPECT_EQ((*x.data)[1] << 8 | (*x.data)[2], 0x441);
  x = Exchange(line, {'D', 1, 0x00, 0xFF, 0x00});
  ASSERT_TRUE(x.data.has_value());
  EXPECT_EQ((*x.data)[1] << 8 | (*x.data)[2], 0x100);
  EXPECT_EQ((*Exchange(line, {'s', 0x80, 0, 0}).data)[1], 0);  // the version query is not an address
}

TEST_F(SimFaults, LateReplyMissesAShortWaitAndArrivesLater) {
  ASSERT_TRUE(tx.SetKnob("late", "300"));
  const double start = line.NowMs();
  const TExchange x = Exchange(line, {'m', 0x20}, 100);
  EXPECT_TRUE(x.echoOk);
  EXPECT_FALSE(x.data.has_value());
  std::uint8_t buf[64];
  const int n = line.Read(buf, sizeof buf, 400);
  ASSERT_GT(n, 4);
  EXPECT_EQ(buf[0], 0xC0);
  EXPECT_EQ(buf[n - 1], 0xC3);
  EXPECT_GT(line.NowMs() - start, 300.0);
}

TEST_F(SimFaults, SilentKeepsEchoAndDoesNotCarryOut) {
  ASSERT_TRUE(tx.SetKnob("silent", "on"));
  const TExchange x = Exchange(line, {'D', 1, 0x00, 0x80, 'Z'});
  EXPECT_TRUE(x.echoOk);
  EXPECT_EQ(x.received.size(), CommandFrame({'D', 1, 0x00, 0x80, 'Z'}).size());
  EXPECT_NE(tx.ReadMemory(0x080, 1)[0], 'Z');
  tx.SetKnob("silent", "off");
  EXPECT_TRUE(Answered({'m', 0x20}));
}

TEST_F(SimFaults, SilentAfterFramesAnswersThatManyFirst) {
  ASSERT_TRUE(tx.SetKnob("silent-after", "3"));
  EXPECT_EQ(AnsweredOf(6), 3);
  tx.SetKnob("silent-after", "-1");
  EXPECT_EQ(AnsweredOf(2), 2);
}

TEST_F(SimFaults, SilentInBlockStopsInTheMiddleOfATransfer) {
  ASSERT_TRUE(tx.SetKnob("silent-in-block", "2"));
  EXPECT_TRUE(Answered({'m', 0x20}));  // outside a transfer nothing changes
  EXPECT_TRUE(Answered({0xEF, 0, 0}));
  EXPECT_TRUE(Answered({0xF3, 16, 0x00, 0x10}));
  EXPECT_TRUE(Answered({0xF3, 16, 0x00, 0x20}));
  EXPECT_FALSE(Answered({0xF3, 16, 0x00, 0x30}));
  EXPECT_FALSE(Answered({'r'}));
  tx.SetKnob("silent-in-block", "-1");
  EXPECT_TRUE(Answered({'m', 0x20}));
}

TEST_F(SimFaults, DisconnectAfterFramesClosesTheLine) {
  ASSERT_TRUE(tx.SetKnob("disconnect-after", "2"));
  EXPECT_TRUE(Answered({'m', 0x20}));
  EXPECT_TRUE(Answered({'m', 0x20}));
  std::uint8_t buf[16];
  EXPECT_EQ(line.Read(buf, sizeof buf, 10), -1);
  const TBytes frame = CommandFrame({'m', 0x20});
  EXPECT_FALSE(line.Write(frame.data(), frame.size(), 100));
  EXPECT_TRUE(line.Closed());
}

TEST_F(SimFaults, StatusKnobsSetTheirBits) {
  struct TCase {
    const char* knob;
    int byte;
    std::uint8_t bit;
  };
  for (const TCase& c : {TCase{"eeprom-error", 8, 0x80}, TCase{"broken-sensor", 8, 0x40},
                         TCase{"calibration-mode", 8, 0x10}, TCase{"internal-error", 9, 0x10}}) {
    ASSERT_TRUE(tx.SetKnob(c.knob, "on"));
    EXPECT_EQ((*Exchange(line, {'m', 0x20}).data)[c.byte] & c.bit, c.bit) << c.knob;
    tx.SetKnob(c.knob, "off");
    EXPECT_EQ((*Exchange(line, {'m', 0x20}).data)[c.byte] & c.bit, 0) << c.knob;
  }
}

TEST_F(SimFaults, BadKnobValuesAreRefused) {
  EXPECT_FALSE(tx.SetKnob("lose", "1.5"));
  EXPECT_FALSE(tx.SetKnob("late", "-3"));
  EXPECT_FALSE(tx.SetKnob("silent", "maybe"));
  EXPECT_FALSE(tx.SetKnob("no-such-knob", "1"));
  EXPECT_FALSE(tx.SetKnob("silent-after", "2.5"));
  EXPECT_EQ(tx.Knobs().loseShare, 0.0);
}

TEST_F(SimFaults, RealTimeLineTakesLineTime) {
  TSimTransmitter t;
  TSimLine paced(t, true);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(Exchange(paced, {'m', 0x20}).data.has_value());
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  EXPECT_GE(ms, 19 * 10000.0 / 9600);  // 5 bytes echo and 14 bytes reply at 9600 baud
}

}  // namespace
}  // namespace vorta::sim::test
