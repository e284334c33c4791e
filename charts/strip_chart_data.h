// The strip chart's sample store and sampling schedule: one stored sample per pixel column of the
// plot, the oldest dropped (its slot reused) once the plot is full, samples taken no more often than
// the sampling interval allows. Time is the caller's monotonic clock, in seconds.
#pragma once

#include <cstdint>
#include <vector>

namespace vorta::charts {

// A colour as the platform's colour value: 0xBBGGRR (blue in the high byte).
using TColor = std::uint32_t;
constexpr TColor ColorRgb(unsigned r, unsigned g, unsigned b) {
  return (r & 0xFFu) | (g & 0xFFu) << 8 | (b & 0xFFu) << 16;
}
constexpr unsigned RedOf(TColor c) {
  return c & 0xFFu;
}
constexpr unsigned GreenOf(TColor c) {
  return c >> 8 & 0xFFu;
}
constexpr unsigned BlueOf(TColor c) {
  return c >> 16 & 0xFFu;
}
constexpr TColor kColorBlack = 0x000000, kColorWhite = 0xFFFFFF, kColorSilver = 0xC0C0C0,
                 kColorGrey = 0x808080;

struct TDataPoint {
  double Value = 0.0;
  TColor Color = kColorBlack;
  // The scheduled sampling time at which the point was taken: milliseconds of the caller's clock.
  std::int64_t Stamp = 0;
};

// Milliseconds of a clock reading in seconds; false for a reading that is not finite or lies beyond
// any clock (more than 10^12 s).
bool StampOf(double seconds, std::int64_t& ms);

constexpr double kMaxInterval = 3600.0;
// The sampling interval in seconds, limited to 0..3600 (0 takes every offered sample).
double ClampInterval(double seconds);

enum class TAddOutcome {
  kNotDue,    // the sampling interval has not elapsed: nothing stored
  kRejected,  // the value or the time is not a finite number: nothing stored, the schedule unchanged
  kAppended,  // stored in a new column
  kScrolled,  // the plot was full: the oldest sample was dropped and every column moved one to the left
};
constexpr bool Stored(TAddOutcome o) {
  return o == TAddOutcome::kAppended || o == TAddOutcome::kScrolled;
}

class TStripChartData {
 public:
  // columns: the number of pixel columns of the plot (at least 1); nowSeconds: the time of creation,
  // from which the first sampling interval runs.
  explicit TStripChartData(int columns = 1, double nowSeconds = 0.0);

  // Offers one sample taken at nowSeconds.
  TAddOutcome AddPoint(double value, TColor color, double nowSeconds);
  // Removes every sample; the next interval runs from nowSeconds.
  void ClearData(double nowSeconds);
  // The plot's width in columns: the newest samples that still fit are kept. Allocates when the width
  // changes; adding samples never does.
  void SetColumns(int columns);

  void SetInterval(double seconds) { interval_ = ClampInterval(seconds); }
  double Interval() const { return interval_; }
  std::int64_t NextSample() const { return nextSample_; }

  int Columns() const { return static_cast<int>(slots_.size()); }
  int Count() const { return count_; }
  bool Full() const { return count_ == Columns(); }
  // Sample i in arrival order: 0 is the oldest still shown, Count() - 1 the latest. i must be valid.
  const TDataPoint& Point(int i) const { return slots_[Slot(i)]; }
  // Smallest and largest stored value; false when nothing is stored.
  bool ValueRange(double& mn, double& mx) const;

 private:
  std::size_t Slot(int i) const {
    const std::size_t j = head_ + static_cast<std::size_t>(i);
    return j < slots_.size() ? j : j - slots_.size();
  }
  bool Due(std::int64_t now);

  std::vector<TDataPoint> slots_;  // a ring: the oldest sample at head_
  std::size_t head_ = 0;
  int count_ = 0;
  double interval_ = 0.0;
  std::int64_t nextSample_ = 0;
};

}  // namespace vorta::charts
