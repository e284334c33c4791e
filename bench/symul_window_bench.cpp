// The simulation window as the user drives it, on the offscreen platform: one InpDisp with the
// repaint it causes (texts, bars, the cross hairs erased and drawn again; goal: median under 1 ms),
// and the plot of the whole function drawn at opening (goal: under 20 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "sensors/characteristic.h"
#include "service/ui/symul_window.h"

namespace {

using namespace vorta;

// A linearised Pt100 over -100..850 C, as a write would compute it.
struct TPt100Window {
  TPt100Window() {
    p.Code = {1, 3, 2, 0};
    p.P.MinInput = -100;
    p.P.MaxInput = 850;
    p.P.Jednostki = 8;
    if (!sensors::ComputeCharacteristic({p, *table, ranges}, c)) std::abort();
    window = std::make_unique<service::TSymulF>(nullptr, p, c, *table, ranges);
    window->show();
    QApplication::processEvents();
  }
  app::TParamSet p;
  std::unique_ptr<sensors::TUserTable> table = std::make_unique<sensors::TUserTable>();
  sensors::TSensorRangeTable ranges;
  sensors::TCharacteristic c;
  std::unique_ptr<service::TSymulF> window;
};

void InpDispWithRepaint(benchmark::State& state) {
  TPt100Window w;
  int step = 0;
  for (auto _ : state) {
    step = (step + 7) % 1000;
    w.window->InpDisp(step / 10.0);
    QApplication::processEvents();
  }
}

void WholeFunctionAtOpening(benchmark::State& state) {
  TPt100Window w;
  for (auto _ : state) {
    w.window->FormPaint();
    QApplication::processEvents();
  }
}

}  // namespace

BENCHMARK(InpDispWithRepaint)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(WholeFunctionAtOpening)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
