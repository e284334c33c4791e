// The strip chart's numbers: automatic scale, layout of frame and plot, grid, ticks and scale labels,
// value-to-pixel mapping, the marks each sample leaves on the data picture and the marker lines.
// The widget measures texts and draws; everything it draws is computed here as plain structs.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "charts/strip_chart_data.h"

namespace vorta::charts {

enum class TChartType { ctScatter, ctLine, ctBar };
enum class TGridType { gtNone, gtHorz, gtVert, gtBoth };

// The appearance properties that shape the picture, with their defaults.
struct TChartLook {
  TGridType Grid = TGridType::gtNone;
  TColor BackGround = kColorSilver;
  TColor ChartColor = kColorWhite;
  int BorderWidth = 1;
};
constexpr int kYLabelCapacity = 35;
std::string CutYLabel(std::string_view utf8);  // the first 35 characters
int ClampBorderWidth(int width);               // 1..4
TColor GridColor(TColor chartColor);           // grey on a silver chart, else silver

// ---- Scale

struct TChartScale {
  double MinY = 0.0;
  double MaxY = 100.0;
  bool operator==(const TChartScale&) const = default;
};
// May change the scale after automatic scaling (the chart's OnScaling).
using TScaling = std::function<void(double& minY, double& maxY)>;

// The automatic scale of data from mn to mx: whole numbers around the data, or for a spread of 2 or
// less a scale centred on the data's middle (to a tenth) spreading twice the data's spread (at least
// 0.1 each way; 1 from 100 up, 10 from 1000 up).
TChartScale AutoScaleOf(double mn, double mx);
// A scale the chart can draw: an end that is not finite gives fallback (or 0..100), ends beyond
// ±1e300 are cut, inverted ends are swapped, an empty range is widened as a constant signal would be.
TChartScale UsableScale(TChartScale wanted, TChartScale fallback);
// The chart's scale after a change: the automatic scale of the stored values when autoScale is set and
// there are any, else current; then OnScaling when assigned. Always usable.
TChartScale CalcScale(const TStripChartData& data, bool autoScale, TChartScale current,
                      const TScaling& onScaling);

// ---- Texts

// A scale label: rounded to 3 decimals below 10, 2 below 100, 1 below 1000, else whole (halves to
// even), in the general float format with sep as decimal separator.
std::string FormatScale(double v, char sep);
// The texts whose widest, measured in the chart's font, widens the frame's left edge: the eleven
// tenths of the scale as negative values, and "-0.000".
std::array<std::string, 12> ScaleProbeTexts(TChartScale s, char sep);
// Elapsed time as "hh:mm:ss" from milliseconds, rounded to whole seconds (halves to even); the hours
// have at least two digits and run past 24.
std::string ElapsedText(std::int64_t ms);

// ---- Geometry

struct TChartPoint {
  int x = 0;
  int y = 0;
};
// Edges as the platform's rectangles have them: an outline covers columns left..right - 1.
struct TChartRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};
// A line with both ends drawn.
struct TChartSegment {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// The control's size and the font measures the layout needs, from the widget.
struct TChartMetrics {
  int width = 147;
  int height = 105;
  int yLabelHeight = 0;      // text height of YLabel in YLabelFont
  int textHeightA = 13;      // text height of "A" in the chart's font
  int widestScaleLabel = 0;  // widest of ScaleProbeTexts in the chart's font
};

struct TChartLayout {
  TChartRect frame;                      // the rounded frame
  TChartRect plot;                       // the area of the data
  int W = 0;                             // plot.right - plot.left: the data columns are 0..W
  int H = 1;                             // plot.bottom - plot.top + 1: the height the values map onto
  TChartPoint yLabelAt;                  // start of the rotated YLabel (reading upwards)
  int Columns() const { return W + 1; }  // samples the plot holds
  // The data and plot pictures: their size and their place on the control.
  int PictureWidth() const { return W + 3; }
  int PictureHeight() const { return H + 2; }
  TChartPoint PictureAt() const { return {plot.left - 1, plot.top - 1}; }
};
TChartLayout ChartLayout(const TChartMetrics& m);

// Index of the sample drawn at control column x, or -1.
int PointAtX(const TChartLayout& layout, int count, int x);

// ---- Value to pixel

class TValueMap {
 public:
  TValueMap(TChartScale s, int H);
  const TChartScale& Scale() const { return s_; }
  int Height() const { return h_; }  // H
  // Pixels above the plot's bottom: (v - MinY) × H / (MaxY - MinY).
  double Offset(double v) const { return (v - s_.MinY) * factor_; }
  bool OnPlot(double v) const;  // offset within 0..H
  // The row in the plot picture, H - round(offset), held within -1..H + 2 so that a value off the scale
  // is drawn just outside the picture.
  int Row(double v) const;

