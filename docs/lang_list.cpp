// The language list and its lookup.
#include "docs/lang_list.h"

#include "docs/lang_keys.h"

namespace vorta::docs {
namespace {

constexpr std::string_view kPortFailedKey = "COM%d initialization failed";

// Letter case is folded for ASCII only: translations in UTF-8 keep every other byte as it is,
// whatever the locale.
std::string Folded(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

}  // namespace

void TLangList::BuildEnglish() {
  Clear();
  for (std::string_view key : LangKeys()) AddLine(std::string(key) + "=" + std::string(key));
}

void TLangList::Clear() {
  lines_.clear();
  index_.clear();
}

void TLangList::AddLine(std::string_view line) {
  const auto eq = line.find('=');
  std::string name(line.substr(0, eq));
  std::string value(eq == std::string_view::npos ? std::string_view() : line.substr(eq + 1));
  index_.emplace(Folded(name), lines_.size());  // the first line of a name counts
  lines_.emplace_back(std::move(name), std::move(value));
}

const std::string* TLangList::Find(std::string_view key) const {
  const auto it = index_.find(Folded(key));
  return it == index_.end() ? nullptr : &lines_[it->second].second;
}

std::string TLangList::Value(std::string_view key) const {
  const std::string* v = Find(key);
  return v ? *v : std::string();
}

bool TLangList::Has(std::string_view key) const {
  return Find(key) != nullptr;
}

std::string TLangList::ValueOrKey(std::string_view key) const {
  std::string v = Value(key);
  return v.empty() ? std::string(key) : v;
}

std::string TLangList::Value1(std::string_view key) const {
  // The dropped marker is one character, which in UTF-8 may be several bytes.
  std::string v = Value(key);
  while (!v.empty() && (static_cast<unsigned char>(v.back()) & 0xC0) == 0x80) v.pop_back();
  if (!v.empty()) v.pop_back();
  return v;
}

bool HoldsOnePortNumber(std::string_view text) {
  const auto first = text.find("%d");
  return first != std::string_view::npos && text.find("%d", first + 2) == std::string_view::npos;
}

std::string PortFailedText(const TLangList& lang, int port) {
  std::string text = lang.Value(kPortFailedKey);
  if (!HoldsOnePortNumber(text)) text = kPortFailedKey;
  const auto at = text.find("%d");
  return text.replace(at, 2, std::to_string(port));
}

}  // namespace vorta::docs
