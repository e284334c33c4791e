// vorta-cli and the main window write the same bytes for the same parameter file: each programs a
// fresh simulated transmitter, and the areas a full write writes are compared byte for byte.
#include <gtest/gtest.h>

#include <QAction>

#include "app/ui/file_dialogs.h"
#include "tests/cli/cli_fixture.h"
#include "tests/support/scripted_file_dialogs.h"
#include "tests/support/sim_window.h"

namespace vorta::cli {
namespace {

TEST(CliAndWindow, BothWriteTheSameBytesForTheSameFile) {
  std::vector<std::uint8_t> fromCli;
  std::string file;
  testing::CliRun run;
  file = run.File("plant.par", testing::KFile("VTX47", "TT-4711", "300"));
  ASSERT_EQ(run({"write", "--port", "COM1", file}), kExitDone) << run.Err();
  fromCli = run.WrittenAreas();

  vorta::testing::SimWindow sw;
  ASSERT_TRUE(sw.TickUntilConnected());
  vorta::testing::ScriptedFileDialogs dialog;
  dialog.answers << QString::fromStdString(file);
  sw.Child<QAction>("Otworz1")->trigger();
  sw.W().ZapiszTClick();
  ASSERT_EQ(sw.W().StatusText(), "Transmitter programmed");
  const std::vector<std::uint8_t> fromWindow = sw.WrittenAreas();
  ASSERT_EQ(fromCli.size(), fromWindow.size());
  for (std::size_t i = 0; i < fromCli.size(); ++i) EXPECT_EQ(fromCli[i], fromWindow[i]) << "byte " << i;
}

}  // namespace
}  // namespace vorta::cli
