// The measurement log: the header and line formats, and the file writes with their failures (a log
// deleted, replaced by a folder, read-only, or on a full disk; a folder that does not exist).
#include "app/chart_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

namespace vorta::app {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

const TLogHeader kHeader{"03.02.2026",
                         "14:05:09",
                         "Time",
                         "Result",
                         "Output",
                         "\xC2\xB0"
                         "C"};

TEST(ChartLog, LinesKeepTheirFormatAtEveryMagnitude) {
  const std::tuple<long long, double, double, char, const char*> cases[] = {
      {1500, -12.5, 4.0, '.', "+1.50\t-12.5\t+4.0000\r\n"},  // the example of the manual
      {1500, -12.5, 4.0, ',', "+1,50\t-12,5\t+4,0000\r\n"},
      {108000123, 20.4567, 12.3456789, '.', "+108000.12\t+20.46\t+12.3457\r\n"},  // after 30 hours
      {1000000000, 0.0, 20.0, '.', "+1000000.00\t+0\t+20.0000\r\n"},              // no exponent in time
      {1234, -0.0, -0.5, '.', "+1.23\t+0\t-0.5000\r\n"},
      {1235, 1234567.0, 3.99999, '.', "+1.24\t+1.235E+06\t+4.0000\r\n"},
      {9999, 0.000123456, 21.5, '.', "+10.00\t+0.0001235\t+21.5000\r\n"},
      {-40, 99.99, 0.0, '.', "+0.00\t+99.99\t+0.0000\r\n"},  // a clock that ran back counts as 0
  };
  for (const auto& [ms, value, current, sep, line] : cases)
    EXPECT_EQ(LogLineText(ms, value, current, sep), line) << ms << " " << value;
}

TEST(ChartLog, HeaderHasFourLinesAndOneColumnRow) {
  EXPECT_EQ(LogHeaderText(kHeader),
            "Vorta series module measurements\r\n"
            "Date: 03.02.2026   Time: 14:05:09\r\n"
            "\r\n"
            "Time [s]\tResult [\xC2\xB0"
            "C]\tOutput [mA]\r\n");
}

TEST(ChartLog, HeaderReplacesTheFileAndLinesAreAppended) {
  testing::TempDir dir;
  const std::string path = dir.File("run.txt");
  std::ofstream(path) << "an older log that is much longer than the header\r\n";
  ASSERT_TRUE(WriteLogHeader(path, kHeader));
  ASSERT_TRUE(AppendLogLine(path, LogLineText(0, 20.5, 12.0, '.')));
  ASSERT_TRUE(AppendLogLine(path, LogLineText(1000, 20.25, 12.25, '.')));
  EXPECT_EQ(Read(path), LogHeaderText(kHeader) + "+0.00\t+20.5\t+12.0000\r\n+1.00\t+20.25\t+12.2500\r\n");
}

TEST(ChartLog, HeaderInAMissingFolderFailsAndWritesNothing) {
  testing::TempDir dir;
  const TResult r = WriteLogHeader(dir.File("no such folder/run.txt"), kHeader);
  EXPECT_FALSE(r);
  EXPECT_EQ(r.key, "Cannot open file");
  EXPECT_TRUE(fs::is_empty(dir.Path()));
}

TEST(ChartLog, AppendingFailsWhenTheLogIsGoneOrCannotBeWritten) {
  testing::TempDir dir;
  const std::string path = dir.File("run.txt");
  ASSERT_TRUE(WriteLogHeader(path, kHeader));
  // Deleted: not made anew.
  fs::remove(path);
  TResult r = AppendLogLine(path, "+1.00\t+1\t+4.0000\r\n");
  EXPECT_FALSE(r);
  EXPECT_EQ(r.key, "Cannot open file");
  EXPECT_FALSE(fs::exists(path));
  // Replaced by a folder.
  fs::create_directory(path);
  EXPECT_FALSE(AppendLogLine(path, "+1.00\t+1\t+4.0000\r\n"));
  fs::remove(path);
  // Read-only (root writes anyway, so only checked for others).
  ASSERT_TRUE(WriteLogHeader(path, kHeader));
  chmod(path.c_str(), 0444);
  if (geteuid() != 0) {
    EXPECT_FALSE(AppendLogLine(path, "+1.00\t+1\t+4.0000\r\n"));
  }
}

TEST(ChartLog, AFullDiskTakesTheHalfLineBack) {
  testing::TempDir dir;
  const std::string path = dir.File("run.txt");
  ASSERT_TRUE(WriteLogHeader(path, kHeader));
  const std::string header = Read(path);
  const std::string line = LogLineText(1500, -12.5, 4.0, '.');
  {
    testing::FileSizeLimit full(header.size() + line.size() + 5);
    EXPECT_TRUE(AppendLogLine(path, line));
    const TResult r = AppendLogLine(path, line);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.key, "Cannot open file");
  }
  EXPECT_EQ(Read(path), header + line);
}

}  // namespace
}  // namespace vorta::app
