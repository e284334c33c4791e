// Computation of the 200-segment transfer function and the cold-junction terms.
#include "sensors/characteristic.h"

#include <algorithm>
#include <cmath>

#include "app/sensor_code.h"
#include "sensors/cold_junction.h"
#include "sensors/interpolation.h"
#include "sensors/sensor_signal.h"
#include "sensors/thermocouple.h"
#include "sensors/user_table.h"

namespace vorta::sensors {
namespace {

constexpr const char* kTransferFunction = "Transfer function";

long double Line(long double xa, long double ya, long double xb, long double yb, long double x) {
  return ya + (x - xa) * (yb - ya) / (xb - xa);
}

// The cold-junction terms by Tryb for thermocouple types.
TResult ColdJunction(const TSensorData& d, TCharacteristic& c) {
  const app::TParamSet& p = d.p;
  c.cjWritten = false;
  if (!app::IsThermocouple(p.Code.Typ)) return TResult::Ok();
  switch (p.Code.Tryb) {
    case 5:
      c.cj = {0.0, 0.0, 0.0};
      break;
    case 6:
      c.cj = {SensorSignal(d, p.Code.Typ, p.P.RoomT), 0.0, 0.0};
      break;
    case 7: {
      TCjTerms t{};
      if (TResult r = CjFit(d, p.Code.Typ, t); !r) return TResult::Fail("cold junction compensation", r.key);
      c.cj = {static_cast<double>(t[0]), static_cast<double>(t[1]), static_cast<double>(t[2])};
      break;
    }
    default:
      return TResult::Ok();
  }
  c.cjWritten = true;
  return TResult::Ok();
}

// The output follows the signal: 0 at the signal of MinInput, 1 at the signal of MaxInput.
void LinearSegments(const TSensorData& d, TCharacteristic& c) {
  const app::TParamSet& p = d.p;
  const long double width = static_cast<long double>(c.smax) - c.smin;
  long double offset = -c.smin / width, gain = 1 / width;
  if (SensorSignal(d, p.Code.Typ, p.P.MinInput) > SensorSignal(d, p.Code.Typ, p.P.MaxInput)) {
    offset = 1 - offset;
    gain = -gain;
  }
  c.slots.fill({static_cast<double>(offset), static_cast<double>(gain)});
  for (int k = 0; k <= kSegments; ++k)
    c.outputs[static_cast<std::size_t>(k)] =
        static_cast<double>((c.smin + k * static_cast<long double>(c.step)) * gain + offset);
}

TSampledCurve SampleCurve(const TSensorData& d) {
  const app::TParamSet& p = d.p;
  TSampledCurve curve;
  curve.x0 = p.P.MinInput;
  curve.span = static_cast<long double>(p.P.MaxInput) - p.P.MinInput;
  curve.dx = curve.span / (kSamples - 1);
  for (int i = 0; i < kSamples; ++i)
    curve.sig[static_cast<std::size_t>(i)] =
        SensorSignal(d, p.Code.Typ, static_cast<double>(curve.x0 + i * curve.dx));
  return curve;
}

// The 200 segments from the inverse of the sensor curve, the table or the power series.
bool InverseSegments(const TSensorData& d, TCharacteristic& c) {
  const app::TParamSet& p = d.p;
  const int typ = p.Code.Typ;
  const bool curve = app::IsRtd(typ) || IsReferenceThermocouple(typ);
  const TUserTable& table = d.table;
  const TSampledCurve sampled = curve ? SampleCurve(d) : TSampledCurve{};
  const long double span = static_cast<long double>(p.P.MaxInput) - p.P.MinInput;
  const long double step = static_cast<long double>(c.smax - c.smin) / kSegments;
  const bool descending = !curve && p.TableLoaded && table.Descending();
  long double prev = descending ? p.P.MaxInput : p.P.MinInput;
  int j = 1;
  const int n = table.Count();
  for (int k = 1; k <= kSegments; ++k) {
    const long double s = c.smin + k * step;
    long double v;
    if (curve) {
      while (j < kSamples && s > sampled.sig[static_cast<std::size_t>(j)]) ++j;
      v = CurveInverse(sampled, j, s, c.monotonic);
    } else if (p.Code.Lin == 2) {
      while (j < n && s > table[j].y) ++j;
      v = TableInverse(table, j, s);
    } else {
      prev = PolyValueOf(p.LinCoef, 9, s - step);
      v = PolyValueOf(p.LinCoef, 9, s);
    }
    const long double gain = (v - prev) / (span * step);
    const long double offset = (v - p.P.MinInput) / span - gain * s;
    if (!std::isfinite(gain) || !std::isfinite(offset)) return false;
    const TSegmentPair pair{static_cast<double>(offset), static_cast<double>(gain)};
    c.slots[static_cast<std::size_t>(k)] = pair;
    if (k == 1) {
      c.slots[0] = pair;
      c.outputs[0] = static_cast<double>(gain * c.smin + offset);
    }
    c.outputs[static_cast<std::size_t>(k)] = static_cast<double>(gain * s + offset);
    prev = v;
  }
  c.slots[kSegments + 1] = c.slots[kSegments];
  return true;
}

// Whether the input is turned by the inverse of a curve, a table or a power series; any other
// input follows its signal linearly (also a converted input whose Lin names no conversion).
bool Linearised(const app::TParamSet& p) {
  const int typ = p.Code.Typ, lin = p.Code.Lin;
  if (lin == 1 || lin == 4) return false;
  if (app::IsRtd(typ) || IsReferenceThermocouple(typ)) return true;
  return lin == 2 || lin == 8;
}

bool AllFinite(const TCharacteristic& c) {
  const auto finite = [](double v) { return std::isfinite(v); };
  return std::all_of(c.cj.begin(), c.cj.end(), finite) &&
         std::all_of(c.outputs.begin(), c.outputs.end(), finite) &&
         std::all_of(c.slots.begin(), c.slots.end(),
                     [](const TSegmentPair& s) { return std::isfinite(s.offset) && std::isfinite(s.gain); });
}

}  // namespace

long double CurveInverse(const TSampledCurve& c, int j, long double s, bool& monotonic) {
  const auto& sig = c.sig;
  const auto at = [&sig](int i) -> long double { return sig[static_cast<std::size_t>(i)]; };
  bool top = false;
  if (j < 1) j = 1;
  if (j > kSamples - 2) {
    j = kSamples - 2;
    top = true;
  }
  int k = 0, m = 0;
  if (j == 1 && at(1) - at(0) <= 0) {
    while (at(j) - at(0) < 0 && j <= kSamples - 3) {
      ++j;
      ++k;
    }
  }
  long double dl = 0, dh = 0;
  for (;;) {
    if (j - k > 0) ++k;
    if (j + m < kSamples - 1) ++m;
    if (j - k == 0 && j + m == kSamples - 1) {
      monotonic = false;
      return c.x0 + c.span;
    }
    dl = at(j) - at(j - k);
    dh = at(j + m) - at(j);
    const long double margin = 0.01L * std::max(std::fabs(dl), std::fabs(dh));
    if (dh * dl > margin * margin) break;
  }
  const long double xj = c.x0 + j * c.dx, xlo = xj - k * c.dx, xhi = xj + m * c.dx;
  const long double slo = std::fabs((xj - xlo) / dl), shi = std::fabs((xhi - xj) / dh);
  if (slo > 3 * shi || shi > 3 * slo)
    return top ? Line(at(j), xj, at(j + m), xhi, s) : Line(at(j - k), xlo, at(j), xj, s);
  return Parabola(at(j - k), xlo, at(j), xj, at(j + m), xhi, s);
}

TResult ComputeCharacteristic(const TSensorData& d, TCharacteristic& c) {
  const app::TParamSet& p = d.p;
  c = TCharacteristic{};
  const TSignalBounds b = SignalBounds(d);
  if (!std::isfinite(b.smin) || !std::isfinite(b.smax)) return TResult::Fail(kTransferFunction);
  const double span = p.P.MaxInput - p.P.MinInput;
  if (!(b.smax > b.smin) || !std::isfinite(span) || span == 0) return TResult::Fail("Input range too small!");
  c.smin = b.smin;
  c.smax = b.smax;
  c.step = (b.smax - b.smin) / kSegments;
  if (TResult r = ColdJunction(d, c); !r) return r;
  if (Linearised(p)) {
    if (!InverseSegments(d, c)) return TResult::Fail(kTransferFunction);
  } else {
    LinearSegments(d, c);
  }
  if (!AllFinite(c)) return TResult::Fail(kTransferFunction);
  return TResult::Ok();
}

bool StoreCharacteristic(const TCharacteristic& c, comm::TDeviceRecord& rec) {
  comm::TDeviceRecord out = rec;
  bool ok = true;
  if (c.cjWritten)
    for (std::size_t i = 0; i < 3; ++i) ok = ok && out.SetFloat(comm::rec::kCjTerms + 4 * i, c.cj[i]);
  ok = ok && out.SetFloat(comm::rec::kSmin, c.smin) && out.SetFloat(comm::rec::kStep, c.step);
  for (std::size_t k = 0; ok && k < c.slots.size(); ++k)
    ok = out.SetFloat(comm::rec::kSlots + 8 * k, c.slots[k].offset) &&
         out.SetFloat(comm::rec::kSlots + 8 * k + 4, c.slots[k].gain);
  if (ok) rec = out;
  return ok;
}

TResult EncodeCharacteristic(const TSensorData& d, comm::TDeviceRecord& rec, TCharacteristic& c) {
  if (TResult r = ComputeCharacteristic(d, c); !r) return r;
  if (!c.monotonic) return TResult::Fail(kNotMonotonicKey);
  if (!StoreCharacteristic(c, rec)) return TResult::Fail(kTransferFunction);
  return TResult::Ok();
}

}  // namespace vorta::sensors
