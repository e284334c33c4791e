// The main window on a screen it does not fit: the parameter groups get the height the screen
// leaves and scroll, the measurement panel and the status bar stay on the screen, and the window
// is moved up or left only as far as it takes to lie wholly on the screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <fstream>
#include <memory>

#include "app/ui/main_window.h"
#include "app/window_fit.h"
#include "tests/support/message_recorder.h"
#include "tests/support/program_folder.h"

namespace vorta::app {
namespace {

TEST(ScreenFit, GroupsGetWhatTheyNeedOrWhatTheScreenLeaves) {
  struct Case {
    int needed, others, available, least;
    TGroupsFit fit;
  };
  const Case cases[] = {
      {400, 300, 768, 100, {400, false}},  // fits
      {400, 368, 768, 100, {400, false}},  // fits exactly
      {400, 369, 768, 100, {399, true}},   // one pixel short
      {400, 300, 600, 100, {300, true}},
      {400, 550, 600, 100, {100, true}},  // never below the least useful height
      {80, 550, 600, 100, {80, true}},    // nor above what the groups need
  };
  for (const Case& c : cases) {
    const TGroupsFit fit = FitGroups(c.needed, c.others, c.available, c.least);
    EXPECT_EQ(fit.height, c.fit.height) << c.needed << " " << c.others << " " << c.available;
    EXPECT_EQ(fit.scrolls, c.fit.scrolls) << c.needed << " " << c.others << " " << c.available;
  }
}

TEST(ScreenFit, WindowMovesUpOrLeftOnlyAsFarAsItTakes) {
  struct Case {
    TScreenRect frame, screen;
    int x, y;
  };
  const TScreenRect hd{0, 0, 1366, 768};
  const TScreenRect right{1920, 0, 1920, 1200};  // a second screen beside the first
  const Case cases[] = {
      {{189, 107, 600, 500}, hd, 189, 107},  // wholly on the screen: where the settings put it
      {{189, 400, 600, 500}, hd, 189, 268},  // bottom edge below the screen: moved up
      {{900, 107, 600, 500}, hd, 766, 107},  // right edge beyond: moved left
      {{-20, -5, 600, 500}, hd, 0, 0},       // above and left of it
      {{189, 107, 600, 900}, hd, 189, 0},    // taller than the screen: its top on the screen
      {{3700, 900, 600, 500}, right, 3240, 700},
  };
  for (const Case& c : cases) {
    const TScreenRect placed = PlaceOnScreen(c.frame, c.screen);
    EXPECT_EQ(placed.x, c.x) << c.frame.x << "," << c.frame.y;
    EXPECT_EQ(placed.y, c.y) << c.frame.x << "," << c.frame.y;
    EXPECT_EQ(placed.w, c.frame.w);
    EXPECT_EQ(placed.h, c.frame.h);
  }
}

class ScreenFitWindow : public ::testing::Test {
 protected:
  void TearDown() override {
    w.reset();
    TVortaF::SetLineOpener({});
    QApplication::setFont(font);
  }
  void Start(int pointSize) {
    QFont big = font;
    big.setPointSize(pointSize);
    QApplication::setFont(big);
    TVortaF::SetLineOpener([](int) { return true; });
    w = std::make_unique<TVortaF>(nullptr, false);
  }
  QRect Screen() const { return w->screen()->availableGeometry(); }
  // The widget's rectangle on the screen.
  static QRect OnScreen(const QWidget* c) { return QRect(c->mapToGlobal(QPoint(0, 0)), c->size()); }

  testing::ProgramFolder folder;
  testing::MessageRecorder rec;
  QFont font = QApplication::font();
  std::unique_ptr<TVortaF> w;
};

TEST_F(ScreenFitWindow, TooTallForTheScreenTheGroupsScrollAndTheMeasurementStaysInSight) {
  Start(18);  // large letters: the window needs more than the screen's 800 pixels
  const QRect screen = Screen();
  EXPECT_TRUE(screen.contains(w->frameGeometry()));
  EXPECT_TRUE(screen.contains(OnScreen(w->findChild<QWidget*>("WynikP"))));
  EXPECT_TRUE(screen.contains(OnScreen(w->statusBar())));
  auto* scroll = w->findChild<QScrollArea*>("ParamScroll");
  EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
  // The last of the groups can be scrolled to.
  scroll->ensureWidgetVisible(w->findChild<QWidget*>("OgolneE"));
  EXPECT_TRUE(scroll->viewport()->rect().contains(
      w->findChild<QWidget*>("OgolneE")->mapTo(scroll->viewport(), QPoint(0, 0))));
  // Switched off and on again, the status bar comes back on the screen.
  w->Status1Click();
  w->Status1Click();
  EXPECT_TRUE(screen.contains(OnScreen(w->statusBar())));
  EXPECT_TRUE(screen.contains(w->frameGeometry()));
}

TEST_F(ScreenFitWindow, AWindowThatFitsKeepsItsGroupsWholeAndMovesUpOnlyAsFarAsItTakes) {
  std::ofstream(folder.IniPath()) << "MainLeft=150\nMainTop=390\n";
  Start(9);
  const QRect screen = Screen();
  auto* scroll = w->findChild<QScrollArea*>("ParamScroll");
  EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(scroll->height(), w->findChild<QWidget*>("ParamGroups")->height());
  EXPECT_EQ(w->x(), 150);  // the left edge was on the screen
  EXPECT_LT(w->y(), 390);
  // Its bottom edge at the screen's, but for a title bar kept free while the frame was unknown.
  EXPECT_LE(w->frameGeometry().bottom(), screen.bottom());
  EXPECT_GE(w->frameGeometry().bottom(), screen.bottom() - 30);
  EXPECT_TRUE(screen.contains(OnScreen(w->statusBar())));
}

TEST_F(ScreenFitWindow, MonitorOnlyShrinksAndTheGroupsComeBackWhole) {
  Start(9);
  const int full = w->height();
  w->MonOnly1Click();
  EXPECT_FALSE(w->findChild<QScrollArea*>("ParamScroll")->isVisibleTo(w.get()));
  EXPECT_LT(w->height(), full / 2);
  w->MonOnly1Click();
  EXPECT_EQ(w->height(), full);
  EXPECT_EQ(w->findChild<QScrollArea*>("ParamScroll")->verticalScrollBar()->maximum(), 0);
}

}  // namespace
}  // namespace vorta::app
