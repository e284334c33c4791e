// The simulation of the written transfer function: forward, inverse, the operating point, its
// texts and the comparison with the sensor's exact curve.
#include "sensors/simulation.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "docs/str_to_number.h"

namespace vorta::sensors {
namespace {

constexpr double kLimitTolerance = 0.000001;
constexpr int kRootGrid = 800;            // steps of the outward search for the exact value
constexpr int kBisections = 200;          // more than enough to reach a double's resolution
constexpr double kRootTolerance = 1e-12;  // relative to the signal, a signal that counts as hit

double RoundHalfEven(double v) {
  if (!(std::fabs(v) < 4503599627370496.0)) return v;  // 2^52: already whole (or not finite)
  const double r = std::floor(v);
  const double d = v - r;
  if (d > 0.5) return r + 1.0;
  if (d < 0.5) return r;
  return std::fmod(r, 2.0) == 0.0 ? r : r + 1.0;
}

std::string Fixed(double v, int decimals) {
  if (v == 0.0) v = 0.0;  // no "-0.00"
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  if (res.ec != std::errc{}) return std::string(kNoNumberText);
  return std::string(buf, res.ptr);
}

double Finite(double v) {
  return std::isfinite(v) ? v : 0.0;
}

// The first breakpoint i that is not below s on the table's direction, at most 200: the search
// "advance i while x(i) < s" (rising breakpoints) or "while s < x(i)" (falling), started from the
// segment that s falls into instead of from 0.
int SignalSearch(const TSimTable& t, double s) {
  const auto before = [&](int j) {
    const double x = t.Breakpoint(j);
    return t.step > 0.0 ? x < s : s < x;
  };
  const double u = (s - t.low) / t.step;
  int j = !(u > 0.0) ? 0 : u >= kSegments ? kSegments : static_cast<int>(std::ceil(u));
  while (j > 0 && !before(j - 1)) --j;
  while (j < kSegments && before(j)) ++j;
  return j;
}

double ResultOf(const TSimRange& r, double fraction) {
  return Finite(r.minInput + (r.maxInput - r.minInput) * fraction);
}

bool Brackets(double ga, double gb) {
  return std::isfinite(ga) && std::isfinite(gb) && ((ga < 0.0) != (gb < 0.0));
}

template <typename G>
double Bisect(const G& g, double a, double ga, double b) {
  for (int n = 0; n < kBisections; ++n) {
    const double m = a + (b - a) / 2;
    if (m == a || m == b) break;
    const double gm = g(m);
    if (gm == 0.0) return m;
    if ((gm < 0.0) == (ga < 0.0)) {
      a = m;
      ga = gm;
    } else {
      b = m;
    }
  }
  return a + (b - a) / 2;
}

// The value within lo..hi nearest start at which exact gives the signal s: grid steps outward
// from start in both directions until one brackets the signal, then bisection.
bool NearestRoot(const TForwardModel& exact, double s, double lo, double hi, double start, double tol,
                 double& root) {
  const auto g = [&](double v) { return exact(v) - s; };
  const auto hit = [&](double v, double gv) {
    if (std::fabs(gv) > tol) return false;
    root = v;
    return true;
  };
  const double gs = g(start);
  if (hit(start, gs)) return true;
  const double h = (hi - lo) / kRootGrid;
  double aR = start, gR = gs, aL = start, gL = gs;
  for (int m = 1; m <= kRootGrid && (aR < hi || aL > lo); ++m) {
    if (aR < hi) {
      const double b = std::min(hi, start + m * h);
      const double gb = g(b);
      if (hit(b, gb)) return true;
      if (Brackets(gR, gb)) {
        root = Bisect(g, aR, gR, b);
        return true;
      }
      aR = b;
      gR = gb;
    }
    if (aL > lo) {
      const double b = std::max(lo, start - m * h);
      const double gb = g(b);
      if (hit(b, gb)) return true;
      if (Brackets(gb, gL)) {
        root = Bisect(g, b, gb, aL);
        return true;
      }
      aL = b;
      gL = gb;
    }
  }
  return false;
}

}  // namespace

TSimTable MakeSimTable(double resultLow, double resultHigh,
                       const std::array<double, kSegments + 1>& outputs) {
  TSimTable t;
  t.low = Finite(resultLow);
  const double span = resultHigh - resultLow;
  if (std::isfinite(span)) {
    t.span = span;
    t.step = span / kSegments;
  }
  for (std::size_t k = 0; k < outputs.size(); ++k) t.outputs[k] = Finite(outputs[k]);
  return t;
}

TSimTable MakeSimTable(const TCharacteristic& c) {
  return MakeSimTable(c.smin, c.smax, c.outputs);
}

TSimTable MakeSimTable(const app::TParamSet& p, const std::array<double, kSegments + 1>& outputs) {
  return MakeSimTable(p.P.ResultLow, p.P.ResultHigh, outputs);
}

double SimOutput(const TSimTable& t, double s) {
  if (!t.Usable()) return 0.0;
  const int stop = SignalSearch(t, s);
  const int i = std::max(stop, 1);
  const int k = i - 1;
  const double xk = t.Breakpoint(k);
  const double dx = t.Breakpoint(i) - xk;
  if (dx == 0.0) return t.outputs[k];  // a step too small for the signal's resolution
  const double y = t.outputs[k] + (s - xk) * (t.outputs[i] - t.outputs[k]) / dx;
  return std::isfinite(y) ? y : t.outputs[stop];
}

double SimInput(const TSimTable& t, double y) {
  const auto& o = t.outputs;
  const bool falling = o[kSegments] <= o[0];
  int stop = 0;
  while (stop < kSegments && (falling ? o[stop] > y : o[stop] < y)) ++stop;
  const int i = std::max(stop, 1);
  const int k = i - 1;
  const double dy = o[i] - o[k];
  if (dy == 0.0) return t.Breakpoint(stop);  // flat: the first signal that reaches y
  const double xk = t.Breakpoint(k);
  const double s = xk + (y - o[k]) * (t.Breakpoint(i) - xk) / dy;
  return std::isfinite(s) ? s : t.Breakpoint(stop);
}

double SignalOfPercent(const TSimTable& t, double x) {
  const double s = t.low + t.span * x / 100;
  return std::isfinite(s) ? s : t.low;
}

double PercentOfSignal(const TSimTable& t, double s) {
  if (t.span == 0.0) return 0.0;
  return Finite((s - t.low) * 100 / t.span);
}

double CompensatedSignal(const TCharacteristic& c, double terminal, double junctionTemperature) {
  if (!c.cjWritten) return terminal;
  const double tj = junctionTemperature;
  return terminal + c.cj[0] + c.cj[1] * tj + c.cj[2] * tj * tj;
}

bool IsBipolar(double resultLow, double resultHigh) {
  return std::fabs(resultLow + resultHigh) < 0.000001 * std::max(std::fabs(resultLow), std::fabs(resultHigh));
}

TSimRange SimRangeOf(const app::TParamSet& p) {
  return {p.P.MinInput, p.P.MaxInput};
}

TSimPoint SimAtInput(const TSimTable& t, const TSimRange& r, double x) {
  TSimPoint p;
  p.inputPercent = Finite(x);
  p.signal = SignalOfPercent(t, p.inputPercent);
  p.fraction = SimOutput(t, p.signal);
  p.result = ResultOf(r, p.fraction);
  p.current = 16 * p.fraction + 4;
  return p;
}

TSimPoint SimAtOutput(const TSimTable& t, const TSimRange& r, double y) {
  TSimPoint p;
  p.fraction = Finite(y);
  p.current = 16 * p.fraction + 4;
  p.result = ResultOf(r, p.fraction);
  p.signal = SimInput(t, p.fraction);
  p.inputPercent = PercentOfSignal(t, p.signal);
  return p;
}

double InputOfScroll(int position) {
  return 100 - position * 100.0 / kInputScrollMax;
}

double FractionOfScroll(int position) {
  return 1 - position / static_cast<double>(kOutputScrollMax);
}

int ScrollPosition(int present, double exact, int maxPosition) {
  if (!std::isfinite(exact)) return present;
  const double clamped = std::clamp(exact, 0.0, static_cast<double>(maxPosition));
  return static_cast<int>(RoundHalfEven(clamped));
}

int InputScrollPosition(int present, double inputPercent) {
  return ScrollPosition(present, (1 - inputPercent / 100) * kInputScrollMax, kInputScrollMax);
}

int OutputScrollPosition(int present, double fraction) {
  return ScrollPosition(present, (1 - fraction) * kOutputScrollMax, kOutputScrollMax);
}

TPlotPercent PlotPosition(double inputPercent, double fraction, bool bipolar) {
  return {bipolar ? 2 * inputPercent - 100 : inputPercent, 100 * fraction};
}

double InputOfPlotX(double plotX, bool bipolar) {
  const double x = bipolar ? (plotX + 100) / 2 : plotX;
  return std::isnan(x) ? 0.0 : std::clamp(x, 0.0, 100.0);
}

std::array<TPlotPercent, kSegments + 1> CurvePoints(const TSimTable& t, bool bipolar) {
  std::array<TPlotPercent, kSegments + 1> points;
  for (int k = 0; k <= kSegments; ++k) {
    const double x = bipolar ? k * 200.0 / kSegments - 100 : k * 100.0 / kSegments;
    points[static_cast<std::size_t>(k)] = {x, 100 * t.outputs[static_cast<std::size_t>(k)]};
  }
  return points;
}

std::string_view SignalUnit(int typ) {
  if (typ >= 1 && typ <= 5) return "Ohm";
  if (typ >= 6 && typ <= 16) return "mV";
  if (typ == 17 || typ == 19) return "mA";
  if (typ == 18) return "V";
  return {};
}

std::string SignalText(double v) {
  if (!std::isfinite(v)) return std::string(kNoNumberText);
  if (std::fabs(v) >= 1000) return Fixed(RoundHalfEven(v), 0);
  if (v < 100) return Fixed(RoundHalfEven(100 * v) / 100, 2);
  return Fixed(RoundHalfEven(10 * v) / 10, 1);
}

std::string FixText(double v) {
  if (!std::isfinite(v)) return std::string(kNoNumberText);
  return Fixed(RoundHalfEven(100 * v) / 100, 2);
}

TEntryCheck CheckEntry(std::string_view text, double lo, double hi) {
  TEntryCheck c;
  double v = 0.0;
  if (!docs::StrToNumber(text, v)) {
    c.key = "Wrong format";
  } else if (v < lo - kLimitTolerance || v > hi + kLimitTolerance) {
    c.key = "Out of range!";
  } else {
    c.ok = true;
    c.value = std::clamp(v, lo, hi);
  }
  return c;
}

TReferenceComparison CompareAtValue(const TSimTable& t, const TSimRange& r, const TForwardModel& exact,
                                    double value) {
  TReferenceComparison c;
  if (!exact || !std::isfinite(value)) return c;
  const double s = exact(value);
  if (!std::isfinite(s)) return c;
  c.simulated = ResultOf(r, SimOutput(t, s));
  c.found = true;
  c.reference = value;
  c.difference = c.simulated - value;
  return c;
}

TReferenceComparison CompareAtInput(const TSimTable& t, const TSimRange& r, const TForwardModel& exact,
                                    double x) {
  TReferenceComparison c;
  const TSimPoint p = SimAtInput(t, r, x);
  c.simulated = p.result;
  const double lo = std::min(r.minInput, r.maxInput);
  const double hi = std::max(r.minInput, r.maxInput);
  if (!exact || !std::isfinite(lo) || !std::isfinite(hi)) return c;
  const double tol = kRootTolerance * (std::fabs(p.signal) + std::fabs(t.span));
  double v = 0.0;
  if (!NearestRoot(exact, p.signal, lo, hi, std::clamp(p.result, lo, hi), tol, v)) return c;
  c.found = true;
  c.reference = v;
  c.difference = c.simulated - v;
  return c;
}

}  // namespace vorta::sensors
