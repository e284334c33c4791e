// The transmitter models the program knows: device code ("VTX" + model code) to display name.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorta::app {

class TModelList {
 public:
  // Fills the list from the built-in table, in order, up to its first empty entry (at most 10).
  void Build();
  void Clear() { entries_.clear(); }
  // Display name of a device code; nullopt when the code is not in the list. "?" marks a model
  // the program does not name.
  std::optional<std::string> DisplayName(std::string_view device) const;
  const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
};

TModelList& ModelList();

// Model code of the type index a transmitter reports with its measurement (0..16); 0 for an index
// that names no model (9..16, 16 being "no measurement").
int ModelCodeOfTypeIndex(int typeIndex);

}  // namespace vorta::app
