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
using docs::LtOrKey;

namespace {

QString ParFilter() {
  return Lt("Parameters files") + " (*.par);;" + Lt("All files") + " (*)";
}

void RememberDataDir(const QString& file) {
  Settings().DataDir = docs::DataDirOf(QFileInfo(file).absoluteFilePath().toStdString());
}

}  // namespace

void TVortaF::Nowy1Click() {
  if (RefuseWhileBusy() || !MayDiscardChanges()) return;
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
    // The file is read aside: a damaged file leaves the set shown, its marks and its name, and the
    // changes on the window are given up only for a file that loaded.
    TParamSet loaded = Param();
    sensors::TSensorRangeTable ranges = sensors::SensorRangeTable();
    TNormalised replaced;
    if (!docs::LoadParFile(chosen.toStdString(), loaded, ranges, &replaced)) {
      f.Busy = false;
      MyMesM(Lt("Corrupted or wrong data file") + "!", kIconError, this);
    } else if (MayDiscardChanges()) {
      Param() = loaded;
      sensors::SensorRangeTable() = ranges;
      fileName_ = chosen;
      RememberDataDir(chosen);
      Param().CoefMissing = false;
      f.Written = false;
      f.Busy = false;
      // Against a connected transmitter everything from the file is a change still to be written.
      pokaz(f.Connected ? 4 : 2);
      changesKept_ = true;
      if (replaced.rangeReplaced) ReportReplacedRange(replaced);
    }
  }
  f.Busy = false;
  Timer1->start();
}

void TVortaF::ReportReplacedRange(const TNormalised& replaced) {
  const TParamSet& p = Param();
  const auto& ranges = sensors::SensorRangeTable();
  const bool full = p.P.MinInput == ranges.Lo(p.Code.Typ) && p.P.MaxInput == ranges.Hi(p.Code.Typ);
  const auto number = [](double v) { return QString::number(v, 'g', 7); };
  MyMesM(LtOrKey("Range in the file was out of limits") + "; " +
             LtOrKey(full ? "the full range is used" : "the sensor's limit is used") + ".\n(" +
             Lt("Minimum") + " " + number(replaced.oldMin) + ", " + Lt("Maximum") + " " +
             number(replaced.oldMax) + ")",
         kIconWarning, this);
}

bool TVortaF::MayDiscardChanges() {
  if (changesKept_ || !AnyFieldMarked()) return true;
  return MyMesM(LtOrKey("Discard the changes") + "?", kIconQuestion | kButtonsYesNo, this) == kResultYes;
}

bool TVortaF::SaveTo(const QString& file) {
  if (!docs::SaveParFile(file.toStdString(), Param())) {
    MyMesM(Lt("Cannot open file") + ":\r" + file, kIconWarning, this);
    return false;
  }
  RememberDataDir(file);
  ShowCaption();
  changesKept_ = true;
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
