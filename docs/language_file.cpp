// Loading and listing language files.
#include "docs/language_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "docs/lang_keys.h"
#include "docs/lang_list.h"
#include "docs/line_buffer.h"

namespace vorta::docs {
namespace {

// Number of continuation bytes a UTF-8 lead byte announces; -1 for a byte that cannot lead.
int Continuations(unsigned char c) {
  if (c < 0x80) return 0;
  if ((c >> 5) == 0x6) return 1;
  if ((c >> 4) == 0xE) return 2;
  if ((c >> 3) == 0x1E) return 3;
  return -1;
}

bool ValidUtf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const int extra = Continuations(static_cast<unsigned char>(s[i]));
    if (extra < 0 || s.size() - i <= static_cast<std::size_t>(extra)) return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) >> 6) != 0x2) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

// Every key with a translation; the port message's translation with its one "%d".
bool FileHoldsEveryKey(const TLangList& list) {
  return std::all_of(LangKeys().begin(), LangKeys().end(),
                     [&](std::string_view key) { return list.Has(key) && !list.Value(key).empty(); }) &&
         HoldsOnePortNumber(list.Value("COM%d initialization failed"));
}

// Reads the file's lines into loaded; false when it cannot be read or has too many lines.
bool ReadLanguageFile(const std::string& path, TLangList& loaded) {
  TLineBuffer file;
  if (!file.LoadFromFile(path, kMaxLanguageFileBytes)) return false;
  std::string text;
  for (const auto& line : file.Lines()) (text += line) += '\n';
  // A file with CR alone at its line ends is split there as well.
  std::replace(text.begin(), text.end(), '\r', '\n');
  file.SetText(text);
  if (file.Lines().size() > kMaxLanguageFileLines) return false;
  for (const auto& line : file.Lines()) loaded.AddLine(EightBitToUtf8(line));
  return true;
}

}  // namespace

std::string EightBitToUtf8(const std::string& text) {
  if (ValidUtf8(text)) return text;
  std::string out;
  out.reserve(text.size() * 2);
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

bool LoadLanguage(const std::string& programDir, std::string& language, TLangList& list) {
  if (language != "English" && ValidLanguageName(language)) {
    TLangList loaded;
    if (ReadLanguageFile(programDir + "/" + language + ".lan", loaded) && FileHoldsEveryKey(loaded)) {
      list = std::move(loaded);
      return true;
    }
  }
  const bool chosen = language == "English";
  language = "English";
  list.BuildEnglish();
  return chosen;
}

bool ValidLanguageName(std::string_view name) {
  if (name.size() < 2 || name.size() > 12 || name.find("..") != std::string_view::npos) return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32 || c == 127;
  });
}

bool ListLanguages(const std::string& programDir, std::vector<std::string>& names) {
  std::vector<std::string> found;
  std::error_code ec;
  std::filesystem::directory_iterator it(programDir, ec), end;
  for (; !ec && it != end && found.size() < 10; it.increment(ec)) {
    const auto& p = it->path();
    // A file whose name the settings could not keep is not offered.
    if (p.extension() == ".lan" && ValidLanguageName(p.stem().string()) && it->is_regular_file(ec))
      found.push_back(p.stem().string());
  }
  if (found.empty()) return false;
  found.push_back("English");
  std::sort(found.begin(), found.end());
  names = std::move(found);
  return true;
}

}  // namespace vorta::docs
