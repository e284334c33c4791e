// Every command of the simulated transmitter through the in-process line: reply layout, checksum,
// and the effect on memory and output, with host frames built by hand.
#include <gtest/gtest.h>

#include "sim/sim_float.h"
#include "tests/sim/host_frames.h"

namespace vorta::sim::test {
namespace {

class SimCommands : public ::testing::Test {
 protected:
  TSimTransmitter tx;
  TSimLine line{tx};

  TBytes Reply(const TBytes& command) {
    const TExchange x = Exchange(line, command);
    EXPECT_TRUE(x.echoOk);
    EXPECT_TRUE(x.data.has_value()) << "no good reply to command 0x" << std::hex << int(command[0]);
    return x.data.value_or(TBytes{});
  }
  bool Answered(const TBytes& command) { return Exchange(line, command).data.has_value(); }
};

TEST_F(SimCommands, MeasureReplyCarriesResultDacAndStatus) {
  tx.SetLevel(25.0);  // 25 mV of the default 0..100 mV range
  const TBytes d = Reply({'m', 0x20});
  ASSERT_EQ(d.size(), 10u);
  EXPECT_EQ(d[0], 'm');
  EXPECT_EQ(d[1], 0x20);
  EXPECT_NEAR(HostFloat(d, 2), 25.0, 1e-4);
  EXPECT_EQ(d[6] << 8 | d[7], 9216 + 8 * 2000);  // 8 mA
  EXPECT_EQ(d[8] & 0x0F, 2);                     // unit mV
  EXPECT_EQ(d[9] & 0x0F, 0);                     // type index of model 47
  EXPECT_EQ(d[9] & 0x20, 0x20);                  // the first sample starts a new average
  EXPECT_EQ(Reply({'m', 0x20})[9] & 0x20, 0);    // reported once
}

TEST_F(SimCommands, MeasureSelectsRegistersByLowestBit) {
  tx.SetLevel(40.0);
  EXPECT_NEAR(HostFloat(Reply({'m', 0x01}), 2), 40.0, 1e-4);
  EXPECT_NEAR(HostFloat(Reply({'m', 0x04}), 2), 25.0, 1e-4);  // internal temperature
  EXPECT_NEAR(HostFloat(Reply({'m', 0x40}), 2), 0.4, 1e-6);
  EXPECT_NEAR(HostFloat(Reply({'m', 0x80}), 2), 40.0, 1e-4);
  EXPECT_NEAR(HostFloat(Reply({'m', 0x30}), 2), 40.0, 1e-4);  // 0x10 wins over 0x20
  EXPECT_NEAR(HostFloat(Reply({'m', 0x00}), 2), 40.0, 1e-4);  // 0 means the result
}

TEST_F(SimCommands, MeasureWithWrongLengthIsNotAnswered) {
  EXPECT_FALSE(Answered({'m'}));
  EXPECT_FALSE(Answered({'m', 0x20, 0x00}));
}

TEST_F(SimCommands, SetOutputDrivesDacUntilReleased) {
  EXPECT_EQ(Reply({'o', 0x4E, 0x20}).size(), 0u);  // 20000 = 10 mA
  TBytes d = Reply({'m', 0x20});
  EXPECT_EQ(d[6] << 8 | d[7], 9216 + 20000);
  EXPECT_EQ(d[8] & 0x20, 0x20);  // independent output
  Reply({'o', 0x00, 0x00});
  d = Reply({'m', 0x20});
  EXPECT_EQ(d[8] & 0x20, 0);
  EXPECT_EQ(d[6] << 8 | d[7], 9216 + 12 * 2000);  // back to the 50 mV measurement
}

TEST_F(SimCommands, VersionQueryAnswersFirmwareCode) {
  const TBytes d = Reply({'s', 0x80, 0x00, 0x00});
  EXPECT_EQ(d, (TBytes{'s', 0, 0, 'S', '1', '.', '4'}));
}

TEST_F(SimCommands, ReadMemoryAndBlockReadEchoAddressAndData) {
  const TBytes plain = Reply({'s', 4, 0x04, 0x00});
  ASSERT_EQ(plain.size(), 7u);
  EXPECT_EQ(plain[1], 0x04);
  EXPECT_EQ(plain[2], 0x00);
  EXPECT_EQ((plain[3] | plain[4] << 8) % 100, 47);  // type number, low byte first
  const TBytes block = Reply({0xF3, 9, 0x04, 0x30});
  ASSERT_EQ(block.size(), 12u);
  EXPECT_EQ(block[0], 0xF3);
  EXPECT_EQ(TBytes(block.begin() + 3, block.end()), tx.ReadMemory(0x430, 9));
}

TEST_F(SimCommands, ReadBeyondMemoryGivesErasedBytesAndTooLongReadIsRefused) {
  const TBytes d = Reply({0xF3, 4, 0x0F, 0xFE});
  EXPECT_EQ(TBytes(d.begin() + 3, d.end()),
            (TBytes{tx.ReadMemory(0xFFE, 1)[0], tx.ReadMemory(0xFFF, 1)[0], 0xFF, 0xFF}));
  EXPECT_TRUE(Answered({0xF3, 251, 0x04, 0x40}));
  EXPECT_FALSE(Answered({0xF3, 252, 0x04, 0x40}));
}

TEST_F(SimCommands, WriteMemoryPlainAndMarkedLandInMemory) {
  TBytes cmd{'D', 4, 0x00, 0x80, 'T', 'A', 'G', 0xC3};
  EXPECT_EQ(Reply(cmd), (TBytes{'D', 0x00, 0x80}));
  cmd[0] = 'D' | 0x80;
  cmd[3] = 0x88;
  EXPECT_EQ(Reply(cmd), (TBytes{0xC4, 0x00, 0x88}));
  EXPECT_EQ(tx.ReadMemory(0x080, 4), (TBytes{'T', 'A', 'G', 0xC3}));
  EXPECT_EQ(tx.ReadMemory(0x088, 4), (TBytes{'T', 'A', 'G', 0xC3}));
  EXPECT_EQ(tx.Stats().markedCommands, 1);
}

TEST_F(SimCommands, WriteOutsideTheAreasIsDroppedButAnswered) {
  const TBytes before = tx.ReadMemory(0x43F, 4);
  EXPECT_EQ(Reply({'D', 4, 0x0A, 0xBE, 1, 2, 3, 4}), (TBytes{'D', 0x0A, 0xBE}));
  EXPECT_EQ(tx.ReadMemory(0xABE, 2), (TBytes{1, 2}));
  EXPECT_EQ(tx.ReadMemory(0xAC0, 2), (TBytes{0xFF, 0xFF}));
  Reply({'D', 2, 0x02, 0x00, 9, 9});
  EXPECT_EQ(tx.ReadMemory(0x200, 2), (TBytes{0xFF, 0xFF}));
  EXPECT_FALSE(Answered({'D', 4, 0x00, 0x80, 1, 2}));  // count and data disagree
  (void)before;
}

TEST_F(SimCommands, SpecialWriteSetsServiceWord) {
  // The diagnostics entry "OAE9B0000" arrives as data 0x00 0x00 0xAE 0x9B.
  EXPECT_EQ(Reply({'D', 4, 0x55, 0x55, 0x00, 0x00, 0xAE, 0x9B}), (TBytes{'D', 0x55, 0x55}));
  EXPECT_EQ(tx.ReadMemory(mem::kServiceWord, 4), (TBytes{0x00, 0x00, 0xAE, 0x9B}));
}

TEST_F(SimCommands, CorrectionsAreStoredReversedWithTheirChecksum) {
  const TFloatBytes zero = FloatBytes(0.5), gain = FloatBytes(-1.25);
  TBytes cmd{'V', 8, 0x00, 0x60};
  cmd.insert(cmd.end(), zero.begin(), zero.end());
  cmd.insert(cmd.end(), gain.begin(), gain.end());
  EXPECT_EQ(Reply(cmd).size(), 0u);
  const TSimMemory m = tx.Memory();
  EXPECT_EQ(m.Float(mem::kZeroCorrection), 0.5);
  EXPECT_EQ(m.Float(mem::kGainCorrection), -1.25);
  EXPECT_EQ(tx.ReadMemory(0x063, 1)[0], zero[0]);  // exponent byte at the highest address
  EXPECT_TRUE(m.ChecksumsGood());
  cmd[3] = 0x64;
  EXPECT_FALSE(Answered(cmd));
}

TEST_F(SimCommands, SimulateCorrectionsAnswersResultAndDac) {
  const TFloatBytes v = FloatBytes(75.0);
  const TBytes d = Reply({'Z', v[0], v[1], v[2], v[3]});
  ASSERT_EQ(d.size(), 7u);
  EXPECT_EQ(d[0], 'Z');
  EXPECT_NEAR(HostFloat(d, 1), 75.0, 1e-4);
  EXPECT_EQ(d[5] << 8 | d[6], 9216 + 16 * 2000);  // 16 mA
}

TEST_F(SimCommands, IdentifyAnswersDeviceCodeAndEntersServiceState) {
  EXPECT_EQ(Reply({'@', 'V', 'R', 'T', 'A'}), (TBytes{'@', 'T', 'X', '4', '7'}));
  EXPECT_TRUE(tx.InServiceState());
  EXPECT_FALSE(Answered({'@', 'V', 'R', 'T', 'B'}));
}

TEST_F(SimCommands, PreambleIsAnsweredEmpty) {
  EXPECT_EQ(Reply({0xEF, 0x00, 0x00}).size(), 0u);
}

TEST_F(SimCommands, UnknownLetterIsNotAnswered) {
  EXPECT_FALSE(Answered({'Q', 1}));
  EXPECT_EQ(tx.Stats().unanswered, 1);
}

TEST_F(SimCommands, ResetIsSilentForAboutASecond) {
  Reply({'o', 0x4E, 0x20});
  const TExchange reset = Exchange(line, {'r'}, 50);
  EXPECT_TRUE(reset.echoOk);
  EXPECT_EQ(reset.received.size(), CommandFrame({'r'}).size());  // echo only
  const double resetAt = line.NowMs();
  line.Advance(600.0);
  EXPECT_FALSE(Answered({'m', 0x20}));  // still restarting; the wait lets 250 ms pass
  EXPECT_LT(line.NowMs() - resetAt, 1000.0);
  line.Advance(1000.0 - (line.NowMs() - resetAt));
  const TBytes d = Reply({'m', 0x20});
  EXPECT_EQ(d[8] & 0x20, 0);     // independent output ended
  EXPECT_EQ(d[9] & 0x20, 0x20);  // new average after the restart
}

}  // namespace
}  // namespace vorta::sim::test
