// The chart view's rules: sample colours carried past samples the chart did not store, the filter
// lines for every combination of bands, the interval text and the elapsed time.
#include "app/chart_view_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "charts/strip_chart_scale.h"

namespace vorta::app {
namespace {

constexpr TColor Y = kSampleYellow, A = kSampleAqua, R = kSampleRed;

TEST(ChartViewRules, SampleAndLampColours) {
  EXPECT_EQ(SampleColor(false, false), Y);
  EXPECT_EQ(SampleColor(true, false), A);
  EXPECT_EQ(SampleColor(true, true), R);
  EXPECT_EQ(SampleColor(false, true), R);
  EXPECT_EQ(NewAverageLamp(true), A);
  EXPECT_EQ(LargeErrorLamp(true), R);
  EXPECT_EQ(NewAverageLamp(false), charts::ColorRgb(128, 128, 128));
  EXPECT_EQ(LargeErrorLamp(false), charts::ColorRgb(128, 128, 128));
  EXPECT_EQ(kChartInside, charts::ColorRgb(172, 168, 153));
}

TEST(ChartViewRules, StatusOfSkippedSamplesIsCarriedToTheNextStoredOne) {
  struct Tick {
    TColor sample;
    bool stored;
    TColor offered;
  };
  const std::vector<std::vector<Tick>> cases = {
      // A new average seen on a sample that was not stored colours the next stored one.
      {{Y, true, Y}, {A, false, A}, {Y, true, A}, {Y, true, Y}},
      {{Y, true, Y}, {Y, false, Y}, {A, false, A}, {Y, true, A}},
      // An error between stored samples is carried only when nothing was carried yet...
      {{Y, true, Y}, {Y, false, Y}, {R, false, R}, {Y, true, R}},
      // ...not when a new average already is.
      {{Y, true, Y}, {A, false, A}, {R, false, A}, {Y, true, A}},
      // A carried error stays through later new averages.
      {{R, false, R}, {A, false, R}, {A, true, R}, {A, true, A}},
      // A stored sample carries nothing on.
      {{R, true, R}, {Y, true, Y}, {A, true, A}, {Y, false, Y}, {Y, true, Y}},
  };
  for (std::size_t c = 0; c < cases.size(); ++c) {
    TSampleColours colours;
    for (std::size_t t = 0; t < cases[c].size(); ++t) {
      const Tick& tick = cases[c][t];
      EXPECT_EQ(colours.Offer(tick.sample), tick.offered) << "case " << c << " tick " << t;
      colours.Taken(tick.stored, tick.sample);
      EXPECT_EQ(colours.Skipped(), !tick.stored);
    }
  }
}

TEST(ChartViewRules, FilterLinesForEveryCombinationOfBands) {
  // Range -50..150: span 200; FiltrZakres 15 is a band of 3, FiltrLimit 20 one of 40.
  struct Line {
    bool set;
    double value;
    TColor color;
    bool finished;
  };
  const std::tuple<int, int, std::vector<Line>> cases[] = {
      {0, 0, {{false, 0, 0, true}}},
      {15, 0, {{true, 23, A, false}, {true, 17, A, true}}},
      {0, 20, {{false, 0, 0, false}, {false, 0, 0, false}, {true, 60, R, false}, {true, -20, R, true}}},
      {15, 20, {{true, 23, A, false}, {true, 17, A, false}, {true, 60, R, false}, {true, -20, R, true}}},
  };
  for (const auto& [zakres, limit, lines] : cases) {
    const TFilterBands b{true, 5, 20, 200, zakres, limit};
    for (std::size_t tag = 0; tag < lines.size(); ++tag) {
      const TFilterLine l = FilterLine(b, static_cast<int>(tag));
      const Line& want = lines[tag];
      EXPECT_EQ(l.set, want.set) << zakres << "/" << limit << " line " << tag;
      EXPECT_EQ(l.finished, want.finished) << zakres << "/" << limit << " line " << tag;
      if (want.set) {
        EXPECT_DOUBLE_EQ(l.value, want.value) << zakres << "/" << limit << " line " << tag;
        EXPECT_EQ(l.color, want.color);
      }
    }
    EXPECT_TRUE(FilterLine(b, 4).finished);
  }
  // Unchecked, or a single point: nothing to draw around.
  EXPECT_TRUE(FilterLine({false, 5, 20, 200, 15, 20}, 0).finished);
  EXPECT_TRUE(FilterLine({true, 1, 20, 200, 15, 20}, 0).finished);
}

TEST(ChartViewRules, TheChartDrawsTheFilterLinesOnItsScale) {
  // The chart asks line after line; lines outside the scale are asked for but not drawn.
  const charts::TValueMap map({0, 40}, 401);
  const auto draw = [&](int zakres, int limit) {
    const TFilterBands b{true, 5, 20, 200, zakres, limit};
    return charts::MarkerLines(map, 100, [&](int tag, double& value, TColor& color, bool& finished) {
      const TFilterLine l = FilterLine(b, tag);
      if (l.set) value = l.value, color = l.color;
      finished = l.finished;
    });
  };
  const charts::TMarkerLines both = draw(15, 20);
  EXPECT_EQ(both.calls, 4);
  ASSERT_EQ(both.count, 2);  // 23 and 17; 60 and -20 lie off the scale
  EXPECT_EQ(both.lines[0].at.y0, map.Row(23));
  EXPECT_EQ(both.lines[1].at.y0, map.Row(17));
  EXPECT_EQ(draw(0, 0).count, 0);
  EXPECT_EQ(draw(0, 0).calls, 1);
}

TEST(ChartViewRules, IntervalTextAndElapsedTime) {
  const std::tuple<const char*, double> good[] = {{"2", 2}, {"2,6", 3}, {"2.5", 2}, {"3.5", 4}, {"0", 0}};
  for (const auto& [text, seconds] : good) {
    ASSERT_TRUE(IntervalOfText(text).has_value()) << text;
    EXPECT_EQ(*IntervalOfText(text), seconds) << text;
  }
  for (const char* bad : {"", "-1", "abc", "1.2.3"}) EXPECT_FALSE(IntervalOfText(bad).has_value()) << bad;

  EXPECT_EQ(ElapsedMs(100.0, 101.5), 1500);
  EXPECT_EQ(ElapsedMs(100.0, 100.0 + 30 * 3600 + 0.25), 108000250);
  EXPECT_EQ(ElapsedMs(100.0, 99.0), 0);
  EXPECT_EQ(ElapsedMs(100.0, std::numeric_limits<double>::quiet_NaN()), 0);
}

}  // namespace
}  // namespace vorta::app
