// The main window's shell on the offscreen platform: the "New" state, enabling of the reduced
// layouts, the message box seam, the splash and the settings written at the end.
#include "app/ui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/param_set.h"
#include "app/settings.h"
#include "app/ui/app_state.h"
#include "app/ui/window_state.h"
#include "docs/ui/parametry_form.h"
#include "platform/program_dir.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/message_recorder.h"
#include "tests/support/program_folder.h"

namespace vorta::app {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Param().Device = "VTX39";
    Param().kod = "leftover";
    TVortaF::SetLineOpener([](int) { return true; });  // no transmitter on the line
    w = std::make_unique<TVortaF>(nullptr, false);
  }
  void TearDown() override {
    w.reset();
    TVortaF::SetLineOpener({});
  }
  std::string IniPath() const { return folder.IniPath(); }
  template <typename T>
  T* Child(const char* name) const {
    T* c = w->findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  bool Enabled(const char* action) const { return Child<QAction>(action)->isEnabled(); }

  testing::ProgramFolder folder;
  testing::MessageRecorder rec;
  std::unique_ptr<TVortaF> w;
};

TEST_F(MainWindowTest, ComesUpInTheNewState) {
  ASSERT_TRUE(w->Started());
  EXPECT_EQ(w->StatusText(), "No parameters");
  EXPECT_EQ(w->windowTitle(), "Unspecified type");
  EXPECT_EQ(Param().Code.Typ, 20);
  EXPECT_TRUE(Param().Device.empty());
  EXPECT_TRUE(Param().kod.empty());
  EXPECT_EQ(Child<QLabel>("SensorT")->text(), "???");
  // "New" leaves input type 20: the label is that of the converted inputs.
  EXPECT_EQ(Child<QLabel>("Reakcja")->text(), "Internal failure sygnalization:");
  for (const char* field :
       {"MinInputE", "MaxInputE", "FiltrZakresE", "FiltrCzasE", "FiltrLimitE", "KodE", "OgolneE"}) {
    auto* e = Child<QLineEdit>(field);
    EXPECT_FALSE(e->isEnabled()) << field;
    EXPECT_TRUE(e->text().isEmpty()) << field;
    EXPECT_EQ(e->property("look").toString(), "grey") << field;
  }
  EXPECT_FALSE(Child<QComboBox>("BurnoutE")->isEnabled());
  EXPECT_FALSE(Child<QComboBox>("SiecE")->isEnabled());
  // Without a transmitter every command that needs one is disabled.
  for (const char* a : {"OdczytajT", "ZapiszT", "RegulacjaT", "Regulacja1", "Reset1", "Wykres1T"})
    EXPECT_FALSE(Enabled(a)) << a;
  EXPECT_FALSE(Child<QMenu>("Ustawienia1")->menuAction()->isEnabled());
  EXPECT_TRUE(Enabled("Nowy1"));
  EXPECT_TRUE(Child<QAction>("Pasek1")->isChecked());
  EXPECT_TRUE(Child<QAction>("Status1")->isChecked());
  EXPECT_TRUE(rec.messages.empty());
}

