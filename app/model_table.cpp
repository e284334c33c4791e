// The model table.
#include "app/model_table.h"

#include <array>

namespace vorta::app {
namespace {

using G = TModelGroup;

// Type index order; the first group's current and voltage ranges are the start values of rows 17
// and 18 of the sensor range table.
constexpr std::array<TModelRow, 9> kModels = {{
    {47, "VTX47", "VTX47", 0.2, G::kB, true, false, false, {}, {}},
    {48, "VTX48", "?", 0.2, G::kB, true, false, false, {}, {}},
    {49, "VTX49", "VTX49", 0.2, G::kB, true, false, false, {}, {}},
    {37, "VTX37", "?", 0.09, G::kA, true, false, true, {-220, 220}, {-110, 110}},
    {38, "VTX38", "?", 0.09, G::kA, true, false, true, {-220, 220}, {-110, 110}},
    {39, "VTX39", "VTX39", 0.09, G::kA, false, false, true, {-220, 220}, {-110, 110}},
    {60, "VTX60", "VTX60", 0.2, G::kA, true, false, true, {0, 0}, {-100, 100}},
    {90, "VTX90", "VTX90", 0.2, G::kC, true, true, true, {0, 0}, {0, 100}},
    {97, "VTX97", "VTX97", 0.08, G::kC, true, true, true, {0, 10000}, {0, 2500}},
}};

}  // namespace

std::span<const TModelRow> ModelTable() {
  return kModels;
}

const TModelRow* ModelRowOf(int code) {
  for (const TModelRow& row : kModels)
    if (row.code == code) return &row;
  return nullptr;
}

int ModelCodeOfTypeIndex(int typeIndex) {
  if (typeIndex < 0 || typeIndex >= static_cast<int>(kModels.size())) return 0;
  return kModels[static_cast<std::size_t>(typeIndex)].code;
}

std::optional<std::string> ModelDisplayName(std::string_view device) {
  for (const TModelRow& row : kModels)
    if (row.device == device) return std::string(row.name);
  return std::nullopt;
}

double TimeStepOfModel(int code) {
  const TModelRow* row = ModelRowOf(code);
  return row ? row->timeStep : 0.2;
}

TModelGroup ModelGroupOf(int code) {
  const TModelRow* row = ModelRowOf(code);
  return row ? row->group : TModelGroup::kOther;
}

bool MainsSelectable(int code) {
  const TModelRow* row = ModelRowOf(code);
  return row ? row->mainsSelectable : true;
}

bool MeasuresRms(int code) {
  const TModelRow* row = ModelRowOf(code);
  return row && row->rms;
}

}  // namespace vorta::app
