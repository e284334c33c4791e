// The strip chart's scale, layout, grid, labels, pixel mapping, sample marks and marker lines.
#include "charts/strip_chart_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace vorta::charts {
namespace {

constexpr double kScaleLimit = 1e300;  // keeps MaxY - MinY finite
constexpr int kPixelLimit = 1 << 20;   // keeps pixel arithmetic far from integer overflow

// Round to nearest, halves to even. Decimal steps such as 0.05 are not exact in binary: a value
// within 1e-9 of a half counts as one.
double RoundHalfEven(double v) {
  if (!std::isfinite(v) || std::fabs(v) >= 4503599627370496.0) return v;  // 2^52: already whole
  const double lower = std::floor(v);
  if (std::fabs(v - lower - 0.5) < 1e-9) return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
  return std::floor(v + 0.5);
}

// num / den for num >= 0, den > 0, rounded to nearest with halves to even.
int RoundDiv(long long num, long long den) {
  long long q = num / den;
  const long long r2 = 2 * (num % den);
  if (r2 > den || (r2 == den && q % 2 != 0)) ++q;
  return static_cast<int>(q);
}

// Too narrow to draw: empty, or lost in the precision of its ends.
bool TooNarrow(double lo, double hi) {
  const double mag = std::max(std::fabs(lo), std::fabs(hi));
  return !(hi - lo >= std::max(1e-100, mag * 1e-12));
}

// The middle of mn..mx to a tenth; past 10^14 the tenths are beyond a double's precision.
double Middle(double mn, double mx) {
  const double m = mn / 2 + mx / 2;
  return std::fabs(m) < 1e14 ? RoundHalfEven((mx + mn) * 10 / 2) / 10 : m;
}

// The general float format: up to 15 significant digits, an exponent from 10^15 up.
std::string GeneralFloat(double v, char sep) {
  if (v == 0.0) return "0";
  char buf[64];
  std::string s;
  if (std::fabs(v) < 1e15) {
    std::snprintf(buf, sizeof buf, "%.3f", v);  // the caller rounded to at most 3 decimals
    s = buf;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  } else {
    std::snprintf(buf, sizeof buf, "%.14e", v);
    s = buf;
    const std::size_t e = s.find('e');
    const int exp10 = std::atoi(s.c_str() + e + 1);
    s.erase(e);
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    s += exp10 < 0 ? "E-" : "E+";
    s += std::to_string(std::abs(exp10));
  }
  std::replace(s.begin(), s.end(), '.', sep);
  return s;
}

// The positions of grid lines, ticks and labels along an extent, chosen by k: 3 positions below 3,
// quarters at 3, every second tenth at 4, every tenth from 5 up. Each step is a distance and the
// fraction num / den of the extent it stands for.
struct TStep {
  int distance = 0;
  int num = 0;
  int den = 1;
};
struct TSteps {
  std::array<TStep, 11> at{};
  int count = 0;
  void Add(int d, int num, int den) { at[static_cast<std::size_t>(count++)] = {d, num, den}; }
};

TSteps Steps(int extent, int k) {
  TSteps s;
  if (k < 3) {
    const int d[] = {0, extent / 2, extent};
    for (int j = 0; j <= 2; ++j) s.Add(d[j], j, 2);
  } else if (k == 3) {
    const int q = extent / 4;
    const int d[] = {0, q, extent / 2, 3 * q, extent};
    for (int j = 0; j <= 4; ++j) s.Add(d[j], j, 4);
  } else {
    for (int i = 0; i <= 10; i += k == 4 ? 2 : 1)
      s.Add(RoundDiv(static_cast<long long>(extent) * i, 10), i, 10);
  }
  return s;
}

// Label rows: m = plot height / (2 × the height of "A").
int LabelRule(int h, int textHeightA) {
  return h / (2 * std::max(textHeightA, 1));
}

}  // namespace

std::string CutYLabel(std::string_view utf8) {
  // The capacity counts characters: never cut a UTF-8 sequence in two.
  std::size_t chars = 0, i = 0;
  while (i < utf8.size() && chars < kYLabelCapacity) {
    ++i;
    while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
    ++chars;
  }
  return std::string(utf8.substr(0, i));
}