TEST_F(MainWindowTest, MenusCarryTheirTextsAndShortcuts) {
  EXPECT_EQ(Child<QAction>("Otworz1")->text(), "&Open...");
  EXPECT_EQ(Child<QAction>("Symulacja1")->text(), "&Simulation");
  EXPECT_EQ(Child<QAction>("Otworz1")->shortcut(), QKeySequence(Qt::Key_F3));
  EXPECT_EQ(Child<QAction>("Zachowaj1")->shortcut(), QKeySequence(Qt::Key_F2));
  EXPECT_EQ(Child<QAction>("Exit1")->shortcut(), QKeySequence(Qt::Key_F10));
  EXPECT_EQ(Child<QAction>("Odczytaj1")->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_EQ(Child<QAction>("Zapisz1")->shortcut(), QKeySequence("Ctrl+Z"));
  EXPECT_EQ(Child<QAction>("Weryfikuj1")->shortcut(), QKeySequence("Ctrl+W"));
  EXPECT_EQ(Child<QAction>("Czujniki1")->shortcut(), QKeySequence("Ctrl+C"));
  EXPECT_EQ(Child<QAction>("Reset1")->shortcut(), QKeySequence("Ctrl+R"));
  EXPECT_EQ(Child<QAction>("Regulacja1")->shortcut(), QKeySequence("Ctrl+K"));
  EXPECT_EQ(Child<QLabel>("FiltrCzasTxt")->text(), "Time constant (0-50s)");
  EXPECT_EQ(Child<QAction>("OdczytajT")->toolTip(), "Read settings");
}

TEST_F(MainWindowTest, EnDisMenuHidesAndRestoresTheBars) {
  w->EnDisMenu(false);
  EXPECT_FALSE(w->statusBar()->isVisibleTo(w.get()));
  EXPECT_FALSE(Child<QToolBar>("ToolBar1")->isVisibleTo(w.get()));
  for (const char* a : {"Status1", "Pasek1", "Ogolne1", "Symulacja1", "Nowy1", "Otworz1", "Zachowaj1",
                        "Zapiszjako1", "Drukuj1", "PrintSetup1"})
    EXPECT_FALSE(Enabled(a)) << a;
  EXPECT_FALSE(Child<QMenu>("Konfig1")->menuAction()->isEnabled());
  EXPECT_FALSE(Child<QAction>("Status1")->isChecked());
  w->EnDisMenu(true);
  EXPECT_TRUE(w->statusBar()->isVisibleTo(w.get()));
  EXPECT_TRUE(Child<QToolBar>("ToolBar1")->isVisibleTo(w.get()));
  EXPECT_TRUE(Enabled("Nowy1"));
  EXPECT_TRUE(Child<QMenu>("Konfig1")->menuAction()->isEnabled());
}

TEST_F(MainWindowTest, StatusToggleChangesTheWindowHeight) {
  const int before = w->height();
  Child<QAction>("Status1")->trigger();
  EXPECT_FALSE(Child<QAction>("Status1")->isChecked());
  EXPECT_LT(w->height(), before);
  Child<QAction>("Status1")->trigger();
  EXPECT_EQ(w->height(), before);
}

TEST_F(MainWindowTest, MonitorOnlyShrinksToTheMeasurementAndShowsBothBarsAfterwards) {
  Child<QAction>("Autoread1")->trigger();
  ASSERT_TRUE(WindowFlags().AutoRead);
  Child<QAction>("Pasek1")->trigger();  // the user hid the toolbar before
  ASSERT_FALSE(Child<QToolBar>("ToolBar1")->isVisibleTo(w.get()));
  const QSize normal = w->size();
  Child<QAction>("MonOnly1")->trigger();
  EXPECT_TRUE(Child<QAction>("MonOnly1")->isChecked());
  EXPECT_FALSE(WindowFlags().AutoRead);
  EXPECT_FALSE(Enabled("Autoread1"));
  EXPECT_FALSE(Enabled("Wykres1"));
  EXPECT_FALSE(Child<QGroupBox>("SensorG")->isVisibleTo(w.get()));
  EXPECT_TRUE(Child<QWidget>("WynikP")->isVisibleTo(w.get()));
  EXPECT_LT(w->height(), normal.height());
  Child<QAction>("MonOnly1")->trigger();
  EXPECT_FALSE(Child<QAction>("MonOnly1")->isChecked());
  EXPECT_TRUE(WindowFlags().AutoRead);  // resumes because Auto-read is still checked
  EXPECT_TRUE(Enabled("Autoread1"));
  EXPECT_TRUE(Child<QGroupBox>("SensorG")->isVisibleTo(w.get()));
  EXPECT_TRUE(w->statusBar()->isVisibleTo(w.get()));
  EXPECT_TRUE(Child<QToolBar>("ToolBar1")->isVisibleTo(w.get()));
}

TEST(MainWindowStart, PortThatCannotBeOpenedIsReportedAndTheProgramRunsOn) {
  testing::ProgramFolder folder;
  testing::MessageRecorder rec;
  int opened = 0;
  TVortaF::SetLineOpener([&opened](int port) {
    opened = port;
    return false;
  });
  std::ofstream(folder.IniPath()) << "ComPort=7\n";  // the port comes from the settings file
  auto w = std::make_unique<TVortaF>(nullptr, false);
  EXPECT_TRUE(w->Started());
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(opened, 7);
  EXPECT_EQ(rec.messages[0].text, "COM7 initialization failed!");
  ASSERT_EQ(rec.beeps.size(), 1u);
  EXPECT_EQ(rec.beeps[0], BeepKind::kAsterisk);
  w.reset();
  TVortaF::SetLineOpener({});
}

TEST_F(MainWindowTest, InsertKeyTogglesItsPanelAndKeysRecordThePosition) {
  auto* ins = Child<QLabel>("StatPanel4");
  w->move(321, 222);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
  press.setTimestamp(1);
  QApplication::sendEvent(Child<QWidget>("SenSel"), &press);  // ignored by the button, seen once
  EXPECT_EQ(ins->text(), "INS");
  EXPECT_EQ(Settings().MainLeft, w->x());
  QKeyEvent again(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
  again.setTimestamp(2);
  QApplication::sendEvent(Child<QWidget>("SenSel"), &again);
  EXPECT_EQ(ins->text(), "");
}

TEST_F(MainWindowTest, CaptionShowsFileNameAndModelDisplayName) {
  Param().Device = "VTX39";
  w->ShowCaption();
  EXPECT_EQ(w->windowTitle(), "No_name - VTX39");
  Param().Device = "VTX37";
  w->ShowCaption();
  EXPECT_EQ(w->windowTitle(), "No_name - ?");
  Param().Device = "ABC12";
  w->ShowCaption();
  EXPECT_EQ(w->windowTitle(), "No_name");
}

TEST_F(MainWindowTest, ExitWritesTheSettingsFile) {
  Settings().ComPort = 7;
  w.reset();
  std::ifstream in(IniPath(), std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  EXPECT_NE(ss.str().find("\r\nComPort=7\r\n"), std::string::npos) << ss.str();
  EXPECT_TRUE(docs::TParametryF::LastSaveSucceeded());
}

TEST_F(MainWindowTest, SettingsThatCannotBeSavedAreReportedWithTheSystemsReason) {
  std::filesystem::create_directory(IniPath());  // a folder where the file should be
  EXPECT_TRUE(w->close());
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text,
            "The settings could not be saved:\n" + QString::fromStdString(IniPath()) + "\n(Is a directory)");
  EXPECT_EQ(rec.messages[0].kind, kIconWarning);
  EXPECT_FALSE(docs::TParametryF::LastSaveSucceeded());
}

TEST_F(MainWindowTest, SettingsOnAFullDiskAreReportedAsSuch) {
  {
    testing::FileSizeLimit full(16);
    EXPECT_TRUE(w->close());
  }
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text,
            "The settings could not be saved:\n" + QString::fromStdString(IniPath()) + "\n(File too large)");
}

TEST_F(MainWindowTest, MessageLinesBreakAtCrCrLfAndLf) {
  MyMesM("one\rtwo\r\nthree\nfour", kIconInfo);
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text, "one\ntwo\nthree\nfour");
}

TEST(Splash, EscapeEndsTheProgramAndTheSettingsAreStillWritten) {
  testing::ProgramFolder folder;
  testing::MessageRecorder rec;
  QTimer::singleShot(50, [] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(modal, &esc);
  });
  auto w = std::make_unique<TVortaF>(nullptr, true);
  EXPECT_FALSE(w->Started());
  w.reset();
  EXPECT_TRUE(std::filesystem::exists(folder.IniPath()));
}

TEST(Splash, EnterContinuesToTheMainWindow) {
  testing::ProgramFolder folder;
  testing::MessageRecorder rec;
  QTimer::singleShot(50, [] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    EXPECT_EQ(modal->findChild<QLabel*>("Version")->text(), "v 3.12");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(modal, &enter);
  });
  auto w = std::make_unique<TVortaF>(nullptr, true);
  EXPECT_TRUE(w->Started());
  EXPECT_TRUE(w->isVisible());
}

}  // namespace
}  // namespace vorta::app
