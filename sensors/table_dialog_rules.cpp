// The table dialog's rules.
#include "sensors/table_dialog_rules.h"

#include <algorithm>

#include "sensors/conversion_rules.h"
#include "sensors/input_rules.h"
#include "sensors/selection_models.h"

namespace vorta::sensors {

std::vector<std::string> TableExampleLines(int charTyp, const std::string& exampleWord) {
  const char* header = charTyp == 5                     ? ";  t[\xC2\xB0"
                                                          "C]   R[Ohm]"
                       : charTyp == 17 || charTyp == 19 ? ";  t[\xC2\xB0"
                                                          "C]   I[mA]"
                                                        : ";  t[\xC2\xB0"
                                                          "C]   V[mV]";
  return {"; " + exampleWord + ":", ";", header, "    0.0    0.0", "    1.0    0.01", "      .   .   ."};
}

TTableSummary SummariseTable(const TUserTable& table) {
  TTableSummary s;
  s.count = table.Count();
  if (s.count < 1) return s;
  s.first = table[1];
  s.last = table[s.count];
  s.inMin = InputValueText(std::min(s.first.y, s.last.y));
  s.inMax = InputValueText(std::max(s.first.y, s.last.y));
  s.resMin = TenthsText(std::min(s.first.x, s.last.x));
  s.resMax = TenthsText(std::max(s.first.x, s.last.x));
  return s;
}

std::string PointText(const TTablePoint& point) {
  return TenthsText(point.x) + "; " + InputValueText(point.y);
}

bool ResultUnitSelectable(int charTyp, int model) {
  const TSelectionRow* row = SelectionRowOf(model);
  const bool thermometerModel = row != nullptr && row->dialog == TSelectionDialog::kWybor;
  return !(charTyp == kUserRangeRow && thermometerModel);
}

int LineToSelect(int failedLine) {
  return failedLine >= 2 ? failedLine : -1;
}

bool TableCoversRange(const app::TParamSet& p, const TSensorRangeTable& ranges) {
  const double lo = ranges.Lo(kUserRangeRow), hi = ranges.Hi(kUserRangeRow);
  const auto covered = [lo, hi](double v) { return v >= lo - 0.000001 && v <= hi + 0.000001; };
  return covered(p.P.MinInput) && covered(p.P.MaxInput);
}

}  // namespace vorta::sensors
