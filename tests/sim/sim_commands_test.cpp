// Every command of the simulated transmitter through the in-process line, with host frames built
// by hand: exact replies and what stays unanswered, the effect on memory and output, and a full
// write as the host performs it (preamble, 16-byte blocks, both checksum commands).
#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "tests/sim/host_frames.h"

namespace vorta::sim::test {
namespace {

// 255 minus the byte sum, worked out here so that the simulator's own sum is not the judge.
std::uint8_t Sum(const TSimMemory& m, unsigned first, unsigned last) {
  unsigned s = 0;
  for (unsigned a = first; a <= last; ++a) s += m.Byte(a);
  return static_cast<std::uint8_t>(255 - s % 256);
}

// 'L' kind with the three values, each followed by its complement.
TBytes ChecksumCommand(std::uint8_t kind, std::array<unsigned, 3> v) {
  TBytes c{'L', kind};
  for (unsigned x : v) c.insert(c.end(), {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(~x)});
  return c;
}

class SimCommands : public TSimOnLine {
 protected:
  bool EepromError() { return Reply({'m', 0x20})[8] & 0x80; }
  static unsigned Dac(const TBytes& d, std::size_t at) { return d[at] << 8 | d[at + 1]; }
};

struct TReplyCase {
  const char* what;
  TBytes command;
  std::optional<TBytes> reply;
};

const TReplyCase kReplies[] = {
    {"version query", {'s', 0x80, 0x00, 0x00}, TBytes{'s', 0, 0, 'S', '1', '.', '4'}},
    {"read of the type number 2047", {'s', 2, 0x04, 0x00}, TBytes{'s', 0x04, 0x00, 0xFF, 0x07}},
    {"write", {'D', 4, 0x00, 0x80, 'T', 'A', 'G', 0xC3}, TBytes{'D', 0x00, 0x80}},
    {"marked write", {'D' | 0x80, 1, 0x00, 0x88, 'T'}, TBytes{0xC4, 0x00, 0x88}},
    {"write outside the areas", {'D', 4, 0x0A, 0xBE, 1, 2, 3, 4}, TBytes{'D', 0x0A, 0xBE}},
    {"special write", {'D', 4, 0x55, 0x55, 0x00, 0x00, 0xAE, 0x9B}, TBytes{'D', 0x55, 0x55}},
    {"output", {'o', 0x4E, 0x20}, TBytes{}},
    {"preamble", {0xEF, 0x00, 0x00}, TBytes{}},
    {"corrections", {'V', 8, 0x00, 0x60, 0x7F, 0, 0, 0, 0x7F, 0x80, 0, 0}, TBytes{}},
    {"simulate 75 mV", {'Z', 0x85, 0x16, 0x00, 0x00}, TBytes{'Z', 0x85, 0x16, 0x00, 0x00, 0xA1, 0x00}},
    {"identify", {'@', 'V', 'R', 'T', 'A'}, TBytes{'@', 'T', 'X', '4', '7'}},
    {"reset", {'r'}, std::nullopt},
    {"measure too short", {'m'}, std::nullopt},
    {"measure too long", {'m', 0x20, 0x00}, std::nullopt},
    {"output too short", {'o', 0x01}, std::nullopt},
    {"preamble too short", {0xEF, 0x00}, std::nullopt},
    {"read too short", {'s', 4, 0x04}, std::nullopt},
    {"read longer than a reply", {0xF3, 252, 0x04, 0x40}, std::nullopt},
    {"write count and data disagree", {'D', 4, 0x00, 0x80, 1, 2}, std::nullopt},
    {"corrections elsewhere", {'V', 8, 0x00, 0x64, 0, 0, 0, 0, 0, 0, 0, 0}, std::nullopt},
    {"simulate without a float", {'Z', 0x85, 0x16}, std::nullopt},
    {"identify with another text", {'@', 'V', 'R', 'T', 'B'}, std::nullopt},
    {"checksum of a third kind", {'L', 3, 0, 0xFF, 0, 0xFF, 0, 0xFF}, std::nullopt},
    {"unknown letter", {'Q', 1}, std::nullopt},
};

TEST_F(SimCommands, EveryCommandGetsItsExactReplyAndMalformedOnesNone) {
  for (const TReplyCase& c : kReplies) {
    TSimTransmitter fresh;
    TSimLine l(fresh);
    const TExchange x = Exchange(l, c.command);
    EXPECT_TRUE(x.echoOk) << c.what;
    EXPECT_EQ(x.data, c.reply) << c.what;
    EXPECT_EQ(fresh.Stats().unanswered, c.reply ? 0 : 1) << c.what;
  }
}

TEST_F(SimCommands, EveryByteIsEchoedAlsoOfADamagedFrameWhichGetsNoReply) {
  TBytes damaged = CommandFrame({'m', 0x20});
  damaged.back() ^= 0x01;
  ASSERT_TRUE(line.Write(damaged.data(), damaged.size(), 100));
  std::uint8_t buf[64];
  ASSERT_EQ(line.Read(buf, sizeof buf, 250), static_cast<int>(damaged.size()));
  EXPECT_EQ(TBytes(buf, buf + damaged.size()), damaged);
  EXPECT_EQ(line.Read(buf, sizeof buf, 250), 0);
  EXPECT_EQ(tx.Stats().badFrames, 1);
}

TEST_F(SimCommands, MeasureReplyCarriesTheSelectedRegisterDacAndStatus) {
  tx.SetLevel(25.0);  // 25 mV of the default 0..100 mV range
  const TBytes d = Reply({'m', 0x20});
  ASSERT_EQ(d.size(), 10u);
  EXPECT_EQ(TBytes(d.begin(), d.begin() + 2), (TBytes{'m', 0x20}));
  EXPECT_NEAR(HostFloat(d, 2), 25.0, 1e-4);
  EXPECT_EQ(Dac(d, 6), 9216u + 8 * 2000);  // 8 mA
  EXPECT_EQ(d[8], 2);                      // unit mV, no flag
  EXPECT_EQ(d[9], 0x20);                   // type index 0 of model 47; the first sample starts a new average
  EXPECT_EQ(Reply({'m', 0x20})[9], 0);     // reported once
  tx.SetLevel(40.0);
  line.Advance(200);
  const std::pair<std::uint8_t, double> registers[] = {{0x01, 40.0}, {0x04, 25.0}, {0x40, 0.4},
                                                       {0x80, 40.0}, {0x30, 40.0}, {0x00, 40.0}};
  for (const auto& [selector, value] : registers)
    EXPECT_NEAR(HostFloat(Reply({'m', selector}), 2), value, 1e-4) << int(selector);
}

TEST_F(SimCommands, OutputIsDrivenUntilReleased) {
  Reply({'o', 0x4E, 0x20});  // 20000 = 10 mA
  TBytes d = Reply({'m', 0x20});
  EXPECT_EQ(Dac(d, 6), 9216u + 20000);
  EXPECT_EQ(d[8] & 0x20, 0x20);  // independent output
  Reply({'o', 0x00, 0x00});
  d = Reply({'m', 0x20});
  EXPECT_EQ(d[8] & 0x20, 0);
  EXPECT_EQ(Dac(d, 6), 9216u + 12 * 2000);  // back to the 50 mV measurement
}

TEST_F(SimCommands, WritesLandOnlyInTheTwoAreasAndTheServiceWord) {
  Reply({'D' | 0x80, 4, 0x00, 0xFE, 0xC3, 0xC0, 3, 4});  // the configuration area ends at 0x0FF
  Reply({'D', 4, 0x03, 0xFE, 5, 6, 7, 8});               // the data area starts at 0x400
  Reply({'D', 4, 0x0A, 0xBE, 9, 9, 9, 9});               // and ends at 0xABF
  Reply({'D', 2, 0x02, 0x00, 9, 9});
  Reply({'D', 4, 0x55, 0x55, 0x00, 0x00, 0xAE, 0x9B});  // the diagnostics entry "OAE9B0000"
  EXPECT_EQ(tx.ReadMemory(0x0FE, 4), (TBytes{0xC3, 0xC0, 0xFF, 0xFF}));
  EXPECT_EQ(tx.ReadMemory(0x3FE, 4), (TBytes{0xFF, 0xFF, 7, 8}));
  EXPECT_EQ(tx.ReadMemory(0xABE, 4), (TBytes{9, 9, 0xFF, 0xFF}));
  EXPECT_EQ(tx.ReadMemory(0x200, 2), (TBytes{0xFF, 0xFF}));
  EXPECT_EQ(tx.ReadMemory(mem::kServiceWord, 4), (TBytes{0x00, 0x00, 0xAE, 0x9B}));
  EXPECT_EQ(tx.Stats().markedCommands, 1);
}

TEST_F(SimCommands, ReadsGiveTheMemoryAndErasedBytesBeyondIt) {
  const TBytes block = Reply({0xF3, 16, 0x04, 0x30});
  EXPECT_EQ(TBytes(block.begin(), block.begin() + 3), (TBytes{0xF3, 0x04, 0x30}));
  EXPECT_EQ(TBytes(block.begin() + 3, block.end()), tx.ReadMemory(0x430, 16));
  const TBytes end = Reply({0xF3, 4, 0x0F, 0xFE});
  EXPECT_EQ(TBytes(end.begin() + 3, end.end()),
            (TBytes{tx.ReadMemory(0xFFE, 1)[0], tx.ReadMemory(0xFFF, 1)[0], 0xFF, 0xFF}));
  EXPECT_EQ(Reply({0xF3, 251, 0x04, 0x40}).size(), 254u);  // the longest read
}

TEST_F(SimCommands, CorrectionsAreStoredByteReversedWithTheirChecksum) {
  Reply({'V', 8, 0x00, 0x60, 0x7E, 0x00, 0x00, 0x00, 0x7F, 0xA0, 0x00, 0x00});  // 0.5 and -1.25
  const TSimMemory m = tx.Memory();
  EXPECT_EQ(tx.ReadMemory(0x060, 8), (TBytes{0, 0, 0, 0x7E, 0, 0, 0xA0, 0x7F}));
  EXPECT_EQ(m.Float(mem::kZeroCorrection), 0.5);
  EXPECT_EQ(m.Float(mem::kGainCorrection), -1.25);
  EXPECT_EQ(m.Byte(mem::kSumCorrection), Sum(m, 0x060, 0x06B));
  EXPECT_FALSE(EepromError());
}

TEST_F(SimCommands, ResetIsSilentForASecondAndEndsOutputAndServiceState) {
  Reply({'o', 0x4E, 0x20});
  Reply({'@', 'V', 'R', 'T', 'A'});
  ASSERT_TRUE(tx.InServiceState());
  const TExchange reset = Exchange(line, {'r'}, 50);
  EXPECT_TRUE(reset.echoOk);
  EXPECT_EQ(reset.received.size(), CommandFrame({'r'}).size());  // echo only
  const double resetAt = line.NowMs();
  line.Advance(600.0);
  EXPECT_FALSE(Send({'m', 0x20}));  // still restarting; the wait lets 250 ms pass
  EXPECT_LT(line.NowMs() - resetAt, 1000.0);
  line.Advance(1000.0 - (line.NowMs() - resetAt));
  const TBytes d = Reply({'m', 0x20});
  EXPECT_EQ(d[8] & 0x20, 0);     // independent output ended
  EXPECT_EQ(d[9] & 0x20, 0x20);  // new average after the restart
  EXPECT_FALSE(tx.InServiceState());
}

TEST_F(SimCommands, FullWriteTakesEffectOnceBothChecksumCommandsMatchTheMemory) {
  TSimMemory image = tx.Memory();
  WriteLinearCharacteristic(image, 0.0, 50.0, -20.0, 80.0);
  image.SetByte(mem::kUnitIndex, 8);
  ASSERT_TRUE(Send({0xEF, 0x00, 0x00}));
  for (const auto& [first, last] : {std::pair{0x010u, 0x0C0u}, std::pair{0x440u, 0xAB0u}})
    for (unsigned a = first; a <= last; a += 16) {
      TBytes cmd{0xC4, 16, static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a)};
      for (unsigned i = 0; i < 16; ++i) cmd.push_back(image.Byte(a + i));
      ASSERT_EQ(Send(cmd), (TBytes{0xC4, cmd[2], cmd[3]})) << std::hex << a;
    }
  const unsigned data = Sum(image, 0x440, 0xABB), config = Sum(image, 0x010, 0x017),
                 sensor = Sum(image, 0x018, 0x05F), corr = Sum(image, 0x060, 0x06B);
  const TBytes storedSums = tx.ReadMemory(mem::kSumConfig, 3), storedData = tx.ReadMemory(mem::kSumData, 4);
  EXPECT_TRUE(EepromError());  // written, not yet confirmed
  EXPECT_FALSE(Send(ChecksumCommand(1, {data, data, data + 1})));
  EXPECT_FALSE(Send(ChecksumCommand(2, {config, sensor, corr + 1})));
  EXPECT_FALSE(Send({'L', 2, 0, 0, 0, 0, 0, 0}));  // no complements: not a checksum command at all
  EXPECT_EQ(tx.Stats().checksumFailures, 2);
  EXPECT_EQ(tx.ReadMemory(mem::kSumConfig, 3), storedSums);
  EXPECT_EQ(tx.ReadMemory(mem::kSumData, 4), storedData);
  EXPECT_TRUE(Send(ChecksumCommand(1, {data, data, data})));
  EXPECT_EQ(tx.ReadMemory(mem::kSumData, 4), TBytes(4, static_cast<std::uint8_t>(data)));
  EXPECT_TRUE(EepromError());  // the configuration area is not confirmed yet
  EXPECT_TRUE(Send(ChecksumCommand(2, {config, sensor, corr})));
  EXPECT_EQ(tx.ReadMemory(mem::kSumConfig, 3),
            (TBytes{static_cast<std::uint8_t>(config), static_cast<std::uint8_t>(sensor),
                    static_cast<std::uint8_t>(corr)}));
  EXPECT_FALSE(EepromError());
  EXPECT_TRUE(tx.Memory().ChecksumsGood());
  tx.SetLevel(25.0);
  line.Advance(200);
  const TBytes d = Reply({'m', 0x20});
  EXPECT_NEAR(HostFloat(d, 2), 30.0, 1e-4);
  EXPECT_EQ(d[8] & 0x0F, 8);
}

}  // namespace
}  // namespace vorta::sim::test
