// Table characteristic files: every rule of the format with its reason, bad and oversized files,
// the limits taken from a table and the main window's loader.
#include "sensors/table_file.h"

#include <filesystem>
#include <fstream>
#include <random>

#include "test_support.h"

namespace vorta::sensors {
namespace {

class TableFileTest : public testing::SensorTest {
 protected:
  void SetUp() override {
    SensorTest::SetUp();
    dir_ = std::filesystem::temp_directory_path() /
           ("vorta_table_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::filesystem::remove_all(dir_);
    SensorTest::TearDown();
  }
  std::string Write(const std::string& name, const std::string& content) {
    const auto path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  // Parses the lines for charTyp; the reason when it fails, "ok" when it passes.
  std::string Parse(int charTyp, const std::vector<std::string>& lines) {
    p().CharTyp = static_cast<std::uint8_t>(charTyp);
    TTableParse r;
    const bool ok = ParseTableFile(lines, r);
    lastLine = r.line;
    return ok ? "ok" : r.reason;
  }
  static std::string Data(const std::string& name) { return std::string(VORTA_TEST_DATA_DIR) + "/" + name; }

  std::filesystem::path dir_;
  int lastLine = -2;
};

TEST_F(TableFileTest, ResistanceTableWithHeaderIsAcceptedAndGivesItsLimits) {
  p().CharTyp = 5;
  TTableParse r;
  ASSERT_TRUE(LoadTableFile(Data("resistance.dat"), r)) << r.reason;
  ASSERT_EQ(UserTable().Count(), 3);
  EXPECT_EQ(UserTable()[2].x, 50);
  EXPECT_EQ(UserTable()[2].y, 119.4);
  SetTableLimits();
  EXPECT_EQ(SensorRangeTable()[15].lo, 0);
  EXPECT_EQ(SensorRangeTable()[15].hi, 1000);
}

TEST_F(TableFileTest, SemicolonSeparatorDecimalCommasAndTrailingCommentsAreRead) {
  p().CharTyp = 15;
  TTableParse r;
  ASSERT_TRUE(LoadTableFile(Data("thermocouple_comma.dat"), r)) << r.reason;
  ASSERT_EQ(UserTable().Count(), 3);
  EXPECT_EQ(UserTable()[2].x, 50.0);
  EXPECT_EQ(UserTable()[2].y, 2.023);
  EXPECT_EQ(Parse(16, {"; x", "1,5;2,0", "3 4"}), "ok");
  EXPECT_EQ(UserTable()[1].x, 1.5);
  EXPECT_EQ(UserTable()[1].y, 2.0);
  EXPECT_EQ(Parse(16, {"\t 1\t\t2 ; note", "  3 4/note"}), "ok");
}

TEST_F(TableFileTest, SingleNumberEndsTheParseWithoutAReason) {
  EXPECT_EQ(Parse(16, {"0 1", "100"}), "");
  EXPECT_EQ(lastLine, 1);
  EXPECT_EQ(Parse(16, {"0 1", "5"}), "");  // shorter than 3 characters
  EXPECT_EQ(Parse(16, {"0 1", "100 "}), "");
  EXPECT_EQ(UserTable().Count(), 1);  // the points before the failure stay
  EXPECT_FALSE(p().TableLoaded);
}

TEST_F(TableFileTest, FallingFirstColumnPassesForACurrentInputButNotForAUserThermocouple) {
  const std::vector<std::string> falling = {"100 4", "50 12", "0 20"};
  EXPECT_EQ(Parse(17, falling), "ok");
  EXPECT_TRUE(UserTable().Descending());
  EXPECT_EQ(Parse(15, {"100 4", "50 12", "0 20"}), "Values should rise");
  EXPECT_EQ(lastLine, 1);
}

TEST_F(TableFileTest, DirectionOfTheFirstColumnIsFixedByTheFirstTwoPoints) {
  EXPECT_EQ(Parse(17, {"0 4", "0 5", "1 6"}), "1st column values should rise or fall");
  EXPECT_EQ(Parse(17, {"0 4", "1 5", "0.5 6"}), "1st column values should rise or fall");
  EXPECT_EQ(Parse(17, {"0 4", "1 5", "2 5"}), "ok");  // equal signals pass
  EXPECT_EQ(Parse(17, {"0 4", "1 5", "2 4.9"}), "Values should rise");
}

TEST_F(TableFileTest, PointsOutsideTheLimitsAreRefused) {
  EXPECT_EQ(Parse(15, {"0 0", "1000 75.1"}), "Value out of range");
  EXPECT_EQ(Parse(15, {"-273 -5", "9999 75"}), "ok");
  EXPECT_EQ(Parse(15, {"-273.1 0", "0 1"}), "Value out of range");
  EXPECT_EQ(Parse(17, {"0 -22", "100 22"}), "ok");  // row 17: -22.0 .. 22.0 mA
  EXPECT_EQ(Parse(17, {"0 -22", "100 22.1"}), "Value out of range");
  EXPECT_EQ(Parse(17, {"-1000 0", "0 1"}), "Value out of range");
}

TEST_F(TableFileTest, TooFewPointsOrLinesAreRefused) {
  EXPECT_EQ(Parse(16, {"; only", "0 1"}), "Not enough points");
  EXPECT_EQ(Parse(16, {"0 1"}), "");
  EXPECT_EQ(Parse(16, {}), "");
  EXPECT_EQ(Parse(16, {"", "   ", "\t", "\"q", "*s", "/c", "0 1", "1 2"}), "ok");
}

TEST_F(TableFileTest, NoNumbersAreRefusedWithoutAReason) {
  EXPECT_EQ(Parse(16, {"0 1", "nan 2"}), "");
  EXPECT_EQ(Parse(16, {"0 1", "2 inf"}), "");
  EXPECT_EQ(Parse(16, {"0 1", "1e999 2"}), "");
  EXPECT_EQ(Parse(16, {"0 1", "1.5,2 3"}), "");  // both separators in one number
  EXPECT_EQ(Parse(16, {"0 1", "0x10 3"}), "");
  EXPECT_EQ(Parse(16, {"0 1", "1e300 3"}), "Value out of range");
}

TEST_F(TableFileTest, OnlyTheFirst3000LinesAreRead) {
  std::string text;
  for (int i = 0; i < 3500; ++i) text += std::to_string(i) + " " + std::to_string(i * 0.01) + "\r\n";
  p().CharTyp = 16;
  TTableParse r;
  ASSERT_TRUE(LoadTableFile(Write("long.dat", text), r)) << r.reason;
  EXPECT_EQ(UserTable().Count(), 3000);
  EXPECT_EQ(UserTable()[3000].x, 2999);
}

TEST_F(TableFileTest, TenMegabyteFileIsReadOnlyTo3000Lines) {
  std::string text;
  text.reserve(10'500'000);
  for (int i = 0; text.size() < 10'000'000; ++i)
    text += std::to_string(i) + " " + std::to_string(i % 100 * 0.1) + "\n";
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTableLines(Write("big.dat", text), lines));
  EXPECT_EQ(lines.size(), 3000u);
  std::string oneLine(10'000'000, '1');
  EXPECT_FALSE(ReadTableLines(Write("one_line.dat", oneLine), lines));
}

TEST_F(TableFileTest, BinaryFileIsRefusedWithoutACrash) {
  std::mt19937 gen(11);
  std::string bytes(200000, '\0');
  for (char& c : bytes) c = static_cast<char>(gen());
  p().CharTyp = 16;
  TTableParse r;
  EXPECT_FALSE(LoadTableFile(Write("noise.dat", bytes), r));
  EXPECT_LE(UserTable().Count(), 3000);
  EXPECT_FALSE(LoadTableFile(Write("nul.dat", std::string("0 1\0\0\0\r\n1 2\r\n", 13)), r));
}

TEST_F(TableFileTest, LineEndsOfEveryKindSeparateLines) {
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTableLines(Write("ends.dat", "a\r\nb\nc\rd"), lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_FALSE(ReadTableLines((dir_ / "missing.dat").string(), lines));
  EXPECT_FALSE(ReadTableLines(dir_.string(), lines));
}

TEST_F(TableFileTest, LimitsAreMovedAwayFromZeroAndTruncated) {
  SetTable({{-2.55, 0}, {99.99999999, 1}});
  SetTableLimits();
  EXPECT_EQ(SensorRangeTable()[15].lo, -25);
  EXPECT_EQ(SensorRangeTable()[15].hi, 1000);
  SetTable({{100, 0}, {0, 1}});
  SetTableLimits();
  EXPECT_EQ(SensorRangeTable()[15].lo, 0);
  EXPECT_EQ(SensorRangeTable()[15].hi, 1000);
}

TEST_F(TableFileTest, MainWindowLoaderInstallsATableThatCoversTheRange) {
  Configure(5, 3, 2, 10, 90);
  TTableParse r0;
  EXPECT_EQ(LoadTableForParams(Data("resistance.dat"), r0), TTableLoad::kLoaded);
  EXPECT_EQ(p().CharTyp, 5);
  EXPECT_TRUE(p().TableLoaded);
  EXPECT_FALSE(p().noTab());
  p().P.MaxInput = 150;
  TTableParse r;
  EXPECT_EQ(LoadTableForParams(Data("resistance.dat"), r), TTableLoad::kRangeNotCovered);
  EXPECT_FALSE(p().TableLoaded);
  EXPECT_EQ(LoadTableForParams((dir_ / "missing.dat").string(), r), TTableLoad::kCannotRead);
  EXPECT_EQ(LoadTableForParams(Write("bad.dat", "0 100\n50 90\n"), r), TTableLoad::kCorrupted);
  EXPECT_EQ(r.reason, "Values should rise");
  EXPECT_EQ(LoadTableForParams(Write("narrow.dat", "0 100\n50 105\n"), r), TTableLoad::kSpanTooSmall);
  EXPECT_FALSE(p().TableLoaded);
}

TEST_F(TableFileTest, BareFileNameDropsEitherKindOfFolder) {
  EXPECT_EQ(BareFileName("C:\\Tables\\pt.dat"), "pt.dat");
  EXPECT_EQ(BareFileName("/home/u/t/k.dat"), "k.dat");
  EXPECT_EQ(BareFileName("plain.dat"), "plain.dat");
}

}  // namespace
}  // namespace vorta::sensors
