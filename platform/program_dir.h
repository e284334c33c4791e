// The program's folders: the one holding what the program only reads (language files, help,
// Tables/) and the one holding what it writes (Vorta.ini, ports/, history/). Run from its build
// folder both are the executable's folder; installed (bin/ beside share/vorta/) or in a folder the
// user cannot write, the first is share/vorta and the second the user's configuration folder.
#pragma once

#include <string>

namespace vorta::platform {

// The folder of the program's read-only files, without a trailing separator: the executable's
// folder, or <prefix>/share/vorta when the program is installed; "." when it cannot be found.
// A folder chosen with SetProgramDir stands in for it.
std::string ProgramDir();
// The folder of the settings file, ports/ and history/, made when it is missing. A folder chosen
// with SetProgramDir stands in for it too.
std::string SettingsDir();
// Chooses another program folder (each test has its own); an empty text goes back to the real one.
void SetProgramDir(const std::string& dir);

// The choice of SettingsDir: the executable's folder when the program is not installed and may
// write there; else $XDG_CONFIG_HOME/vorta (an absolute XDG_CONFIG_HOME only), else
// $HOME/.config/vorta; the executable's folder when neither is known.
std::string ChooseSettingsDir(const std::string& exeDir, bool installed, bool writable,
                              const char* xdgConfigHome, const char* home);
// Whether exeDir is the bin/ folder of an installation (a share/vorta/ beside it).
bool IsInstalledLayout(const std::string& exeDir);

}  // namespace vorta::platform
