// Fitting the main window to the screen that holds it: the parameter groups get the height the
// screen leaves (scrolling when they need more), and the window is moved up or left as far as it
// takes to lie wholly on the screen.
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include "app/ui/main_window.h"
#include "app/window_fit.h"

namespace vorta::app {

namespace {

// Below this the groups area is of little use; a screen that small gets a window taller than itself.
constexpr int kLeastGroupsLines = 8;

QScreen* ScreenHolding(const QRect& frame) {
  if (QScreen* s = QGuiApplication::screenAt(frame.center())) return s;
  if (QScreen* s = QGuiApplication::screenAt(frame.topLeft())) return s;
  return QGuiApplication::primaryScreen();
}

TScreenRect Rect(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

void TVortaF::Settle() {
  // The layouts pass a size change on through posted events; the window's size is wanted now.
  centralWidget()->layout()->activate();
  layout()->invalidate();
  adjustSize();
  setFixedSize(sizeHint());
}

void TVortaF::FitOnScreen() {
  // The frame the window manager puts around the window is known only once it has been shown, and
  // not at all without a window manager: until then a title bar is reserved.
  QSize frame = frameGeometry().size() - geometry().size();
  if (frame.isNull()) frame = QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
  const QScreen* screen = ScreenHolding(frameGeometry());
  const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
  const QSize needed = ParamGroups->sizeHint();
  const bool groups = !ParamGroups->isHidden() && needed.height() > 0;
  ParamScroll->setVisible(groups);
  if (groups) {
    ParamScroll->setFixedSize(needed);
    Settle();
    const int others = height() - needed.height() + frame.height();
    const TGroupsFit fit =
        FitGroups(needed.height(), others, available.height(), kLeastGroupsLines * fontMetrics().height());
    const int bar = fit.scrolls ? ParamScroll->verticalScrollBar()->sizeHint().width() : 0;
    ParamScroll->setFixedSize(needed.width() + bar, fit.height);
  }
  Settle();
  const TScreenRect placed =
      PlaceOnScreen({x(), y(), width() + frame.width(), height() + frame.height()}, Rect(available));
  if (placed.x != x() || placed.y != y()) move(placed.x, placed.y);
}

}  // namespace vorta::app
