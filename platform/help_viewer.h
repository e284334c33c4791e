// The help viewer: asks the desktop to show a help file and closes it at the end of the run.
#pragma once

#include <string>

namespace vorta::platform {

// Opens the file with the desktop's viewer (xdg-open); false when the file does not exist or no
// viewer could be started.
bool ShowHelpContents(const std::string& path);
// Ends a viewer this program started, if it still runs.
void CloseHelp();

}  // namespace vorta::platform
