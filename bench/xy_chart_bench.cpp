// The strip chart control on a full 1000-column plot, offscreen: offering one sample (the store, the
// scale and the drawing of its column, or a full repaint when the scale moved), the same followed by
// putting the picture on the control, and a full repaint at 1000x600. Goal for the repaint: under
// 5 ms, so that the chart view's 200 ms tick never lags.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "charts/ui/xy_chart.h"

namespace {

using namespace vorta::charts;

constexpr TColor kAqua = ColorRgb(0, 255, 255), kRed = ColorRgb(255, 0, 0);

double Noise(long long k) {
  return 20.3 + 0.2 * static_cast<double>(k * 7919 % 100) / 99.0;
}

// A chart as the chart view sets it up, with its own clock one second a sample, filled twice over.
struct TFullChart {
  TXYChart chart;
  double now = 0;
  long long k = 0;
  long long rescales = 0;
  QImage target{1000, 600, QImage::Format_RGB32};

  explicit TFullChart(double (*value)(long long)) {
    chart.resize(1000, 600);
    chart.SetClock([this] { return now; });
    chart.ClearData();
    chart.SetGrid(TGridType::gtBoth);
    chart.SetChartType(TChartType::ctLine);
    chart.SetInterval(1);
    chart.SetYLabel("Result [C]");
    chart.OnNeedLinesY = [](TXYChart* sender, double& v, TColor& c, bool& finished) {
      const int tag = sender->Tag();
      const double y =
          sender->Points().Count() > 0 ? sender->Points().Point(sender->Points().Count() - 1).Value : 0;
      v = y + (tag == 0 ? 0.05 : tag == 1 ? -0.05 : tag == 2 ? 0.1 : -0.1);
      c = tag < 2 ? kAqua : kRed;
      finished = tag >= 3;
    };
    for (int i = 0; i < 2 * chart.Layout().Columns(); ++i) Offer(value);
    Render();
  }
  void Offer(double (*value)(long long)) {
    now += 1;
    const double minY = chart.MinY, maxY = chart.MaxY;
    benchmark::DoNotOptimize(chart.AddPoint(value(k++), kAqua));
    if (chart.MinY != minY || chart.MaxY != maxY) ++rescales;
  }
  void Render() { chart.render(&target); }
};

void Run(benchmark::State& state, double (*value)(long long), bool render) {
  TFullChart f(value);
  const long long rescalesBefore = f.rescales;
  for (auto _ : state) {
    f.Offer(value);
    if (render) f.Render();
  }
  state.counters["rescales_per_sample"] =
      static_cast<double>(f.rescales - rescalesBefore) / static_cast<double>(state.iterations());
  state.counters["columns"] = f.chart.Layout().Columns();
  state.counters["points"] = f.chart.Points().Count();
}

void AddSample(benchmark::State& state) {
  Run(state, Noise, false);
}
void AddSampleAndPaint(benchmark::State& state) {
  Run(state, Noise, true);
}
// A rising ramp: every sample moves the automatic scale, so every sample repaints everything.
void AddSampleWithRescaleAndPaint(benchmark::State& state) {
  Run(
      state, [](long long k) { return static_cast<double>(k); }, true);
}

void FullRepaint(benchmark::State& state) {
  TFullChart f(Noise);
  for (auto _ : state) {
    f.chart.Redraw();
    f.Render();
  }
}

}  // namespace

BENCHMARK(AddSample)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(AddSampleAndPaint)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(AddSampleWithRescaleAndPaint)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(FullRepaint)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
