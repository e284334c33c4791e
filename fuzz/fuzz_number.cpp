// The number parser and the rules built on it: whatever is typed, a number comes back finite or
// the text is refused; tenths and thresholds are checked before they are rounded.
#include <cmath>
#include <string_view>

#include "app/display_format.h"
#include "app/editor_rules.h"
#include "docs/str_to_number.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorta;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  double v = 0;
  if (docs::StrToNumber(text, v)) {
    fuzz::Require(std::isfinite(v), "StrToNumber gives a finite number");
    for (int d = 0; d <= 3; ++d) fuzz::Require(fuzz::ShowsValue(app::RoundedText(v, d), v), "RoundedText");
    app::FiltrLimitInRange(v);
  }
  std::int32_t i = 0;
  docs::StrToInt32(text, i);
  std::int32_t tenths = 0;
  if (app::ParseTenths(text, tenths)) fuzz::Require(docs::StrToNumber(text, v), "tenths only of numbers");
  return 0;
}
