// The main window's part of the line log: the View menu entry and the one open log window.
#include <QAction>

#include "app/ui/main_window.h"
#include "comm/ui/line_log_window.h"
#include "docs/ui/lang.h"

namespace vorta::app {

void TVortaF::LineLog1Click() {
  if (!lineLog_) {
    lineLog_ = new comm::TLineLogWindow(this);
    connect(lineLog_, &QObject::destroyed, this, [this] { lineLog_ = nullptr; });
  }
  lineLog_->show();
  lineLog_->raise();
  lineLog_->activateWindow();
}

}  // namespace vorta::app
