// The timer that takes up a termination request.
#include "app/ui/termination_watch.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include "platform/termination.h"

namespace vorta::app {
namespace {

constexpr int kCheckMs = 200;

void EndProgram() {
  // Dialogs first: a modal one would hold the main window's close back.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) d->reject();
  }
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && !qobject_cast<QDialog*>(w)) w->close();
  }
}

}  // namespace

void WatchForTermination(QObject* parent) {
  platform::CatchTermination();
  auto* timer = new QTimer(parent);
  QObject::connect(timer, &QTimer::timeout, timer, [] {
    if (platform::TerminationRequested()) EndProgram();
  });
  timer->start(kCheckMs);
}

}  // namespace vorta::app
