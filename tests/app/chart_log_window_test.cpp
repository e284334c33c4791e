// The chart view's measurement log through the real window against the simulated transmitter: the
// save dialog, the header and the lines read back as tab-separated columns, stopping, and the
// failures (a log deleted meanwhile, a full disk, a folder that does not exist).
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QRegularExpression>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/settings.h"
#include "tests/support/chart_view_fixture.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/scripted_file_dialogs.h"
#include "tests/support/temp_dir.h"

namespace vorta::app {
namespace {

namespace fs = std::filesystem;

class ChartLogTest : public testing::ChartViewFixture {
 protected:
  void SetUp() override {
    ChartViewFixture::SetUp();
    sw.W().Wykres1Click();
    path = QString::fromStdString(files.File("run.txt"));
  }
  // File > "Keep results" with the dialog answering name.
  void KeepResults(const QString& name) {
    dialogs.answers << name;
    Action("Zapiszjako1")->trigger();
  }
  QStringList Lines() const {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    QStringList lines = QString::fromStdString(s.str()).split("\r\n");
    EXPECT_EQ(lines.takeLast(), "");  // every line ends in CR LF
    return lines;
  }

  testing::TempDir files;
  testing::ScriptedFileDialogs dialogs;
  QString path;
};

TEST_F(ChartLogTest, LogReadsBackAsColumnsOfTheStoredSamples) {
  Tick();  // the chart's time base starts here
  KeepResults(path);
  EXPECT_EQ(dialogs.filters.value(0), "Data files (*.txt);;All files (*)");
  EXPECT_EQ(dialogs.suffixes.value(0), "txt");
  EXPECT_EQ(dialogs.proposals.value(0), "No_name");
  ASSERT_TRUE(sw.W().Logging());
  EXPECT_TRUE(Visible("SavingI"));
  EXPECT_EQ(Action("Zapiszjako1")->text(), "&Stop saving");
  EXPECT_EQ(Settings().DataDir, files.Path().string());
  EXPECT_EQ(sw.W().LogFileName(), path);

  const std::vector<double> levels = {20.5, 73.25, 73.25};
  for (const double level : levels) {
    Settle(level);  // samples that are not due are not logged
    Tick(0.6);
    Tick(0.6);
  }
  Action("Zapiszjako1")->trigger();  // "Stop saving"
  EXPECT_FALSE(sw.W().Logging());
  EXPECT_FALSE(Visible("SavingI"));
  EXPECT_EQ(Action("Zapiszjako1")->text(), "&Keep results...");
  Tick();
  Tick();

  const QStringList lines = Lines();
  ASSERT_EQ(lines.size(), 4 + 3);
  EXPECT_EQ(lines[0], "Vorta series module measurements");
  EXPECT_TRUE(QRegularExpression(R"(^Date: \d\d\.\d\d\.\d{4}   Time: \S.*$)").match(lines[1]).hasMatch())
      << lines[1].toStdString();
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "Time [s]\tResult [mV]\tOutput [mA]");
  const QRegularExpression time(R"(^\+\d+\.\d\d$)"), value(R"(^[+-][0-9.E+-]+$)"),
      current(R"(^[+-]\d+\.\d{4}$)");
  for (int i = 0; i < 3; ++i) {
    const QStringList columns = lines[4 + i].split('\t');
    ASSERT_EQ(columns.size(), 3) << lines[4 + i].toStdString();
    EXPECT_TRUE(time.match(columns[0]).hasMatch()) << columns[0].toStdString();
    EXPECT_TRUE(value.match(columns[1]).hasMatch()) << columns[1].toStdString();
    EXPECT_TRUE(current.match(columns[2]).hasMatch()) << columns[2].toStdString();
    // Offered 0.6 s apart on a 1 s interval: stored at 1.2, 2.4 and 3.0 s after the chart's start.
    EXPECT_EQ(columns[0], (QStringList{"+1.20", "+2.40", "+3.00"}[i]));
    const charts::TDataPoint& p = chart->Points().Point(1 + i);
    EXPECT_NEAR(columns[1].toDouble(), p.Value, std::fabs(p.Value) * 5e-4);
    EXPECT_NEAR(p.Value, levels[static_cast<std::size_t>(i)], 0.05);
    // 0..100 mV drive 4..20 mA.
    EXPECT_NEAR(columns[2].toDouble(), 4 + 0.16 * p.Value, 0.01);
  }
}

TEST_F(ChartLogTest, DoubleClickOnThePictureAndClearStopTheLog) {
  KeepResults(path);
  ASSERT_TRUE(sw.W().Logging());
  QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
  QApplication::sendEvent(sw.Child<QLabel>("SavingI"), &dbl);
  EXPECT_FALSE(sw.W().Logging());
  KeepResults(path);
  ASSERT_TRUE(sw.W().Logging());
  sw.W().WykresClearBClick();
  EXPECT_FALSE(sw.W().Logging());
  KeepResults(path);
  sw.W().Wykres1Click();  // leaving the view
  EXPECT_FALSE(sw.W().Logging());
  EXPECT_EQ(Lines().size(), 4);
}

TEST_F(ChartLogTest, ALogDeletedMeanwhileStopsTheLoggingButNotTheChart) {
  Tick();
  KeepResults(path);
  Tick();
  fs::remove(path.toStdString());
  Tick();
  ASSERT_EQ(sw.rec.messages.size(), 1u);
  EXPECT_EQ(sw.rec.messages[0].text, "Cannot open file:\n" + path);
  EXPECT_EQ(sw.rec.messages[0].kind, kIconWarning);
  EXPECT_FALSE(sw.W().Logging());
  EXPECT_FALSE(Visible("SavingI"));
  EXPECT_EQ(Action("Zapiszjako1")->text(), "&Keep results...");
  EXPECT_FALSE(fs::exists(path.toStdString()));
  Tick();
  EXPECT_EQ(Points(), 4);
  EXPECT_EQ(sw.rec.messages.size(), 1u);
}

TEST_F(ChartLogTest, AFullDiskStopsTheLoggingAndKeepsWholeLines) {
  KeepResults(path);
  Tick();
  const auto size = fs::file_size(path.toStdString());
  {
    testing::FileSizeLimit full(size + 8);  // less than a line
    Tick();
  }
  ASSERT_EQ(sw.rec.messages.size(), 1u);
  EXPECT_EQ(sw.rec.messages[0].text, "Cannot open file:\n" + path);
  EXPECT_FALSE(sw.W().Logging());
  EXPECT_EQ(fs::file_size(path.toStdString()), size);
}

TEST_F(ChartLogTest, AFolderThatDoesNotExistFailsAtTheStartWithNothingWritten) {
  const std::string dataDir = Settings().DataDir;
  const QString missing = QString::fromStdString(files.File("gone/run.txt"));
  KeepResults(missing);
  ASSERT_EQ(sw.rec.messages.size(), 1u);
  EXPECT_EQ(sw.rec.messages[0].text, "Cannot open file:\n" + missing);
  EXPECT_FALSE(sw.W().Logging());
  EXPECT_EQ(Action("Zapiszjako1")->text(), "&Keep results...");
  EXPECT_TRUE(fs::is_empty(files.Path()));
  EXPECT_EQ(Settings().DataDir, dataDir);
  EXPECT_TRUE(Timer()->isActive());
  // Cancelling the dialog changes nothing.
  KeepResults("");
  EXPECT_FALSE(sw.W().Logging());
  EXPECT_EQ(sw.rec.messages.size(), 1u);
}

}  // namespace
}  // namespace vorta::app
