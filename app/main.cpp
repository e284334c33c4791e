// Program entry: process start, the application object, the main window, process end.
#include <QApplication>

#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "app/ui/termination_watch.h"
#include "app/ui/window_state.h"
#include "comm/polling.h"
#include "comm/protocol.h"
#include "platform/help_viewer.h"
#include "platform/process.h"

int main(int argc, char** argv) {
  using namespace vorta;
  app::WindowFlags().Clear();
  if (platform::GetPriorityClass() != platform::PriorityClass::kHigh)
    platform::SetPriorityClass(platform::PriorityClass::kHigh);
  platform::EnableWarningBeep();
  platform::BeginTimerPeriod();

  QApplication application(argc, argv);
  QApplication::setApplicationName("Vorta");
  app::WatchForTermination(&application);

  int rc = 0;
  {
    app::TVortaF window;
    if (window.Started()) rc = QApplication::exec();
  }

  comm::AbortTransfer();
  comm::CloseLine();
  platform::EndTimerPeriod();
  platform::CloseHelp();
  return rc;
}
