// A request to end the program from outside (SIGTERM at logout or shutdown, SIGINT from a
// terminal): noted by a signal handler and taken up by the windows' own timer, so that the program
// ends as File > Exit would and keeps its settings.
#pragma once

namespace vorta::platform {

// Installs the handlers of SIGTERM and SIGINT.
void CatchTermination();
// Whether one of them came since CatchTermination.
bool TerminationRequested();

}  // namespace vorta::platform
