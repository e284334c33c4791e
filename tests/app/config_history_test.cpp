// The configuration history: entry names, the folder and its setting, whole entries that are never
// overwritten, and folders or disks that refuse them.
#include "app/config_history.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "comm/record_layout.h"
#include "docs/par_file.h"
#include "sensors/sensor_range.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

namespace vorta::app {
namespace {

namespace fs = std::filesystem;

const THistoryTime kTime{2026, 12, 7, 15, 30, 12};

TParamSet ASet() {
  TParamSet p;
  p.Device = "VTX47";
  p.Code = {16, 5, 1, 0};
  p.P.MinInput = 0;
  p.P.MaxInput = 80;
  p.P.Siec = 50;
  p.serial = "999";  // the file's, not the transmitter's
  p.kod = "TT-101";
  return p;
}

// Every file in the folder tree, hidden ones included.
std::vector<std::string> Files(const fs::path& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file()) names.push_back(fs::relative(it->path(), dir).string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(HistoryNames, SerialDateTimeAndWhatHappened) {
  EXPECT_EQ(HistoryEntryName("123456", kTime, THistoryEvent::kRead), "123456/2026-12-07_153012_read.par");
  EXPECT_EQ(HistoryEntryName("123456", {2027, 1, 2, 3, 4, 5}, THistoryEvent::kWritten),
            "123456/2027-01-02_030405_written.par");
  EXPECT_EQ(HistoryEntryName("7", kTime, THistoryEvent::kRead, 3), "7/2026-12-07_153012_read_3.par");
}

TEST(HistoryNames, ASerialNeverLeavesItsFolder) {
  const struct {
    const char* serial;
    const char* folder;
  } cases[] = {{"123456", "123456"},
               {"../../etc", "______etc"},
               {"", "unknown"},
               {"A-1/b c", "A-1_b_c"},
               {"12345678901234", "1234567890"}};
  for (const auto& c : cases) EXPECT_EQ(SerialFolderName(c.serial), c.folder) << c.serial;
}

TEST(HistoryNames, TheSerialComesFromTheRecordsThreeBytes) {
  comm::TDeviceRecord rec{};
  rec[comm::rec::kSerial] = 0x01;
  rec[comm::rec::kSerial + 1] = 0xE2;
  rec[comm::rec::kSerial + 2] = 0x40;
  EXPECT_EQ(SerialOfRecord(rec), "123456");
}

TEST(HistoryFolder, BesideTheSettingsUnlessTheSettingMovesIt) {
  TSettings s;
  EXPECT_EQ(HistoryDirOf(s, "/opt/vorta"), "/opt/vorta/history");
  s.HistoryDir = "/srv/plant/history";
  EXPECT_EQ(HistoryDirOf(s, "/opt/vorta"), "/srv/plant/history");
  s.HistoryDir = "records";
  EXPECT_EQ(HistoryDirOf(s, "/opt/vorta"), "/opt/vorta/records");
}

TEST(HistoryFolder, TheSettingIsATwelfthLineOnlyWhenSet) {
  TSettings s;
  docs::TLineBuffer lines;
  ComposeSettings(s, lines);
  EXPECT_EQ(lines.Lines().size(), 11u);
  s.HistoryDir = "/srv/plant/history";
  ComposeSettings(s, lines);
  ASSERT_EQ(lines.Lines().size(), 12u);
  EXPECT_EQ(lines.Lines()[11], "HistoryDir=/srv/plant/history");
  TSettings back;
  ReadSettings(lines, {0, 0, 1920, 1080}, back);
  EXPECT_EQ(back.HistoryDir, "/srv/plant/history");
  lines.SetText("HistoryDir=" + std::string(kMaxHistoryDirLength + 1, 'x'));
  TSettings tooLong;
  ReadSettings(lines, {0, 0, 1920, 1080}, tooLong);
  EXPECT_EQ(tooLong.HistoryDir, "");
}

TEST(HistoryEntries, AnEntryIsTheSetWithTheTransmittersSerial) {
  testing::TempDir dir;
  const THistoryEntry e = KeepInHistory(dir.File("history"), ASet(), "47001", kTime, THistoryEvent::kWritten);
  ASSERT_TRUE(e.result) << e.result.detail;
  EXPECT_EQ(e.path, dir.File("history/47001/2026-12-07_153012_written.par"));
  TParamSet back;
  sensors::TSensorRangeTable ranges;
  ASSERT_TRUE(docs::LoadParFile(e.path, back, ranges));
  EXPECT_EQ(back.serial, "47001");
  EXPECT_EQ(back.kod, "TT-101");
  EXPECT_DOUBLE_EQ(back.P.MaxInput, 80);
  EXPECT_EQ(Files(dir / "history"), std::vector<std::string>{"47001/2026-12-07_153012_written.par"});
}

TEST(HistoryEntries, NothingIsEverOverwritten) {
  testing::TempDir dir;
  TParamSet p = ASet();
  std::vector<std::string> paths;
  for (int i = 0; i < 3; ++i) {
    p.kod = "TAG-" + std::to_string(i);
    const THistoryEntry e = KeepInHistory(dir.File("h"), p, "5", kTime, THistoryEvent::kRead);
    ASSERT_TRUE(e.result);
    paths.push_back(e.path);
  }
  EXPECT_EQ(Files(dir / "h"),
            (std::vector<std::string>{"5/2026-12-07_153012_read.par", "5/2026-12-07_153012_read_2.par",
                                      "5/2026-12-07_153012_read_3.par"}));
  for (int i = 0; i < 3; ++i) {
    TParamSet back;
    sensors::TSensorRangeTable ranges;
    ASSERT_TRUE(docs::LoadParFile(paths[static_cast<std::size_t>(i)], back, ranges));
    EXPECT_EQ(back.kod, "TAG-" + std::to_string(i));
  }
}

TEST(HistoryEntries, AFolderThatCannotBeMadeFailsWithItsReason) {
  testing::TempDir dir;
  std::ofstream(dir / "history") << "a file where the folder should be";
  const THistoryEntry e = KeepInHistory(dir.File("history"), ASet(), "5", kTime, THistoryEvent::kRead);
  EXPECT_FALSE(e.result);
  EXPECT_EQ(e.result.key, "Cannot open file");
  EXPECT_FALSE(e.result.detail.empty());
  EXPECT_TRUE(e.path.empty());
}

TEST(HistoryEntries, AFullDiskLeavesNoHalfWrittenOrHiddenFile) {
  testing::TempDir dir;
  fs::create_directories(dir / "h/5");
  THistoryEntry e;
  {
    testing::FileSizeLimit full(16);
    e = KeepInHistory(dir.File("h"), ASet(), "5", kTime, THistoryEvent::kWritten);
  }
  EXPECT_FALSE(e.result);
  EXPECT_EQ(e.result.key, "Cannot open file");
  EXPECT_TRUE(Files(dir / "h").empty());
}

}  // namespace
}  // namespace vorta::app
