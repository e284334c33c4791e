// Line buffer loading, key lookup and the atomic save.
#include "docs/line_buffer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

namespace vorta::docs {
namespace {

namespace fs = std::filesystem;
using testing::FileSizeLimit;

class LineBufferFiles : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static std::string Slurp(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  testing::TempDir tmp_;
  fs::path dir_ = tmp_.Path();
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

TEST_F(LineBufferFiles, FailedSaveLeavesThePreviousFileIntactAndNoTemporaryFile) {
  TLineBuffer b;
  b.Add("old");
  ASSERT_TRUE(b.SaveToFile(Path("keep.txt")));
  b.Lines()[0] = "a new text longer than the file size limit";
  {
    // A file size limit makes the write fail part way, as a full disk would, even for root.
    FileSizeLimit limit(8);
    const TResult r = b.SaveToFile(Path("keep.txt"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.key, "Cannot open file");
    EXPECT_EQ(r.detail, std::strerror(EFBIG));
  }
  EXPECT_EQ(Slurp(Path("keep.txt")), "old\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(LineBufferFiles, SaveOntoAFolderGivesTheRealReason) {
  TLineBuffer b;
  b.Add("x");
  fs::create_directories(dir_ / "folder" / "inside");
  const TResult r = b.SaveToFile(Path("folder"));
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.detail == std::strerror(EISDIR) || r.detail == std::strerror(ENOTEMPTY)) << r.detail;
  EXPECT_TRUE(fs::is_directory(dir_ / "folder" / "inside"));
}

TEST_F(LineBufferFiles, SaveIntoAMissingFolderFails) {
  TLineBuffer b;
  b.Add("x");
  EXPECT_FALSE(b.SaveToFile((dir_ / "no" / "such" / "f.txt").string()));
}

}  // namespace
}  // namespace vorta::docs
