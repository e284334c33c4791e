// The file menu against real files: open, show, save, save as, the failures and the data folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QLineEdit>
#include <QStringList>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/param_set.h"
#include "app/settings.h"
#include "app/ui/app_state.h"
#include "app/ui/file_dialogs.h"
#include "app/ui/main_window.h"
#include "app/ui/window_state.h"
#include "platform/program_dir.h"
#include "sensors/sensor_range.h"
#include "tests/support/message_recorder.h"
#include "tests/support/program_folder.h"
#include "tests/support/scripted_file_dialogs.h"
#include "tests/support/temp_dir.h"

namespace vorta::app {
namespace {

namespace fs = std::filesystem;

const char* kFile =
    "Parametry przetwornika serii "
    "Vorta\r\n\r\nDevice=VTX39\r\n\r\nCzujnik:\r\nTyp=10\r\nTryb=7\r\nLin=2\r\n\r\n\r\n"
    "Parametry:\r\nMinInput=0\r\nMaxInput=500\r\nRoomT=25\r\nZeroReg=0,5\r\nGainReg=0\r\nFiltrZakres=10\r\n"
    "FiltrCzas=9\r\nFiltrLimit=20\r\nBurnout=1\r\nSiec=60\r\nJednostki=8\r\n\r\nInformacje:\r\nFactory:\r\n"
    "serial=42\r\ndata=01.02.2026\r\nUser:\r\nkod=TAG-7\r\nogolne=free text\r\nogolne1=\r\n\r\n";

class FileMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TVortaF::SetLineOpener([](int) { return true; });
    w = std::make_unique<TVortaF>(nullptr, false);
  }
  void TearDown() override {
    w.reset();
    TVortaF::SetLineOpener({});
  }
  QString Path(const char* name) const { return QString::fromStdString((dir_ / name).string()); }
  void Write(const char* name, const std::string& text) const {
    std::ofstream(Path(name).toStdString(), std::ios::binary) << text;
  }
  void Trigger(const char* action) const { w->findChild<QAction*>(action)->trigger(); }
  QString Field(const char* name) const { return w->findChild<QLineEdit*>(name)->text(); }

  testing::ProgramFolder folder;
  testing::TempDir files;
  testing::MessageRecorder rec;
  testing::ScriptedFileDialogs dialogs;
  fs::path dir_ = files.Path();
  std::unique_ptr<TVortaF> w;
};

TEST_F(FileMenuTest, OpenShowsTheFileAndMarksNothingWithoutATransmitter) {
  Write("k.par", kFile);
  dialogs.answers << Path("k.par");
  Trigger("Otworz1");
  ASSERT_TRUE(rec.messages.empty()) << rec.messages[0].text.toStdString();
  EXPECT_TRUE(WindowFlags().Shown);
  EXPECT_EQ(Param().Code.Typ, 10);
  EXPECT_EQ(Field("MinInputE"), "0");
  EXPECT_EQ(Field("MaxInputE"), "500");
  EXPECT_EQ(Field("FiltrZakresE"), "1.0");
  EXPECT_EQ(Field("FiltrCzasE"), "0.9");
  EXPECT_EQ(Field("FiltrLimitE"), "20");
  EXPECT_EQ(Field("KodE"), "TAG-7");
  EXPECT_EQ(w->windowTitle(), Path("k.par") + " - VTX39");
  EXPECT_EQ(w->findChild<QLineEdit*>("KodE")->property("look").toString(), "white");
  EXPECT_EQ(Settings().DataDir, dir_.string());
  EXPECT_EQ(dialogs.filters.front(), "Parameters files (*.par);;All files (*)");
}

TEST_F(FileMenuTest, SaveOfAnUntitledSetAsksForANameAndNewThenOpenGivesTheSameValues) {
  Write("k.par", kFile);
  dialogs.answers << Path("k.par");
  Trigger("Otworz1");
  Param().kod = "changed";
  w->findChild<QAction*>("Nowy1")->trigger();
  EXPECT_FALSE(WindowFlags().Shown);
  EXPECT_EQ(w->windowTitle(), "Unspecified type");

  dialogs.answers << Path("k.par");
  Trigger("Otworz1");
  dialogs.answers << Path("copy.par");
  Trigger("Zapiszjako1");
  ASSERT_EQ(dialogs.proposals.size(), 1u);
  EXPECT_EQ(dialogs.proposals[0], Path("k.par"));
  EXPECT_EQ(dialogs.suffixes[0], "par");
  ASSERT_TRUE(fs::exists((dir_ / "copy.par")));
  const TParamSet saved = Param();
  Trigger("Nowy1");
  dialogs.answers << Path("copy.par");
  Trigger("Otworz1");
  EXPECT_EQ(Param().kod, saved.kod);
  EXPECT_EQ(Param().P.Burnout, 1);
  EXPECT_EQ(Param().P.Siec, 60);
  EXPECT_DOUBLE_EQ(Param().P.ZeroReg, 0.5);
  EXPECT_TRUE(rec.messages.empty());
}

TEST_F(FileMenuTest, SaveWithoutANameGoesThroughTheDialogAndCancelWritesNothing) {
  Write("k.par", kFile);
  dialogs.answers << Path("k.par");
  Trigger("Otworz1");
  Trigger("Nowy1");
  Trigger("Zachowaj1");  // nothing shown: "No parameters!"
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text, "No parameters!");
  dialogs.answers << Path("k.par");
  Trigger("Otworz1");
  const auto before = fs::last_write_time(dir_ / "k.par");
  Trigger("Zachowaj1");  // a named file is written without a dialog
  EXPECT_EQ(dialogs.proposals.size(), 0u);
  EXPECT_GE(fs::last_write_time(dir_ / "k.par"), before);
  Trigger("Nowy1");
  dialogs.answers.clear();
  Write("k.par", kFile);
  dialogs.answers << Path("k.par");
  Trigger("Otworz1");
  w->findChild<QAction*>("Nowy1")->trigger();
  ASSERT_EQ(rec.messages.size(), 1u);
}

