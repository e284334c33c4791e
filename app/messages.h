// Messages from core routines. Core code cannot show a window: it hands the text and kind to the
// handler the main window installs (MyMesM), and tests install a recorder.
#pragma once

#include <functional>
#include <string>

namespace vorta::app {

// Kinds combine an icon and the buttons.
enum MesKind : int {
  kIconNone = 0,
  kIconError = 16,
  kIconQuestion = 32,
  kIconWarning = 48,
  kIconInfo = 64,
  kButtonsOk = 0,
  kButtonsOkCancel = 1,
  kButtonsYesNo = 4,
};

// Return codes of the buttons.
enum MesResult : int { kResultOk = 1, kResultCancel = 2, kResultYes = 6, kResultNo = 7 };

using MessageHandler = std::function<int(const std::string& text, int kind)>;

// Installs the handler; returns the previous one. Without a handler ShowMessage answers OK (or No
// for a Yes/No question) and shows nothing.
MessageHandler SetMessageHandler(MessageHandler handler);
int ShowMessage(const std::string& text, int kind);

}  // namespace vorta::app
