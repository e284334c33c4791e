// The texts the main window shows in the current language, as a table of control name, what the
// text is (caption or hint) and the text itself, so that a language switch re-applies all of them
// at once and tests can read them without a window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "docs/lang_list.h"

namespace vorta::app {

enum class TTextKind { kText, kHint };  // a caption, title or label; a hint

struct TControlText {
  std::string_view control;  // the control's object name
  TTextKind kind;
  std::string text;
};

// Every caption and hint of the main window; timeStep is the model's filter time step, which
// the time constant's range hint shows.
std::vector<TControlText> MainWindowTexts(const docs::TLangList& lang, double timeStep);

}  // namespace vorta::app
