// The built-in model table.
#include "app/model_list.h"

#include <array>

namespace vorta::app {
namespace {

struct ModelEntry {
  std::string_view device;
  std::string_view name;
};

// Ten slots; the fill stops at the first empty one.
constexpr std::array<ModelEntry, 10> kModels = {{
    {"VTX47", "VTX47"},
    {"VTX48", "?"},
    {"VTX49", "VTX49"},
    {"VTX37", "?"},
    {"VTX38", "?"},
    {"VTX39", "VTX39"},
    {"VTX60", "VTX60"},
    {"VTX90", "VTX90"},
    {"VTX97", "VTX97"},
    {"", ""},
}};

// Type index reported by the transmitter to model code.
constexpr std::array<int, 17> kModelCodeTable = {47, 48, 49, 37, 38, 39, 60, 90, 97, 0, 0, 0, 0, 0, 0, 0, 0};

}  // namespace

int ModelCodeOfTypeIndex(int typeIndex) {
  if (typeIndex < 0 || typeIndex >= static_cast<int>(kModelCodeTable.size())) return 0;
  return kModelCodeTable[static_cast<std::size_t>(typeIndex)];
}

void TModelList::Build() {
  entries_.clear();
  for (const auto& m : kModels) {
    if (m.device.empty()) break;
    entries_.emplace_back(std::string(m.device), std::string(m.name));
  }
}

std::optional<std::string> TModelList::DisplayName(std::string_view device) const {
  for (const auto& [code, name] : entries_)
    if (code == device) return name;
  return std::nullopt;
}

TModelList& ModelList() {
  static TModelList list;
  return list;
}

}  // namespace vorta::app
