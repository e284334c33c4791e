// Control commands of a running simulator, as a second shell sends them.
#include "sim/sim_control.h"

#include <gtest/gtest.h>

namespace vorta::sim {
namespace {

using TAction = TControlResult::TAction;

TEST(SimControl, SetsSignalAndKnobsByName) {
  TSimTransmitter tx;
  EXPECT_TRUE(RunControlLine(tx, "set level 12.5").ok);
  EXPECT_EQ(tx.Signal().level, 12.5);
  EXPECT_TRUE(RunControlLine(tx, "noise 0.2").ok);
  EXPECT_EQ(tx.Signal().noise, 0.2);
  EXPECT_TRUE(RunControlLine(tx, "lose 0.25").ok);
  EXPECT_EQ(tx.Knobs().loseShare, 0.25);
  EXPECT_TRUE(RunControlLine(tx, "broken-sensor").ok);
  EXPECT_TRUE(tx.Knobs().brokenSensor);
  EXPECT_TRUE(RunControlLine(tx, "set broken-sensor off").ok);
  EXPECT_FALSE(tx.Knobs().brokenSensor);
  EXPECT_TRUE(RunControlLine(tx, "set silent").ok);
  EXPECT_TRUE(tx.Knobs().silent);
}

TEST(SimControl, ClearSwitchesEveryFaultOff) {
  TSimTransmitter tx;
  RunControlLine(tx, "late 40");
  RunControlLine(tx, "eeprom-error on");
  EXPECT_TRUE(RunControlLine(tx, "clear").ok);
  EXPECT_EQ(tx.Knobs().lateMs, 0);
  EXPECT_FALSE(tx.Knobs().eepromError);
}

TEST(SimControl, BadLinesAreRefusedWithoutChange) {
  TSimTransmitter tx;
  for (const char* line : {"set level abc", "level", "frobnicate", "set lose 2", "noise -1", "a b c d"}) {
    const TControlResult r = RunControlLine(tx, line);
    EXPECT_FALSE(r.ok) << line;
    EXPECT_FALSE(r.text.empty()) << line;
  }
  EXPECT_EQ(tx.Signal().level, TSignalSettings{}.level);
  EXPECT_TRUE(RunControlLine(tx, "   ").ok);
}

TEST(SimControl, StatusListsSettingsKnobsAndCounters) {
  TSimTransmitter tx;
  RunControlLine(tx, "level 33");
  const TControlResult r = RunControlLine(tx, "status");
  EXPECT_NE(r.text.find("level 33"), std::string::npos);
  EXPECT_NE(r.text.find("silent-in-block -1"), std::string::npos);
  EXPECT_NE(r.text.find("frames 0"), std::string::npos);
}

TEST(SimControl, LineActionsAreLeftToTheProgram) {
  TSimTransmitter tx;
  EXPECT_EQ(RunControlLine(tx, "quit").action, TAction::kQuit);
  EXPECT_EQ(RunControlLine(tx, "connect").action, TAction::kConnect);
  EXPECT_EQ(RunControlLine(tx, "disconnect").action, TAction::kDisconnect);
  EXPECT_FALSE(RunControlLine(tx, "save").ok);  // no memory file
}

}  // namespace
}  // namespace vorta::sim
