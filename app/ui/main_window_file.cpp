// The file menu: New, Open, Save and Save as with parameter files.
#include <QAction>
#include <QFileInfo>
#include <QTimer>

#include "app/ui/file_dialogs.h"
#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "app/ui/app_state.h"
#include "app/settings.h"
#include "app/ui/window_state.h"
#include "docs/ui/lang.h"
#include "docs/par_file.h"
#include "sensors/ui/sensor_state.h"

namespace vorta::app {

using docs::Lt;

namespace {

QString ParFilter() {
  return Lt("Parameters files") + " (*.par);;" + Lt("All files") + " (*)";
}

void RememberDataDir(const QString& file) {
  Settings().DataDir = docs::DataDirOf(QFileInfo(file).absoluteFilePath().toStdString());
}

}  // namespace

void TVortaF::Nowy1Click() {
  if (RefuseWhileBusy()) return;
  odnowa();
}

void TVortaF::Otworz1Click() {
  if (RefuseWhileBusy()) return;
  Timer1->stop();
  TWindowFlags& f = WindowFlags();
  f.Busy = true;
  RecordPosition();
  const QString chosen =
      FileDialogs().OpenFile(this, QString::fromStdString(Settings().DataDir), ParFilter());
  if (!chosen.isEmpty()) {
    fileName_ = chosen;
    TParamSet& p = Param();
    if (docs::LoadParFile(chosen.toStdString(), p, sensors::SensorRangeTable())) {
      RememberDataDir(chosen);
      p.CoefMissing = false;
      f.Written = false;
      f.Busy = false;
      // Against a connected transmitter everything from the file is a change still to be written.
      pokaz(f.Connected ? 4 : 2);
    } else {
      f.Busy = false;
      MyMesM(Lt("Corrupted or wrong data file") + "!", kIconError, this);
      odnowa();
    }
  }
  f.Busy = false;
  Timer1->start();
}

bool TVortaF::SaveTo(const QString& file) {
  if (!docs::SaveParFile(file.toStdString(), Param())) {
    MyMesM(Lt("Cannot open file") + ":\r" + file, kIconWarning, this);
    return false;
  }
  RememberDataDir(file);
  ShowCaption();
  return true;
}

void TVortaF::Zachowaj1Click() {
  if (RefuseWhileBusy() || !CheckParam(true, false)) return;
  if (fileName_ == Lt("No_name")) {
    SaveAs();
    return;
  }
  SaveTo(fileName_);
}

void TVortaF::Zapiszjako1Click() {
  if (ChartViewOn()) return KeepResultsClick();  // in the chart view the entry runs the log
  if (RefuseWhileBusy() || !CheckParam(true, false)) return;
  SaveAs();
}

void TVortaF::SaveAs() {
  Timer1->stop();
  RecordPosition();
  const QString chosen =
      FileDialogs().SaveFile(this, QString::fromStdString(Settings().DataDir), fileName_, ParFilter(), "par");
  if (!chosen.isEmpty()) {
    fileName_ = chosen;
    SaveTo(chosen);
  }
  Timer1->start();
}

}  // namespace vorta::app
