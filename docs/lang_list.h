// The language list: pairs of English text and translation. Every user-facing text is looked up
// by its English wording; the English list maps each key to itself.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorta::docs {

class TLangList {
 public:
  // Empties the list and adds key=key for all 240 keys.
  void BuildEnglish();
  void Clear() { lines_.clear(); }
  // Adds one "name=value" line; the name ends at the first "=". A line without "=" has no value.
  void AddLine(std::string_view line);
  // The value of the first line whose name equals key regardless of letter case; empty when absent.
  std::string Value(std::string_view key) const;
  // Value, or the English text itself for the few texts that are not keys of the table.
  std::string ValueOrKey(std::string_view key) const;
  // Value of a key whose last character is dropped on use ("Result1" shows "Result").
  std::string Value1(std::string_view key) const;
  bool Has(std::string_view key) const;
  std::size_t Size() const { return lines_.size(); }

 private:
  std::vector<std::pair<std::string, std::string>> lines_;
};

}  // namespace vorta::docs
