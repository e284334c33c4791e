// Geometry of the XY plot on the control's starting size (108 x 108) and others: percent to pixel
// and back, the bipolar zero column, dots, cross-hair strips, frame, axes, captions and colours.
#include "charts/xy_plot_math.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace vorta::charts {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(XyPlotMath, PercentMapsTwoPercentInsideTheEdgesAndBipolarZeroFallsOnAPixel) {
  const TPlotLayout uni = MakeLayout(108, 108, false), bi = MakeLayout(108, 108, true);
  EXPECT_EQ(uni.layerWidth, 106);
  EXPECT_EQ(bi.layerWidth, 105);
  EXPECT_EQ(bi.layerHeight, 106);
  EXPECT_EQ(MakeLayout(109, 50, true).layerWidth, 107);
  EXPECT_EQ(MakeLayout(0, -5, true).layerWidth, 5);  // laid out as 8 x 8
  const std::tuple<bool, double, double, TPixel> cases[] = {
      {false, -2, -2, {2, 105}},     {false, 102, 102, {105, 2}}, {false, 0, 0, {4, 103}},
      {false, 100, 100, {103, 4}},   {false, 50, 50, {54, 53}},   {false, 150, -50, {105, 105}},
      {false, kNaN, kNaN, {4, 103}}, {true, 0, 0, {53, 103}},     {true, -100, 0, {4, 103}},
      {true, 100, 0, {102, 103}},    {true, -150, 0, {2, 103}},
  };
  for (const auto& [bipolar, x, y, control] : cases) {
    const TPlotLayout& l = bipolar ? bi : uni;
    EXPECT_EQ(ControlPixel(l, x, y), control) << bipolar << " " << x << "," << y;
    EXPECT_EQ(LayerPixel(l, x, y), (TPixel{control.x - 1, control.y - 1})) << x << "," << y;
  }
  for (int w = 20; w <= 400; ++w) {
    const TPlotLayout l = MakeLayout(w, 108, true);
    const int zero = ControlPixel(l, 0, 0).x;
    ASSERT_EQ(zero - ControlPixel(l, -100, 0).x, ControlPixel(l, 100, 0).x - zero) << w;
  }
}

TEST(XyPlotMath, ClickPositionGoesBackToThePercentOfItsPixel) {
  for (bool bipolar : {false, true}) {
    const TPlotLayout l = MakeLayout(108, 108, bipolar);
    for (int x = 2; x <= ControlPixel(l, 200, 0).x; ++x) {
      for (int y = 2; y <= 105; ++y) {
        const TPercentPoint p = PercentAt(l, {x, y});
        ASSERT_EQ(ControlPixel(l, p.x, p.y), (TPixel{x, y})) << bipolar << " " << x << "," << y;
      }
    }
  }
  EXPECT_DOUBLE_EQ(PercentAt(MakeLayout(108, 108, false), {2, 105}).y, -2);
  EXPECT_DOUBLE_EQ(PercentAt(MakeLayout(108, 108, true), {53, 50}).x, 0);
  EXPECT_DOUBLE_EQ(PercentAt(MakeLayout(108, 108, false), {0, 0}).y, 102);
  EXPECT_DOUBLE_EQ(PercentAt(MakeLayout(108, 108, true), {500, 50}).x, 104);
}

TEST(XyPlotMath, DotsAreOnePixelOrAThreeByThreeBlockInsideTheLayer) {
  const TPlotLayout l = MakeLayout(108, 108, false);
  EXPECT_EQ(DotRects(l, 0, 0, false).layer, (TPixelRect{3, 102, 1, 1}));
  EXPECT_EQ(DotRects(l, 0, 0, false).control, (TPixelRect{4, 103, 1, 1}));
  EXPECT_EQ(DotRects(l, 0, 0, true).layer, (TPixelRect{2, 101, 3, 3}));
  EXPECT_EQ(DotRects(l, 0, 0, true).control, (TPixelRect{3, 102, 3, 3}));
  for (bool bipolar : {false, true}) {
    const TPlotLayout m = MakeLayout(108, 108, bipolar);
    for (double x : {-200.0, 200.0}) {
      for (double y : {-200.0, 200.0}) {
        const TPixelRect r = DotRects(m, x, y, true).layer;
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right() <= m.layerWidth && r.bottom() <= m.layerHeight)
            << x;
      }
    }
  }
}

