// The fixed table of English texts that key the language list.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace vorta::docs {

inline constexpr std::size_t kLangKeyCount = 240;

const std::array<std::string_view, kLangKeyCount>& LangKeys();

}  // namespace vorta::docs
