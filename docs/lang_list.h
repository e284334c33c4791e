// The language list: pairs of English text and translation. Every user-facing text is looked up
// by its English wording; the English list maps each key to itself.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vorta::docs {

class TLangList {
 public:
  // Empties the list and adds key=key for all 240 keys.
  void BuildEnglish();
  void Clear();
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
  const std::string* Find(std::string_view key) const;

  std::vector<std::pair<std::string, std::string>> lines_;
  // Index of the first line of each name in lower case: a file of many lines is looked up in
  // constant time per text.
  std::unordered_map<std::string, std::size_t> index_;
};

// The message of a port that cannot be opened: the text of "COM%d initialization failed" with the
// port number in place of its one "%d". A translation without exactly one "%d" is not used (the
// English text stands): the number is put in as text, never through a format.
std::string PortFailedText(const TLangList& lang, int port);

// Whether a translation of "COM%d initialization failed" holds exactly one "%d".
bool HoldsOnePortNumber(std::string_view text);

}  // namespace vorta::docs
