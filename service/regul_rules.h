// The rules of the user corrections window: scroll positions and corrections, the simulation of
// trial corrections, the output entry, the panel texts and what a failed reading does.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/display_format.h"
#include "app/param_set.h"
#include "docs/lang_list.h"

namespace vorta::service {

inline constexpr int kScrollCentre = 200;
inline constexpr int kScrollMax = 400;
inline constexpr double kCorrectionLimit = 1.9999;  // corrections stay inside (-2 %, +2 %)
inline constexpr double kSetOutLow = 3.5;           // mA the output can be set to
inline constexpr double kSetOutHigh = 21.75;

// The correction a scroll position shows: (position - 200) / 100 percent.
double ScrollCorrection(int position);
// The correction kept for a shown one: +-2 and beyond become +-1.9999.
double LimitCorrection(double shown);
// The position that shows a correction: round(100 x c) + 200 within 0..400; a non-finite one centres.
int ScrollPosition(double correction);
// Two decimals, "+" before a positive value, then a space: "+0.01 ", "0.00 ", "-1.50 ".
std::string CorrectionText(double correction);

struct TCorrections {
  double zero = 0;  // percent of the result span
  double gain = 0;  // percent
};
// The measurement m of register 0x10 carries the stored corrections; the value the trial ones
// would give: the stored ones taken out, the trial ones applied. span: ResultHigh - ResultLow.
// m itself when the stored gain leaves nothing to divide by or an input is not finite.
double SimulatedValue(double m, const TCorrections& stored, const TCorrections& trial, double span);

enum class TEntryCheck { kOk, kWrongFormat, kOutOfRange };
struct TOutputEntry {
  TEntryCheck check = TEntryCheck::kOk;
  std::string text;        // what the field shows afterwards
  std::uint32_t word = 0;  // kOk: the value of 'o', current x 2000
};
// The output entry of the corrections window: 3.5..21.75 mA (widened by 1e-6), two decimals; a
// text that is no number gives "10.00", a value beyond a limit the nearer limit "03.50" / "21.75".
TOutputEntry CheckSetOut(std::string_view text);

// The value panel: the fault texts as the main window shows them, otherwise the value with its
// unit; in measure mode the internal temperature in degrees C.
app::TResultText RegulValueText(const app::TParamSet& p, double value, bool measureMode,
                                const app::TResultFlags& flags, const docs::TLangList& lang);
// The output panel: "   " (or "  !" for an independent output), the current with two decimals,
// " mA". While simulating the current is limited to what the output can drive.
std::string RegulOutputText(double current, bool independent, bool simulating);

// What one failed reading does to a service window's panels. count: consecutive failures so far;
// limit: failures that make about six seconds.
struct TFailAction {
  bool forgetConfig = false;  // the second failure in a row: the configuration counts as unread
  bool clearPanels = false;
  bool showUnknown = false;  // "???" and a question beep, once
};
TFailAction CountFailure(int& count, int limit, bool resetting);

// The internal temperature register can be shown for the type indices whose model code lies in
// 42..49.
bool MeasureModeAllowed(int typeIndex);

}  // namespace vorta::service
