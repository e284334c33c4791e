// The main window's part of the configuration history: each successful read and write kept as a
// parameter file, and File > "Compare..." beside a parameter file or history entry.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include "app/config_history.h"
#include "app/ui/app_state.h"
#include "app/ui/file_dialogs.h"
#include "app/ui/main_window.h"
#include "app/ui/window_state.h"
#include "comm/ui/record_state.h"
#include "docs/par_file.h"
#include "docs/param_compare.h"
#include "docs/ui/compare_window.h"
#include "docs/ui/lang.h"
#include "platform/program_dir.h"
#include "sensors/sensor_range.h"

namespace vorta::app {

using docs::Lt;

void TVortaF::KeepHistory(THistoryEvent event) {
  const std::string dir = HistoryDirOf(Settings(), platform::SettingsDir());
  const THistoryEntry kept =
      KeepInHistory(dir, Param(), SerialOfRecord(comm::DeviceRecord()), HistoryTimeNow(), event);
  // A history that cannot be kept is said once a run; the reads and writes go on regardless.
  if (kept.result || historyWarned_) return;
  historyWarned_ = true;
  MyMesM(Lt(kept.result.key) + ":\n" + QString::fromStdString(dir) + " (" +
             QString::fromStdString(kept.result.detail) + ")\n" +
             QString::fromStdString(docs::LTOrKey("The configuration history was not kept.")),
         kIconWarning, this);
}

void TVortaF::Compare1Click() {
  if (RefuseWhileBusy()) return;
  if (!WindowFlags().Shown) {
    MessageBeep(BeepKind::kExclamation);
    MyMesM(Lt("No parameters") + "!", kIconError, this);
    return;
  }
  Timer1->stop();
  RecordPosition();
  const QString history = QString::fromStdString(HistoryDirOf(Settings(), platform::SettingsDir()));
  const QString start = QDir(history).exists() ? history : QString::fromStdString(Settings().DataDir);
  const QString chosen =
      FileDialogs().OpenFile(this, start, Lt("Parameters files") + " (*.par);;" + Lt("All files") + " (*)");
  if (!chosen.isEmpty()) {
    TParamSet other;
    sensors::TSensorRangeTable ranges;
    if (docs::LoadParFile(chosen.toStdString(), other, ranges)) {
      // A history entry is told by its serial number folder as well as its name.
      const QFileInfo file(chosen);
      const QString title = file.dir().dirName() + "/" + file.fileName();
      docs::TCompareF window(docs::CompareParamSets(Param(), other, docs::LangList()),
                             QFileInfo(fileName_).fileName(), title, this);
      window.exec();
    } else {
      MyMesM(Lt("Corrupted or wrong data file") + "!", kIconError, this);
    }
  }
  Timer1->start();
}

}  // namespace vorta::app
