// The simulation of the written transfer function, evaluated point for point the way the
// transmitter does: 200 equal signal segments between ResultLow and ResultHigh, linear in each,
// with the output fractions SegmentOutputs at the 201 breakpoints. Forward (signal to output) and
// inverse (output to signal), the operating point of the simulation window, its texts, and the
// comparison with the sensor's exact curve. No window, no process-wide state.
//
// Degenerate cases never give NaN or infinity:
// - Zero signal span (ResultLow = ResultHigh, or either not finite; a non-finite ResultLow counts
//   as 0): SimOutput gives 0 (the transmitter itself answers a zero segment width with the lower
//   end of the range, 4 mA), SimInput gives ResultLow, PercentOfSignal gives 0.
// - A flat segment (equal outputs at both ends) chosen by SimInput has no unique inverse: the
//   result is the breakpoint at which the search stopped, that is the first signal that reaches
//   the output, x(0) for an output before the first breakpoint and x(200) for one beyond the last.
// - Signals or outputs outside the range extrapolate the first or the last segment, as the
//   transmitter does; a non-finite argument, or an extrapolation that overflows, gives the value
//   at the breakpoint where the search stopped (x(0) or x(200), outputs[0] or outputs[200]).
// - Non-finite outputs in the table are taken as 0.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "app/param_set.h"
#include "sensors/characteristic.h"

namespace vorta::sensors {

// The segment table of the simulation.
struct TSimTable {
  double low = 0.0;                             // ResultLow: the signal at breakpoint 0
  double span = 0.0;                            // SignalSpan = ResultHigh - ResultLow
  double step = 0.0;                            // SignalStep = SignalSpan / 200
  std::array<double, kSegments + 1> outputs{};  // output fraction at breakpoint k

  double Breakpoint(int k) const { return low + k * step; }
  bool Usable() const { return step != 0.0; }
};

TSimTable MakeSimTable(double resultLow, double resultHigh, const std::array<double, kSegments + 1>& outputs);
// From the encoder's result: ResultLow = smin, ResultHigh = smax.
TSimTable MakeSimTable(const TCharacteristic& c);
// From the parameter set's ResultLow and ResultHigh and the encoder's SegmentOutputs.
TSimTable MakeSimTable(const app::TParamSet& p, const std::array<double, kSegments + 1>& outputs);

// Output fraction for the signal s (0 at MinInput, 1 at MaxInput).
double SimOutput(const TSimTable& t, double s);
// Signal for the output fraction y.
double SimInput(const TSimTable& t, double y);

// Signal at x percent of the signal range, and back (0 for a zero span).
double SignalOfPercent(const TSimTable& t, double x);
double PercentOfSignal(const TSimTable& t, double s);

// The transmitter adds the cold-junction signal c0 + c1 t + c2 t^2 of its own temperature to the
// signal at its terminals before the segments; the simulation works on the sum, the signal of the
// measuring junction. Terminal signal plus that term, when the terms apply (cjWritten).
double CompensatedSignal(const TCharacteristic& c, double terminal, double junctionTemperature);

// A signal range symmetric about zero: |ResultLow + ResultHigh| < 0.000001 x the larger of
// |ResultLow| and |ResultHigh|. An empty range at zero is not bipolar.
bool IsBipolar(double resultLow, double resultHigh);

// The input range of the parameter set: the result at output fraction 0 and 1.
struct TSimRange {
  double minInput = 0.0;
  double maxInput = 0.0;
};
TSimRange SimRangeOf(const app::TParamSet& p);

// What the window shows for one operating point.
struct TSimPoint {
  double inputPercent = 0.0;  // CurInput, percent of the signal range
  double signal = 0.0;        // in the signal's unit
  double fraction = 0.0;      // output fraction
  double result = 0.0;        // MinInput + (MaxInput - MinInput) x fraction
  double current = 0.0;       // CurCurrent = 16 x fraction + 4, mA
};
// InpDisp: the state for x percent of the input.
TSimPoint SimAtInput(const TSimTable& t, const TSimRange& r, double x);
// OutDisp: the state for the output fraction y.
TSimPoint SimAtOutput(const TSimTable& t, const TSimRange& r, double y);

// Scroll bars: InputS 0..200 (top = 100 %), OutputS 0..160 (top = 20 mA).
inline constexpr int kInputScrollMax = 200;
inline constexpr int kOutputScrollMax = 160;
double InputOfScroll(int position);     // 100 - position x 100 / 200
double FractionOfScroll(int position);  // 1 - position / 160
// The bar's position for an exact one: round(exact) within 0..maxPosition; present when exact is
// not finite. Move the bar only when this differs from present: the same as moving it only when
// the exact position lies 0.5 or more away.
int ScrollPosition(int present, double exact, int maxPosition);
int InputScrollPosition(int present, double inputPercent);
int OutputScrollPosition(int present, double fraction);

// Plot coordinates in percent of the operating point: (2x - 100, 100 y) in bipolar mode, else
// (x, 100 y); and back from a plot X in percent to the input in percent (0..100).
struct TPlotPercent {
  double x = 0.0;
  double y = 0.0;
};
TPlotPercent PlotPosition(double inputPercent, double fraction, bool bipolar);
double InputOfPlotX(double plotX, bool bipolar);
// The 201 breakpoints as plot points: X = k x 100 / 200 (bipolar k x 200 / 200 - 100), Y = 100 x output.
std::array<TPlotPercent, kSegments + 1> CurvePoints(const TSimTable& t, bool bipolar);

// Unit of the input signal by Typ: 1..5 "Ohm", 6..16 "mV", 17 and 19 "mA", 18 "V", else empty.
std::string_view SignalUnit(int typ);
// The signal's text: |v| >= 1000 whole, below 100 (negatives included) 2 decimals, else 1.
std::string SignalText(double v);
// Fixed point with 2 decimals ("4.00", "50.50"), as the two edits show their values.
std::string FixText(double v);
// A non-finite value shows as this text in both.
inline constexpr std::string_view kNoNumberText = "----";

// The check of a typed input percent or current: a number (decimal point or comma) within
// lo..hi, with the tolerance 0.000001 of every limit.
struct TEntryCheck {
  bool ok = false;
  std::string key;  // "Wrong format" or "Out of range!" when refused
  double value = 0.0;
};
TEntryCheck CheckEntry(std::string_view text, double lo, double hi);
inline constexpr double kInputEntryLow = 0.0, kInputEntryHigh = 100.0;
inline constexpr double kCurrentEntryLow = 4.0, kCurrentEntryHigh = 20.0;

// The sensor's exact curve: the signal at a value of the input range.
using TForwardModel = std::function<double(double)>;

// The simulated result beside the exact value, in the range's unit.
struct TReferenceComparison {
  bool found = false;       // false: the exact curve does not reach the signal within the range
  double simulated = 0.0;   // MinInput + (MaxInput - MinInput) x SimOutput(signal)
  double reference = 0.0;   // the exact value; 0 when not found
  double difference = 0.0;  // simulated - reference; 0 when not found
};
// At a value of the input range: the signal is exact(value), the reference the value itself.
TReferenceComparison CompareAtValue(const TSimTable& t, const TSimRange& r, const TForwardModel& exact,
                                    double value);
// At x percent of the signal range: the reference is the value within the input range at which the
// exact curve gives the signal, the one nearest the simulated result where there are several (a
// curve that falls at the start of the range, as type B below about 21 degrees C).
TReferenceComparison CompareAtInput(const TSimTable& t, const TSimRange& r, const TForwardModel& exact,
                                    double x);

}  // namespace vorta::sensors
