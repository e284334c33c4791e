// Options > General through the main window: the language switch re-labels the main window and an
// open window and goes back to English, the password rules, Help and F1 in both languages, and
// the version window's labels at their full width.
#include "app/ui/options_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "app/settings.h"
#include "app/ui/app_state.h"
#include "app/ui/main_window.h"
#include "docs/ui/about_windows.h"
#include "docs/ui/help_window.h"
#include "docs/ui/lang.h"
#include "tests/support/message_recorder.h"
#include "tests/support/program_folder.h"

namespace vorta::app {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = fs::path(VORTA_TEST_DATA_DIR) / ".." / "..";

class OptionsWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy(kSource / "docs/lang/Polski.lan", folder.Dir());
    for (const char* manual : {"VortaEN", "VortaPL"})
      fs::copy(kSource / "docs/help" / manual, fs::path(folder.Dir()) / manual, fs::copy_options::recursive);
    TVortaF::SetLineOpener([](int) { return true; });
    w = std::make_unique<TVortaF>(nullptr, false);
  }
  void TearDown() override {
    delete docs::HelpWindow();
    w.reset();
    TVortaF::SetLineOpener({});
  }
  // Opens Options > General, lets fill type into it, presses OK (and Cancel when it stays open).
  void Options(const std::function<void(TOgolneF&)>& fill) {
    QTimer::singleShot(0, [&] {
      auto* d = qobject_cast<TOgolneF*>(QApplication::activeModalWidget());
      ASSERT_NE(d, nullptr);
      fill(*d);
      d->findChild<QPushButton*>("OKbutt")->click();
      if (d->isVisible()) {
        stayedOpen = true;
        d->findChild<QPushButton*>("Cancelbutt")->click();
      }
    });
    w->findChild<QAction*>("Ogolne1")->trigger();
  }
  static void Choose(TOgolneF& d, const char* language) {
    auto* list = d.findChild<QComboBox*>("ListaLang");
    list->setCurrentIndex(list->findText(language));
  }
  static void Type(TOgolneF& d, const char* field, const char* text) {
    d.findChild<QLineEdit*>(field)->setText(text);
  }
  QString MenuTitle(const char* name) const { return w->findChild<QMenu*>(name)->title(); }

  testing::ProgramFolder folder;
  testing::MessageRecorder rec;
  std::unique_ptr<TVortaF> w;
  bool stayedOpen = false;
};

TEST_F(OptionsWindow, LanguageSwitchRelabelsTheMainWindowAndAnOpenWindowAndBack) {
  w->findChild<QAction*>("Danetech1")->trigger();
  ASSERT_NE(docs::HelpWindow(), nullptr);
  EXPECT_EQ(docs::HelpWindow()->windowTitle(), "Help");
  Options([](TOgolneF& d) { Choose(d, "Polski"); });
  EXPECT_FALSE(stayedOpen);
  EXPECT_EQ(Settings().Language, "Polski");
  EXPECT_EQ(MenuTitle("Plik1"), "&Plik");
  EXPECT_EQ(w->StatusText(), "Brak parametrów");
  EXPECT_EQ(w->findChild<QAction*>("ZapiszPdf1")->text(), "Zapisz raport jako PDF...");
  // The help window that was open follows: its title and its manual.
  EXPECT_EQ(docs::HelpWindow()->windowTitle(), "Pomoc");
  EXPECT_TRUE(docs::HelpWindow()->Folder().endsWith("/VortaPL"));
  EXPECT_TRUE(rec.messages.empty());

  Options([](TOgolneF& d) {
    EXPECT_EQ(d.windowTitle(), "Opcje");  // the dialog itself speaks the current language
    Choose(d, "English");
  });
  EXPECT_EQ(Settings().Language, "English");
  EXPECT_EQ(MenuTitle("Plik1"), "&File");
  EXPECT_EQ(w->StatusText(), "No parameters");
  EXPECT_EQ(docs::HelpWindow()->windowTitle(), "Help");
}

