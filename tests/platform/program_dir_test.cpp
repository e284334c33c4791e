// The program's two folders: read-only files beside the program or in share/vorta when installed,
// settings beside the program from its build folder and in the user's configuration folder when
// installed or when the program's folder cannot be written; a test's own folder stands in for both.
#include "platform/program_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/port_names.h"
#include "tests/support/temp_dir.h"

namespace vorta::platform {
namespace {

namespace fs = std::filesystem;

TEST(ProgramDir, SettingsStayBesideAWritableBuildFolderElseGoToTheConfigurationFolder) {
  struct Case {
    bool installed, writable;
    const char *xdg, *home, *want;
  };
  const Case cases[] = {
      {false, true, "/x", "/h", "/opt/b"},
      {true, true, "/x", "/h", "/x/vorta"},  // an installed program never writes into bin/
      {false, false, "/x", "/h", "/x/vorta"},
      {false, false, nullptr, "/h", "/h/.config/vorta"},
      {false, false, "", "/h", "/h/.config/vorta"},
      {false, false, "relative", "/h", "/h/.config/vorta"},  // only an absolute XDG_CONFIG_HOME counts
      {true, false, nullptr, nullptr, "/opt/b"},
      {true, false, nullptr, "", "/opt/b"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseSettingsDir("/opt/b", c.installed, c.writable, c.xdg, c.home), c.want)
        << c.installed << c.writable << (c.xdg ? c.xdg : "-") << (c.home ? c.home : "-");
}

TEST(ProgramDir, AnInstallationIsABinFolderWithShareVortaBesideIt) {
  testing::TempDir dir;
  fs::create_directories(dir / "bin");
  EXPECT_FALSE(IsInstalledLayout((dir / "bin").string()));
  fs::create_directories(dir / "share/vorta");
  EXPECT_TRUE(IsInstalledLayout((dir / "bin").string()));
  fs::create_directories(dir / "build");
  EXPECT_FALSE(IsInstalledLayout((dir / "build").string()));
  EXPECT_FALSE(IsInstalledLayout("bin"));
}

TEST(ProgramDir, ATestsFolderStandsInForBothAndThePortsFollowTheSettings) {
  testing::TempDir dir;
  SetProgramDir(dir.Path().string());
  EXPECT_EQ(ProgramDir(), dir.Path().string());
  EXPECT_EQ(SettingsDir(), dir.Path().string());
  EXPECT_EQ(PortsDir(), (dir / "ports").string());
  SetProgramDir("");
  // This test runs from its build folder: both are the folder of the executable.
  EXPECT_TRUE(fs::exists(fs::path(ProgramDir()) / "test_platform_folders"));
  EXPECT_EQ(SettingsDir(), ProgramDir());
}

}  // namespace
}  // namespace vorta::platform
