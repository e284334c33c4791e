// The application's process-wide single instances.
#include "app/ui/app_state.h"

namespace vorta::app {

TParamSet& Param() {
  static TParamSet set;
  return set;
}

TSettings& Settings() {
  static TSettings settings;
  return settings;
}

}  // namespace vorta::app