 private:
  TChartScale s_;
  int h_;
  double factor_;
};

// ---- The base picture: grid, ticks and scale labels

struct TChartLines {
  std::array<TChartSegment, 11> line{};
  int count = 0;
};
struct TYTick {
  TChartSegment tick;
  bool hasText = false;
  std::string text;        // after OnDrawScales
  TChartPoint textAnchor;  // the text's right end, its vertical centre
};
struct TYScale {
  std::array<TYTick, 11> ticks{};
  int count = 0;
};
// May change each scale label before it is drawn (the chart's OnDrawScales).
using TDrawScales = std::function<void(std::string& text)>;

TChartLines VerticalGrid(const TChartLayout& layout, int borderWidth);
TChartLines HorizontalGrid(const TChartLayout& layout, int borderWidth, int textHeightA);
TChartLines XTicks(const TChartLayout& layout, int borderWidth);
TYScale YScale(const TChartLayout& layout, TChartScale s, int textHeightA, char sep,
               const TDrawScales& onDrawScales);

struct TBasePicture {
  TChartLayout layout;
  TColor gridColor = kColorSilver;
  TChartLines verticalGrid, horizontalGrid, xTicks;  // empty where Grid leaves them out
  TYScale yScale;
};
TBasePicture BasePicture(const TChartLook& look, const TChartMetrics& m, TChartScale s, char sep,
                         const TDrawScales& onDrawScales);

// ---- The data picture

struct TDataMark {
  enum class TKind { kNone, kBox, kSegment };
  TKind kind = TKind::kNone;
  TChartSegment at;  // kBox: the outline of the box with these corners; kSegment: the line
  TColor color = kColorBlack;
};
// What sample index leaves on the data picture (column index + 1), its row and that of the sample
// before it (ignored for index 0).
TDataMark PointMark(TChartType type, int index, int row, int prevRow, int H, TColor color);
// The mark of the latest sample, drawn after it was added.
TDataMark LatestMark(const TStripChartData& data, const TValueMap& map, TChartType type);
// Every sample's mark, oldest first, into out (its storage is reused).
void DataMarks(const TStripChartData& data, const TValueMap& map, TChartType type,
               std::vector<TDataMark>& out);

// ---- Marker lines

constexpr int kMaxMarkerLines = 16;
// Supplies marker line number tag: sets value and color, and finished after the last line.
using TNeedLines = std::function<void(int tag, double& value, TColor& color, bool& finished)>;
struct TMarkerLine {
  TChartSegment at;  // a row of the plot picture, columns 1..W + 1
  TColor color = kColorBlack;
};
struct TMarkerLines {
  std::array<TMarkerLine, kMaxMarkerLines> lines{};
  int count = 0;  // lines on the plot
  int calls = 0;  // calls of the handler
};
// Asks the handler for line after line: the value starts just below the scale and keeps the handler's
// last value and colour between calls; finished is cleared before every call; a line is drawn when its
// value lies on the plot; the asking stops when the handler sets finished or after 16 lines.
TMarkerLines MarkerLines(const TValueMap& map, int W, const TNeedLines& onNeedLines);

}  // namespace vorta::charts
