// The refusal beeps of the link: asterisk when a queued command cannot be placed, exclamation for a
// failed queued command, the plain beep when the polling thread cannot take one. The main window
// installs the program's beeper; tests install a recorder.
#pragma once

#include <functional>

namespace vorta::comm {

enum class LinkBeep { kAsterisk, kExclamation, kDefault };
using LinkBeepHandler = std::function<void(LinkBeep)>;

// Installs the handler (an empty one silences the beeps); returns the previous one.
LinkBeepHandler SetLinkBeepHandler(LinkBeepHandler handler);
void Beep(LinkBeep kind);

}  // namespace vorta::comm
