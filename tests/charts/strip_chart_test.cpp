// The strip chart's numbers: sampling schedule, scroll once full, automatic scale and its guards,
// labels, layout, grid and ticks, pixel mapping, sample marks and the marker-line sequence.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "charts/strip_chart_data.h"
#include "charts/strip_chart_scale.h"

namespace vorta::charts {
namespace {

using std::vector;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr TColor kAqua = ColorRgb(0, 255, 255), kRed = ColorRgb(255, 0, 0);

vector<int> Ints(const TChartSegment& s) {
  return {s.x0, s.y0, s.x1, s.y1};
}
vector<int> Ints(const TChartRect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

// A layout with the plot at columns 100..100 + w and rows 10..10 + h inside a frame 5 pixels wider.
TChartLayout Plot(int w, int h) {
  TChartLayout l;
  l.plot = {100, 10, 100 + w, 10 + h};
  l.frame = {95, 5, 105 + w, 15 + h};
  l.W = w;
  l.H = h + 1;
  return l;
}

vector<double> Values(const TStripChartData& d) {
  vector<double> v;
  for (int i = 0; i < d.Count(); ++i) v.push_back(d.Point(i).Value);
  return v;
}

TEST(StripChartTest, SamplingKeepsToTheScheduleAndRestartsAfterAPause) {
  using Offers = vector<std::pair<double, long long>>;  // time offered, stamp stored (-1: not due)
  const std::tuple<double, double, Offers> cases[] = {
      {1, 0, {{0.2, -1}, {0.8, -1}, {1.0, 1000}, {1.2, -1}, {1.8, -1}, {2.0, 2000}, {3.0, 3000}}},
      {1, 0, {{1.0, 1000}, {3.5, 3500}, {4.4, -1}, {4.6, 4500}}},                // a pause: afresh from now
      {1, 0, {{1.0, 1000}, {2.7, 2000}, {3.0, 3000}, {3.9, -1}, {4.05, 4000}}},  // late: stamp as scheduled
      {0, 0, {{0.05, 50}, {0.05, 50}, {0.1, 100}}},                              // every offer
      {1, 86399.5, {{86400.4, -1}, {86400.5, 86400500}, {86401.5, 86401500}}},   // across midnight
      {2.5, 0, {{2.4, -1}, {2.5, 2500}, {4.9, -1}, {5.0, 5000}}},
  };
  for (const auto& [interval, start, offers] : cases) {
    TStripChartData d(100, start);
    d.SetInterval(interval);
    for (const auto& [at, stamp] : offers) {
      const bool stored = Stored(d.AddPoint(1.0, kColorWhite, at));
      ASSERT_EQ(stored, stamp >= 0) << "interval " << interval << " at " << at;
      EXPECT_EQ(stored ? d.Point(d.Count() - 1).Stamp : -1, stamp) << "at " << at;
    }
  }
}

TEST(StripChartTest, NonFiniteInputIsNotStoredAndTheIntervalStaysWithinAnHour) {
  TStripChartData d(10, 0);
  d.SetInterval(1);
  for (const auto& [value, at] : {std::pair{kNaN, 1.5}, {kInf, 1.5}, {2.0, kNaN}, {2.0, 2e12}})
    EXPECT_EQ(d.AddPoint(value, kColorWhite, at), TAddOutcome::kRejected) << value << " at " << at;
  EXPECT_EQ(d.AddPoint(2, kColorWhite, 1.5), TAddOutcome::kAppended);  // the schedule was left as it was
  EXPECT_EQ(d.Point(0).Stamp, 1000);
  d.ClearData(10);
  double mn = 0, mx = 0;
  EXPECT_FALSE(d.ValueRange(mn, mx));
  EXPECT_EQ(d.AddPoint(1, kColorWhite, 10.5), TAddOutcome::kNotDue);  // the interval runs from the clear
  EXPECT_EQ(d.AddPoint(1, kColorWhite, 11), TAddOutcome::kAppended);
  for (const auto& [in, out] :
       {std::pair{-5.0, 0.0}, {7200.0, 3600.0}, {kNaN, 0.0}, {kInf, 3600.0}, {2.5, 2.5}})
    EXPECT_EQ(ClampInterval(in), out) << in;
}

TEST(StripChartTest, FullPlotDropsTheOldestAndNeverGrows) {
  TStripChartData d(4, 0);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(d.AddPoint(i + 1, ColorRgb(i, 0, 0), i),
              i < 4 ? TAddOutcome::kAppended : TAddOutcome::kScrolled);
    EXPECT_LE(d.Count(), d.Columns());
  }
  EXPECT_EQ(Values(d), (vector<double>{3, 4, 5, 6}));
  EXPECT_EQ(std::pair(d.Point(0).Stamp, d.Point(3).Color), std::pair(std::int64_t{2000}, ColorRgb(5, 0, 0)));
  double mn = 0, mx = 0;
  ASSERT_TRUE(d.ValueRange(mn, mx));
  EXPECT_EQ(std::pair(mn, mx), std::pair(3.0, 6.0));  // the dropped samples no longer count
  d.SetColumns(2);                                    // narrower: the newest stay
  EXPECT_EQ(Values(d), (vector<double>{5, 6}));
  d.SetColumns(3);
  EXPECT_EQ(d.AddPoint(7, kColorWhite, 7), TAddOutcome::kAppended);
  EXPECT_EQ(d.AddPoint(8, kColorWhite, 8), TAddOutcome::kScrolled);
  EXPECT_EQ(Values(d), (vector<double>{6, 7, 8}));
  d.SetColumns(0);
  EXPECT_EQ(d.Columns(), 1);
  EXPECT_EQ(Values(d), (vector<double>{8}));
}

TEST(StripChartTest, AutoScaleFollowsTheRoundingRules) {
  const std::tuple<double, double, double, double> cases[] = {
      {20.3, 20.5, 20.2, 20.6},       {20, 20, 19.9, 20.1},             // spread doubled; constant: 0.1
      {150, 150.5, 149.2, 151.2},     {1000.2, 1000.4, 990.3, 1010.3},  // 1 from 100, 10 from 1000
      {-5.25, -4.75, -5.5, -4.5},     {-12.3, 47.9, -13, 48},           // negative; wide: whole numbers
      {0.001, 0.002, -0.1, 0.1},      {1e6, 2e6, 1e6, 2e6},             // tiny; huge
      {0.8, 1.1, 0.7, 1.3},           {0.2, 1.9, -0.7, 2.7},     // 3 tenths despite binary; mid 1.05 is 1.0
      {-150, -149.5, -150.3, -149.3}, {20.5, 20.3, 20.2, 20.6},  // 1 is for MaxY from 100; swapped
  };
  for (const auto& [mn, mx, lo, hi] : cases) {
    const TChartScale s = AutoScaleOf(mn, mx);
    EXPECT_NEAR(s.MinY, lo, 1e-9) << mn << " .. " << mx;
    EXPECT_NEAR(s.MaxY, hi, 1e-9) << mn << " .. " << mx;
  }
  for (const double v : {1e20, -3e299, 1e300}) {  // so large that 10 vanishes: still a range around it
    const TChartScale s = AutoScaleOf(v, v);
    EXPECT_TRUE(std::isfinite(s.MinY) && std::isfinite(s.MaxY) && s.MinY < v && v < s.MaxY) << v;
  }
}

TEST(StripChartTest, CalcScaleTakesTheDataTheSwitchAndAnOverrideThatCannotBreakIt) {
  TStripChartData d(10, 0);
  const TChartScale current{-3, 7};
  EXPECT_EQ(CalcScale(d, true, current, nullptr), current);   // no data: unchanged
  d.AddPoint(20, kColorWhite, 1);                             // automatic scale 19.9 .. 20.1
  EXPECT_EQ(CalcScale(d, false, current, nullptr), current);  // AutoScale off: frozen
  vector<double> seen;
  CalcScale(d, true, current, [&](double& lo, double& hi) { seen = {lo, hi}; });
  EXPECT_NEAR(seen.at(1), 20.1, 1e-9);  // the handler sees the automatic scale
  const std::tuple<double, double, double, double> cases[] = {
      {5, 5, 4.9, 5.1},       {10, 0, 0, 10},
      {kNaN, 10, 19.9, 20.1}, {-kInf, kInf, 19.9, 20.1},
      {0, 1e-320, -0.1, 0.1}, {-1e308, 1e308, -1e300, 1e300},
      {-2, 3, -2, 3}};
  for (const auto& [lo, hi, minY, maxY] : cases) {
    const TChartScale s = CalcScale(d, true, {}, [&](double& a, double& b) { a = lo, b = hi; });
    EXPECT_NEAR(s.MinY, minY, 1e-9 * std::max(1.0, std::fabs(minY))) << lo << " .. " << hi;
    EXPECT_NEAR(s.MaxY, maxY, 1e-9 * std::max(1.0, std::fabs(maxY))) << lo << " .. " << hi;
    for (const double v : {-1e308, 0.0, 20.0, 1e308, kNaN}) {
      const int row = TValueMap(s, 100).Row(v);
      EXPECT_TRUE(row >= -1 && row <= 102) << lo << " .. " << hi << ": " << v << " at " << row;
    }
  }
  // A scale written directly, empty or inverted, maps without dividing by zero as well.
  EXPECT_EQ(std::pair(TValueMap({5, 5}, 100).Row(5), TValueMap({10, 0}, 100).Row(0)), std::pair(50, 100));
}

TEST(StripChartTest, ValueToPixelMapping) {
  const TValueMap map({0, 100}, 101);  // H = 101; 50 maps to 50.5, rounded to even
  const std::tuple<double, int, bool> cases[] = {{0, 101, true},     {100, 0, true},     {50, 51, true},
                                                 {25, 76, true},     {-0.5, 102, false}, {100.5, -1, false},
                                                 {-1e9, 103, false}, {1e9, -1, false}};
  for (const auto& [v, row, onPlot] : cases) {
    EXPECT_EQ(map.Row(v), row) << v;
    EXPECT_EQ(map.OnPlot(v), onPlot) << v;
  }
  EXPECT_DOUBLE_EQ(TValueMap({-10, 10}, 50).Offset(5), 37.5);
}

TEST(StripChartTest, LabelsRoundByMagnitudeAndTimeRunsPast24Hours) {
  const std::tuple<double, char, const char*> cases[] = {
      {1.2345, '.', "1.234"}, {1.2355, '.', "1.236"},
      {12.345, '.', "12.34"}, {123.45, '.', "123.4"},
      {1234.5, '.', "1234"},  {1235.5, '.', "1236"},
      {-5.5, '.', "-5.5"},    {20, '.', "20"},
      {99.999, '.', "100"},   {-0.0001, '.', "0"},
      {1.25, ',', "1,25"},    {2.5e20, '.', "2.5E+20"},
      {-1e15, '.', "-1E+15"}, {123456789012.4, '.', "123456789012"}};
  for (const auto& [v, sep, text] : cases) EXPECT_EQ(FormatScale(v, sep), text) << v;
  const auto probe = ScaleProbeTexts({-50, 50}, '.');  // tenths from the top, all negative
  EXPECT_EQ((vector<std::string>{probe[0], probe[3], probe[5], probe[10], probe[11]}),
            (vector<std::string>{"-50", "-20", "0", "-50", "-0.000"}));
  const std::pair<long long, const char*> times[] = {
      {0, "00:00:00"},          {1500, "00:00:02"},
      {2500, "00:00:02"},  // whole seconds, halves to even
      {3599500, "01:00:00"},    {30LL * 3600000 + 5000, "30:00:05"},
      {360000000, "100:00:00"}, {-5000, "00:00:00"}};
  for (const auto& [ms, text] : times) EXPECT_EQ(ElapsedText(ms), text) << ms;
}

TEST(StripChartTest, LayoutFromSizeAndFontMeasures) {
  const std::tuple<TChartMetrics, TChartRect, TChartRect, int, int> cases[] = {
      {{147, 105, 14, 13, 30}, {49, 4, 143, 101}, {53, 8, 139, 97}, 86, 90},
      {{1000, 600, 15, 13, 40}, {60, 4, 996, 596}, {90, 34, 966, 566}, 876, 533},  // 1.1 × 15 rounds to 16
      {{20, 10, 0, 13, 0}, {4, 4, 16, 6}, {4, 4, 16, 6}, 12, 3},
      {{5, -7, 0, 13, 0}, {4, 4, 4, 4}, {4, 4, 4, 4}, 0, 1},  // too small: one column, one row
  };
  for (const auto& [m, frame, plot, W, H] : cases) {
    const TChartLayout l = ChartLayout(m);
    EXPECT_EQ(Ints(l.frame), Ints(frame)) << m.width << "x" << m.height;
    EXPECT_EQ(Ints(l.plot), Ints(plot)) << m.width << "x" << m.height;
    EXPECT_EQ(std::pair(l.W, l.H), std::pair(W, H)) << m.width << "x" << m.height;
  }
  const TChartLayout l = ChartLayout({147, 105, 14, 13, 30});
  EXPECT_EQ(l.yLabelAt.y, 59);
  EXPECT_EQ(l.Columns(), 87);
  EXPECT_EQ((vector<int>{PointAtX(l, 10, 52), PointAtX(l, 10, 53), PointAtX(l, 10, 62), PointAtX(l, 10, 63)}),
            (vector<int>{-1, 0, 9, -1}));  // ten samples in the columns from 53
}

TEST(StripChartTest, VerticalGridAndTicksByPlotWidth) {
  const vector<int> tenths{0, 6, 11, 16, 22, 28, 33, 38, 44, 50, 55};  // 5.5 and 16.5 round to even
  const std::tuple<int, vector<int>, vector<int>> cases[] = {
      {9, {0, 4, 9}, {4}},
      {19, {0, 9, 19}, {9}},
      {29, {0, 14, 29}, {0, 14, 29}},  // narrower than 30: three lines
      {30, {0, 7, 15, 21, 30}, {0, 7, 15, 21, 30}},
      {47, {0, 9, 19, 28, 38, 47}, {0, 9, 19, 28, 38, 47}},
      {55, tenths, tenths}};
  for (const auto& [w, grid, ticks] : cases) {
    const TChartLayout l = Plot(w, 40);
    const TChartLines g = VerticalGrid(l, 2), t = XTicks(l, 2);
    vector<int> gridAt, tickAt;  // distances from the plot's right edge
    for (int i = 0; i < g.count; ++i) gridAt.push_back(l.plot.right - g.line[i].x0);
    for (int i = 0; i < t.count; ++i) tickAt.push_back(l.plot.right - t.line[i].x0);
    EXPECT_EQ(gridAt, grid) << w;
    EXPECT_EQ(tickAt, ticks) << w;
    EXPECT_EQ(Ints(g.line[0]),
              (vector<int>{g.line[0].x0, l.frame.top + 2, g.line[0].x0, l.frame.bottom - 2}));
    EXPECT_EQ(Ints(t.line[0]),
              (vector<int>{t.line[0].x0, l.frame.bottom - 2, t.line[0].x0, l.frame.bottom - 6}));
  }
}

TEST(StripChartTest, ScaleLabelsAndHorizontalGridByPlotHeight) {
  const std::tuple<int, vector<int>, vector<std::string>> cases[] = {
      {15, {7}, {""}},  // no room for a label: a tick alone
      {25, {12}, {"50"}},
      {45, {0, 22, 45}, {"100", "50", "0"}},
      {65, {0, 16, 32, 48, 65}, {"100", "75", "50", "25", "0"}},
      {85, {0, 17, 34, 51, 68, 85}, {"100", "80", "60", "40", "20", "0"}},
      {105,
       {0, 10, 21, 32, 42, 52, 63, 74, 84, 94, 105},
       {"100", "90", "80", "70", "60", "50", "40", "30", "20", "10", "0"}},
  };
  for (const auto& [h, at, texts] : cases) {
    const TChartLayout l = Plot(60, h);
    const TYScale y = YScale(l, {0, 100}, 10, '.', nullptr);
    vector<int> gotAt;
    vector<std::string> gotTexts;
    for (int i = 0; i < y.count; ++i) {
      const TYTick& t = y.ticks[i];
      gotAt.push_back(t.tick.y0 - l.plot.top);
      gotTexts.push_back(t.text);
      EXPECT_EQ(t.hasText, !t.text.empty());
      EXPECT_EQ(Ints(t.tick), (vector<int>{95, t.tick.y0, 99, t.tick.y0}));  // into the frame from its edge
      EXPECT_EQ(std::pair(t.textAnchor.x, t.textAnchor.y), std::pair(92, t.tick.y0));
    }
    EXPECT_EQ(std::pair(gotAt, gotTexts), std::pair(at, texts)) << h;
    EXPECT_EQ(HorizontalGrid(l, 1, 10).count, std::max(y.count, 3)) << h;  // three lines where no labels fit
  }
  const TYScale y = YScale(Plot(60, 45), {-1, 1}, 10, ',', [](std::string& s) { s += " K"; });
  EXPECT_EQ(y.ticks[0].text, "1 K");
}

TEST(StripChartTest, GridTypeAndLookProperties) {
  const auto lines = [](TGridType g) {
    const TBasePicture b = BasePicture({g, kColorSilver, kColorWhite, 1}, {}, {}, '.', nullptr);
    return vector<int>{b.verticalGrid.count, b.horizontalGrid.count, b.xTicks.count};
  };
  EXPECT_EQ(lines(TGridType::gtNone), (vector<int>{0, 0, 11}));  // 147 × 105: plot 131 × 89
  EXPECT_EQ(lines(TGridType::gtHorz), (vector<int>{0, 5, 11}));
  EXPECT_EQ(lines(TGridType::gtVert), (vector<int>{11, 0, 11}));
  EXPECT_EQ(lines(TGridType::gtBoth), (vector<int>{11, 5, 11}));
  EXPECT_EQ(std::pair(GridColor(kColorSilver), GridColor(kColorWhite)), std::pair(kColorGrey, kColorSilver));
  EXPECT_EQ(ColorRgb(172, 168, 153), 10070188u);  // the chart view's inside colour
  EXPECT_EQ(std::pair(ClampBorderWidth(0), ClampBorderWidth(9)), std::pair(1, 4));
  EXPECT_EQ(CutYLabel(std::string(40, 'x')), std::string(35, 'x'));
  std::string degrees;
  for (int i = 0; i < 36; ++i) degrees += "\u00b0";
  EXPECT_EQ(CutYLabel(degrees), degrees.substr(0, 70));  // characters, not bytes
}

TEST(StripChartTest, EachChartTypeLeavesItsMark) {
  using K = TDataMark::TKind;
  using T = TChartType;
  const std::tuple<T, int, int, int, K, vector<int>> cases[] = {
      // type, index, row, previous row
      {T::ctScatter, 3, 20, 0, K::kBox, {3, 19, 5, 21}},
      {T::ctScatter, 3, 0, 0, K::kBox, {3, 0, 5, 2}},
      {T::ctScatter, 3, 50, 0, K::kBox, {3, 49, 5, 51}},
      {T::ctScatter, 3, 51, 0, K::kNone, {}},
      {T::ctScatter, 3, -1, 0, K::kNone, {}},
      {T::ctLine, 0, 20, 99, K::kSegment, {1, 20, 1, 20}},
      {T::ctLine, 3, 20, 30, K::kSegment, {3, 30, 4, 20}},
      {T::ctBar, 3, 20, 0, K::kSegment, {4, 20, 4, 50}},
      {T::ctBar, 3, 51, 0, K::kSegment, {4, 50, 4, 50}},
      {T::ctBar, 3, 52, 0, K::kSegment, {4, 50, 4, 50}}};
  for (const auto& [type, index, row, prevRow, kind, at] : cases) {
    const TDataMark m = PointMark(type, index, row, prevRow, 50, kRed);  // H = 50
    EXPECT_EQ(m.kind, kind) << static_cast<int>(type) << " row " << row;
    if (m.kind == K::kNone) continue;
    EXPECT_EQ(Ints(m.at), at) << static_cast<int>(type) << " row " << row;
    EXPECT_EQ(m.color, kRed);
  }
}

TEST(StripChartTest, LineMarksJoinAcrossTheScroll) {
  TStripChartData d(3, 0);
  const TValueMap map({0, 100}, 101);
  vector<TDataMark> marks;
  double t = 0;
  for (const double v : {10.0, 50.0, 90.0, 30.0}) {
    ASSERT_TRUE(Stored(d.AddPoint(v, ColorRgb(static_cast<unsigned>(v), 0, 0), ++t)));
    const TDataMark latest = LatestMark(d, map, TChartType::ctLine);
    DataMarks(d, map, TChartType::ctLine, marks);
    ASSERT_EQ(marks.size(), static_cast<std::size_t>(d.Count()));
    EXPECT_EQ(std::pair(Ints(latest.at), latest.color), std::pair(Ints(marks.back().at), marks.back().color));
  }
  // After the scroll the latest sample is in the last column, joined to the one before it.
  EXPECT_EQ(Ints(marks[2].at), (vector<int>{2, map.Row(90), 3, map.Row(30)}));
  EXPECT_EQ(Ints(marks[1].at), (vector<int>{1, map.Row(50), 2, map.Row(90)}));
}

// The chart view's filter lines around y: aqua at ±b1, red at ±b2. Like the chart view's handler it
// never clears finished itself; it records the tags asked for and whether finished was ever set on entry.
TNeedLines FilterLines(double y, double b1, double b2, vector<int>& tags, bool& setOnEntry) {
  return [=, &tags, &setOnEntry](int tag, double& value, TColor& color, bool& finished) {
    tags.push_back(tag);
    setOnEntry = setOnEntry || finished;
    if (b1 + b2 == 0 || tag > 3) {
      finished = true;
      return;
    }
    if (tag <= 1 && b1 > 0) value = tag == 0 ? y + b1 : y - b1, color = kAqua;
    if (tag >= 2) value = tag == 2 ? y + b2 : y - b2, color = kRed;
    if ((tag == 1 && b2 == 0) || tag == 3) finished = true;
  };
}

TEST(StripChartTest, MarkerLinesAreAskedUntilFinished) {
  const TValueMap map({0, 100}, 101);
  using Lines = vector<std::pair<int, TColor>>;  // row, colour
  const std::tuple<double, double, int, Lines> cases[] = {
      {5, 10, 4, {{45, kAqua}, {56, kAqua}, {40, kRed}, {61, kRed}}},  // b1, b2, calls, lines
      {5, 0, 2, {{45, kAqua}, {56, kAqua}}},
      {0, 10, 4, {{40, kRed}, {61, kRed}}},  // lines 0 and 1 left as they were: below the plot
      {0, 0, 1, {}},
      {5, 60, 4, {{45, kAqua}, {56, kAqua}}}};  // the red lines fall off the plot
  for (const auto& [b1, b2, calls, lines] : cases) {
    vector<int> tags, expectTags;
    bool setOnEntry = false;
    const TMarkerLines m = MarkerLines(map, 80, FilterLines(50, b1, b2, tags, setOnEntry));
    Lines got;
    for (int i = 0; i < m.count; ++i) {
      got.emplace_back(m.lines[i].at.y0, m.lines[i].color);
      EXPECT_EQ(Ints(m.lines[i].at), (vector<int>{1, m.lines[i].at.y0, 81, m.lines[i].at.y0}));
    }
    for (int i = 0; i < calls; ++i) expectTags.push_back(i);
    EXPECT_EQ(std::pair(m.calls, tags), std::pair(calls, expectTags)) << b1 << "/" << b2;
    EXPECT_FALSE(setOnEntry) << b1 << "/" << b2;
    EXPECT_EQ(got, lines) << b1 << "/" << b2;
  }
  int calls = 0;
  const auto endless = [&](int, double& v, TColor&, bool&) { v = 50, ++calls; };  // never finishes
  EXPECT_EQ(std::pair(MarkerLines(map, 80, endless).count, calls),
            std::pair(kMaxMarkerLines, kMaxMarkerLines));
  EXPECT_EQ(MarkerLines(map, 80, nullptr).calls, 0);
}

}  // namespace
}  // namespace vorta::charts