TEST(XyPlotMath, CrossHairsSpanThePlotAreaAndEraseWhereTheyWereDrawn) {
  const TPlotLayout l = MakeLayout(108, 108, false);
  EXPECT_FALSE(TCrossHairPosition{}.Shown());
  const TCrossHairMove first = MoveCrossHairs(l, {}, 0, 0);
  EXPECT_FALSE(first.erase);
  EXPECT_EQ(first.now.at, (TPixel{4, 103}));
  EXPECT_EQ(first.draw.column, (TPixelRect{4, 2, 1, 104}));
  EXPECT_EQ(first.draw.row, (TPixelRect{2, 103, 104, 1}));
  const TCrossHairMove second = MoveCrossHairs(l, first.now, 100, 100);
  EXPECT_TRUE(second.erase);
  EXPECT_EQ(second.restore.column, first.draw.column);
  EXPECT_EQ(second.restore.row, first.draw.row);
  EXPECT_EQ(second.draw.column, (TPixelRect{103, 2, 1, 104}));
  // Every point that can be plotted lies on the lines through it.
  for (bool bipolar : {false, true}) {
    const TPlotLayout m = MakeLayout(108, 108, bipolar);
    for (double x = -110; x <= 110; x += 1) {
      for (double y : {-5.0, 0.0, 50.0, 102.0}) {
        const TCrossHairMove c = MoveCrossHairs(m, {}, x, y);
        ASSERT_TRUE(c.now.at.x >= c.draw.row.left && c.now.at.x < c.draw.row.right()) << x;
        ASSERT_TRUE(c.now.at.y >= c.draw.column.top && c.now.at.y < c.draw.column.bottom()) << y;
      }
    }
  }
}

TEST(XyPlotMath, FrameNominalAreaAxesTicksAndCaptions) {
  const TPlotFrame f = PlotFrame(MakeLayout(108, 108, false));
  EXPECT_EQ(f.bottomEdge, (TPixelLine{{0, 107}, {107, 107}}));
  EXPECT_EQ(f.rightEdge, (TPixelLine{{107, 0}, {107, 107}}));
  EXPECT_EQ(f.nominal, (TPixelRect{4, 4, 100, 100}));
  ASSERT_EQ(f.axes.size(), 24u);  // two axes, 11 ticks on each
  EXPECT_EQ(f.axes[0], (TPixelLine{{4, 103}, {103, 103}}));
  EXPECT_EQ(f.axes[1], (TPixelLine{{4, 4}, {4, 103}}));
  EXPECT_EQ(f.axes[2 + 5], (TPixelLine{{54, 103}, {54, 101}}));
  EXPECT_EQ(f.axes[13 + 5], (TPixelLine{{4, 53}, {6, 53}}));
  const TPlotFrame b = PlotFrame(MakeLayout(108, 108, true));
  EXPECT_EQ(b.nominal, (TPixelRect{4, 4, 99, 100}));
  ASSERT_EQ(b.axes.size(), 34u);  // 21 input ticks, 11 across the zero axis
  EXPECT_EQ(b.axes[1], (TPixelLine{{53, 4}, {53, 103}}));
  EXPECT_EQ(b.axes[2 + 10], (TPixelLine{{53, 103}, {53, 101}}));
  EXPECT_EQ(b.axes[23 + 5], (TPixelLine{{51, 53}, {55, 53}}));
  const TCaptionRects u = CaptionRects(MakeLayout(108, 108, false), {12, 13}, {20, 13});
  EXPECT_EQ(u.in, (TPixelRect{91, 88, 12, 13}));
  EXPECT_EQ(u.out, (TPixelRect{7, 5, 20, 13}));
  EXPECT_EQ(CaptionRects(MakeLayout(108, 108, true), {12, 13}, {20, 13}).out, (TPixelRect{43, 5, 20, 13}));
}

TEST(XyPlotMath, ColoursAreGreysOfTheBackgroundLevelInBlueGreenRedOrder) {
  const TFrameColours dark = FrameColours(-5), light = FrameColours(250);
  EXPECT_EQ(std::make_tuple(dark.face, dark.light, dark.dark),
            std::make_tuple(0x303030u, 0x404040u, 0x202020u));
  EXPECT_EQ(std::make_tuple(light.face, light.light, light.dark),
            std::make_tuple(0x949494u, 0xA4A4A4u, 0x848484u));
  const TRgb aqua = RgbOf(kDefaultHairsColor);
  EXPECT_EQ(std::make_tuple(aqua.red, aqua.green, aqua.blue), std::make_tuple(0, 255, 255));
}

}  // namespace
}  // namespace vorta::charts
