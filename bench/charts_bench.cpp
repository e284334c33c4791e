// The strip chart's work for one sample on a full 1000-column chart, as the widget does it: store the
// sample, rescale, then either the marks of the one new column and the marker lines, or (when the scale
// changed) everything a full repaint draws. Goal: under 50 µs without a rescale, and no allocation per
// sample once the chart is full (counted by the replaced operator new below). A day of samples at one
// a second shows the resident memory once the chart is full and at the end.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "charts/strip_chart_data.h"
#include "charts/strip_chart_scale.h"

namespace {
std::atomic<long long> g_allocations{0};
// The replaced operator new takes its memory from malloc, so free() is the matching release; called
// through a pointer, as once inlined the compiler would take it for a mismatch.
void (*volatile g_free)(void*) = std::free;
}  // namespace

void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  g_free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  g_free(p);
}

namespace {

using namespace vorta::charts;

constexpr int kColumns = 1000;
constexpr TColor kAqua = ColorRgb(0, 255, 255), kRed = ColorRgb(255, 0, 0);

// The chart view's filter lines around the latest value: two aqua, two red.
void FilterLines(int tag, double& value, TColor& color, bool& finished) {
  const double y = 20.4, b1 = 0.05, b2 = 0.1;
  if (tag <= 1) value = tag == 0 ? y + b1 : y - b1, color = kAqua;
  if (tag >= 2) value = tag == 2 ? y + b2 : y - b2, color = kRed;
  finished = tag >= 3;
}

// What the widget keeps and does for one offered sample.
struct TChartWork {
  TStripChartData data{kColumns, 0.0};
  TChartScale scale;
  TChartLook look{TGridType::gtBoth, kColorSilver, kColorWhite, 1};
  TNeedLines needLines = FilterLines;
  TBasePicture base;
  std::vector<TDataMark> marks;
  long long rescales = 0;

  TChartWork() {
    data.SetInterval(1);
    marks.reserve(kColumns);
  }

  void Offer(double value, double now) {
    if (!Stored(data.AddPoint(value, kAqua, now))) return;
    const TChartScale s = CalcScale(data, true, scale, nullptr);
    if (s == scale) {
      const TValueMap map(scale, base.layout.H);
      benchmark::DoNotOptimize(LatestMark(data, map, TChartType::ctLine));
      benchmark::DoNotOptimize(MarkerLines(map, base.layout.W, needLines));
      return;
    }
    scale = s;
    ++rescales;
    int widest = 0;  // a font of 6 pixels a character stands in for the widget's measuring
    for (const std::string& t : ScaleProbeTexts(scale, '.')) widest = std::max(widest, 6 * int(t.size()));
    base = BasePicture(look, {1000, 600, 14, 13, widest}, scale, '.', nullptr);
    const TValueMap map(scale, base.layout.H);
    DataMarks(data, map, TChartType::ctLine, marks);
    benchmark::DoNotOptimize(MarkerLines(map, base.layout.W, needLines));
    benchmark::DoNotOptimize(marks.data());
  }
};

double Noise(long long k) {
  return 20.3 + 0.2 * static_cast<double>(k * 7919 % 100) / 99.0;
}

long long ResidentKiB() {
  long long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%lld %lld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE) / 1024;
}

void Run(benchmark::State& state, double (*value)(long long)) {
  TChartWork w;
  long long k = 0;
  for (; k < 2 * kColumns; ++k) w.Offer(value(k), static_cast<double>(k + 1));
  const long long rescalesBefore = w.rescales;
  const long long before = g_allocations.load();
  if (before == 0) state.SkipWithError("the allocation counter is not in effect");
  for (auto _ : state) {
    w.Offer(value(k), static_cast<double>(k + 1));
    ++k;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["allocs_per_sample"] = static_cast<double>(g_allocations.load() - before) / n;
  state.counters["rescales_per_sample"] = static_cast<double>(w.rescales - rescalesBefore) / n;
}

void AddSampleToFullChart(benchmark::State& state) {
  Run(state, Noise);
}

// A rising ramp: every sample moves both ends of the automatic scale.
void AddSampleWithRescale(benchmark::State& state) {
  Run(state, [](long long k) { return static_cast<double>(k); });
}

void DayAtOneSamplePerSecond(benchmark::State& state) {
  for (auto _ : state) {
    TChartWork w;
    long long rssFull = 0, allocationsWhenFull = 0;
    for (long long k = 0; k < 86400; ++k) {
      w.Offer(Noise(k) + static_cast<double>(k / 3600), static_cast<double>(k + 1));
      if (k == kColumns) {
        rssFull = ResidentKiB();
        allocationsWhenFull = g_allocations.load();
      }
    }
    const long long allocationsAfterFull = g_allocations.load() - allocationsWhenFull;
    const long long rssEnd = ResidentKiB();
    state.counters["rss_full_KiB"] = static_cast<double>(rssFull);
    state.counters["rss_end_KiB"] = static_cast<double>(rssEnd);
    state.counters["allocs_after_full"] = static_cast<double>(allocationsAfterFull);
    state.counters["points_held"] = w.data.Count();
    state.counters["rescales"] = static_cast<double>(w.rescales);
  }
}

}  // namespace

BENCHMARK(AddSampleToFullChart)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(AddSampleWithRescale)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(DayAtOneSamplePerSecond)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
