// The settings file: reading rules, bad files, the exact written layout and the password scramble.
#include "app/settings.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

namespace vorta::app {
namespace {

namespace fs = std::filesystem;

const TDesktop kDesk{0, 0, 1920, 1080};

TSettings Read(const std::string& text, const TDesktop& desk = kDesk) {
  docs::TLineBuffer lines;
  lines.SetText(text);
  TSettings s;
  ReadSettings(lines, desk, s);
  return s;
}

TEST(SettingsRead, KeysAreFoundAnywhereAndNumbersTakeEitherSeparator) {
  const TSettings s = Read("junk line\nMainTop=300,4\nComPort=3.6\nnothing\nRTPriority=2\nMainLeft=250.5\n");
  EXPECT_EQ(s.ComPort, 4);
  EXPECT_TRUE(s.RTPriority);
  EXPECT_EQ(s.MainLeft, 250);  // halves to even
  EXPECT_EQ(s.MainTop, 300);
  EXPECT_FALSE(Read("RTPriority=0").RTPriority);
}

TEST(SettingsRead, PositionNeedsBothKeysAndMustFitTheDesktop) {
  EXPECT_EQ(Read("MainLeft=300").MainLeft, 189);
  EXPECT_EQ(Read("MainTop=300").MainTop, 107);
  const TSettings zero = Read("MainLeft=0\nMainTop=0");
  EXPECT_EQ(zero.MainLeft, 189);  // the edge must be greater than the desktop's left
  EXPECT_EQ(zero.MainTop, 107);
  const TSettings far = Read("MainLeft=1431\nMainTop=679");
  EXPECT_EQ(far.MainLeft, 189);  // must be less than 1920 - 489
  EXPECT_EQ(far.MainTop, 107);   // must be less than 1080 - 401
  const TSettings edge = Read("MainLeft=1430\nMainTop=678");
  EXPECT_EQ(edge.MainLeft, 1430);
  EXPECT_EQ(edge.MainTop, 678);
  const TSettings left = Read("MainLeft=-500\nMainTop=200", TDesktop{-1920, 0, 3840, 1080});
  EXPECT_EQ(left.MainLeft, -500);
}

TEST(SettingsRead, WrongLengthsAndNonNumbersKeepTheDefaults) {
  const TSettings s = Read("Language=X\nDataDir=/\nComPort=abc\nPass=\nMainLeft=nan\nMainTop=200");
  EXPECT_EQ(s.Language, "English");
  EXPECT_EQ(s.DataDir, "");
  EXPECT_EQ(s.ComPort, 1);
  EXPECT_EQ(s.Pass, kDefaultPassword);
  EXPECT_EQ(s.MainLeft, 189);
  EXPECT_EQ(Read("Language=ABCDEFGHIJKLM").Language, "English");
  EXPECT_EQ(Read("Language=ABCDEFGHIJKL").Language, "ABCDEFGHIJKL");
  EXPECT_EQ(Read("DataDir=" + std::string(61, 'd')).DataDir, "");
  EXPECT_EQ(Read("DataDir=" + std::string(60, 'd')).DataDir, std::string(60, 'd'));
  EXPECT_EQ(Read("Pass=" + std::string(31, 'p')).Pass, kDefaultPassword);
}

TEST(SettingsRead, IntegersOutOfTheirRangeFallBackToTheDefault) {
  EXPECT_EQ(Read("ComPort=65536").ComPort, 1);
  EXPECT_EQ(Read("ComPort=-1").ComPort, 1);
  EXPECT_EQ(Read("ComPort=65535").ComPort, 65535);
  EXPECT_EQ(Read("MainLeft=1e12\nMainTop=200").MainLeft, 189);
}

TEST(SettingsRead, DuplicateKeysTakeTheFirst) {
  EXPECT_EQ(Read("ComPort=2\nComPort=5").ComPort, 2);
  EXPECT_EQ(Read("comport=7").ComPort, 7);
}

TEST(Password, ScrambleRoundTripsAndStaysOnOneLine) {
  for (const std::string& pass : std::vector<std::string>{"zorv", "a", std::string(30, '~'), "A b=C!\\"}) {
    const std::string stored = ScramblePassword(pass);
    ASSERT_EQ(stored.size(), pass.size());
    for (const char c : stored) EXPECT_GE(static_cast<unsigned char>(c), 31);
    EXPECT_EQ(UnscramblePassword(stored), pass);
    EXPECT_EQ(Read("Pass=" + stored).Pass, pass);
  }
  EXPECT_NE(ScramblePassword("zorv"), "zorv");
}

TEST(Password, OnlyPrintableAsciiUpToThirtyCharacters) {
  EXPECT_TRUE(ValidPassword("zorv"));
  EXPECT_FALSE(ValidPassword(""));
  EXPECT_FALSE(ValidPassword(std::string(31, 'a')));
  EXPECT_FALSE(ValidPassword("tab\there"));
  EXPECT_FALSE(ValidPassword("\xC3\xA9t\xC3\xA9"));
}

class SettingsFile : public ::testing::Test {
 protected:
  std::string Ini() const { return (dir_ / kSettingsFileName).string(); }
  void WriteIni(const std::string& data) const { std::ofstream(Ini(), std::ios::binary) << data; }
  std::string ReadIni() const {
    std::ifstream in(Ini(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  testing::TempDir tmp_;
  fs::path dir_ = tmp_.Path();
};

TEST_F(SettingsFile, WritesTheElevenLinesExactly) {
  TSettings s;
  s.ComPort = 3;
  s.RTPriority = true;
  s.MainLeft = 200;
  s.MainTop = 150;
  s.DataDir = "/home/u/data";
  s.Pass = "zorv";
  ASSERT_TRUE(SaveSettingsFile(dir_.string(), s));
  const std::string expected =
      "Vorta initial parameters:\r\n\r\nComPort=3\r\nRTPriority=1\r\n\r\nMainLeft=200\r\n"
      "MainTop=150\r\n\r\nLanguage=English\r\nDataDir=/home/u/data\r\nPass=" +
      ScramblePassword("zorv") + "\r\n";
  EXPECT_EQ(ReadIni(), expected);
  TSettings back;
  ASSERT_TRUE(LoadSettingsFile(dir_.string(), kDesk, back));
  EXPECT_EQ(back.ComPort, 3);
  EXPECT_TRUE(back.RTPriority);
  EXPECT_EQ(back.MainLeft, 200);
  EXPECT_EQ(back.MainTop, 150);
  EXPECT_EQ(back.DataDir, "/home/u/data");
  EXPECT_EQ(back.Pass, "zorv");
}

TEST_F(SettingsFile, MissingEmptyBinaryAndHugeFilesGiveTheDefaults) {
  TSettings s;
  EXPECT_FALSE(LoadSettingsFile(dir_.string(), kDesk, s));
  EXPECT_EQ(s.DataDir, dir_.string());
  EXPECT_EQ(s.ComPort, 1);

  WriteIni("");
  EXPECT_TRUE(LoadSettingsFile(dir_.string(), kDesk, s));
  EXPECT_EQ(s.MainLeft, 189);

  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) & 0xFF);
  WriteIni(binary + "\nComPort=9\n" + binary);
  EXPECT_TRUE(LoadSettingsFile(dir_.string(), kDesk, s));
  EXPECT_EQ(s.ComPort, 9);

  WriteIni("ComPort=5\n" + std::string(10 * 1024 * 1024, 'x'));
  EXPECT_FALSE(LoadSettingsFile(dir_.string(), kDesk, s));
  EXPECT_EQ(s.ComPort, 1);  // a huge file is not read at all
  EXPECT_EQ(s.Language, "English");
}

TEST_F(SettingsFile, FailedWriteKeepsTheOldFileAndSaysWhy) {
  WriteIni("ComPort=4\r\n");
  {
    testing::FileSizeLimit limit(16);
    const TResult r = SaveSettingsFile(dir_.string(), TSettings{});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.detail, std::strerror(EFBIG));
  }
  EXPECT_EQ(ReadIni(), "ComPort=4\r\n");
  EXPECT_EQ(SaveSettingsFile((dir_ / "missing").string(), TSettings{}).detail, std::strerror(ENOENT));
}

TEST_F(SettingsFile, TwoWritersNeverShareATemporaryFile) {
  // Two program instances in one folder write their settings at the same time.
  TSettings a, b;
  a.ComPort = 3;
  b.ComPort = 7;
  std::vector<std::thread> writers;
  for (const TSettings* s : {&a, &b, &a, &b})
    writers.emplace_back([this, s] {
      for (int i = 0; i < 50; ++i) EXPECT_TRUE(SaveSettingsFile(dir_.string(), *s).ok);
    });
  for (auto& t : writers) t.join();
  const std::string text = ReadIni();
  EXPECT_TRUE(text.find("ComPort=3\r\n") != std::string::npos ||
              text.find("ComPort=7\r\n") != std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace vorta::app
