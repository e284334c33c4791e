// Language files: "<name>.lan" in the program directory, one "English text=translation" line per
// key. A file is valid only when every key of the table has a non-empty translation.
#pragma once

#include <string>
#include <vector>

#include "docs/lang_list.h"

namespace vorta::docs {

// A language file is a few kilobytes; larger files are refused unread.
inline constexpr std::size_t kMaxLanguageFileBytes = 1024 * 1024;

// Loads language (the setting) into list. English, a missing file or an invalid one give the
// built-in English list and set language to "English"; the result is true only when a file was
// loaded or English had been chosen.
bool LoadLanguage(const std::string& programDir, std::string& language, TLangList& list);

// Fills names with "English" and the base names of at most the first ten "*.lan" files of the
// program directory, sorted; false (names untouched) when there is none.
bool ListLanguages(const std::string& programDir, std::vector<std::string>& names);

// Text of an 8-bit file as UTF-8: kept when it already is valid UTF-8, otherwise read as Latin-1.
std::string EightBitToUtf8(const std::string& text);

}  // namespace vorta::docs
