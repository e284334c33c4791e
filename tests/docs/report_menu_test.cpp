// The report through the main window: File > Print (to a PDF file, as the print dialog offers),
// Print setup and Save report as PDF, with the print and file dialogs scripted.
#include <gtest/gtest.h>

#include <QAction>
#include <QDate>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "app/ui/app_state.h"
#include "app/ui/file_dialogs.h"
#include "app/ui/main_window.h"
#include "app/ui/window_state.h"
#include "docs/report.h"
#include "docs/ui/lang.h"
#include "tests/support/message_recorder.h"
#include "tests/support/pdf_text.h"
#include "tests/support/print_recorder.h"
#include "tests/support/program_folder.h"
#include "tests/support/temp_dir.h"

namespace vorta::docs {
namespace {

namespace fs = std::filesystem;
using testing::PdfText;

app::TParamSet KThermocouple() {
  app::TParamSet p;
  p.Device = "VTX47";
  p.Code = {10, 7, 2, 0};
  p.kod = "TT-101";
  p.ogolne = "Kocioł 2, zasilanie";
  p.data = "12.03.2024";
  p.serial = "47001";
  p.P = {0, 0, -50, 1200.5, 23.5, 0.25, -0.1, 10, 250, 45, 1, 50, 8};
  return p;
}

// The main window with a K thermocouple shown, its print dialogs and file dialog scripted.
class ReportMenu : public ::testing::Test, public app::IFileDialogs {
 protected:
  void SetUp() override {
    old_ = app::SetFileDialogs(this);
    app::TVortaF::SetLineOpener([](int) { return true; });
    w = std::make_unique<app::TVortaF>(nullptr, false);
  }
  void TearDown() override {
    w.reset();
    app::TVortaF::SetLineOpener({});
    app::SetFileDialogs(old_);
  }
  void Show() {
    app::Param() = KThermocouple();
    w->pokaz(2);
  }
  void Trigger(const char* action) { w->findChild<QAction*>(action)->trigger(); }
  bool TimerRuns() const { return w->findChild<QTimer*>("Timer1")->isActive(); }
  QString OpenFile(QWidget*, const QString&, const QString&) override { return {}; }
  QString SaveFile(QWidget*, const QString&, const QString& proposed, const QString& filter,
                   const QString& suffix) override {
    proposals << proposed;
    filters << filter + "|" + suffix;
    return saveAnswer;
  }

  testing::ProgramFolder folder;
  testing::TempDir files;
  testing::MessageRecorder rec;
  testing::PrintRecorder printing;
  std::unique_ptr<app::TVortaF> w;
  QString saveAnswer;
  QStringList proposals, filters;

 private:
  app::IFileDialogs* old_ = nullptr;
};

TEST_F(ReportMenu, PrintWithoutParametersRefusesBeforeAnyDialog) {
  for (const char* action : {"Drukuj1", "DrukujT", "ZapiszPdf1"}) {
    rec.messages.clear();
    Trigger(action);
    ASSERT_EQ(rec.messages.size(), 1u) << action;
    EXPECT_EQ(rec.messages[0].text, "No parameters!");
  }
  EXPECT_EQ(printing.prints, 0);
  EXPECT_TRUE(proposals.isEmpty());
}

TEST_F(ReportMenu, PrintToPdfFromThePrintDialogStopsTheTimerMeanwhile) {
  Show();
  printing.pdfPath = QString::fromStdString(files.File("printed.pdf"));
  bool timerDuring = true;
  printing.whileOpen = [&] { timerDuring = TimerRuns(); };
  Trigger("DrukujT");
  EXPECT_EQ(printing.prints, 1);
  EXPECT_FALSE(timerDuring);
  EXPECT_TRUE(TimerRuns());
  EXPECT_EQ(printing.jobTitles.value(0), "Vorta-Printing");
  EXPECT_TRUE(rec.messages.empty());
  const std::string text = PdfText(files.File("printed.pdf"));
  EXPECT_NE(text.find("Sensor: Thermocouple type K"), std::string::npos) << text;
  EXPECT_NE(text.find("Printed: " + QDate::currentDate().toString("dd.MM.yyyy").toStdString()),
            std::string::npos);
}

TEST_F(ReportMenu, CancelledPrintAndPrintSetupPrintNothingAndRestartTheTimer) {
  Show();
  bool timerDuring = true;
  printing.whileOpen = [&] { timerDuring = TimerRuns(); };
  Trigger("Drukuj1");
  EXPECT_FALSE(timerDuring);
  EXPECT_TRUE(TimerRuns());
  timerDuring = true;
  Trigger("PrintSetup1");
  EXPECT_EQ(printing.setups, 1);
  EXPECT_FALSE(timerDuring);
  EXPECT_TRUE(TimerRuns());
  EXPECT_TRUE(fs::is_empty(files.Path()));
  EXPECT_TRUE(rec.messages.empty());
}

TEST_F(ReportMenu, PrintSetupChoosesThePageOfThePrintAndThePdf) {
  Show();
  printing.setupLayout =
      QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(), QPageLayout::Millimeter);
  Trigger("PrintSetup1");
  saveAnswer = QString::fromStdString(files.File("letter.pdf"));
  Trigger("ZapiszPdf1");
  const std::string info = testing::CommandOutput("pdfinfo " + testing::Quoted(files.File("letter.pdf")));
  EXPECT_NE(info.find("612 x 792 pts"), std::string::npos) << info;  // Letter, and portrait all the same
}

TEST_F(ReportMenu, SaveReportAsPdfWritesThePageOrSaysWhyNot) {
  Show();
  saveAnswer = QString::fromStdString(files.File("TT-101.pdf"));
  Trigger("ZapiszPdf1");
  ASSERT_EQ(proposals.size(), 1);
  EXPECT_EQ(proposals[0], "TT-101.pdf");  // an untitled set is proposed under its tag
  EXPECT_EQ(filters[0], "PDF (*.pdf);;All files (*)|pdf");
  EXPECT_TRUE(rec.messages.empty());
  EXPECT_EQ(testing::PdfPages(files.File("TT-101.pdf")), 1);
  EXPECT_NE(PdfText(files.File("TT-101.pdf")).find("ID Tag: TT-101"), std::string::npos);
  EXPECT_TRUE(TimerRuns());

  saveAnswer = QString::fromStdString(files.File("gone/r.pdf"));
  Trigger("ZapiszPdf1");
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_TRUE(rec.messages[0].text.startsWith("Cannot open file:\n" + saveAnswer + "\n("))
      << rec.messages[0].text.toStdString();
  EXPECT_EQ(rec.messages[0].kind, app::kIconWarning);
  EXPECT_FALSE(fs::exists(files / "gone"));
  EXPECT_TRUE(TimerRuns());

  app::Param().kod = "TT/7:\"a\"";  // cancelled: nothing written, nothing said
  saveAnswer.clear();
  Trigger("ZapiszPdf1");
  EXPECT_EQ(proposals.value(2), "TT_7__a_.pdf");
  EXPECT_EQ(rec.messages.size(), 1u);
}

TEST_F(ReportMenu, PrintIntoAFileThatCannotBeWrittenSaysSo) {
  Show();
  printing.pdfPath = QString::fromStdString(files.File("gone/r.pdf"));
  Trigger("Drukuj1");
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text, "Cannot open file:\n" + printing.pdfPath);
  EXPECT_TRUE(TimerRuns());
}

}  // namespace
}  // namespace vorta::docs