TEST_F(OptionsWindow, SettingsFileKeepsTheChosenLanguageAndPassword) {
  Options([](TOgolneF& d) {
    Choose(d, "Polski");
    Type(d, "StareE", "zorv");
    Type(d, "NoweE", "nowe");
    Type(d, "PowtorzE", "nowe");
  });
  w.reset();  // the end of the program writes the settings file
  std::ifstream ini(folder.IniPath(), std::ios::binary);
  std::stringstream text;
  text << ini.rdbuf();
  EXPECT_NE(text.str().find("Language=Polski\r\n"), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("Pass=" + ScramblePassword("nowe") + "\r\n"), std::string::npos);
}

TEST_F(OptionsWindow, WrongOldPasswordChangesNeitherLanguageNorPassword) {
  Options([](TOgolneF& d) {
    Choose(d, "Polski");
    Type(d, "StareE", "wrong");
    Type(d, "NoweE", "abc");
    Type(d, "PowtorzE", "abc");
  });
  EXPECT_TRUE(stayedOpen);  // then cancelled
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text, "Wrong password!");
  EXPECT_EQ(Settings().Language, "English");
  EXPECT_EQ(Settings().Pass, "zorv");
  EXPECT_EQ(MenuTitle("Plik1"), "&File");
}

TEST_F(OptionsWindow, PasswordChangesWhenTypedTwiceAlike) {
  Options([](TOgolneF& d) {
    Type(d, "StareE", "zorv");
    Type(d, "NoweE", "secret");
    Type(d, "PowtorzE", "secreT");
  });
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(Settings().Pass, "zorv");
  stayedOpen = false;
  Options([](TOgolneF& d) {
    Type(d, "StareE", "zorv");
    Type(d, "NoweE", "secret");
    Type(d, "PowtorzE", "secret");
  });
  EXPECT_FALSE(stayedOpen);
  EXPECT_EQ(Settings().Pass, "secret");
  EXPECT_EQ(Settings().Language, "English");
}

TEST_F(OptionsWindow, InvalidLanguageFileIsReportedAndTheLanguageStays) {
  fs::copy_file(folder.Dir() + "/Polski.lan", folder.Dir() + "/Broken.lan");
  std::filesystem::resize_file(folder.Dir() + "/Broken.lan", 300);  // truncated
  Options([](TOgolneF& d) { Choose(d, "Broken"); });
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text, "Broken.lan file is invalid!");
  EXPECT_EQ(Settings().Language, "English");
  EXPECT_EQ(MenuTitle("Plik1"), "&File");
}

TEST_F(OptionsWindow, F1OpensThePageOfTheWindowInFrontInTheCurrentLanguage) {
  Options([](TOgolneF& d) {
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(d.findChild<QComboBox*>("ListaLang"), &f1);
    ASSERT_NE(docs::HelpWindow(), nullptr);
    const QUrl shown = docs::HelpWindow()->findChild<QTextBrowser*>("Strona")->source();
    EXPECT_EQ(shown.fileName(), "options.html");
    EXPECT_TRUE(shown.path().contains("/VortaEN/"));
    Choose(d, "Polski");
  });
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QApplication::sendEvent(w.get(), &f1);
  const QUrl shown = docs::HelpWindow()->findChild<QTextBrowser*>("Strona")->source();
  EXPECT_EQ(shown.fileName(), "main_window.html");
  EXPECT_TRUE(shown.path().contains("/VortaPL/"));
  EXPECT_GE(docs::HelpWindow()->Search("PRZETWORNIK"), 5);
  EXPECT_EQ(docs::HelpWindow()->Search("zzzqqq"), 0);
}

TEST_F(OptionsWindow, MissingManualSaysWhichFileIsMissing) {
  fs::remove_all(fs::path(folder.Dir()) / "VortaEN");
  w->findChild<QAction*>("Danetech1")->trigger();
  EXPECT_EQ(docs::HelpWindow(), nullptr);
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_TRUE(rec.messages[0].text.endsWith("/VortaEN/index.html")) << rec.messages[0].text.toStdString();
}

TEST_F(OptionsWindow, VersionWindowLabelsAreNotCut) {
  docs::TProgwerF version(w.get());
  QFont large = version.font();  // as on a screen of a large text scale
  large.setPointSize(28);
  version.setFont(large);
  version.show();
  for (QLabel* label : version.findChildren<QLabel*>())
    EXPECT_GE(label->width(), label->sizeHint().width()) << label->objectName().toStdString();
  EXPECT_GE(version.width(), 234);
}

}  // namespace
}  // namespace vorta::app
