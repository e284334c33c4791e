// Computation of the 200-segment transfer function and the cold-junction terms.
#include "sensors/characteristic.h"

#include <algorithm>
#include <cmath>

#include "app/param_set.h"
#include "sensors/cold_junction.h"
#include "sensors/interpolation.h"
#include "sensors/sensor_signal.h"
#include "sensors/thermocouple.h"
#include "sensors/user_table.h"

namespace vorta::sensors {
namespace {

constexpr const char* kTransferFunction = "Transfer function";

TCharResult Fault(TCharStatus status, std::string reason) {
  return {status, std::move(reason)};
}

long double Line(long double xa, long double ya, long double xb, long double yb, long double x) {
  return ya + (x - xa) * (yb - ya) / (xb - xa);
}

// The cold-junction terms by Tryb for thermocouple types; false when the fit fails.
bool ColdJunction(const app::TParamSet& p, TCharacteristic& c) {
  c.cjWritten = false;
  if (!IsThermocouple(p.Code.Typ)) return true;
  switch (p.Code.Tryb) {
    case 5:
      c.cj = {0.0, 0.0, 0.0};
      break;
    case 6:
      c.cj = {SensorSignal(p.Code.Typ, p.P.RoomT), 0.0, 0.0};
      break;
    case 7: {
      TCjTerms t{};
      if (!CjFit(p.Code.Typ, t)) return false;
      c.cj = {static_cast<double>(t[0]), static_cast<double>(t[1]), static_cast<double>(t[2])};
      break;
    }
    default:
      return true;
  }
  c.cjWritten = true;
  return true;
}

// The output follows the signal: 0 at the signal of MinInput, 1 at the signal of MaxInput.
void LinearSegments(const app::TParamSet& p, TCharacteristic& c) {
  const long double width = static_cast<long double>(c.smax) - c.smin;
  long double offset = -c.smin / width, gain = 1 / width;
  if (SensorSignal(p.Code.Typ, p.P.MinInput) > SensorSignal(p.Code.Typ, p.P.MaxInput)) {
    offset = 1 - offset;
    gain = -gain;
  }
  c.slots.fill({static_cast<double>(offset), static_cast<double>(gain)});
  for (int k = 0; k <= kSegments; ++k)
    c.outputs[static_cast<std::size_t>(k)] =
        static_cast<double>((c.smin + k * static_cast<long double>(c.step)) * gain + offset);
}

TSampledCurve SampleCurve(const app::TParamSet& p) {
  TSampledCurve curve;
  curve.x0 = p.P.MinInput;
  curve.span = static_cast<long double>(p.P.MaxInput) - p.P.MinInput;
  curve.dx = curve.span / (kSamples - 1);
  for (int i = 0; i < kSamples; ++i)
    curve.sig[static_cast<std::size_t>(i)] =
        SensorSignal(p.Code.Typ, static_cast<double>(curve.x0 + i * curve.dx));
  return curve;
}

// The 200 segments from the inverse of the sensor curve, the table or the power series.
bool InverseSegments(const app::TParamSet& p, TCharacteristic& c) {
  const int typ = p.Code.Typ;
  const bool curve = IsRtd(typ) || IsReferenceThermocouple(typ);
  const TUserTable& table = UserTable();
  const TSampledCurve sampled = curve ? SampleCurve(p) : TSampledCurve{};
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
      prev = PolyValue(9, s - step);
      v = PolyValue(9, s);
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
  if (IsRtd(typ) || IsReferenceThermocouple(typ)) return true;
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

TCharResult ComputeCharacteristic(TCharacteristic& c) {
  const app::TParamSet& p = app::Param();
  c = TCharacteristic{};
  const TSignalBounds b = SignalBounds();
  if (!std::isfinite(b.smin) || !std::isfinite(b.smax))
    return Fault(TCharStatus::kArithmeticError, kTransferFunction);
  const double span = p.P.MaxInput - p.P.MinInput;
  if (!(b.smax > b.smin) || !std::isfinite(span) || span == 0)
    return Fault(TCharStatus::kInvalid, "Input range too small!");
  c.smin = b.smin;
  c.smax = b.smax;
  c.step = (b.smax - b.smin) / kSegments;
  if (!ColdJunction(p, c)) return Fault(TCharStatus::kArithmeticError, "cold junction compensation");
  if (Linearised(p)) {
    if (!InverseSegments(p, c)) return Fault(TCharStatus::kArithmeticError, kTransferFunction);
  } else {
    LinearSegments(p, c);
  }
  if (!AllFinite(c)) return Fault(TCharStatus::kArithmeticError, kTransferFunction);
  return {c.monotonic ? TCharStatus::kOk : TCharStatus::kNotMonotonic, {}};
}

bool StoreCharacteristic(const TCharacteristic& c, comm::TDeviceRecord& rec) {
  comm::TDeviceRecord out = rec;
  bool ok = true;
  if (c.cjWritten)
    for (std::size_t i = 0; i < 3; ++i) ok = ok && out.SetFloat(kCjOffset + 4 * i, c.cj[i]);
  ok = ok && out.SetFloat(kSminOffset, c.smin) && out.SetFloat(kStepOffset, c.step);
  for (std::size_t k = 0; ok && k < c.slots.size(); ++k)
    ok = out.SetFloat(kSlotsOffset + 8 * k, c.slots[k].offset) &&
         out.SetFloat(kSlotsOffset + 8 * k + 4, c.slots[k].gain);
  if (ok) rec = out;
  return ok;
}

TCharResult EncodeCharacteristic(comm::TDeviceRecord& rec) {
  TCharacteristic c;
  TCharResult r = ComputeCharacteristic(c);
  if (r.status != TCharStatus::kOk && r.status != TCharStatus::kNotMonotonic) return r;
  if (!StoreCharacteristic(c, rec)) return Fault(TCharStatus::kArithmeticError, kTransferFunction);
  CharacteristicState().SegmentOutputs = c.outputs;
  CharacteristicState().TransferMonotonic = c.monotonic;
  app::Param().P.ResultLow = c.smin;
  app::Param().P.ResultHigh = c.smax;
  return r;
}

TCharacteristicState& CharacteristicState() {
  static TCharacteristicState state;
  return state;
}

void ResetCharacteristicState() {
  CharacteristicState() = TCharacteristicState{};
}

}  // namespace vorta::sensors
