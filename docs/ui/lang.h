// The process-wide language list, reached only by windows and main, and the lookups the windows
// use: every user-facing text is looked up by its English wording.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "docs/lang_list.h"

namespace vorta::docs {

// The one language list of the process (English at start).
TLangList& LangList();

// The language text of a key.
std::string LT(std::string_view key);
// LT, or the English text itself for the few texts that are not keys of the table.
std::string LTOrKey(std::string_view key);
// LT of a key whose last character is dropped on use ("Result1" shows "Result").
std::string LT1(std::string_view key);
// LT as a QString.
QString Lt(std::string_view key);
// LTOrKey as a QString.
QString LtOrKey(std::string_view key);

}  // namespace vorta::docs