int ClampBorderWidth(int width) {
  return std::clamp(width, 1, 4);
}

TColor GridColor(TColor chartColor) {
  return chartColor == kColorSilver ? kColorGrey : kColorSilver;
}

TChartScale AutoScaleOf(double mn, double mx) {
  if (mn > mx) std::swap(mn, mx);
  TChartScale s{std::floor(mn), std::ceil(mx)};
  if (s.MaxY - s.MinY <= 2) {
    // The spread in tenths, up to the next tenth; the tolerance keeps 1.1 - 0.8 at three tenths.
    double half = std::ceil((mx - mn) * 10 - 1e-9) / 10;
    const double mid = Middle(mn, mx);
    if (half < 0.1) half = 0.1;
    if (s.MaxY >= 100) half = 1;
    if (s.MaxY >= 1000) half = 10;
    s = {mid - half, mid + half};
  }
  if (TooNarrow(s.MinY, s.MaxY)) {
    // Values so large that the steps above vanish in their precision.
    const double mid = s.MinY / 2 + s.MaxY / 2;
    const double d = std::max(std::fabs(mid) * 1e-6, 0.1);
    s = {mid - d, mid + d};
  }
  return s;
}

TChartScale UsableScale(TChartScale wanted, TChartScale fallback) {
  const auto finite = [](const TChartScale& t) { return std::isfinite(t.MinY) && std::isfinite(t.MaxY); };
  TChartScale s = finite(wanted) ? wanted : finite(fallback) ? fallback : TChartScale{};
  s.MinY = std::clamp(s.MinY, -kScaleLimit, kScaleLimit);
  s.MaxY = std::clamp(s.MaxY, -kScaleLimit, kScaleLimit);
  if (s.MinY > s.MaxY) std::swap(s.MinY, s.MaxY);
  if (TooNarrow(s.MinY, s.MaxY)) {
    const double c = s.MinY / 2 + s.MaxY / 2;
    return AutoScaleOf(c, c);
  }
  return s;
}

TChartScale CalcScale(const TStripChartData& data, bool autoScale, TChartScale current,
                      const TScaling& onScaling) {
  double mn = 0, mx = 0;
  TChartScale s = current;
  if (autoScale && data.ValueRange(mn, mx)) s = AutoScaleOf(mn, mx);
  s = UsableScale(s, TChartScale{});
  if (onScaling) {
    TChartScale wanted = s;
    onScaling(wanted.MinY, wanted.MaxY);
    s = UsableScale(wanted, s);
  }
  return s;
}

std::string FormatScale(double v, char sep) {
  if (!std::isfinite(v)) return "0";
  const double a = std::fabs(v);
  const int decimals = a < 10 ? 3 : a < 100 ? 2 : a < 1000 ? 1 : 0;
  const double p = std::pow(10.0, decimals);
  if (a < 1e15) v = RoundHalfEven(v * p) / p;
  return GeneralFloat(v, sep);
}

std::array<std::string, 12> ScaleProbeTexts(TChartScale s, char sep) {
  std::array<std::string, 12> t;
  for (int i = 0; i <= 10; ++i)
    t[static_cast<std::size_t>(i)] = FormatScale(-std::fabs(s.MinY + (s.MaxY - s.MinY) * (10 - i) / 10), sep);
  t[11] = "-0.000";
  return t;
}

std::string ElapsedText(std::int64_t ms) {
  long long s = ms <= 0 ? 0 : ms / 1000;
  const long long r = ms <= 0 ? 0 : ms % 1000;
  if (r > 500 || (r == 500 && s % 2 != 0)) ++s;
  char buf[48];
  std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  return buf;
}

