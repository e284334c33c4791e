// The decisions the main window takes from the core: the live display's connection tracking and
// command enabling, the write plan, the table search and the table of the window's texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/connection_tracker.h"
#include "app/table_search.h"
#include "app/window_texts.h"
#include "app/write_plan.h"
#include "tests/support/temp_dir.h"

namespace vorta::app {
namespace {

namespace fs = std::filesystem;

TEST(WindowRules, SilenceEmptiesThePanelsThenShowsUnknownThenWarnsOnce) {
  TConnectionTracker t;
  constexpr int kTicks = 12;  // 6 s at 500 ms
  EXPECT_TRUE(t.Tick(true, kTicks, false).show);
  EXPECT_TRUE(t.Connected());
  // First miss: disconnected and emptied, the configuration still counts.
  TTickAction a = t.Tick(false, kTicks, false);
  EXPECT_FALSE(t.Connected());
  EXPECT_TRUE(a.clearPanels);
  EXPECT_FALSE(a.forgetConfig);
  // Second miss: a later answer is a new connection.
  EXPECT_TRUE(t.Tick(false, kTicks, false).forgetConfig);
  for (int i = 2; i < kTicks; ++i) t.Tick(false, kTicks, false);
  a = t.Tick(false, kTicks, false);
  EXPECT_TRUE(a.showUnknown);
  EXPECT_FALSE(a.clearPanels);
  int warnings = 0;
  for (int i = 0; i < 3 * kTicks; ++i) warnings += t.Tick(false, kTicks, false).warnNoDevice;
  EXPECT_EQ(warnings, 1);
  EXPECT_EQ(t.Misses(), 2 * kTicks + 1);  // the counter stops after the warning
  // An answer starts over.
  EXPECT_TRUE(t.Tick(true, kTicks, false).show);
  EXPECT_EQ(t.Misses(), 0);
  EXPECT_TRUE(t.Connected());
}

TEST(WindowRules, TheChartViewKeepsThePanelsThroughOneMissedTick) {
  TConnectionTracker t;
  t.Tick(true, 30, true);
  EXPECT_FALSE(t.Tick(false, 30, true).clearPanels);
  EXPECT_TRUE(t.Tick(false, 30, true).clearPanels);
}

TEST(WindowRules, CommandsFollowTheConnectionTheEepromAndTheLayout) {
  const struct {
    bool connected, eeprom, written, monitorOnly;
    TCommandStates expected;
  } cases[] = {
      {false, false, true, false, {false, false, false, false}},
      {true, false, false, false, {true, false, true, true}},
      {true, false, true, false, {true, true, true, true}},
      {true, true, true, false, {false, false, false, true}},
      {true, false, true, true, {true, true, false, true}},
  };
  for (const auto& c : cases) {
    const TCommandStates s = CommandStates(c.connected, c.eeprom, c.written, c.monitorOnly);
    EXPECT_EQ(s.corrections, c.expected.corrections);
    EXPECT_EQ(s.verify, c.expected.verify);
    EXPECT_EQ(s.diagram, c.expected.diagram);
    EXPECT_EQ(s.write, c.expected.write);
  }
}

TEST(WindowRules, WritePlan) {
  const struct {
    TWriteInput in;
    TWriteKind kind;
    bool othersWaiting;
  } cases[] = {
      {{true, 47, 47, false, true}, TWriteKind::kFull, false},
      {{true, 47, 47, true, true}, TWriteKind::kFull, false},
      {{true, 47, 47, false, false}, TWriteKind::kFull, false},  // an unchanged set is written again
      {{true, 47, 47, true, false}, TWriteKind::kTextsOnly, false},
      {{false, 47, 47, true, true}, TWriteKind::kTextsOnly, true},
      {{false, 47, 47, false, false}, TWriteKind::kTextsOnly, false},
      {{true, 39, 47, true, false}, TWriteKind::kRefused, false},
      {{false, 0, 47, true, false}, TWriteKind::kRefused, false},
  };
  for (const auto& c : cases) {
    const TWritePlan plan = PlanWrite(c.in);
    EXPECT_EQ(plan.kind, c.kind);
    EXPECT_EQ(plan.othersWaiting, c.othersWaiting);
    EXPECT_EQ(plan.refusal.empty(), c.kind != TWriteKind::kRefused);
  }
}

TEST(WindowRules, TableSearchTriesTheLastFolderThenTheProgramsAndItsTablesFolder) {
  testing::TempDir last, program;
  const auto put = [](const fs::path& dir) { std::ofstream(dir / "t.dat") << "0 1\n1 2\n"; };
  fs::create_directories(program.Path() / "Tables");
  fs::create_directories(program.Path() / "Tablice");

  TTableSearch s = FindTableFile("t.dat", last.Path().string(), program.Path().string());
  EXPECT_TRUE(s.path.empty());
  EXPECT_EQ(s.dir, (program.Path() / "Tables").string());  // the next search starts there

  put(program.Path() / "Tablice");  // "Tablice" only counts where there is no "Tables"
  EXPECT_TRUE(FindTableFile("t.dat", last.Path().string(), program.Path().string()).path.empty());
  fs::remove_all(program.Path() / "Tables");
  s = FindTableFile("t.dat", last.Path().string(), program.Path().string());
  EXPECT_EQ(s.path, (program.Path() / "Tablice" / "t.dat").string());

  put(program.Path());
  EXPECT_EQ(FindTableFile("t.dat", last.Path().string(), program.Path().string()).path,
            (program.Path() / "t.dat").string());
  put(last.Path());
  s = FindTableFile("t.dat", last.Path().string(), program.Path().string());
  EXPECT_EQ(s.path, (last.Path() / "t.dat").string());
  EXPECT_EQ(s.dir, last.Path().string());
  EXPECT_TRUE(FindTableFile("", last.Path().string(), program.Path().string()).path.empty());
}

TEST(WindowRules, TextsComeFromTheLanguageListWithTheirAdditions) {
  docs::TLangList lang;
  lang.BuildEnglish();
  lang.AddLine("Range=Zakres");  // the first match counts: the English line wins
  docs::TLangList polish;
  polish.AddLine("Range=Zakres");
  polish.AddLine("Time constant=Stała czasowa");
  polish.AddLine("Simulation=Symulacja");
  const auto find = [](const std::vector<TControlText>& texts, std::string_view control, TTextKind kind) {
    for (const auto& t : texts)
      if (t.control == control && t.kind == kind) return t.text;
    return std::string("<none>");
  };
  const auto english = MainWindowTexts(lang, 0.09);
  EXPECT_EQ(find(english, "FiltrCzasTxt", TTextKind::kText), "Time constant (0-22s)");
  EXPECT_EQ(find(english, "ZakresTxt", TTextKind::kText), " Range:");
  EXPECT_EQ(find(english, "FiltrDobierz", TTextKind::kHint), "Optimal settings\n(no noise)");
  EXPECT_EQ(find(english, "Symulacja1", TTextKind::kText), "&Simulation");
  const auto translated = MainWindowTexts(polish, 0.2);
  EXPECT_EQ(find(translated, "FiltrCzasTxt", TTextKind::kText), "Stała czasowa (0-50s)");
  EXPECT_EQ(find(translated, "FiltrZakresTxt", TTextKind::kText), "Zakres (0-25%)");
  EXPECT_EQ(find(translated, "Symulacja1", TTextKind::kText), "&Symulacja");
}

}  // namespace
}  // namespace vorta::app
