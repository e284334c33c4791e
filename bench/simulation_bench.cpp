// The simulation window's computations: one drag step (a plot pixel back to percent, the operating
// point, its texts, the reference value and the cross-hair strips), and the whole function for a
// plot 400 pixels wide (goals: a drag step well under 1 ms, the whole plot under 20 ms).
#include <benchmark/benchmark.h>

#include <cmath>

#include "charts/xy_plot_math.h"
#include "sensors/simulation.h"

namespace {

using namespace vorta;

// Pt100 (0.00385) over -100..850 degrees C as the encoder would leave it.
constexpr double kA = 3.9083e-3, kB = -5.775e-7;
double Pt100(double t) {
  return 100 * (1 + kA * t + kB * t * t);
}

sensors::TSimTable Pt100Table() {
  std::array<double, sensors::kSegments + 1> outputs{};
  const double lo = Pt100(-100), hi = Pt100(850);
  for (int k = 0; k <= sensors::kSegments; ++k) {
    const double r = lo + k * (hi - lo) / sensors::kSegments;
    const double t = (-kA + std::sqrt(kA * kA - 4 * kB * (1 - r / 100))) / (2 * kB);
    outputs[k] = (t + 100) / 950;
  }
  return sensors::MakeSimTable(lo, hi, outputs);
}

void DragStep(benchmark::State& state) {
  const sensors::TSimTable table = Pt100Table();
  const sensors::TSimRange range{-100, 850};
  const sensors::TForwardModel exact = Pt100;
  const charts::TPlotLayout layout = charts::MakeLayout(400, 400, false);
  charts::TCrossHairPosition hairs;
  int column = 2;
  for (auto _ : state) {
    column = column >= 397 ? 2 : column + 1;
    const charts::TPercentPoint at = charts::PercentAt(layout, {column, 200});
    const sensors::TSimPoint p = sensors::SimAtInput(table, range, sensors::InputOfPlotX(at.x, false));
    const sensors::TReferenceComparison ref = sensors::CompareAtInput(table, range, exact, p.inputPercent);
    const std::string texts = sensors::FixText(p.inputPercent) + sensors::SignalText(p.signal) +
                              sensors::FixText(p.current) + sensors::FixText(ref.difference);
    const sensors::TPlotPercent plot = sensors::PlotPosition(p.inputPercent, p.fraction, false);
    const charts::TCrossHairMove move = charts::MoveCrossHairs(layout, hairs, plot.x, plot.y);
    hairs = move.now;
    benchmark::DoNotOptimize(texts);
    benchmark::DoNotOptimize(move);
  }
}

void WholePlot400Pixels(benchmark::State& state) {
  const sensors::TSimTable table = Pt100Table();
  const charts::TPlotLayout layout = charts::MakeLayout(400, 400, false);
  const int right = charts::ControlPixel(layout, 102, 0).x;
  for (auto _ : state) {
    for (const sensors::TPlotPercent& k : sensors::CurvePoints(table, false)) {
      benchmark::DoNotOptimize(charts::DotRects(layout, k.x, k.y, true));
    }
    for (int column = 2; column <= right; ++column) {
      const double x = sensors::InputOfPlotX(charts::PercentAt(layout, {column, 0}).x, false);
      const double y = sensors::SimOutput(table, sensors::SignalOfPercent(table, x));
      benchmark::DoNotOptimize(charts::DotRects(layout, x, 100 * y, false));
    }
  }
}

}  // namespace

BENCHMARK(DragStep)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(WholePlot400Pixels)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