TChartLayout ChartLayout(const TChartMetrics& m) {
  const int width = std::clamp(m.width, 0, kPixelLimit);
  const int height = std::clamp(m.height, 0, kPixelLimit);
  const int labelHeight = std::clamp(m.yLabelHeight, 0, kPixelLimit);
  TChartLayout l;
  TChartRect& f = l.frame;
  f.left =
      static_cast<int>(RoundHalfEven(1.1 * labelHeight)) + 4 + std::clamp(m.widestScaleLabel, 0, kPixelLimit);
  f.top = 4;
  f.right = std::max(width - 4, f.left);
  f.bottom = std::max(height - 4, f.top);
  // A control too small for its margins collapses the plot to one column and one row.
  const int inset = width * 3 / 100;
  l.plot = {f.left + inset, f.top + inset, std::max(f.right - inset, f.left + inset),
            std::max(f.bottom - inset, f.top + inset)};
  l.W = l.plot.right - l.plot.left;
  l.H = l.plot.bottom - l.plot.top + 1;
  l.yLabelAt = {1, (labelHeight + height) / 2};
  return l;
}

int PointAtX(const TChartLayout& layout, int count, int x) {
  const int i = x - layout.plot.left;
  return i >= 0 && i < count && i <= layout.W ? i : -1;
}

TValueMap::TValueMap(TChartScale s, int H) : s_(UsableScale(s, TChartScale{})), h_(std::max(H, 1)) {
  factor_ = h_ / (s_.MaxY - s_.MinY);
}

bool TValueMap::OnPlot(double v) const {
  const double o = Offset(v);
  return o >= 0 && o <= h_;
}

int TValueMap::Row(double v) const {
  const double o = Offset(v);
  if (std::isnan(o)) return h_ + 2;
  return h_ - static_cast<int>(RoundHalfEven(std::clamp(o, -2.0, h_ + 1.0)));
}

TChartLines VerticalGrid(const TChartLayout& l, int borderWidth) {
  TChartLines r;
  const int bw = ClampBorderWidth(borderWidth);
  const TSteps s = Steps(l.W, l.W / 10);
  for (int j = 0; j < s.count; ++j) {
    const int x = l.plot.right - s.at[static_cast<std::size_t>(j)].distance;
    r.line[static_cast<std::size_t>(r.count++)] = {x, l.frame.top + bw, x, l.frame.bottom - bw};
  }
  return r;
}

TChartLines HorizontalGrid(const TChartLayout& l, int borderWidth, int textHeightA) {
  TChartLines r;
  const int bw = ClampBorderWidth(borderWidth);
  const int h = l.plot.bottom - l.plot.top;
  const TSteps s = Steps(h, LabelRule(h, textHeightA));
  for (int j = 0; j < s.count; ++j) {
    const int y = l.plot.top + s.at[static_cast<std::size_t>(j)].distance;
    r.line[static_cast<std::size_t>(r.count++)] = {l.frame.left + bw, y, l.frame.right - bw, y};
  }
  return r;
}

TChartLines XTicks(const TChartLayout& l, int borderWidth) {
  TChartLines r;
  const int y0 = l.frame.bottom - ClampBorderWidth(borderWidth);
  const auto add = [&](int d) {
    r.line[static_cast<std::size_t>(r.count++)] = {l.plot.right - d, y0, l.plot.right - d, y0 - 4};
  };
  const int k = l.W / 10;
  if (k <= 1) {
    add(l.W / 2);
    return r;
  }
  const TSteps s = Steps(l.W, k);
  for (int j = 0; j < s.count; ++j) add(s.at[static_cast<std::size_t>(j)].distance);
  return r;
}

TYScale YScale(const TChartLayout& l, TChartScale s, int textHeightA, char sep,
               const TDrawScales& onDrawScales) {
  TYScale r;
  const int h = l.plot.bottom - l.plot.top;
  const int m = LabelRule(h, textHeightA);
  const auto add = [&](int d, double value, bool hasText) {
    TYTick& t = r.ticks[static_cast<std::size_t>(r.count++)];
    const int y = l.plot.top + d;
    t.tick = {l.frame.left, y, l.frame.left + 4, y};
    t.hasText = hasText;
    t.textAnchor = {l.frame.left - 3, y};
    if (!hasText) return;
    t.text = FormatScale(value, sep);
    if (onDrawScales) onDrawScales(t.text);
  };
  if (m <= 1) {
    add(h / 2, (s.MinY + s.MaxY) / 2, m == 1);
    return r;
  }
  const TSteps steps = Steps(h, m);
  for (int j = 0; j < steps.count; ++j) {
    const TStep& st = steps.at[static_cast<std::size_t>(j)];
    add(st.distance, s.MinY + (s.MaxY - s.MinY) * (st.den - st.num) / st.den, true);
  }
  return r;
}

