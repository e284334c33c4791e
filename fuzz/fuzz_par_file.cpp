// A parameter file as the File menu opens it: it loads whole or not at all, and what it loads
// stays within what the fields can show.
#include <cmath>

#include "app/display_format.h"
#include "app/param_set.h"
#include "app/sensor_code.h"
#include "docs/par_file.h"
#include "fuzz/fuzz_support.h"
#include "sensors/sensor_range.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorta;
  const std::string path = fuzz::WriteInput("fuzz.par", data, size);
  app::TParamSet p;
  p.New();
  sensors::TSensorRangeTable ranges;
  if (!docs::LoadParFile(path, p, ranges)) return 0;
  const bool fixed = app::HasFixedLimits(p.Code.Typ, p.Code.Lin);
  for (double end : {p.P.MinInput, p.P.MaxInput}) {
    fuzz::Require(std::isfinite(end), "a loaded range end is a number");
    if (!fixed) fuzz::Require(std::fabs(end) <= app::TParamSet::kLargestRangeEnd, "a loaded range end fits");
    fuzz::Require(fuzz::ShowsValue(app::RangeText(p, ranges, end), end), "RangeText");
  }
  double lo = 0, hi = 0;
  app::RangeLimits(p, ranges, lo, hi);
  fuzz::Require(fuzz::ShowsValue(app::AbsMinText(p, ranges), lo), "lower limit label");
  fuzz::Require(fuzz::ShowsValue(app::AbsMaxText(p, ranges).substr(3), hi), "upper limit label");
  return 0;
}