TEST_F(FileMenuTest, CorruptedFileIsReportedAndTheSetShownStaysWithItsMarksAndName) {
  Write("k.par", kFile);
  dialogs.answers << Path("k.par");
  Trigger("Otworz1");
  QLineEdit* kod = w->findChild<QLineEdit*>("KodE");
  kod->setText("before");
  Q_EMIT kod->textEdited("before");  // as typing does: stored and marked
  Write("bad.par", std::string(kFile).replace(std::string(kFile).find("Siec=60"), 7, "Siec=x"));
  dialogs.answers << Path("bad.par");
  Trigger("Otworz1");
  ASSERT_EQ(rec.messages.size(), 1u);  // nothing to give the changed tag up for
  EXPECT_EQ(rec.messages[0].text, "Corrupted or wrong data file!");
  EXPECT_EQ(rec.messages[0].kind, kIconError);
  EXPECT_TRUE(WindowFlags().Shown);
  EXPECT_EQ(Param().Code.Typ, 10);
  EXPECT_EQ(Param().kod, "before");
  EXPECT_EQ(kod->property("look").toString(), "aqua");
  EXPECT_EQ(w->FileName(), Path("k.par"));
  EXPECT_EQ(w->windowTitle(), Path("k.par") + " - VTX39");
  EXPECT_EQ(w->StatusText(), "Information complete");
}

TEST_F(FileMenuTest, ARangeOutsideTheSensorsLimitsOpensWithTheValuesReplacedAndSaysSo) {
  const std::string text(kFile);
  const auto range = [&text](const char* min, const char* max) {
    std::string t = text;
    t.replace(t.find("MinInput=0"), 10, std::string("MinInput=") + min);
    t.replace(t.find("MaxInput=500"), 12, std::string("MaxInput=") + max);
    return t;
  };
  Write("inverted.par", range("95", "90"));
  Write("low.par", range("-500", "500"));
  Write("inside.par", range("-100", "1000"));
  dialogs.answers << Path("inverted.par") << Path("low.par") << Path("inside.par");
  Trigger("Otworz1");
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text,
            "Range in the file was out of limits; the full range is used.\n(Minimum 95, Maximum 90)");
  EXPECT_EQ(rec.messages[0].kind, kIconWarning);
  EXPECT_EQ(Field("MinInputE"), "-150");  // the K thermocouple's limits
  EXPECT_EQ(Field("MaxInputE"), "1370");
  EXPECT_EQ(w->FileName(), Path("inverted.par"));
  Trigger("Otworz1");
  ASSERT_EQ(rec.messages.size(), 2u);
  EXPECT_EQ(rec.messages[1].text,
            "Range in the file was out of limits; the sensor's limit is used.\n(Minimum -500, Maximum 500)");
  EXPECT_EQ(Field("MinInputE"), "-150");
  EXPECT_EQ(Field("MaxInputE"), "500");
  Trigger("Otworz1");
  EXPECT_EQ(rec.messages.size(), 2u);  // a range within the limits opens silently
}

TEST_F(FileMenuTest, OpenAsksBeforeChangedFieldsAreGivenUpUnlessTheyWereSaved) {
  Write("k.par", kFile);
  dialogs.answers << Path("k.par") << Path("k.par") << Path("k.par");
  Trigger("Otworz1");
  QLineEdit* kod = w->findChild<QLineEdit*>("KodE");
  kod->setText("changed");
  Q_EMIT kod->textEdited("changed");
  Trigger("Otworz1");  // No: the changed tag stays
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text, "Discard the changes?");
  EXPECT_EQ(rec.messages[0].kind, kIconQuestion | kButtonsYesNo);
  EXPECT_EQ(Param().kod, "changed");
  Trigger("Zachowaj1");  // saved: nothing is lost any more
  ASSERT_EQ(rec.messages.size(), 1u);
  Trigger("Otworz1");
  EXPECT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(Param().kod, "changed");  // the file now holds it
  EXPECT_EQ(kod->property("look").toString(), "white");
}

TEST_F(FileMenuTest, UnwritableTargetIsReportedWithItsName) {
  Write("k.par", kFile);
  dialogs.answers << Path("k.par") << Path("missing/folder/x.par");
  Trigger("Otworz1");
  Trigger("Zapiszjako1");
  ASSERT_EQ(rec.messages.size(), 1u);
  // The lines of a message are broken whatever ends them.
  EXPECT_EQ(rec.messages[0].text, "Cannot open file:\n" + Path("missing/folder/x.par"));
  EXPECT_EQ(rec.messages[0].kind, kIconWarning);
  EXPECT_EQ(w->FileName(), Path("missing/folder/x.par"));  // Save As keeps the chosen name
}

TEST_F(FileMenuTest, ALongDataFolderIsNotRemembered) {
  const fs::path deep = dir_ / std::string(70, 'd');
  fs::create_directories(deep);
  std::ofstream((deep / "k.par").string(), std::ios::binary) << kFile;
  dialogs.answers << QString::fromStdString((deep / "k.par").string());
  Trigger("Otworz1");
  EXPECT_TRUE(WindowFlags().Shown);
  EXPECT_EQ(Settings().DataDir, "");
}

}  // namespace
}  // namespace vorta::app
