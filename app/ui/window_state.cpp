// The process-wide window flags.
#include "app/ui/window_state.h"

namespace vorta::app {

TWindowFlags& WindowFlags() {
  static TWindowFlags flags;
  return flags;
}

}  // namespace vorta::app
