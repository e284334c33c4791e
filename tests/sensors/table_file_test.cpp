// Table characteristic files: every rule of the format with its reason, bad and oversized files, the limits
// taken from a table and the main window's loader.
#include "sensors/table_file.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "test_support.h"

namespace vorta::sensors {
namespace {

class TableFileTest : public testing::SensorTest {
 protected:
  void SetUp() override {
    std::string dir = (std::filesystem::temp_directory_path() / "vorta_table_XXXXXX").string();
    ASSERT_NE(::mkdtemp(dir.data()), nullptr);
    dir_ = dir;
  }
  void TearDown() override {
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }
  std::string Write(const std::string& name, const std::string& content) {
    const auto path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  bool Load(const std::string& path, int charTyp) {
    return LoadTableFile(path, charTyp, ranges(), table(), r_);
  }
  TTableLoad LoadForParams(const std::string& path) {
    return LoadTableForParams(path, p(), table(), ranges(), r_);
  }
  // Parses the lines for charTyp; the reason when it fails, "ok" when it passes.
  std::string Parse(int charTyp, const std::vector<std::string>& lines) {
    return ParseTableFile(lines, charTyp, ranges(), table(), r_) ? "ok" : r_.reason;
  }
  static std::string Data(const std::string& name) { return std::string(VORTA_TEST_DATA_DIR) + "/" + name; }

  std::filesystem::path dir_;
  TTableParse r_;
};

TEST_F(TableFileTest, EveryRuleOfTheFormatGivesItsReasonAndLine) {
  struct Case {
    int charTyp;
    std::vector<std::string> lines;
    std::string reason;  // "ok" when the parse passes
    int line;            // the line the parse stopped at
  };
  const std::string rise = "Values should rise", fall = "1st column values should rise or fall",
                    range = "Value out of range";
  const Case cases[] = {
      {16, {"; x", "1,5;2,0", "3 4"}, "ok", -1},           // semicolon separator and decimal commas
      {16, {"\t 1\t\t2 ; note", "  3 4/note"}, "ok", -1},  // blanks and trailing comments
      {16, {"", "   ", "\t", "\"q", "*s", "/c", "0 1", "1 2"}, "ok", -1},  // comment and empty lines
      {16, {"0 1", "100"}, "", 1},                                         // a single number
      {16, {"0 1", "5"}, "", 1},                                           // shorter than 3 characters
      {16, {"0 1", "100 "}, "", 1},
      {16, {"0 1", "nan 2"}, "", 1},
      {16, {"0 1", "2 inf"}, "", 1},
      {16, {"0 1", "1e999 2"}, "", 1},
      {16, {"0 1", "1.5,2 3"}, "", 1},  // both separators in one number
      {16, {"0 1", "0x10 3"}, "", 1},
      {16, {"0 1", "1e300 3"}, range, 1},
      {16, {"; only", "0 1"}, "Not enough points", 1},
      {16, {"0 1"}, "", -1},
      {16, {}, "", -1},
      {17, {"100 4", "50 12", "0 20"}, "ok", -1},  // a falling first column for a current input
      {15, {"100 4", "50 12", "0 20"}, rise, 1},   // but not for the user thermocouple
      {17, {"0 4", "0 5", "1 6"}, fall, 1},
      {17, {"0 4", "1 5", "0.5 6"}, fall, 2},
      {17, {"0 4", "1 5", "1 6"}, fall, 2},        // equal values in a rising column
      {17, {"2 4", "1 5", "1 6"}, fall, 2},        // and in a falling one
      {17, {"0 4", "1 5", "2 5"}, "ok", -1},  // equal signals pass
      {17, {"0 4", "1 5", "2 4.9"}, rise, 2},
      {15, {"0 0", "1000 75.1"}, range, 1},
      {15, {"-273 -5", "9999 75"}, "ok", -1},
      {15, {"-273.1 0", "0 1"}, range, 0},
      {17, {"0 -22", "100 22"}, "ok", -1},  // row 17: -22.0 .. 22.0 mA
      {17, {"0 -22", "100 22.1"}, range, 1},
      {17, {"-1000 0", "0 1"}, range, 0},
  };
  for (const Case& c : cases) {
    const std::string what = std::to_string(c.charTyp) + ": " + (c.lines.empty() ? "" : c.lines.back());
    EXPECT_EQ(Parse(c.charTyp, c.lines), c.reason) << what;
    EXPECT_EQ(r_.line, c.line) << what;
  }
  EXPECT_EQ(Parse(16, {"; x", "1,5;2,0", "3 4"}), "ok");
  EXPECT_EQ(table()[1].x, 1.5);
  EXPECT_EQ(table()[1].y, 2.0);
  EXPECT_EQ(Parse(17, {"100 4", "50 12", "0 20"}), "ok");
  EXPECT_TRUE(table().Descending());
  EXPECT_EQ(Parse(16, {"0 1", "100"}), "");
  EXPECT_EQ(table().Count(), 1);  // the points before the failure stay
}

TEST_F(TableFileTest, DataFilesAreReadWithTheirHeadersAndSeparators) {
  struct Case {
    const char* file;
    int charTyp;
    TTablePoint second;
  };
  for (const Case& c :
       {Case{"resistance.dat", 5, {50, 119.4}}, Case{"thermocouple_comma.dat", 15, {50, 2.023}}}) {
    ASSERT_TRUE(Load(Data(c.file), c.charTyp)) << c.file << ": " << r_.reason;
    ASSERT_EQ(table().Count(), 3) << c.file;
    EXPECT_EQ(table()[2].x, c.second.x) << c.file;
    EXPECT_EQ(table()[2].y, c.second.y) << c.file;
  }
}

TEST_F(TableFileTest, OnlyTheFirst3000LinesAreReadAndNoMoreThanAMegabyte) {
  std::string text;
  for (int i = 0; i < 3500; ++i) text += std::to_string(i) + " " + std::to_string(i * 0.01) + "\r\n";
  ASSERT_TRUE(Load(Write("long.dat", text), 16)) << r_.reason;
  EXPECT_EQ(table().Count(), 3000);
  EXPECT_EQ(table()[3000].x, 2999);
  text.clear();
  for (int i = 0; text.size() < 10'000'000; ++i)
    text += std::to_string(i) + " " + std::to_string(i % 100 * 0.1) + "\n";
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTableLines(Write("big.dat", text), lines));
  EXPECT_EQ(lines.size(), 3000u);
  EXPECT_FALSE(ReadTableLines(Write("one_line.dat", std::string(10'000'000, '1')), lines));
}

TEST_F(TableFileTest, BinaryMissingOrFolderIsRefusedWithoutACrash) {
  std::mt19937 gen(11);
  std::string bytes(200000, '\0');
  for (char& c : bytes) c = static_cast<char>(gen());
  EXPECT_FALSE(Load(Write("noise.dat", bytes), 16));
  EXPECT_LE(table().Count(), 3000);
  EXPECT_FALSE(Load(Write("nul.dat", std::string("0 1\0\0\0\r\n1 2\r\n", 13)), 16));
  std::vector<std::string> lines;
  EXPECT_FALSE(ReadTableLines((dir_ / "missing.dat").string(), lines));
  EXPECT_FALSE(ReadTableLines(dir_.string(), lines));
  ASSERT_TRUE(ReadTableLines(Write("ends.dat", "a\r\nb\nc\rd"), lines));  // line ends of every kind
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST_F(TableFileTest, LimitsAreMovedAwayFromZeroAndTruncated) {
  SetTable({{-2.55, 0}, {99.99999999, 1}});
  SetTableLimits(table(), ranges());
  EXPECT_EQ(ranges()[15], (TRangeRow{-25, 1000}));
  SetTable({{100, 0}, {0, 1}});
  SetTableLimits(table(), ranges());
  EXPECT_EQ(ranges()[15], (TRangeRow{0, 1000}));
}

TEST_F(TableFileTest, MainWindowLoaderInstallsATableThatCoversTheRange) {
  Configure(5, 3, 2, 10, 90);
  EXPECT_EQ(LoadForParams(Data("resistance.dat")), TTableLoad::kLoaded);
  EXPECT_EQ(p().CharTyp, 5);
  EXPECT_TRUE(p().TableLoaded);
  EXPECT_FALSE(p().noTab());
  EXPECT_EQ(ranges()[15], (TRangeRow{0, 1000}));
  p().P.MaxInput = 150;
  EXPECT_EQ(LoadForParams(Data("resistance.dat")), TTableLoad::kRangeNotCovered);
  EXPECT_FALSE(p().TableLoaded);
  EXPECT_EQ(LoadForParams((dir_ / "missing.dat").string()), TTableLoad::kCannotRead);
  EXPECT_EQ(LoadForParams(Write("bad.dat", "0 100\n50 90\n")), TTableLoad::kCorrupted);
  EXPECT_EQ(r_.reason, "Values should rise");
  p().TableLoaded = true;
  EXPECT_EQ(LoadForParams(Write("narrow.dat", "0 100\n50 105\n")), TTableLoad::kSpanTooSmall);
  EXPECT_FALSE(p().TableLoaded);
}

TEST_F(TableFileTest, BareFileNameDropsEitherKindOfFolder) {
  EXPECT_EQ(BareFileName("C:\\Tables\\pt.dat"), "pt.dat");
  EXPECT_EQ(BareFileName("/home/u/t/k.dat"), "k.dat");
  EXPECT_EQ(BareFileName("plain.dat"), "plain.dat");
}

}  // namespace
}  // namespace vorta::sensors
