// The validation rules of the main window's editors, apart from the controls: the range check of
// the two range fields, the filter values and their chained bounds, and the optimal filter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/param_set.h"
#include "docs/lang_list.h"
#include "sensors/sensor_data.h"

namespace vorta::app {

// Outcome of the range check (InputEExit) on the range that already holds the new value.
enum class TRangeVerdict { kAccepted = 0, kBelowMinimum = 1, kAboveMaximum = 2, kRejected = 3 };
struct TRangeCheck {
  TRangeVerdict verdict = TRangeVerdict::kAccepted;
  std::string message;  // the warning shown for kRejected ("Input range too small!", ...)
  bool beep = false;    // the rejection comes with a warning beep
};
// The limit row of the range fields: Typ, or 15 for inputs 5 and 16..20 with a conversion.
int RangeLimitRow(const TParamSet& p);
// Checks value, already stored as MinInput or MaxInput of d.p, against the sensor's limits, the
// input's minimum signal span and the order of the ends; the message in the language of lang.
TRangeCheck InputEExit(const sensors::TSensorData& d, double value, const docs::TLangList& lang);

// A filter field's text as tenths (round(10 x value)); false when the text is no number or the
// tenths do not fit 32 bits.
bool ParseTenths(std::string_view text, std::int32_t& tenths);

// Whether a typed threshold r rounds to 0..100 (checked before it is rounded).
bool FiltrLimitInRange(double r);
// The spurious-error threshold a typed value r (0..100) gives: at least FiltrZakres x 0.2 unless 0.
std::int32_t ThresholdFor(double r, std::int32_t filtrZakres);
// The up-down's step from limit: one up or down, then straight to the smallest allowed threshold
// (up) or off (down) when it lands below FiltrZakres x 0.2.
std::int32_t ThresholdStep(std::int32_t limit, std::int32_t filtrZakres, bool up);

// The optimal filter for the input range (no noise): FiltrZakres and FiltrCzas of p. The time
// constant is kept within the 250 device counts the editor allows for the model and quantised
// to a whole count, so the transmitter's byte can always hold it.
void OptimalFilter(TParamSet& p, const sensors::TUserTable& table, const sensors::TSensorRangeTable& ranges);

}  // namespace vorta::app
