// The XY plot widget painted on the offscreen platform, at its starting size of 108 x 108 pixels:
// points in the pen colour at their pixel, big dots, the frame and axes, cross hairs that leave
// nothing behind when they move, and the click and drag it reports.
#include "charts/ui/wykres_xy.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace vorta::charts {
namespace {

constexpr QRgb kYellow = 0xFFFFFF00, kAqua = 0xFF00FFFF, kRed = 0xFFFF0000;

QRgb Grey(int level) {
  return qRgb(level, level, level);
}

class WykresXYTest : public ::testing::Test {
 protected:
  QImage Painted() { return plot.grab().toImage(); }
  // What the screen shows of the plot: only the parts that were repainted change.
  QImage OnScreen() {
    QApplication::processEvents();
    return plot.screen()->grabWindow(plot.winId()).toImage();
  }
  void Show() {
    plot.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plot));
  }
  void Mouse(QEvent::Type type, QPoint at) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, at, plot.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&plot, &e);
  }

  TWykresXY plot;
};

// At 108 x 108: 50 % on both axes is control pixel (54, 53); 0 % is (4, 103); 102 % column 105.
TEST_F(WykresXYTest, PointsAreSinglePixelsOrThreeByThreeBlocksInThePenColour) {
  plot.PlotPoint(50, 50);
  QImage img = Painted();
  EXPECT_EQ(img.pixel(54, 53), kYellow);
  for (QPoint n : {QPoint(53, 53), QPoint(55, 53), QPoint(54, 52), QPoint(54, 54)})
    EXPECT_NE(img.pixel(n), kYellow) << n.x() << "," << n.y();
  plot.SetBigDot(true);
  plot.PlotPoint(25, 75);  // (29, 29)
  img = Painted();
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy) EXPECT_EQ(img.pixel(29 + dx, 29 + dy), kYellow) << dx << "," << dy;
  EXPECT_NE(img.pixel(31, 29), kYellow);
  EXPECT_NE(img.pixel(29, 31), kYellow);
}

TEST_F(WykresXYTest, PointsBeyondTheAxesStayOnTheirEdgeAndThePenColourAffectsOnlyLaterPoints) {
  plot.PlotPoint(150, 50);
  plot.SetPenColor(0x0000FF);  // red, in blue-green-red order
  plot.PlotPoint(50, -40);
  const QImage img = Painted();
  EXPECT_EQ(img.pixel(105, 53), kYellow);
  EXPECT_EQ(img.pixel(54, 105), kRed);  // -2 %: row 105, inside the frame
  plot.ClearPoints();
  EXPECT_NE(Painted().pixel(105, 53), kYellow);
}

TEST_F(WykresXYTest, FrameIsRaisedInGreysOfTheBackgroundLevelWithRedAxes) {
  QImage img = Painted();
  EXPECT_EQ(img.pixel(70, 40), Grey(48));   // face: level + 32 + 16
  EXPECT_EQ(img.pixel(0, 0), Grey(64));     // outline: + 32
  EXPECT_EQ(img.pixel(50, 107), Grey(32));  // bottom and right edges: the level + 32 itself
  EXPECT_EQ(img.pixel(107, 50), Grey(32));
  EXPECT_EQ(img.pixel(4, 50), kRed);    // the input axis's zero column
  EXPECT_EQ(img.pixel(50, 103), kRed);  // the output's zero row
  EXPECT_EQ(img.pixel(6, 53), kRed);    // the tick at 50 % of the output
  plot.SetBgndColor(50);
  img = Painted();
  EXPECT_EQ(img.pixel(70, 40), Grey(98));
  EXPECT_EQ(img.pixel(0, 0), Grey(114));
}

