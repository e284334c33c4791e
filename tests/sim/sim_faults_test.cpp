// Every fault knob of the simulator, seen from the host's side of the in-process line, and the
// pacing of the line in real time.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tests/sim/host_frames.h"

namespace vorta::sim::test {
namespace {

const TBytes kMeasure{'m', 0x20};

class SimFaults : public TSimOnLine {
 protected:
  int AnsweredOf(int n) {
    int good = 0;
    for (int i = 0; i < n; ++i) good += Send(kMeasure).has_value();
    return good;
  }
};

struct TSilenceCase {
  const char* knob;
  const char* on;
  const char* off;
  std::vector<TBytes> commands;
  const char* answered;  // '1' for each command answered
};

TEST_F(SimFaults, SilencingKnobsStopTheRepliesTheyNameUntilSwitchedOff) {
  const TBytes preamble{0xEF, 0, 0}, block{0xF3, 16, 0x00, 0x10}, m = kMeasure;
  const TSilenceCase cases[] = {
      {"silent", "on", "off", {m, block}, "00"},
      {"lose", "1", "0", {m, block}, "00"},
      {"silent-after", "3", "-1", {m, m, m, m, m, m}, "111000"},
      // block commands count only after a preamble
      {"silent-in-block", "2", "-1", {m, block, preamble, block, block, block, m}, "1111100"},
  };
  for (const TSilenceCase& c : cases) {
    TSimTransmitter t;
    TSimLine l(t);
    ASSERT_TRUE(t.SetKnob(c.knob, c.on));
    std::string answered;
    for (const TBytes& command : c.commands) answered += Exchange(l, command).data ? '1' : '0';
    EXPECT_EQ(answered, c.answered) << c.knob;
    ASSERT_TRUE(t.SetKnob(c.knob, c.off));
    EXPECT_TRUE(Exchange(l, m).data.has_value()) << c.knob;
  }
}

TEST_F(SimFaults, LostRepliesAreCarriedOutSilencedCommandsAreNot) {
  ASSERT_TRUE(tx.SetKnob("lose", "1"));
  EXPECT_FALSE(Send({'D', 1, 0x00, 0x80, 'Q'}));
  EXPECT_EQ(tx.ReadMemory(0x080, 1)[0], 'Q');
  tx.SetKnob("lose", "0");
  ASSERT_TRUE(tx.SetKnob("silent", "on"));
  const TExchange x = Exchange(line, {'D', 1, 0x00, 0x80, 'Z'});
  EXPECT_EQ(x.received, CommandFrame({'D', 1, 0x00, 0x80, 'Z'}));  // the echo stays
  EXPECT_EQ(tx.ReadMemory(0x080, 1)[0], 'Q');
}

TEST_F(SimFaults, LoseDropsAboutTheShareAndCountsIt) {
  ASSERT_TRUE(tx.SetKnob("lose", "0.5"));
  const int good = AnsweredOf(200);
  EXPECT_GT(good, 60);
  EXPECT_LT(good, 140);
  EXPECT_EQ(tx.Stats().lost, 200 - good);
}

TEST_F(SimFaults, CorruptKeepsFramingButBreaksChecksum) {
  ASSERT_TRUE(tx.SetKnob("corrupt", "1"));
  for (const TBytes& command : {kMeasure, TBytes{0xEF, 0, 0}, TBytes{0xF3, 16, 0x04, 0x40}}) {
    const TExchange x = Exchange(line, command);
    EXPECT_TRUE(x.echoOk);
    EXPECT_FALSE(x.data.has_value());
    EXPECT_EQ(x.received.back(), 0xC3);  // a whole frame came, only its contents are wrong
  }
  EXPECT_EQ(tx.Stats().corrupted, 3);
}

TEST_F(SimFaults, WrongAddressEchoOnReadsAndWritesOnly) {
  ASSERT_TRUE(tx.SetKnob("wrong-address", "on"));
  EXPECT_EQ(Send({0xF3, 0, 0x04, 0x40}), (TBytes{0xF3, 0x04, 0x41}));
  EXPECT_EQ(Send({'D', 1, 0x00, 0xFF, 0x00}), (TBytes{'D', 0x01, 0x00}));
  EXPECT_EQ(Reply({'s', 0x80, 0, 0})[1], 0);  // the version query has no address
}

TEST_F(SimFaults, LateReplyMissesAShortWaitAndArrivesLater) {
  ASSERT_TRUE(tx.SetKnob("late", "300"));
  const double start = line.NowMs();
  const TExchange x = Exchange(line, kMeasure, 100);
  EXPECT_TRUE(x.echoOk);
  EXPECT_FALSE(x.data.has_value());
  std::uint8_t buf[64];
  const int n = line.Read(buf, sizeof buf, 400);
  ASSERT_GT(n, 4);
  EXPECT_EQ(buf[0], 0xC0);
  EXPECT_EQ(buf[n - 1], 0xC3);
  EXPECT_GT(line.NowMs() - start, 300.0);
  ASSERT_TRUE(tx.SetKnob("late", "0"));
  EXPECT_TRUE(Exchange(line, kMeasure, 100).data.has_value());
}

TEST_F(SimFaults, DisconnectAfterFramesClosesTheLine) {
  ASSERT_TRUE(tx.SetKnob("disconnect-after", "2"));
  EXPECT_EQ(AnsweredOf(2), 2);
  std::uint8_t buf[16];
  EXPECT_EQ(line.Read(buf, sizeof buf, 10), -1);
  const TBytes frame = CommandFrame(kMeasure);
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
    EXPECT_EQ(Reply(kMeasure)[c.byte] & c.bit, c.bit) << c.knob;
    tx.SetKnob(c.knob, "off");
    EXPECT_EQ(Reply(kMeasure)[c.byte] & c.bit, 0) << c.knob;
  }
}

TEST_F(SimFaults, RealTimeLineTakesAtLeastTheLineTime) {
  TSimLine paced(tx, true);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(Exchange(paced, kMeasure).data.has_value());
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took.count(), 19 * 10000.0 / 9600);  // 5 bytes echo and 14 bytes reply at 9600 baud
}

}  // namespace
}  // namespace vorta::sim::test
