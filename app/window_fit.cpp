// Fitting the main window to its screen.
#include "app/window_fit.h"

#include <algorithm>

namespace vorta::app {

TGroupsFit FitGroups(int needed, int others, int available, int least) {
  const int room = available - others;
  if (needed <= room) return {needed, false};
  return {std::min(needed, std::max(room, least)), true};
}

TScreenRect PlaceOnScreen(const TScreenRect& frame, const TScreenRect& screen) {
  TScreenRect placed = frame;
  placed.x = std::max(std::min(frame.x, screen.x + screen.w - frame.w), screen.x);
  placed.y = std::max(std::min(frame.y, screen.y + screen.h - frame.h), screen.y);
  return placed;
}

}  // namespace vorta::app
