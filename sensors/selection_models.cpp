// The selection table of the models.
#include "sensors/selection_models.h"

#include <array>

namespace vorta::sensors {
namespace {

using D = TSelectionDialog;

constexpr std::array<TSelectionRow, 7> kRows = {{
    {39, D::kWyborIV, false, false},
    {47, D::kWybor, false, false},
    {48, D::kWybor, true, false},
    {49, D::kWybor, true, false},
    {60, D::kWyborIV, false, true},
    {90, D::kWyborIV, false, true},
    {97, D::kWyborIV, false, true},
}};

}  // namespace

const TSelectionRow* SelectionRowOf(int model) {
  for (const TSelectionRow& r : kRows)
    if (r.model == model) return &r;
  return nullptr;
}

bool FourWireAllowed(int model) {
  const TSelectionRow* r = SelectionRowOf(model);
  return r != nullptr && r->fourWire;
}

bool ReadRangesFirst(int model) {
  const TSelectionRow* r = SelectionRowOf(model);
  return r != nullptr && r->readRangesFirst;
}

}  // namespace vorta::sensors
