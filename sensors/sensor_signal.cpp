// Resistance polynomials, the signal of every input type, signal bounds and the range check.
#include "sensors/sensor_signal.h"

#include <algorithm>
#include <cmath>

#include "app/sensor_code.h"
#include "sensors/interpolation.h"
#include "sensors/sensor_range.h"
#include "sensors/thermocouple.h"
#include "sensors/user_table.h"

namespace vorta::sensors {
namespace {

constexpr TRtdPolynomial kRtd = {{
    {100.00272, 0.39076269, -6.0381711E-05, 4.0288765E-08, -2.4161212E-10, 6.5996588E-13, -6.7290771E-16,
     -5.8400929E-19, 2.1362756E-21, -1.9617729E-24, 6.2761831E-28},
    {100.00086, 0.39862548, -6.1896113E-05, 2.4155334E-08, -1.351571E-10, 5.0893568E-13, -1.1666947E-15,
     1.608881E-18, -1.3154381E-21, 5.8828362E-25, -1.1090877E-28},
    {100.00005, 0.54979801, 6.2880181E-04, 9.969763E-08, 8.6189375E-09, -2.6127669E-10, 2.5867181E-12,
     2.2772837E-14, -5.1609081E-16, 2.961306E-18, -5.6737191E-21},
    {100.00003, 0.42599955, 0, 0, 0, 0, 0, 0, 0, 0, 0},
}};

long double RtdOhm(int typ, long double t) {
  const auto& c = kRtd[static_cast<std::size_t>(typ - 1)];
  long double sum = c[0], power = 1;
  for (std::size_t k = 1; k < c.size(); ++k) {
    power *= t;
    sum += c[k] * power;
  }
  return sum;
}

long double ConvertedSignal(const TSensorData& d, long double x) {
  const app::TParamSet& p = d.p;
  switch (p.Code.Lin) {
    case 2:
    case 8:
      return TableValue(d.table, x);
    case 4:
      return p.LinCoef[0] + p.LinCoef[1] * x;
    default:
      return x;
  }
}

}  // namespace

const TRtdPolynomial& RtdPolynomial() {
  return kRtd;
}

long double SensorSignalL(const TSensorData& d, int typ, long double x) {
  if (app::IsRtd(typ)) return RtdOhm(typ, x);
  if (IsReferenceThermocouple(typ)) return ThermocoupleMillivolts(typ, x);
  if (typ == 15) return TableValue(d.table, x);
  if (app::IsConvertedInput(typ)) return ConvertedSignal(d, x);
  return x;
}

double SensorSignal(const TSensorData& d, int typ, double x) {
  return static_cast<double>(SensorSignalL(d, typ, x));
}

TSignalBounds SignalBounds(const TSensorData& d) {
  const int typ = d.p.Code.Typ;
  const double a = SensorSignal(d, typ, d.p.P.MinInput), b = SensorSignal(d, typ, d.p.P.MaxInput);
  return {std::min(a, b), std::max(a, b)};
}

bool RangeCheck(const TSensorData& d) {
  const app::TParamSet& p = d.p;
  const int typ = p.Code.Typ;
  if (app::UsesUserTable(typ, p.Code.Lin) && !p.TableLoaded) return true;
  const TSignalBounds b = SignalBounds(d);
  double span = MinSpan(typ);
  if (typ == 17 || typ == 18) {
    // A model with wider current or voltage ranges than the first group scales the minimum span.
    const TRangeRow& row = d.ranges[static_cast<std::size_t>(typ)];
    const TRangeRow first = typ == 17 ? FirstGroupCurrent() : FirstGroupVoltage();
    if (row.hi != first.hi) span = (row.hi - row.lo) * 0.1 / 10.0;
  }
  return span - 0.000001 <= b.smax - b.smin;
}

}  // namespace vorta::sensors
