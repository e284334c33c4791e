// The application's process-wide single instances, reached only by windows and main: the one
// parameter set and the program's settings.
#pragma once

#include "app/param_set.h"
#include "app/settings.h"

namespace vorta::app {

TParamSet& Param();
TSettings& Settings();

}  // namespace vorta::app
