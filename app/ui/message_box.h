// The program's message box MyMesM (caption always "Velmora") and the warning beeps, each behind a
// small interface so that tests can record what would be shown and script the answers.
#pragma once

#include <QString>

#include "app/result.h"


class QWidget;

namespace vorta::app {

inline constexpr const char* kCaption = "Velmora";

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

class IMessageSink {
 public:
  virtual ~IMessageSink() = default;
  virtual int Show(QWidget* parent, const QString& text, const QString& caption, int kind) = 0;
};

// Beep kinds of the refusals: asterisk when a queued command cannot be placed, exclamation for a
// failed command or a bad entry; question when the service windows lose the transmitter or
// correct an entry that lay beyond its limits.
enum class BeepKind { kAsterisk, kExclamation, kDefault, kQuestion };

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
// The caption argument is ignored in favour of "Velmora", as everywhere in the program. CR, CR LF
// and LF in the text each break the line.
int MyMesM(const QString& text, int kind, QWidget* parent = nullptr);

void MessageBeep(BeepKind kind);

// Routes the link's beeps to MessageBeep.
void InstallLinkBeeps();
// The text of a failed core routine: the translated key, and the detail on a line of its own.
QString ResultText(const TResult& r);

}  // namespace vorta::app
