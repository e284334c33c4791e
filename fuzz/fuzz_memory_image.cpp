// A transmitter's memory as a read takes it: the image decoded into the record, the record into
// the parameter set, and the fields shown. Whatever the bytes, the program neither crashes nor
// shows a wrong number.
#include <algorithm>
#include <cmath>
#include <memory>

#include "app/display_format.h"
#include "app/param_set.h"
#include "app/record_conversion.h"
#include "app/sensor_code.h"
#include "comm/device_image.h"
#include "docs/lang_list.h"
#include "fuzz/fuzz_support.h"
#include "sensors/sensor_range.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorta;
  static auto image = std::make_unique<comm::TDeviceImage>();
  image->fill(0);
  // The configuration area and the data area are where the input lands; the rest stays zero.
  std::copy_n(data, std::min<std::size_t>(size, 0x100), image->begin());
  if (size > 0x100)
    std::copy_n(data + 0x100, std::min<std::size_t>(size - 0x100, 0xAC0 - 0x400), image->begin() + 0x400);
  comm::TDeviceRecord record{};
  comm::DecodeImage(*image, record);
  app::TParamSet p;
  sensors::TSensorRangeTable ranges;
  app::TakeReadRecord(record, p, ranges);
  const bool fixed = app::HasFixedLimits(p.Code.Typ, p.Code.Lin);
  for (double end : {p.P.MinInput, p.P.MaxInput}) {
    fuzz::Require(std::isfinite(end), "a read range end is a number");
    if (!fixed) fuzz::Require(std::fabs(end) <= app::TParamSet::kLargestRangeEnd, "a read range end fits");
    fuzz::Require(fuzz::ShowsValue(app::RangeText(p, ranges, end), end), "range field");
  }
  static const docs::TLangList lang = [] {
    docs::TLangList l;
    l.BuildEnglish();
    return l;
  }();
  double lo = 0, hi = 0;
  app::RangeLimits(p, ranges, lo, hi);
  fuzz::Require(fuzz::ShowsValue(app::AbsMinText(p, ranges), lo), "lower limit label");
  fuzz::Require(fuzz::ShowsValue(app::AbsMaxText(p, ranges).substr(3), hi), "upper limit label");
  app::SensorText(p, lang);
  app::ReactionLabel(p, lang);
  return 0;
}
