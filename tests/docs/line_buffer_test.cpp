// Line buffer loading, key lookup and the atomic save.
#include "docs/line_buffer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vorta::docs {
namespace {

namespace fs = std::filesystem;

class LineBufferFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("vorta_lb_" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static std::string Slurp(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  fs::path dir_;
};

TEST(LineBuffer, SplitsOnLineFeedsAndDropsCarriageReturns) {
  TLineBuffer b;
  b.SetText("a=1\r\nb=2\nlast");
  ASSERT_EQ(b.Lines().size(), 3u);
  EXPECT_EQ(b.Lines()[0], "a=1");
  EXPECT_EQ(b.Lines()[2], "last");
}

TEST(LineBuffer, FindsTheFirstKeyInAnyCaseAndKeepsTheValueUntrimmed) {
  TLineBuffer b;
  b.SetText("heading\nDEVICE= VTX39 \ndevice=second\nnovalue\n=empty name");
  EXPECT_EQ(b.FindKey("Device"), 1u);
  EXPECT_EQ(*b.Value("device"), " VTX39 ");
  EXPECT_FALSE(b.Value("novalue"));
  EXPECT_FALSE(b.Value("heading"));
  EXPECT_EQ(*b.Value(""), "empty name");
}

TEST_F(LineBufferFiles, SaveWritesCrLfAndLoadReadsItBack) {
  TLineBuffer b;
  b.Add("x=1");
  b.Add("");
  ASSERT_TRUE(b.SaveToFile(Path("f.txt")));
  EXPECT_EQ(Slurp(Path("f.txt")), "x=1\r\n\r\n");
  TLineBuffer c;
  ASSERT_TRUE(c.LoadFromFile(Path("f.txt"), 100));
  EXPECT_EQ(c.Lines(), b.Lines());
  EXPECT_FALSE(fs::exists(Path("f.txt.tmp")));
}

TEST_F(LineBufferFiles, RefusesFilesLargerThanTheLimitAndMissingFiles) {
  { std::ofstream(Path("big.txt")) << std::string(2000, 'a'); }
  TLineBuffer b;
  b.Add("stale");
  EXPECT_FALSE(b.LoadFromFile(Path("big.txt"), 1000));
  EXPECT_TRUE(b.Lines().empty());
  EXPECT_FALSE(b.LoadFromFile(Path("none.txt"), 1000));
  EXPECT_FALSE(b.LoadFromFile(dir_.string(), 1000));  // a folder is no file
}

TEST_F(LineBufferFiles, FailedSaveLeavesThePreviousFileIntact) {
  TLineBuffer b;
  b.Add("old");
  ASSERT_TRUE(b.SaveToFile(Path("keep.txt")));
  fs::create_directory(Path("keep.txt.tmp"));  // the temporary file cannot be created, even as root
  b.Lines()[0] = "new";
  EXPECT_FALSE(b.SaveToFile(Path("keep.txt")));
  EXPECT_EQ(Slurp(Path("keep.txt")), "old\r\n");
}

TEST_F(LineBufferFiles, SaveIntoAMissingFolderFails) {
  TLineBuffer b;
  b.Add("x");
  EXPECT_FALSE(b.SaveToFile((dir_ / "no" / "such" / "f.txt").string()));
}

}  // namespace
}  // namespace vorta::docs
