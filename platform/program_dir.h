// The directory of the running executable, where the settings and language files live.
#pragma once

#include <string>

namespace vorta::platform {

// Absolute directory of the executable, without a trailing separator; "." when it cannot be found.
std::string ProgramDir();

}  // namespace vorta::platform