TEST_F(WykresXYTest, BipolarPutsTheZeroAxisInTheMiddleAndStartsAnEmptyLayer) {
  plot.PlotPoint(50, 50);
  plot.SetCrossHairs(true);
  plot.MoveCrossHairs(50, 50);
  plot.SetBipolar(true);
  EXPECT_TRUE(plot.Bipolar());
  EXPECT_FALSE(plot.CrossHairPosition().Shown());
  const QImage img = Painted();
  EXPECT_EQ(img.pixel(53, 50), kRed);     // zero column of -104..104 % across 102 pixel steps
  EXPECT_EQ(img.pixel(4, 50), Grey(64));  // -100 %: the outline of the nominal area
  EXPECT_NE(img.pixel(54, 53), kYellow);
  plot.PlotPoint(-150, 50);  // held at -104 %, the first column of the layer
  EXPECT_EQ(Painted().pixel(2, 53), kYellow);
}

TEST_F(WykresXYTest, CrossHairsAppearOnlyWhenOnAndAreForgottenWhenSwitchedOff) {
  plot.MoveCrossHairs(25, 75);
  EXPECT_NE(Painted().pixel(29, 60), kAqua);
  plot.SetCrossHairs(true);
  plot.MoveCrossHairs(25, 75);
  QImage img = Painted();
  EXPECT_EQ(img.pixel(29, 2), kAqua);  // the column from row 2 to the bottom less 3
  EXPECT_EQ(img.pixel(29, 105), kAqua);
  EXPECT_NE(img.pixel(29, 106), kAqua);
  EXPECT_EQ(img.pixel(2, 29), kAqua);  // the row from column 2 to the width less 3
  EXPECT_EQ(img.pixel(105, 29), kAqua);
  plot.SetCrossHairs(false);
  plot.SetCrossHairs(true);
  EXPECT_FALSE(plot.CrossHairPosition().Shown());
  EXPECT_NE(Painted().pixel(29, 60), kAqua);
}

TEST_F(WykresXYTest, MovingCrossHairsRestoresWhatTheyCoveredPointsIncluded) {
  Show();
  plot.SetCrossHairs(true);
  plot.MoveCrossHairs(25, 75);
  plot.PlotPoint(25, 25);  // (29, 78), under the column
  QImage screen = OnScreen();
  EXPECT_EQ(screen.pixel(29, 60), kAqua);
  plot.MoveCrossHairs(50, 50);
  screen = OnScreen();
  EXPECT_EQ(screen.pixel(29, 60), Grey(48));
  EXPECT_EQ(screen.pixel(60, 29), Grey(48));
  EXPECT_EQ(screen.pixel(29, 78), kYellow);
  EXPECT_EQ(screen.pixel(54, 60), kAqua);
  EXPECT_EQ(screen, Painted());  // what a full repaint gives
}

TEST_F(WykresXYTest, ClickIsReportedAndADragReportsPercentInsteadOfAClick) {
  QSignalSpy clicks(&plot, &TWykresXY::Clicked);
  QSignalSpy drags(&plot, &TWykresXY::Dragged);
  Mouse(QEvent::MouseButtonPress, {54, 53});
  Mouse(QEvent::MouseButtonRelease, {54, 53});
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(drags.count(), 0);
  Mouse(QEvent::MouseButtonPress, {4, 53});
  Mouse(QEvent::MouseMove, {29, 53});
  Mouse(QEvent::MouseMove, {54, 29});
  Mouse(QEvent::MouseButtonRelease, {54, 29});
  EXPECT_EQ(clicks.count(), 1);
  ASSERT_EQ(drags.count(), 2);
  EXPECT_NEAR(drags[0][0].toDouble(), 25, 1);
  EXPECT_NEAR(drags[0][1].toDouble(), 50, 1);
  EXPECT_NEAR(drags[1][0].toDouble(), 50, 1);
  EXPECT_NEAR(drags[1][1].toDouble(), 75, 1);
  Mouse(QEvent::MouseMove, {80, 80});  // no button held
  EXPECT_EQ(drags.count(), 2);
}

}  // namespace
}  // namespace vorta::charts
