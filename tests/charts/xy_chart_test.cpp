// The strip chart control on the offscreen platform: the picture drawn one sample at a time equals
// the picture drawn afresh from the points (through the scroll and its wrap-around), clearing,
// scales that an override breaks, marker lines that never finish, the properties' limits, the hover
// text and the context menu.
#include "charts/ui/xy_chart.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <cmath>
#include <limits>

namespace vorta::charts {
namespace {

constexpr TColor kAqua = ColorRgb(0, 255, 255), kRed = ColorRgb(255, 0, 0);

class XYChartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.resize(160, 100);
    chart.show();  // a hidden control is laid out afresh for every picture taken of it
    chart.SetClock([this] { return now; });
    chart.ClearData();
    chart.SetGrid(TGridType::gtBoth);
    chart.SetChartColor(ColorRgb(172, 168, 153));
  }
  // Offers a sample one second later.
  bool Add(double v, TColor c = kAqua) {
    now += 1;
    return chart.AddPoint(v, c);
  }
  QImage Fresh() {
    chart.Redraw();
    return chart.Picture();
  }

  double now = 1000;
  TXYChart chart;
};

TEST_F(XYChartTest, OneSampleAtATimeDrawsWhatAFullRepaintDraws) {
  for (const TChartType type : {TChartType::ctLine, TChartType::ctScatter, TChartType::ctBar}) {
    chart.SetChartType(type);
    chart.ClearData();
    chart.AutoScale = false;  // a fixed scale: every sample is drawn incrementally
    chart.MinY = 0;
    chart.MaxY = 10;
    chart.Picture();
    const int columns = chart.Layout().Columns();
    ASSERT_GT(columns, 50);
    // Through the first scroll and past the point where the data picture wraps around.
    for (int i = 0; i < 3 * columns + 7; ++i) {
      ASSERT_TRUE(Add(5 + 4 * std::sin(i * 0.3), i % 3 ? kAqua : kRed));
      if (i % 37 == 0 || i > 3 * columns) {
        const QImage incremental = chart.Picture();
        EXPECT_EQ(incremental, Fresh()) << "type " << static_cast<int>(type) << " after " << i + 1;
      }
    }
    EXPECT_EQ(chart.Points().Count(), columns);
  }
}

TEST_F(XYChartTest, SamplesWaitForTheIntervalAndBadValuesAreNotStored) {
  chart.SetInterval(2);
  EXPECT_FALSE(Add(1));
  EXPECT_TRUE(Add(2));
  EXPECT_FALSE(chart.AddPoint(std::numeric_limits<double>::quiet_NaN(), kAqua));
  now += 2;
  EXPECT_FALSE(chart.AddPoint(std::numeric_limits<double>::infinity(), kAqua));
  EXPECT_TRUE(chart.AddPoint(3, kAqua));
  EXPECT_EQ(chart.Points().Count(), 2);
  chart.SetInterval(-5);
  EXPECT_EQ(chart.Interval(), 0);
  chart.SetInterval(7200);
  EXPECT_EQ(chart.Interval(), 3600);
}

TEST_F(XYChartTest, ClearDataLeavesAnEmptyFrame) {
  const QImage empty = chart.Picture();
  Add(20.3);
  Add(20.5);
  chart.Picture();
  EXPECT_FALSE(chart.Fresh());
  EXPECT_NE(chart.Picture(), empty);
  EXPECT_DOUBLE_EQ(chart.MinY, 20.2);  // spread 0.2 around 20.4
  EXPECT_DOUBLE_EQ(chart.MaxY, 20.6);
  chart.ClearData();
  EXPECT_TRUE(chart.Fresh());
  EXPECT_EQ(chart.Points().Count(), 0);
  chart.AutoScale = false;
  chart.MinY = 0;
  chart.MaxY = 100;
  EXPECT_EQ(Fresh(), empty);
}

TEST_F(XYChartTest, AnOverrideThatBreaksTheScaleCannotBreakTheDrawing) {
  const double cases[][2] = {{5, 5}, {9, 1}, {std::nan(""), 3}, {-INFINITY, INFINITY}, {1e308, -1e308}};
  for (const auto& c : cases) {
    chart.OnScaling = [&c](TXYChart*, double& mn, double& mx) { mn = c[0], mx = c[1]; };
    Add(5);
    chart.Picture();
    EXPECT_TRUE(std::isfinite(chart.MinY) && std::isfinite(chart.MaxY));
    EXPECT_LT(chart.MinY, chart.MaxY);
  }
}

