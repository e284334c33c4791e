// The chart view's rules: sample colours, lamps, filter lines, the interval text, elapsed time.
#include "app/chart_view_rules.h"

#include <cmath>

#include "app/rounding.h"
#include "docs/str_to_number.h"

namespace vorta::app {

TColor SampleColor(bool newAverage, bool largeError) {
  return largeError ? kSampleRed : newAverage ? kSampleAqua : kSampleYellow;
}

TColor NewAverageLamp(bool on) {
  return on ? kSampleAqua : kLampOff;
}

TColor LargeErrorLamp(bool on) {
  return on ? kSampleRed : kLampOff;
}

TColor TSampleColours::Offer(TColor sample) {
  if (!skipped_ || carried_ == kSampleYellow) carried_ = sample;
  return carried_;
}

void TSampleColours::Taken(bool stored, TColor sample) {
  skipped_ = !stored;
  if (!stored && carried_ != kSampleRed && sample == kSampleAqua) carried_ = kSampleAqua;
}

TFilterLine FilterLine(const TFilterBands& b, int tag) {
  TFilterLine l;
  l.finished = true;
  if (b.points <= 1 || !b.show) return l;
  const double b1 = b.span * b.filtrZakres / 1000;
  const double b2 = b.span * b.filtrLimit / 100;
  if (b1 + b2 == 0) return l;
  l.finished = false;
  switch (tag) {
    case 0:
    case 1:
      if (b1 > 0) l = {true, tag == 0 ? b.y + b1 : b.y - b1, kSampleAqua, false};
      l.finished = tag == 1 && b2 == 0;
      break;
    case 2:
    case 3:
      l = {true, tag == 2 ? b.y + b2 : b.y - b2, kSampleRed, tag == 3};
      break;
    default:
      l.finished = true;
  }
  return l;
}

std::optional<double> IntervalOfText(std::string_view text) {
  double v = 0;
  if (!docs::StrToNumber(text, v) || v < 0) return std::nullopt;
  return static_cast<double>(RoundHalfEven(v));
}

std::int64_t ElapsedMs(double startSeconds, double nowSeconds) {
  const double ms = (nowSeconds - startSeconds) * 1000.0;
  if (!std::isfinite(ms) || ms <= 0) return 0;
  return RoundHalfEven(ms);
}

}  // namespace vorta::app
