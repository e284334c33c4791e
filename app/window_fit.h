// How the main window fits the screen that holds it: the height its parameter groups get (all
// they need, or what the screen leaves once the menus, the bars and the measurement panel are
// placed), and where the window goes so that it lies wholly on that screen.
#pragma once

namespace vorta::app {

struct TScreenRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

struct TGroupsFit {
  int height = 0;        // height of the area that holds the parameter groups
  bool scrolls = false;  // the groups are taller than that area
};

// needed: the groups' own height; others: the rest of the window's frame height with the groups
// area left out; available: the screen's height; least: the smallest useful area.
TGroupsFit FitGroups(int needed, int others, int available, int least);

// The top-left corner of frame moved as little as possible to lie wholly on screen; a frame
// larger than the screen keeps its top-left corner on it.
TScreenRect PlaceOnScreen(const TScreenRect& frame, const TScreenRect& screen);

}  // namespace vorta::app
