// Shared set-up of the sensor tests.
#include "test_support.h"

#include "sensors/sensor_signal.h"

namespace vorta::sensors::testing {

void SensorTest::Configure(int typ, int tryb, int lin, double minInput, double maxInput) {
  p().Code.Typ = static_cast<std::uint8_t>(typ);
  p().Code.Tryb = static_cast<std::uint8_t>(tryb);
  p().Code.Lin = static_cast<std::uint8_t>(lin);
  p().P.MinInput = minInput;
  p().P.MaxInput = maxInput;
  p().P.RoomT = 25.0;
}

void SensorTest::SetTable(const std::vector<TTablePoint>& points) {
  TUserTable& t = table();
  for (std::size_t i = 0; i < points.size(); ++i) t[static_cast<int>(i) + 1] = points[i];
  t.SetCount(static_cast<int>(points.size()));
}

long double ExactInverse(const TSensorData& d, int typ, long double a, long double b, long double s) {
  constexpr int kGrid = 2000;
  if (SensorSignalL(d, typ, a) >= s) return a;  // the start of the range gives the smallest signal
  const long double h = (b - a) / kGrid;
  int i = 1;
  while (i < kGrid && SensorSignalL(d, typ, a + i * h) < s) ++i;
  long double lo = a + (i - 1) * h, hi = a + i * h;
  for (int k = 0; k < 100; ++k) {
    const long double mid = (lo + hi) / 2;
    (SensorSignalL(d, typ, mid) < s ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

}  // namespace vorta::sensors::testing