TEST_F(XYChartTest, MarkerLinesAreDrawnOnTopAndAHandlerThatNeverFinishesIsStopped) {
  chart.AutoScale = false;
  chart.MinY = 0;
  chart.MaxY = 10;
  Add(1);
  Add(2);
  std::vector<int> tags;
  chart.OnNeedLinesY = [&](TXYChart* sender, double& v, TColor& c, bool& finished) {
    tags.push_back(sender->Tag());
    v = sender->Tag() == 0 ? 7.5 : 2.5;
    c = sender->Tag() == 0 ? kAqua : kRed;
    finished = sender->Tag() == 1;
  };
  chart.Redraw();
  chart.Picture();
  const int H = chart.Layout().H, W = chart.Layout().W;
  EXPECT_EQ(tags, (std::vector<int>{0, 1}));
  // Row H - round(v × H / 10), from column 1 to W + 1.
  const int row75 = H - static_cast<int>(std::lround(7.5 * H / 10)),
            row25 = H - static_cast<int>(std::lround(2.5 * H / 10));
  for (const int x : {1, W / 2, W + 1}) {
    EXPECT_EQ(chart.PlotPixel(x, row75), kAqua) << x;
    EXPECT_EQ(chart.PlotPixel(x, row25), kRed) << x;
  }
  EXPECT_NE(chart.PlotPixel(W + 2, row75), kAqua);

  tags.clear();
  chart.OnNeedLinesY = [&](TXYChart* sender, double&, TColor&, bool& finished) {
    tags.push_back(sender->Tag());
    finished = false;
  };
  chart.Redraw();
  chart.Picture();
  EXPECT_EQ(tags.size(), 16u);
  EXPECT_EQ(chart.Tag(), 16);
}

TEST_F(XYChartTest, PropertiesKeepTheirLimits) {
  chart.SetBorderWidth(0);
  EXPECT_EQ(chart.BorderWidth(), 1);
  chart.SetBorderWidth(9);
  EXPECT_EQ(chart.BorderWidth(), 4);
  chart.SetYLabel(QString(40, QChar(0x00B0)));
  EXPECT_EQ(chart.YLabel().size(), 35);
  // A label widens the left margin.
  chart.SetYLabel("");
  chart.Picture();
  const int left = chart.Layout().frame.left;
  chart.SetYLabel("Result [C]");
  chart.Picture();
  EXPECT_GT(chart.Layout().frame.left, left);
}

TEST_F(XYChartTest, HoverTellsTimeAndValueOfTheSampleUnderThePointer) {
  Add(20.25);
  now += 61.5;
  Add(21.5);
  chart.Picture();
  const TChartLayout l = chart.Layout();
  const int y = (l.plot.top + l.plot.bottom) / 2;
  EXPECT_EQ(chart.HintAt({l.plot.left, y}), "00:00:01   20.25");
  EXPECT_EQ(chart.HintAt({l.plot.left + 1, y}), "00:01:04   21.5");  // 63.5 s: halves to even
  EXPECT_EQ(chart.HintAt({l.plot.left + 2, y}), "");
  EXPECT_EQ(chart.HintAt({l.plot.left - 1, y}), "");
  chart.OnHint = [](const TDataPoint& p) { return QString::number(p.Value); };
  EXPECT_EQ(chart.HintAt({l.plot.left + 1, y}), "21.5");
}

TEST_F(XYChartTest, ContextMenuCopiesThePictureAndOffersSavingWhenTheOwnerCan) {
  Add(1);
  QMenu menu;
  chart.FillContextMenu(menu);
  ASSERT_EQ(menu.actions().size(), 1);
  menu.actions()[0]->trigger();
  EXPECT_EQ(QApplication::clipboard()->image().size(), chart.size());
  int saves = 0;
  chart.OnSavePicture = [&saves] { ++saves; };
  QMenu withSave;
  chart.FillContextMenu(withSave);
  ASSERT_EQ(withSave.actions().size(), 2);
  withSave.actions()[1]->trigger();
  EXPECT_EQ(saves, 1);
}

}  // namespace
}  // namespace vorta::charts
