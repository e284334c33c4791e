// Geometry of the XY plot TWykresXY: output against input, both in percent, on a small square
// control with a raised frame. Percent to pixel for the point layer and the control, the frame,
// the nominal area with its axes and ticks, the dot rectangles, the cross-hair strips that are
// saved before the cross hairs are drawn and copied back to erase them, and a click or drag
// position back to percent. Colours are 0xBBGGRR values. Nothing here paints.
//
// Pixels: the control is controlWidth x controlHeight; the point layer (layerWidth x layerHeight)
// lies over it at (1, 1), inside the frame. A point at (x, y) percent sits in the layer at column
// round(px) + 1 and row H - 2 - round(py), on the control one pixel further right and down, with
// px = (W - 3)(x + 2) / 104 (bipolar (W - 3)(x + 104) / 208) and py = (H - 3)(y + 2) / 104, so
// 0 % and 100 % lie 2 % inside the edges. Controls smaller than kMinControlSize are laid out as
// if they had that size (the painter clips).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace vorta::charts {

inline constexpr int kDefaultControlSize = 108;
inline constexpr int kMinControlSize = 8;
inline constexpr int kTickLength = 3;  // pixels of a short tick, the axis pixel included

inline constexpr std::uint32_t kDefaultPenColor = 0x00FFFF;    // yellow
inline constexpr std::uint32_t kDefaultHairsColor = 0xFFFF00;  // aqua
inline constexpr std::uint32_t kAxisColor = 0x0000FF;          // red
inline constexpr std::uint32_t kCaptionColor = 0x008080;       // olive
inline constexpr std::uint32_t kTransparentColor = 0xFFFFFF;   // white in the point layer

struct TPixel {
  int x = 0;
  int y = 0;
  bool operator==(const TPixel&) const = default;
};

// left, top and the size; right() and bottom() are the first column and row past it.
struct TPixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const TPixelRect&) const = default;
};

// A straight horizontal or vertical line, both ends drawn.
struct TPixelLine {
  TPixel from;
  TPixel to;
  bool operator==(const TPixelLine&) const = default;
};

struct TPercentPoint {
  double x = 0.0;
  double y = 0.0;
};

struct TPlotLayout {
  int controlWidth = kDefaultControlSize;
  int controlHeight = kDefaultControlSize;
  int layerWidth = kDefaultControlSize - 2;   // W
  int layerHeight = kDefaultControlSize - 2;  // H
  bool bipolar = false;
};
// The layer is (control - 4 + 2) on each axis; in bipolar mode one column narrower when needed
// so that the zero column falls on a whole pixel.
TPlotLayout MakeLayout(int controlWidth, int controlHeight, bool bipolar);

// x clamped to -2..102 (bipolar -104..104), y to -2..102; NaN counts as 0.
TPercentPoint ClampPercent(const TPlotLayout& l, double x, double y);
TPixel LayerPixel(const TPlotLayout& l, double x, double y);
TPixel ControlPixel(const TPlotLayout& l, double x, double y);
// A click or drag at a control pixel back to percent, clamped like a plotted point.
TPercentPoint PercentAt(const TPlotLayout& l, TPixel control);

// The pixels of one plotted point: a single pixel, or a 3 x 3 block centred on it with BigDot.
struct TDotRects {
  TPixelRect layer;
  TPixelRect control;
};
TDotRects DotRects(const TPlotLayout& l, double x, double y, bool bigDot);

// The cross hairs at a control pixel: a vertical line through the plot area (rows 2 to
// controlHeight - 3) and a horizontal one (columns 2 to controlWidth - 3). These are also the
// strips to save before drawing and to copy back to erase.
struct TCrossHairRects {
  TPixelRect column;
  TPixelRect row;
};
TCrossHairRects CrossHairRects(const TPlotLayout& l, TPixel at);

// Where the cross hairs were last drawn, in control pixels; (0, 0) means none.
struct TCrossHairPosition {
  TPixel at;
  bool Shown() const { return at.x != 0 || at.y != 0; }
};
// MoveCrossHairs: first copy the saved strips back to `restore` (when `erase`), then save the
// pixels of `draw` and draw the lines there; remember `now`.
struct TCrossHairMove {
  bool erase = false;
  TCrossHairRects restore;
  TCrossHairRects draw;
  TCrossHairPosition now;
};
TCrossHairMove MoveCrossHairs(const TPlotLayout& l, TCrossHairPosition remembered, double x, double y);

// Colours of the background and the raised frame: base = BgndColor (0..100) + 32 in each channel.
struct TFrameColours {
  std::uint32_t face = 0;   // base + 16: fills the control
  std::uint32_t light = 0;  // base + 32: the outline and the nominal area
  std::uint32_t dark = 0;   // base: the bottom and right edges
};
TFrameColours FrameColours(int bgndColor);
// The same grey in every channel.
std::uint32_t Grey(int level);
struct TRgb {
  int red = 0;
  int green = 0;
  int blue = 0;
};
TRgb RgbOf(std::uint32_t bbggrr);

// Everything painted before the points, in control pixels.
struct TPlotFrame {
  TPixelRect control;            // filled with face, outlined with light
  TPixelLine bottomEdge;         // dark
  TPixelLine rightEdge;          // dark
  TPixelRect nominal;            // 0..100 % (bipolar -100..100 %) x 0..100 %, outlined with light
  std::vector<TPixelLine> axes;  // red: the axes and their short ticks
};
TPlotFrame PlotFrame(const TPlotLayout& l);

// Where the captions go for texts of the given size (from the font's metrics): "In" at the bottom
// right of the nominal area above the input axis, "Out" at its top beside the output axis, or in
// bipolar mode centred on the zero column.
struct TCaptionRects {
  TPixelRect in;
  TPixelRect out;
};
struct TPixelSize {
  int width = 0;
  int height = 0;
};
TCaptionRects CaptionRects(const TPlotLayout& l, TPixelSize inText, TPixelSize outText);

}  // namespace vorta::charts
