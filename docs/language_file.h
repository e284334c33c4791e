// Language files: "<name>.lan" in the program directory, one "English text=translation" line per
// key. A file is valid only when every key of the table has a non-empty translation.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "docs/lang_list.h"

namespace vorta::docs {

// A language file is a few kilobytes and about 250 lines; larger files are refused unread, and
// a file of more lines is refused as invalid.
inline constexpr std::size_t kMaxLanguageFileBytes = 1024 * 1024;
inline constexpr std::size_t kMaxLanguageFileLines = 10000;

// Whether name can stand for a file or folder in the program directory: 2 to 12 characters (the
// settings' rule), no path separator, no "..", no control character.
bool ValidLanguageName(std::string_view name);

// Loads language (the setting) into list. English, a name that is no valid language name, a
// missing file or an invalid one give the built-in English list and set language to "English";
// the result is true only when a file was loaded or English had been chosen. Lines may end in
// CR LF, LF or CR alone.
bool LoadLanguage(const std::string& programDir, std::string& language, TLangList& list);

// Fills names with "English" and the base names of at most the first ten "*.lan" files of the
// program directory whose names are valid language names, sorted; false (names untouched) when
// there is none.
bool ListLanguages(const std::string& programDir, std::vector<std::string>& names);

// Text of an 8-bit file as UTF-8: kept when it already is valid UTF-8, otherwise read as Latin-1.
std::string EightBitToUtf8(const std::string& text);

}  // namespace vorta::docs
