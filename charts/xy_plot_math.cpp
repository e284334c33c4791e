// Geometry of the XY plot: percent to pixel and back, dots, cross hairs, frame, axes and captions.
#include "charts/xy_plot_math.h"

#include <algorithm>
#include <cmath>

namespace vorta::charts {
namespace {

constexpr double kMargin = 2.0;          // percent beyond 0 and 100 that stays visible
constexpr double kBipolarReach = 104.0;  // the bipolar X axis runs -104..104

// Rounding of a pixel position: halves to even, as the platform's rounding does.
int RoundPixel(double v) {
  const double r = std::floor(v);
  const double d = v - r;
  double n = r;
  if (d > 0.5 || (d == 0.5 && std::fmod(r, 2.0) != 0.0)) n = r + 1.0;
  return static_cast<int>(n);
}

// The unrounded position in the layer's plot span, from 0 at -2 % to W - 3 (H - 3) at the far end.
double Px(const TPlotLayout& l, double x) {
  const double w = l.layerWidth - 3;
  return l.bipolar ? w * (x + kBipolarReach) / (2 * kBipolarReach) : w * (x + kMargin) / (100 + 2 * kMargin);
}

double Py(const TPlotLayout& l, double y) {
  return (l.layerHeight - 3) * (y + kMargin) / (100 + 2 * kMargin);
}

TPixelLine Line(int x1, int y1, int x2, int y2) {
  return {{x1, y1}, {x2, y2}};
}

// Short ticks every 10 % of both axes, pointing into the plot; in bipolar mode across the zero axis.
void AddTicks(const TPlotLayout& l, const TPixelRect& nominal, std::vector<TPixelLine>& axes) {
  const int t = kTickLength - 1;
  const int bottom = nominal.bottom() - 1;
  const int first = l.bipolar ? -10 : 0;
  for (int i = first; i <= 10; ++i) {
    const int c = ControlPixel(l, 10.0 * i, 0).x;
    axes.push_back(Line(c, bottom, c, bottom - t));
  }
  const int axis = l.bipolar ? ControlPixel(l, 0, 0).x : nominal.left;
  for (int i = 0; i <= 10; ++i) {
    const int r = ControlPixel(l, 0, 10.0 * i).y;
    axes.push_back(Line(l.bipolar ? axis - t : axis, r, axis + t, r));
  }
}

}  // namespace

TPlotLayout MakeLayout(int controlWidth, int controlHeight, bool bipolar) {
  TPlotLayout l;
  l.controlWidth = std::max(controlWidth, kMinControlSize);
  l.controlHeight = std::max(controlHeight, kMinControlSize);
  l.layerWidth = l.controlWidth - 4 + 2;
  l.layerHeight = l.controlHeight - 4 + 2;
  l.bipolar = bipolar;
  if (bipolar && (l.layerWidth - 3) % 2 != 0) --l.layerWidth;
  return l;
}

TPercentPoint ClampPercent(const TPlotLayout& l, double x, double y) {
  const double reach = l.bipolar ? kBipolarReach : 100 + kMargin;
  const double xLow = l.bipolar ? -kBipolarReach : -kMargin;
  if (std::isnan(x)) x = 0.0;
  if (std::isnan(y)) y = 0.0;
  return {std::clamp(x, xLow, reach), std::clamp(y, -kMargin, 100 + kMargin)};
}

TPixel LayerPixel(const TPlotLayout& l, double x, double y) {
  const TPercentPoint p = ClampPercent(l, x, y);
  return {RoundPixel(Px(l, p.x)) + 1, l.layerHeight - 2 - RoundPixel(Py(l, p.y))};
}

TPixel ControlPixel(const TPlotLayout& l, double x, double y) {
  const TPixel p = LayerPixel(l, x, y);
  return {p.x + 1, p.y + 1};
}

TPercentPoint PercentAt(const TPlotLayout& l, TPixel control) {
  const double px = control.x - 2;
  const double py = l.layerHeight - 1 - control.y;
  const double w = l.layerWidth - 3;
  const double x =
      l.bipolar ? px * 2 * kBipolarReach / w - kBipolarReach : px * (100 + 2 * kMargin) / w - kMargin;
  const double y = py * (100 + 2 * kMargin) / (l.layerHeight - 3) - kMargin;
  return ClampPercent(l, x, y);
}

TDotRects DotRects(const TPlotLayout& l, double x, double y, bool bigDot) {
  const TPixel p = LayerPixel(l, x, y);
  const TPixelRect layer = bigDot ? TPixelRect{p.x - 1, p.y - 1, 3, 3} : TPixelRect{p.x, p.y, 1, 1};
  return {layer, {layer.left + 1, layer.top + 1, layer.width, layer.height}};
}

TCrossHairRects CrossHairRects(const TPlotLayout& l, TPixel at) {
  return {{at.x, 2, 1, l.controlHeight - 4}, {2, at.y, l.controlWidth - 4, 1}};
}

TCrossHairMove MoveCrossHairs(const TPlotLayout& l, TCrossHairPosition remembered, double x, double y) {
  TCrossHairMove m;
  m.erase = remembered.Shown();
  if (m.erase) m.restore = CrossHairRects(l, remembered.at);
  m.now.at = ControlPixel(l, x, y);
  m.draw = CrossHairRects(l, m.now.at);
  return m;
}

std::uint32_t Grey(int level) {
  const auto v = static_cast<std::uint32_t>(std::clamp(level, 0, 255));
  return v | v << 8 | v << 16;
}

TFrameColours FrameColours(int bgndColor) {
  const int base = std::clamp(bgndColor, 0, 100) + 32;
  return {Grey(base + 16), Grey(base + 32), Grey(base)};
}

TRgb RgbOf(std::uint32_t bbggrr) {
  return {static_cast<int>(bbggrr & 0xFF), static_cast<int>(bbggrr >> 8 & 0xFF),
          static_cast<int>(bbggrr >> 16 & 0xFF)};
}

TPlotFrame PlotFrame(const TPlotLayout& l) {
  TPlotFrame f;
  const int w = l.controlWidth;
  const int h = l.controlHeight;
  f.control = {0, 0, w, h};
  f.bottomEdge = Line(0, h - 1, w - 1, h - 1);
  f.rightEdge = Line(w - 1, 0, w - 1, h - 1);
  const TPixel lowLeft = ControlPixel(l, l.bipolar ? -100 : 0, 0);
  const TPixel highRight = ControlPixel(l, 100, 100);
  f.nominal = {lowLeft.x, highRight.y, highRight.x - lowLeft.x + 1, lowLeft.y - highRight.y + 1};
  const int bottom = lowLeft.y;
  f.axes.push_back(Line(lowLeft.x, bottom, highRight.x, bottom));
  const int axis = l.bipolar ? ControlPixel(l, 0, 0).x : lowLeft.x;
  f.axes.push_back(Line(axis, highRight.y, axis, bottom));
  AddTicks(l, f.nominal, f.axes);
  return f;
}

TCaptionRects CaptionRects(const TPlotLayout& l, TPixelSize inText, TPixelSize outText) {
  const TPlotFrame f = PlotFrame(l);
  const int inRight = f.nominal.right() - 1;
  const int inBottom = f.nominal.bottom() - kTickLength;
  TCaptionRects c;
  c.in = {inRight - inText.width, inBottom - inText.height, inText.width, inText.height};
  const int outLeft = l.bipolar ? ControlPixel(l, 0, 0).x - outText.width / 2 : f.nominal.left + kTickLength;
  c.out = {outLeft, f.nominal.top + 1, outText.width, outText.height};
  return c;
}

}  // namespace vorta::charts
