// EncodeCharacteristic for four typical configurations; the figure that counts is the median time
// per call (goal: under 2 ms each).
#include <benchmark/benchmark.h>

#include <memory>

#include "app/param_set.h"
#include "comm/device_record.h"
#include "sensors/characteristic.h"
#include "sensors/sensor_range.h"
#include "sensors/sensor_signal.h"
#include "sensors/user_table.h"

namespace {

using namespace vorta;

app::TParamSet gParams;
auto gTable = std::make_unique<sensors::TUserTable>();
sensors::TSensorRangeTable gRanges;

void Configure(int typ, int tryb, int lin, double lo, double hi) {
  gParams = app::TParamSet{};
  gParams.Code = {static_cast<std::uint8_t>(typ), static_cast<std::uint8_t>(tryb),
                  static_cast<std::uint8_t>(lin), 0};
  gParams.P.MinInput = lo;
  gParams.P.MaxInput = hi;
  gParams.P.RoomT = 25;
}

void Run(benchmark::State& state) {
  comm::TDeviceRecord rec{};
  sensors::TCharacteristic c;
  const sensors::TSensorData d{gParams, *gTable, gRanges};
  for (auto _ : state) {
    if (!sensors::EncodeCharacteristic(d, rec, c)) state.SkipWithError("characteristic not computed");
    benchmark::DoNotOptimize(rec);
  }
}

void Pt100Linearised(benchmark::State& state) {
  Configure(1, 3, 2, 0, 100);
  Run(state);
}

void TypeKWithInternalColdJunction(benchmark::State& state) {
  Configure(10, 7, 2, 0, 1200);
  Run(state);
}

void TypeBFromZero(benchmark::State& state) {
  Configure(6, 7, 2, 0, 1820);
  Run(state);
}

void UserTableOf3000Points(benchmark::State& state) {
  Configure(15, 7, 2, 0, 1000);
  sensors::TUserTable& t = *gTable;
  const sensors::TSensorData d{gParams, t, gRanges};
  for (int i = 1; i <= 3000; ++i) {
    const double x = -10 + (i - 1) * (1010.0 / 2999);
    t[i] = {x, sensors::SensorSignal(d, 10, x)};
  }
  t.SetCount(3000);
  gRanges[15] = {-100, 10000};
  gParams.TableLoaded = true;
  Run(state);
}

}  // namespace

#define VORTA_CHAR_BENCH(fn) \
  BENCHMARK(fn)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true)

VORTA_CHAR_BENCH(Pt100Linearised);
VORTA_CHAR_BENCH(TypeKWithInternalColdJunction);
VORTA_CHAR_BENCH(TypeBFromZero);
VORTA_CHAR_BENCH(UserTableOf3000Points);

BENCHMARK_MAIN();
