// Ends the program as File > Exit would when the system asks it to (SIGTERM, SIGINT): an open
// dialog (the splash, a message box) is cancelled and the main window closed, so that the
// settings file is written.
#pragma once

class QObject;

namespace vorta::app {

// Catches the signals and checks for them on a timer owned by parent.
void WatchForTermination(QObject* parent);

}  // namespace vorta::app
