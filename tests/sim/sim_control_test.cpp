// Control commands of a running simulator, as a second shell sends them: knobs and signal settings
// by name, refusals, status, save, and the actions left to the program.
#include "sim/sim_control.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace vorta::sim::test {
namespace {

using vorta::testing::TempDir;
using TAction = TControlResult::TAction;

TEST(SimControl, SetsSignalAndKnobsByNameAndClearSwitchesOnlyTheFaultsOff) {
  TSimTransmitter tx;
  for (const char* line : {"set level 12.5", "noise 0.2", "lose 0.25", "late 40", "broken-sensor",
                           "eeprom-error on", "set silent-after 3"})
    EXPECT_TRUE(RunControlLine(tx, line).ok) << line;
  EXPECT_EQ(tx.Signal().level, 12.5);
  EXPECT_EQ(tx.Signal().noise, 0.2);
  EXPECT_EQ(tx.Knobs().loseShare, 0.25);
  EXPECT_EQ(tx.Knobs().lateMs, 40);
  EXPECT_TRUE(tx.Knobs().brokenSensor);
  EXPECT_TRUE(tx.Knobs().eepromError);
  EXPECT_EQ(tx.Knobs().silentAfterFrames, 3);
  EXPECT_TRUE(RunControlLine(tx, "set broken-sensor off").ok);
  EXPECT_FALSE(tx.Knobs().brokenSensor);
  EXPECT_TRUE(RunControlLine(tx, "set silent").ok);
  EXPECT_TRUE(tx.Knobs().silent);
  EXPECT_TRUE(RunControlLine(tx, "clear").ok);
  const TFaultKnobs k = tx.Knobs();
  EXPECT_TRUE(k.loseShare == 0.0 && k.lateMs == 0 && !k.eepromError && !k.silent &&
              k.silentAfterFrames == -1);
  EXPECT_EQ(tx.Signal().level, 12.5);
}

TEST(SimControl, BadLinesAndValuesAreRefusedWithoutChange) {
  TSimTransmitter tx;
  for (const char* line :
       {"set level abc", "level", "frobnicate", "set lose 2", "lose 1.5", "noise -1", "drift-period 0",
        "late -3", "silent maybe", "silent-after 2.5", "no-such-knob 1", "a b c d"}) {
    const TControlResult r = RunControlLine(tx, line);
    EXPECT_FALSE(r.ok) << line;
    EXPECT_FALSE(r.text.empty()) << line;
  }
  const TFaultKnobs k = tx.Knobs();
  EXPECT_TRUE(k.loseShare == 0.0 && k.lateMs == 0 && !k.silent && k.silentAfterFrames == -1);
  const TSignalSettings s = tx.Signal();
  EXPECT_TRUE(s.level == 50.0 && s.noise == 0.0 && s.driftPeriodS == 60.0);
  EXPECT_TRUE(RunControlLine(tx, "   ").ok);
}

TEST(SimControl, StatusListsSettingsKnobsAndCounters) {
  TSimTransmitter tx;
  RunControlLine(tx, "level 33");
  const TControlResult r = RunControlLine(tx, "status");
  for (const char* part : {"model 47", "level 33", "silent-in-block -1", "frames 0"})
    EXPECT_NE(r.text.find(part), std::string::npos) << part;
}

TEST(SimControl, SaveWritesTheMemoryFileAndLineActionsAreLeftToTheProgram) {
  TSimTransmitter none;
  EXPECT_FALSE(RunControlLine(none, "save").ok);
  EXPECT_EQ(RunControlLine(none, "quit").action, TAction::kQuit);
  EXPECT_EQ(RunControlLine(none, "connect").action, TAction::kConnect);
  EXPECT_EQ(RunControlLine(none, "disconnect").action, TAction::kDisconnect);
  TempDir dir;
  TSimConfig config;
  config.memoryFile = (dir / "saved.mem").string();
  TSimTransmitter tx(config);
  tx.WriteMemory(mem::kTag, {'S'});
  EXPECT_TRUE(RunControlLine(tx, "save").ok);
  TSimMemory saved;
  ASSERT_TRUE(saved.Load(config.memoryFile));
  EXPECT_EQ(saved.Byte(mem::kTag), 'S');
}

}  // namespace
}  // namespace vorta::sim::test
