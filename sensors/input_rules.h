// The rules of the two input dialogs: resistance/millivolt (models 47..49) and current/voltage
// (models 39, 60, 90, 97). Which conversion they show, the texts of their range labels, the mode of
// a current or voltage input, and what an accepted choice writes into the parameter set.
#pragma once

#include <string>
#include <string_view>

#include "app/param_set.h"
#include "sensors/sensor_range.h"
#include "sensors/user_table.h"

namespace vorta::sensors {

// The conversion of a converted input's result, by Lin: none 1, table 2, linear 4, power series 8.
enum class TConversion { kNone = 1, kTable = 2, kLinear = 4, kPowerSeries = 8 };

// The conversion a dialog shows for Lin: a table only when one is loaded.
TConversion ConversionShown(int lin, bool tableLoaded);

// A limit row as whole units joined by "...": "-10...150".
std::string WholeLimitsText(const TRangeRow& row);
// A value rounded to tenths, shown as an integer when whole, else with one decimal.
std::string TenthsText(double v);
// The input range a conversion works on, "a...b": the smaller and larger signal of the table's
// first and last point, the signals of the linear conversion's two result ends, or the power
// series' two signal ends.
std::string ConversionInputText(const app::TParamSet& p, const TUserTable& table, TConversion conversion);
// The result range of the conversion: row 15 as "min...max".
std::string ConversionResultText(const TSensorRangeTable& ranges);

// An input the model does not have: its row is 0, 0.
bool InputMissing(const TSensorRangeTable& ranges, int typ);

// Tryb of the current/voltage dialog. The current input writes 5 for "single" and 8 for "double",
// the voltage input 5; but a double mode found at opening (8 sum, 9 difference, 10 max, 11 min) is
// kept while the same input is chosen and single/double shows what it showed at opening.
int CurrentVoltageTryb(int typ, bool doubleInput, int typAtOpening, int trybAtOpening);
// Whether "double" is shown for Tryb.
bool DoubleShown(int tryb);

// What an input dialog found at opening.
struct TInputOpening {
  int typ = 0;
  int lin = 0;
};

// An accepted choice: the code; then, unless the input, its conversion and the characteristic are
// unchanged, the range of the conversion's result (or of the input, with the input's unit), the
// filter and corrections cleared and 50 Hz mains on a model whose mains filter is fixed; no table or
// characteristic type left where the conversion needs none; today's date.
struct TInputChoice {
  int typ = 16;
  int tryb = 5;
  TConversion conversion = TConversion::kNone;
};
void ApplyInputChoice(const TInputChoice& choice, const TInputOpening& opening, int model, app::TParamSet& p,
                      const TSensorRangeTable& ranges, std::string_view today);

}  // namespace vorta::sensors
