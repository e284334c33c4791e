// The codecs of the line on both sides, run against the same frames and floats written out byte by
// byte: the program's (comm/frame, comm/device_float) and the simulated transmitter's (sim/sim_frame,
// sim/sim_float); then what only one side does (the program's refusals, the simulator's frame
// assembly), and the DAC word conversion.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "comm/device_float.h"
#include "comm/device_image.h"
#include "comm/frame.h"
#include "comm/record_layout.h"
#include "sim/sim_float.h"
#include "sim/sim_frame.h"
#include "sim/sim_memory.h"
#include "tests/comm/known_frames.h"

namespace vorta::comm {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::kDamagedReplies;
using Assembled = std::vector<sim::TCommandAssembler::TResult>;
constexpr auto kCommand = sim::TCommandAssembler::TResult::kCommand;
constexpr auto kBadFrame = sim::TCommandAssembler::TResult::kBadFrame;

const Bytes& WriteEcho() {
  return testing::kKnownCommands[1].frame;
}

// The program's frame for command bytes; none when it refuses them.
std::optional<Bytes> ProgramFrame(const Bytes& command) {
  TBuffer cmd{}, frame{};
  cmd[0] = static_cast<std::uint8_t>(command.size());
  for (std::size_t i = 0; i < command.size() && i < 255; ++i) cmd[i + 1] = command[i];
  if (!BuildFrame(cmd, frame)) return std::nullopt;
  return Bytes(frame.begin(), frame.begin() + frame[255]);
}

// The program's reading of received bytes (echo, then the reply) of which the first count count.
std::optional<Bytes> ProgramParse(const Bytes& received, int sent, int expected, int count = -1) {
  TBuffer rx{}, reply{};
  std::copy_n(received.begin(), std::min<std::size_t>(received.size(), rx.size()), rx.begin());
  if (count < 0) count = static_cast<int>(received.size());
  if (!ParseReply(rx, count, sent, expected, reply) || reply[0] != expected) return std::nullopt;
  return Bytes(reply.begin() + 1, reply.begin() + 1 + expected);
}

std::optional<Bytes> ProgramParseAfterEcho(const Bytes& reply, int expected) {
  Bytes all = WriteEcho();
  all.insert(all.end(), reply.begin(), reply.end());
  return ProgramParse(all, static_cast<int>(WriteEcho().size()), expected);
}

// The simulator's results for a byte stream, one byte every stepMs.
Assembled SimFeed(sim::TCommandAssembler& a, const Bytes& bytes, double stepMs = 0.01) {
  Assembled results;
  double t = 0.0;
  for (std::uint8_t b : bytes)
    if (const auto r = a.Feed(b, t += stepMs); r != sim::TCommandAssembler::TResult::kNone)
      results.push_back(r);
  return results;
}

TEST(CodecTest, KnownCommandFramesAreBuiltByTheProgramAndTakenByTheSimulator) {
  for (const auto& k : testing::kKnownCommands) {
    EXPECT_EQ(ProgramFrame(k.data), k.frame) << k.name;
    sim::TCommandAssembler a;
    EXPECT_EQ(SimFeed(a, k.frame), Assembled{kCommand}) << k.name;
    EXPECT_EQ(a.Command(), k.data) << k.name;
  }
}

TEST(CodecTest, KnownReplyFramesAreBuiltByTheSimulatorAndTakenByTheProgram) {
  for (const auto& k : testing::kKnownReplies) {
    EXPECT_EQ(sim::EncodeReply(k.data), k.frame) << k.name;
    EXPECT_EQ(ProgramParseAfterEcho(k.frame, static_cast<int>(k.data.size())), k.data) << k.name;
  }
  EXPECT_TRUE(sim::EncodeReply(Bytes(255, 0)).empty());  // L = 255 would mean "no reply"
}

TEST(CodecTest, DamagedRepliesAreNeverTaken) {
  for (const auto& d : kDamagedReplies) EXPECT_EQ(ProgramParseAfterEcho(d.frame, 3), std::nullopt) << d.name;
  // Cut anywhere (an escape among the data), with the rest of the frame still in the buffer.
  Bytes all = WriteEcho();
  const Bytes& reply = testing::kKnownReplies[2].frame;
  all.insert(all.end(), reply.begin(), reply.end());
  const int sent = static_cast<int>(WriteEcho().size());
  ASSERT_TRUE(ProgramParse(all, sent, 3).has_value());
  for (int cut = 1; cut < static_cast<int>(reply.size()); ++cut)
    EXPECT_EQ(ProgramParse(all, sent, 3, static_cast<int>(all.size()) - cut), std::nullopt) << cut;
  // Escapes running to the end of the buffer, and a count past it.
  Bytes escapes(256, 0xCE);
  escapes[0] = 0xC0;
  escapes[1] = 200;
  EXPECT_EQ(ProgramParse(escapes, 0, 200), std::nullopt);
  EXPECT_EQ(ProgramParse(escapes, 0, 10, 300), std::nullopt);
}

TEST(CodecTest, ProgramTakesTheLastReplyAfterStrayBytes) {
  Bytes received = {0x12, 0x34};
  for (const Bytes& data : {Bytes{'X', 0x01, 0x02}, Bytes{'D', 0x00, 0x10}}) {
    const Bytes frame = sim::EncodeReply(data);
    received.insert(received.end(), frame.begin(), frame.end());
  }
  EXPECT_EQ(ProgramParseAfterEcho(received, 3), (Bytes{'D', 0x00, 0x10}));
}

TEST(CodecTest, ProgramRefusesCommandsItCannotFrame) {
  EXPECT_EQ(ProgramFrame({}), std::nullopt);
  EXPECT_EQ(ProgramFrame(Bytes(201, 0x01)), std::nullopt);
  EXPECT_EQ(ProgramFrame(Bytes(200, 0x01))->size(), 2u + 200 + 1);
  // 0xC0 and 0xC3 as the length would read as a reply start or a frame end on the line.
  EXPECT_EQ(ProgramFrame(Bytes(0xC0, 0x01)), std::nullopt);
  EXPECT_EQ(ProgramFrame(Bytes(0xC3, 0x01)), std::nullopt);
  // 126 escaped bytes and their checksum 7F fill the 255 bytes a frame may have; one more byte does not fit.
  Bytes escaped(126, 0xC0);
  ASSERT_TRUE(ProgramFrame(escaped).has_value());
  EXPECT_EQ(ProgramFrame(escaped)->size(), 255u);
  EXPECT_EQ(ProgramFrame(escaped)->back(), 0x7F);
  escaped.push_back(0x00);
  EXPECT_EQ(ProgramFrame(escaped), std::nullopt);
}

TEST(CodecTest, SimulatorRejectsDamagedCommandFramesAndFindsTheNextGoodOne) {
  const Bytes good = testing::kKnownCommands[0].frame;
  auto then = [&](Bytes bytes) {
    bytes.insert(bytes.end(), good.begin(), good.end());
    return bytes;
  };
  Bytes badSum = good;
  badSum.back() ^= 0x01;
  const struct {
    const char* name;
    Bytes bytes;
    Assembled results;
  } cases[] = {
      {"bad checksum", badSum, {kBadFrame}},
      {"length 0", then({0xC9, 0x00, 'm'}), {kBadFrame, kCommand}},
      {"length 210", then({0xC9, 210, 'm'}), {kBadFrame, kCommand}},
      {"cut by a new frame start", then({0xC9, 0x02, 'm'}), {kBadFrame, kCommand}},
      {"stray bytes before", then({0x00, 0xC3, 0x55, 0xC0}), {kCommand}},
  };
  for (const auto& c : cases) {
    sim::TCommandAssembler a;
    EXPECT_EQ(SimFeed(a, c.bytes), c.results) << c.name;
    if (c.results.back() == kCommand) {
      EXPECT_EQ(a.Command(), (Bytes{'m', 0x20})) << c.name;
    }
  }
  sim::TCommandAssembler a;
  EXPECT_EQ(SimFeed(a, *ProgramFrame(Bytes(200, 0x01))), Assembled{kCommand});  // the longest command
  // 195 = C3 as the length is taken as it is: the length byte is never escaped.
  Bytes c3(0xC3, 0x11);
  c3.insert(c3.begin(), {0xC9, 0xC3});
  c3.push_back(static_cast<std::uint8_t>(255 - (0xC3 * 0x11) % 256));
  EXPECT_EQ(SimFeed(a, c3), Assembled{kCommand});
  EXPECT_EQ(a.Command().size(), 0xC3u);
}

TEST(CodecTest, SimulatorAbandonsAFrameAfterAGap) {
  sim::TCommandAssembler a(20.0);
  const Bytes& frame = testing::kKnownCommands[0].frame;
  EXPECT_EQ(a.Feed(frame[0], 0.0), sim::TCommandAssembler::TResult::kNone);
  EXPECT_EQ(a.Feed(frame[1], 1.0), sim::TCommandAssembler::TResult::kNone);
  EXPECT_EQ(a.Feed(frame[2], 30.0), kBadFrame);
  EXPECT_EQ(a.Feed(frame[3], 31.0), sim::TCommandAssembler::TResult::kNone);  // hunting again
}

TEST(CodecTest, KnownFloatsBothWaysOnBothSides) {
  for (const auto& k : testing::kKnownFloats) {
    EXPECT_EQ(DecodeDeviceFloat(k.bytes), k.value) << k.value;
    EXPECT_EQ(sim::FloatFromBytes(k.bytes), k.value) << k.value;
    DeviceFloatBytes program{};
    ASSERT_TRUE(EncodeDeviceFloat(k.value, program)) << k.value;
    EXPECT_EQ(program, k.bytes) << k.value;
    sim::TFloatBytes simulator{};
    ASSERT_TRUE(sim::FloatToBytes(k.value, simulator)) << k.value;
    EXPECT_EQ(simulator, k.bytes) << k.value;
  }
  // Every pattern is a number.
  EXPECT_EQ(DecodeDeviceFloat(DeviceFloatBytes{0xFF, 0xFF, 0xFF, 0xFF}), -std::ldexp(0xFFFFFF, 105));
}

TEST(CodecTest, FloatsBetweenPatternsTooSmallOrUnfitAreEncodedAlikeOnBothSides) {
  // Within a quarter of the last bit below the next pattern: carried into the higher bytes.
  const double bit = std::ldexp(1.0, -23);
  const std::pair<double, DeviceFloatBytes> encoded[] = {
      {1.0 + 255.75 * bit, {0x7F, 0x00, 0x01, 0x00}},
      {1.0 + 65535.75 * bit, {0x7F, 0x01, 0x00, 0x00}},
      {1e-45, {0, 0, 0, 0}},
      {-std::ldexp(1.0, -140), {0, 0, 0, 0}},
      {std::ldexp(1.0, -127), {0, 0, 0, 0}},
  };
  for (const auto& [v, bytes] : encoded) {
    DeviceFloatBytes program{1, 2, 3, 4};
    sim::TFloatBytes simulator{1, 2, 3, 4};
    EXPECT_TRUE(EncodeDeviceFloat(v, program) && program == bytes) << v;
    EXPECT_TRUE(sim::FloatToBytes(v, simulator) && simulator == bytes) << v;
  }
  const double inf = std::numeric_limits<double>::infinity();
  for (double v : {std::numeric_limits<double>::quiet_NaN(), inf, -inf, 1e39, -7e38}) {
    DeviceFloatBytes program{1, 2, 3, 4};
    sim::TFloatBytes simulator{};
    EXPECT_FALSE(EncodeDeviceFloat(v, program)) << v;
    EXPECT_EQ(program, (DeviceFloatBytes{1, 2, 3, 4})) << v;  // the program's bytes stay untouched
    EXPECT_FALSE(sim::FloatToBytes(v, simulator)) << v;
    EXPECT_EQ(simulator[0], 0xFF) << v;  // the simulator saturates
  }
}

TEST(CodecTest, RoundTripsKeepTwentyThreeBitsAndSinglePrecisionValuesExactlyOnBothSides) {
  std::vector<double> values = {100.0, -273.15f, 850.0, 0.001f, 1e30f, std::nextafter(2.0, 0.0)};
  for (int e = -120; e <= 120; e += 3)
    for (double m : {1.0, 1.1, 1.2345678, 1.5, 1.9999999, 1.000001})
      for (double sign : {1.0, -1.0}) values.push_back(sign * std::ldexp(m, e));
  for (double v : values) {
    DeviceFloatBytes program{};
    ASSERT_TRUE(EncodeDeviceFloat(v, program)) << v;
    const double back[] = {DecodeDeviceFloat(program), sim::FloatFromBytes(sim::FloatBytes(v))};
    for (double b : back) {
      EXPECT_LE(std::fabs(b - v), std::fabs(v) * std::ldexp(1.0, -23)) << v;
      EXPECT_EQ(std::signbit(b), std::signbit(v)) << v;
      if (static_cast<float>(v) == v) {
        EXPECT_EQ(b, v) << v;
      }
    }
  }
}

TEST(CodecTest, ImageAndSimulatorMemoryHoldAFloatByteReversed) {
  TDeviceRecord record{};
  ASSERT_TRUE(record.SetFloat(rec::kZeroReg, -2.0));
  TDeviceImage image{};
  EncodeImage(record, image);
  sim::TSimMemory memory;
  memory.SetFloat(0x060, -2.0);
  for (int a = 0x060; a < 0x064; ++a) EXPECT_EQ(memory.Byte(a), image[a]) << a;
  EXPECT_EQ(image[0x063], 0x80);  // the exponent byte at the highest address
  EXPECT_EQ(image[0x062], 0x80);
  EXPECT_EQ(memory.Float(0x060), -2.0);
}

TEST(CodecTest, DacWordsGiveMilliampsWithinTheUsableSpan) {
  const struct {
    std::uint16_t word;
    double mA;
  } cases[] = {{9216, 0.0},  {17216, 4.0},       {49216, 20.0},       {11216, 1.0}, {9000, 0.0},
               {65500, 0.0}, {65535 - 127, 0.0}, {65535 - 128, 25.0}, {59216, 25.0}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(DacToMilliamps(c.word), c.mA) << c.word;
}

}  // namespace
}  // namespace vorta::comm
