// The preview of a conversion: the characteristic Write would send, rising or falling as the
// conversion does, the series itself when it fails its check, and the drawing frame.
#include "sensors/conversion_preview.h"

#include <cmath>

#include "sensors/conversion_rules.h"
#include "test_support.h"

namespace vorta::sensors {
namespace {

class ConversionPreview : public testing::SensorTest {};

TEST_F(ConversionPreview, LinearPreviewFollowsTheConversionInBothDirections) {
  ApplyLinear(-10, 150, 0, 100, 9, p(), ranges());  // rising
  TPreview v = LinearPreview(p(), ranges(), 16);
  ASSERT_TRUE(v.usable);
  ASSERT_EQ(v.points.size(), 201u);
  EXPECT_NEAR(v.points.front().signal, -10, 1e-9);
  EXPECT_NEAR(v.points.front().result, 0, 1e-9);
  EXPECT_NEAR(v.points.back().signal, 150, 1e-9);
  EXPECT_NEAR(v.points.back().result, 100, 1e-9);
  EXPECT_NEAR(v.points[100].result, 50, 1e-9);
  ApplyLinear(-10, 150, 100, 0, 9, p(), ranges());  // falling: the wrong sign shows
  v = LinearPreview(p(), ranges(), 16);
  ASSERT_TRUE(v.usable);
  EXPECT_NEAR(v.points.front().result, 100, 1e-9);
  EXPECT_NEAR(v.points.back().result, 0, 1e-9);
}

TEST_F(ConversionPreview, PowerSeriesPreviewIsTheWrittenCharacteristic) {
  p().LinCoef = {-10, 2, 0.125, 0, 0, 0, 0, 0, 0, 4, 20};  // 0 .. 80 over 4 .. 20 mA
  const TPreview v = PowerSeriesPreview(p(), ranges(), 17);
  ASSERT_TRUE(v.usable);
  ASSERT_EQ(v.points.size(), 201u);
  EXPECT_NEAR(v.points.front().signal, 4, 1e-6);
  EXPECT_NEAR(v.points.front().result, 0, 1e-6);
  EXPECT_NEAR(v.points.back().result, 80, 1e-6);
  // Between the ends the 200 chords follow the series closely.
  for (const TPreviewPoint& pt : v.points) {
    const double exact = -10 + 2 * pt.signal + 0.125 * pt.signal * pt.signal;
    EXPECT_NEAR(pt.result, exact, 0.01) << pt.signal;
  }
}

TEST_F(ConversionPreview, ASeriesThatTurnsBackShowsItselfUnusable) {
  p().LinCoef = {0, 10, -0.5, 0, 0, 0, 0, 0, 0, 4, 20};  // rises to 50 at 10 mA, falls to 0 at 20
  const TPreview v = PowerSeriesPreview(p(), ranges(), 17);
  EXPECT_FALSE(v.usable);
  ASSERT_EQ(v.points.size(), 201u);
  EXPECT_NEAR(v.points.front().result, 32, 1e-9);
  EXPECT_NEAR(v.points[75].result, 50, 1e-9);
  EXPECT_NEAR(v.points.back().result, 0, 1e-9);
}

TEST_F(ConversionPreview, FrameHoldsEveryPointAndNeverCollapses) {
  TPreview v;
  v.points = {{4, 10}, {20, -5}, {12, 30}};
  const TPreviewFrame f = FrameOf(v);
  EXPECT_EQ(f.sMin, 4);
  EXPECT_EQ(f.sMax, 20);
  EXPECT_EQ(f.rMin, -5);
  EXPECT_EQ(f.rMax, 30);
  const TPreviewPixel corner = PixelOf(f, {4, -5}, 200, 100);
  EXPECT_EQ(corner.x, 0);
  EXPECT_EQ(corner.y, 100);  // the lowest result at the bottom
  const TPreviewPixel top = PixelOf(f, {20, 30}, 200, 100);
  EXPECT_EQ(top.x, 200);
  EXPECT_EQ(top.y, 0);
  v.points = {{5, 7}, {5, 7}};
  const TPreviewFrame flat = FrameOf(v);
  EXPECT_LT(flat.sMin, flat.sMax);
  EXPECT_LT(flat.rMin, flat.rMax);
  const TPreviewPixel mid = PixelOf(flat, {5, 7}, 200, 100);
  EXPECT_TRUE(std::isfinite(mid.x) && std::isfinite(mid.y));
  EXPECT_EQ(FrameOf({}).sMax, 1);
}

}  // namespace
}  // namespace vorta::sensors
