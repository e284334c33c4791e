// The strip chart's sample store and sampling schedule.
#include "charts/strip_chart_data.h"

#include <algorithm>
#include <cmath>

namespace vorta::charts {

bool StampOf(double seconds, std::int64_t& ms) {
  if (!std::isfinite(seconds) || std::fabs(seconds) > 1e12) return false;
  ms = std::llround(seconds * 1000.0);
  return true;
}

double ClampInterval(double seconds) {
  if (std::isnan(seconds)) return 0.0;
  return std::clamp(seconds, 0.0, kMaxInterval);
}

TStripChartData::TStripChartData(int columns, double nowSeconds) {
  SetColumns(columns);
  ClearData(nowSeconds);
}

void TStripChartData::ClearData(double nowSeconds) {
  head_ = 0;
  count_ = 0;
  std::int64_t now = 0;
  nextSample_ = StampOf(nowSeconds, now) ? now : 0;
}

void TStripChartData::SetColumns(int columns) {
  if (std::max(columns, 1) == Columns()) return;
  const int keep = std::min(count_, std::max(columns, 1));
  std::vector<TDataPoint> slots(static_cast<std::size_t>(std::max(columns, 1)));
  for (int i = 0; i < keep; ++i) slots[static_cast<std::size_t>(i)] = Point(count_ - keep + i);
  slots_.swap(slots);
  head_ = 0;
  count_ = keep;
}

bool TStripChartData::Due(std::int64_t now) {
  if (interval_ == 0.0) {
    nextSample_ = now;
    return true;
  }
  // Sampling keeps to its schedule (stamps one interval apart) while the caller offers samples often
  // enough; after a longer pause it starts afresh from now instead of catching up.
  const std::int64_t step = std::llround(interval_ * 1000.0);
  const std::int64_t scheduled = nextSample_ + step;
  if (now < scheduled) return false;
  nextSample_ = now >= scheduled + step ? now : scheduled;
  return true;
}

TAddOutcome TStripChartData::AddPoint(double value, TColor color, double nowSeconds) {
  std::int64_t now = 0;
  if (!std::isfinite(value) || !StampOf(nowSeconds, now)) return TAddOutcome::kRejected;
  if (!Due(now)) return TAddOutcome::kNotDue;
  const TDataPoint p{value, color, nextSample_};
  if (Full()) {
    // The oldest slot takes the new sample and becomes the newest: no allocation once full.
    slots_[head_] = p;
    head_ = Slot(1);
    return TAddOutcome::kScrolled;
  }
  slots_[Slot(count_)] = p;
  ++count_;
  return TAddOutcome::kAppended;
}

bool TStripChartData::ValueRange(double& mn, double& mx) const {
  if (count_ == 0) return false;
  mn = mx = Point(0).Value;
  for (int i = 1; i < count_; ++i) {
    const double v = Point(i).Value;
    mn = std::min(mn, v);
    mx = std::max(mx, v);
  }
  return true;
}

}  // namespace vorta::charts
