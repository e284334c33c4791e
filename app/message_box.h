// The program's message box MyMesM (caption always "Velmora") and the warning beeps, each behind a
// small interface so that tests can record what would be shown and script the answers.
#pragma once

#include <QString>

class QWidget;

namespace vorta::app {

// Kinds combine an icon and the buttons, as the message box routine takes them.
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

inline constexpr const char* kCaption = "Velmora";

class IMessageSink {
 public:
  virtual ~IMessageSink() = default;
  virtual int Show(QWidget* parent, const QString& text, const QString& caption, int kind) = 0;
};

// Beep kinds of the refusals: asterisk when a queued command cannot be placed, exclamation for a
// failed command or a bad entry.
enum class BeepKind { kAsterisk, kExclamation, kDefault };

class IBeeper {
 public:
  virtual ~IBeeper() = default;
  virtual void Beep(BeepKind kind) = 0;
};

// Installs a sink or beeper (nullptr puts the real Qt one back); returns the previous one.
IMessageSink* SetMessageSink(IMessageSink* sink);
IBeeper* SetBeeper(IBeeper* beeper);

// Called before every message box so the main window can record its position.
void SetBeforeMessageHook(void (*hook)());

// Shows a modal message over parent (the main window when nullptr) and returns the button pressed.
// The caption argument is ignored in favour of "Velmora", as everywhere in the program.
int MyMesM(const QString& text, int kind, QWidget* parent = nullptr);

void MessageBeep(BeepKind kind);

}  // namespace vorta::app
