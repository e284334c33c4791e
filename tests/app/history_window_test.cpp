// The main window's history and compare: Read and Write each keep the set as an entry of the
// transmitter's serial number, and the compare window marks exactly the rows that differ.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTableWidget>
#include <algorithm>
#include <filesystem>

#include "docs/par_file.h"
#include "docs/ui/compare_window.h"
#include "sensors/sensor_range.h"
#include "tests/support/sim_window.h"

namespace vorta::app {
namespace {

namespace fs = std::filesystem;
using testing::SimWindow;

std::vector<fs::path> Kept(const fs::path& history) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(history, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file()) files.push_back(it->path());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(HistoryWindow, ReadAndWriteEachKeepTheSetUnderTheSerialNumber) {
  SimWindow sw;
  ASSERT_TRUE(sw.TickUntilConnected());
  const fs::path history = fs::path(sw.Folder().Dir()) / "history";
  sw.W().OdczytajTClick();
  ASSERT_TRUE(WindowFlags().ConfigRead);
  std::vector<fs::path> kept = Kept(history);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].parent_path().filename().string(), sw.Child<QLabel>("SerialE")->text().toStdString());
  EXPECT_NE(kept[0].filename().string().find("_read.par"), std::string::npos);

  Param().kod = "TT-77";
  sw.W().ZapiszTClick();
  EXPECT_EQ(sw.W().StatusText(), "Transmitter programmed");
  kept = Kept(history);
  ASSERT_EQ(kept.size(), 2u);
  const auto written = std::find_if(kept.begin(), kept.end(), [](const fs::path& f) {
    return f.filename().string().find("_written.par") != std::string::npos;
  });
  ASSERT_NE(written, kept.end());
  TParamSet entry;
  sensors::TSensorRangeTable ranges;
  ASSERT_TRUE(docs::LoadParFile(written->string(), entry, ranges));
  EXPECT_EQ(entry.kod, "TT-77");
  EXPECT_EQ(entry.data, Param().data);  // the date the write gave the set
  EXPECT_TRUE(sw.rec.messages.empty());
}

TEST(HistoryWindow, TheCompareWindowMarksTheRowsThatDifferAndCountsThem) {
  testing::ProgramFolder folder;
  const std::vector<docs::TCompareRow> rows = {{"device", "Device", "VTX47", "VTX47", false},
                                               {"range", "Input range", "0 to 300", "0 to 100", true},
                                               {"tag", "ID Tag", "TT-1", "", true},
                                               {"mains", "Net filter", "50 Hz", "50 Hz", false}};
  docs::TCompareF window(rows, "plant.par", "47001/2026-12-07_153012_read.par", nullptr);
  ASSERT_EQ(window.Rows()->rowCount(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(window.Marked(i), rows[static_cast<std::size_t>(i)].differs) << i;
  EXPECT_EQ(window.Rows()->item(1, 2)->text(), "0 to 100");
  EXPECT_EQ(window.Rows()->horizontalHeaderItem(2)->text(), "47001/2026-12-07_153012_read.par");
  EXPECT_EQ(window.Summary()->text(), "Differences: 2");
}

}  // namespace
}  // namespace vorta::app
