// The directory of the running executable, where the settings and language files live.
#pragma once

#include <string>

namespace vorta::platform {

// Absolute directory of the executable, without a trailing separator; "." when it cannot be found.
// A folder chosen with SetProgramDir stands in for it.
std::string ProgramDir();
// Chooses another program folder (each test has its own); an empty text goes back to the real one.
void SetProgramDir(const std::string& dir);

// The folder of the settings file "Vorta.ini" and of the configuration history beside it: the
// program folder. Whoever moves the settings moves them here, so the history follows.
std::string SettingsDir();

}  // namespace vorta::platform
