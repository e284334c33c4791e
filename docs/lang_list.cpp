// The language list and its lookup.
#include "docs/lang_list.h"

#include <algorithm>
#include <cctype>

#include "docs/lang_keys.h"

namespace vorta::docs {
namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

void TLangList::BuildEnglish() {
  lines_.clear();
  for (std::string_view key : LangKeys()) lines_.emplace_back(std::string(key), std::string(key));
}

void TLangList::AddLine(std::string_view line) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) {
    lines_.emplace_back(std::string(line), std::string());
  } else {
    lines_.emplace_back(std::string(line.substr(0, eq)), std::string(line.substr(eq + 1)));
  }
}

std::string TLangList::Value(std::string_view key) const {
  for (const auto& [name, value] : lines_)
    if (EqualNoCase(name, key)) return value;
  return {};
}

bool TLangList::Has(std::string_view key) const {
  return std::any_of(lines_.begin(), lines_.end(), [&](const auto& l) { return EqualNoCase(l.first, key); });
}

std::string TLangList::ValueOrKey(std::string_view key) const {
  std::string v = Value(key);
  return v.empty() ? std::string(key) : v;
}

std::string TLangList::Value1(std::string_view key) const {
  std::string v = Value(key);
  if (!v.empty()) v.pop_back();
  return v;
}

}  // namespace vorta::docs
