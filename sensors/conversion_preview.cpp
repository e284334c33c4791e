// The preview of a conversion, computed as Write computes the characteristic.
#include "sensors/conversion_preview.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "sensors/characteristic.h"
#include "sensors/conversion_rules.h"
#include "sensors/interpolation.h"
#include "sensors/power_series.h"
#include "sensors/user_table.h"

namespace vorta::sensors {
namespace {

constexpr int kRawPoints = 201;

// The points of the characteristic Write would encode for q (with its table and ranges).
TPreview FromCharacteristic(const app::TParamSet& q, const TUserTable& table,
                            const TSensorRangeTable& ranges) {
  TPreview out;
  auto c = std::make_unique<TCharacteristic>();
  if (!ComputeCharacteristic({q, table, ranges}, *c) || !c->monotonic) return out;
  const double lo = q.P.MinInput, span = q.P.MaxInput - q.P.MinInput;
  for (int k = 0; k <= kSegments; ++k)
    out.points.push_back({c->smin + k * c->step, lo + c->outputs[static_cast<std::size_t>(k)] * span});
  out.usable = true;
  return out;
}

// The conversion itself between two ends of the given kind, by rising signal.
template <typename F>
TPreview Raw(double a, double b, F point) {
  TPreview out;
  for (int i = 0; i < kRawPoints; ++i) {
    const TPreviewPoint pt = point(a + (b - a) * i / (kRawPoints - 1));
    if (std::isfinite(pt.signal) && std::isfinite(pt.result)) out.points.push_back(pt);
  }
  std::sort(out.points.begin(), out.points.end(),
            [](const TPreviewPoint& x, const TPreviewPoint& y) { return x.signal < y.signal; });
  return out;
}

app::TParamSet Candidate(const app::TParamSet& p, int charTyp, int lin) {
  app::TParamSet q = p;
  q.Code = {static_cast<std::uint8_t>(charTyp), 5, static_cast<std::uint8_t>(lin), 0};
  q.TableLoaded = false;
  return q;
}

}  // namespace

TPreview LinearPreview(const app::TParamSet& p, const TSensorRangeTable& ranges, int charTyp) {
  app::TParamSet q = Candidate(p, charTyp, 4);
  const auto& c = q.LinCoef;
  q.P.MinInput = std::min(c[9], c[10]);
  q.P.MaxInput = std::max(c[9], c[10]);
  const auto table = std::make_unique<TUserTable>();
  TPreview out = FromCharacteristic(q, *table, ranges);
  if (out.usable) return out;
  return Raw(c[9], c[10], [&c](double r) { return TPreviewPoint{c[0] + c[1] * r, r}; });
}

TPreview PowerSeriesPreview(const app::TParamSet& p, const TSensorRangeTable& ranges, int charTyp) {
  app::TParamSet q = Candidate(p, charTyp, 8);
  TSensorRangeTable r = ranges;
  const auto table = std::make_unique<TUserTable>();
  double resMin = 0, resMax = 0;
  // The dialog's acceptance, the selection's range and the table the main window computes.
  if (PowerSeriesFault(q, r, charTyp, resMin, resMax).ok()) {
    ApplyPowerSeries(resMin, resMax, q.P.Jednostki, q, r);
    q.P.MinInput = r.Lo(kUserRangeRow);
    q.P.MaxInput = r.Hi(kUserRangeRow);
    if (InstallPowerSeriesTable(q, *table, r)) {
      TPreview out = FromCharacteristic(q, *table, r);
      if (out.usable) return out;
    }
  }
  const auto& c = q.LinCoef;
  return Raw(c[9], c[10], [&c](double s) {
    return TPreviewPoint{s, static_cast<double>(PolyValueOf(c, 9, s))};
  });
}

TPreviewFrame FrameOf(const TPreview& preview) {
  if (preview.points.empty()) return {};
  TPreviewFrame f{preview.points[0].signal, preview.points[0].signal, preview.points[0].result,
                  preview.points[0].result};
  for (const TPreviewPoint& pt : preview.points) {
    f.sMin = std::min(f.sMin, pt.signal);
    f.sMax = std::max(f.sMax, pt.signal);
    f.rMin = std::min(f.rMin, pt.result);
    f.rMax = std::max(f.rMax, pt.result);
  }
  const auto widen = [](double& lo, double& hi) {
    if (hi - lo > 1e-12 * std::max(std::fabs(lo), std::fabs(hi))) return;
    const double m = std::max(1.0, std::fabs(lo) * 0.05);
    lo -= m;
    hi += m;
  };
  widen(f.sMin, f.sMax);
  widen(f.rMin, f.rMax);
  return f;
}

TPreviewPixel PixelOf(const TPreviewFrame& f, const TPreviewPoint& pt, double width, double height) {
  return {(pt.signal - f.sMin) / (f.sMax - f.sMin) * width,
          height - (pt.result - f.rMin) / (f.rMax - f.rMin) * height};
}

}  // namespace vorta::sensors