TBasePicture BasePicture(const TChartLook& look, const TChartMetrics& m, TChartScale s, char sep,
                         const TDrawScales& onDrawScales) {
  TBasePicture b;
  b.layout = ChartLayout(m);
  b.gridColor = GridColor(look.ChartColor);
  if (look.Grid == TGridType::gtVert || look.Grid == TGridType::gtBoth)
    b.verticalGrid = VerticalGrid(b.layout, look.BorderWidth);
  if (look.Grid == TGridType::gtHorz || look.Grid == TGridType::gtBoth)
    b.horizontalGrid = HorizontalGrid(b.layout, look.BorderWidth, m.textHeightA);
  b.xTicks = XTicks(b.layout, look.BorderWidth);
  b.yScale = YScale(b.layout, UsableScale(s, TChartScale{}), m.textHeightA, sep, onDrawScales);
  return b;
}

TDataMark PointMark(TChartType type, int index, int row, int prevRow, int H, TColor color) {
  const int x = index + 1;
  TDataMark mark;
  mark.color = color;
  switch (type) {
    case TChartType::ctScatter: {
      if (row < 0 || row > H) return {};
      const int top = row == 0 ? 0 : row - 1;
      mark.kind = TDataMark::TKind::kBox;
      mark.at = {index, top, index + 2, top + 2};
      break;
    }
    case TChartType::ctLine:
      mark.kind = TDataMark::TKind::kSegment;
      mark.at = index == 0 ? TChartSegment{x, row, x, row} : TChartSegment{x - 1, prevRow, x, row};
      break;
    case TChartType::ctBar:
      // A value at or below the scale's bottom leaves one pixel on the base line.
      mark.kind = TDataMark::TKind::kSegment;
      mark.at = {x, std::min(row, H), x, H};
      break;
  }
  return mark;
}

TDataMark LatestMark(const TStripChartData& data, const TValueMap& map, TChartType type) {
  const int i = data.Count() - 1;
  if (i < 0) return {};
  const TDataPoint& p = data.Point(i);
  const int row = map.Row(p.Value);
  const int prevRow = i > 0 ? map.Row(data.Point(i - 1).Value) : row;
  return PointMark(type, i, row, prevRow, map.Height(), p.Color);
}

void DataMarks(const TStripChartData& data, const TValueMap& map, TChartType type,
               std::vector<TDataMark>& out) {
  out.clear();
  int prevRow = 0;
  for (int i = 0; i < data.Count(); ++i) {
    const TDataPoint& p = data.Point(i);
    const int row = map.Row(p.Value);
    out.push_back(PointMark(type, i, row, prevRow, map.Height(), p.Color));
    prevRow = row;
  }
}

TMarkerLines MarkerLines(const TValueMap& map, int W, const TNeedLines& onNeedLines) {
  TMarkerLines r;
  if (!onNeedLines) return r;
  const TChartScale& s = map.Scale();
  double value = s.MinY - (s.MaxY - s.MinY) / 100;  // below the plot until the handler says otherwise
  TColor color = kColorBlack;
  for (int tag = 0; tag < kMaxMarkerLines; ++tag) {
    bool finished = false;
    onNeedLines(tag, value, color, finished);
    ++r.calls;
    if (map.OnPlot(value)) {
      const int y = map.Row(value);
      r.lines[static_cast<std::size_t>(r.count++)] = {{1, y, W + 1, y}, color};
    }
    if (finished) break;
  }
  return r;
}

}  // namespace vorta::charts
