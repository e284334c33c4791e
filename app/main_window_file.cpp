// The file menu: New, Open, Save and Save as with parameter files.
#include <QAction>
#include <QFileInfo>
#include <QTimer>

#include "app/file_dialogs.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/param_set.h"
#include "app/settings.h"
#include "app/window_state.h"
#include "docs/lang_list.h"
#include "docs/par_file.h"

namespace vorta::app {
namespace {

QString Lt(const char* key) {
  return QString::fromStdString(docs::LT(key));
}

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
    if (docs::LoadParFile(chosen.toStdString(), p)) {
      RememberDataDir(chosen);
      p.CoefMissing = false;
      f.Written = false;
      f.Busy = false;
      // Against a connected transmitter everything from the file is a change still to be written.
      pokaz(f.Connected ? 4 : 2);
    } else {
      f.Busy = false;
      RecordPosition();
      MyMesM(Lt("Corrupted or wrong data file") + "!", kIconError, this);
      odnowa();
    }
  }
  f.Busy = false;
  Timer1->start();
}

bool TVortaF::SaveTo(const QString& file) {
  if (!docs::SaveParFile(file.toStdString(), Param())) {
    RecordPosition();
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
