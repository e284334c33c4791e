// The rules of the main window's chart view that need no window: the colour of a sample and the
// colour carried to the next stored sample, the lamps, the filter lines drawn around the latest
// value, the interval typed into its edit, and the elapsed time on the chart clock.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "charts/strip_chart_data.h"

namespace vorta::app {

using charts::ColorRgb;
using charts::TColor;

constexpr TColor kSampleYellow = ColorRgb(255, 255, 0);
constexpr TColor kSampleAqua = ColorRgb(0, 255, 255);
constexpr TColor kSampleRed = ColorRgb(255, 0, 0);
constexpr TColor kLampOff = ColorRgb(128, 128, 128);
constexpr TColor kChartInside = 10070188;  // the chart's inside in the chart view (172, 168, 153)

// Red for a spurious (large) error, else aqua for a new average, else yellow.
TColor SampleColor(bool newAverage, bool largeError);
// The lamps: new average aqua, spurious error red, grey while off.
TColor NewAverageLamp(bool on);
TColor LargeErrorLamp(bool on);

// The colour offered with each sample. The chart stores only the samples whose interval has
// elapsed; a status seen on a sample that was not stored is carried to the next one: the colour of
// the first sample after a stored one (or after nothing was carried yet), a new average seen later
// unless an error is already carried.
class TSampleColours {
 public:
  // The colour to offer with a sample of this colour.
  TColor Offer(TColor sample);
  // What the chart did with the offered sample.
  void Taken(bool stored, TColor sample);
  void Reset() { *this = TSampleColours{}; }
  TColor Carried() const { return carried_; }
  bool Skipped() const { return skipped_; }

 private:
  TColor carried_ = kSampleYellow;  // yellow also marks that nothing is carried yet
  bool skipped_ = false;
};

// The filter's bands around the latest value y: the filtration range (FiltrZakres tenths of a
// percent of the span) in aqua, the spurious error threshold (FiltrLimit percent) in red.
struct TFilterBands {
  bool show = false;  // "Filter limits" checked
  int points = 0;     // points the chart holds
  double y = 0;       // the latest point's value
  double span = 0;    // MaxInput - MinInput
  int filtrZakres = 0;
  int filtrLimit = 0;
};
struct TFilterLine {
  bool set = false;  // value and color hold line number tag
  double value = 0;
  TColor color = 0;
  bool finished = false;  // no line after this one
};
// Line number tag of the sequence: up to two aqua lines at y ± range, then two red at y ± threshold.
TFilterLine FilterLine(const TFilterBands& b, int tag);

// The interval edit's text (either decimal separator) as whole seconds; nothing when it is no
// number or below 0.
std::optional<double> IntervalOfText(std::string_view text);

// Whole milliseconds from start to now on the chart clock (seconds); 0 for a reading that is not
// finite or runs backwards.
std::int64_t ElapsedMs(double startSeconds, double nowSeconds);

}  // namespace vorta::app
