// Showing the parameter set on the window and completing missing characteristic data.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "app/display_format.h"
#include "app/model_table.h"
#include "app/rounding.h"
#include "app/sensor_code.h"
#include "app/table_search.h"
#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "app/ui/app_state.h"
#include "app/ui/window_state.h"
#include "docs/ui/lang.h"
#include "docs/ui/parametry_form.h"
#include "sensors/characteristic.h"
#include "sensors/power_series.h"
#include "sensors/table_dialog_rules.h"
#include "sensors/table_file.h"
#include "sensors/ui/sensor_state.h"
#include "sensors/ui/tabl_window.h"

namespace vorta::app {

using docs::Lt;

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

QString OneDecimal(int tenths) {
  return Q(RoundedText(tenths * 0.1, 1));
}

}  // namespace

void TVortaF::dispABSy() {
  if (Param().noTab()) {
    AbsMinE->clear();
    AbsMaxE->clear();
    return;
  }
  AbsMinE->setText(Q(AbsMinText(Param(), sensors::SensorRangeTable())));
  AbsMaxE->setText(Q(AbsMaxText(Param(), sensors::SensorRangeTable())));
}

void TVortaF::pokaz(int colourMode) {
  TParamSet& p = Param();
  const int typ = p.Code.Typ;
  ShowCaption();
  Reakcja->setText(Q(ReactionLabel(p, docs::LangList())));
  SensorG->setTitle(" " + (IsConvertedInput(typ) ? Lt("Input") : Lt("Sensor type")) + " ");
  SensorT->setText(Q(SensorText(p, docs::LangList())));
  const QString unit = p.P.Jednostki < 16 ? Q(std::string(UnitName(p.P.Jednostki))) : QString();
  JednostkiE->setText(unit);
  JednostkiE1->setText(unit);
  ShowRangeFields();
  FiltrZakresE->setText(OneDecimal(p.P.FiltrZakres));
  FiltrCzasTxt->setText(Lt("Time constant") + " (0-" + QString::number(RoundHalfEven(250 * p.TimeStep())) + "s)");
  FiltrCzasE->setText(OneDecimal(p.P.FiltrCzas));
  FiltrLimitE->setText(QString::number(p.P.FiltrLimit));
  BurnoutE->setCurrentIndex(p.P.Burnout >= 0 && p.P.Burnout < 3 ? p.P.Burnout : 0);
  SiecE->setCurrentIndex(p.P.Siec == 50 ? 0 : 1);
  RegulZV->setText(Q(RoundedText(p.P.ZeroReg, 2)) + "%");
  RegulGV->setText(Q(RoundedText(p.P.GainReg, 2)) + "%");
  dispABSy();
  SerialE->setText(Q(p.serial));
  DataE->setText(Q(p.data));
  SerialE->show();
  DataE->show();
  KodE->setText(Q(p.kod));
  OgolneE->setText(Q(p.ogolne));
  const bool complete = !p.noTab();
  EnableFields(complete);
  SenSel->setFocus();
  if (colourMode != 0) kolory(colourMode);
  WindowFlags().Shown = true;
  StatBarTxt(complete ? Lt("Information complete") : Lt("Information incomplete"));
  if (!complete) nietypo();
}

QString TVortaF::ShownStatus() const {
  if (!WindowFlags().Shown) return Lt("No parameters");
  return Param().noTab() ? Lt("Information incomplete") : Lt("Information complete");
}

void TVortaF::EnableFields(bool complete) {
  for (QWidget* w : std::initializer_list<QWidget*>{FiltrZakresE, FiltrCzasE, FiltrLimitE, FiltrLimitUp,
                                                    FiltrLimitDown, MinInputE, MaxInputE})
    w->setEnabled(complete);
  FiltrDobierz->setEnabled(true);
  BurnoutE->setEnabled(!BurnoutE->isHidden());
  SiecE->setEnabled(complete && MainsSelectable(Param().ModelCode()));
  KodE->setEnabled(true);
  OgolneE->setEnabled(true);
}

bool TVortaF::nietypo() {
  TParamSet& p = Param();
  if (p.CoefMissing) return true;
  if (IsConvertedInput(p.Code.Typ) && p.Code.Lin == 8 && !p.TableLoaded) return CompletePowerSeries();

  // A table file is needed: look for it where the last search ended, then in the program's folder.
  p.File = sensors::BareFileName(p.File);
  const QString name = Q(p.File);
  const TTableSearch found = FindTableFile(p.File, tableDir_, ParametryF->ProgramDir());
  tableDir_ = found.dir;
  MessageBeep(BeepKind::kExclamation);
  QString text = Lt("User defined sensor or conversion") + "!\n" + Lt("No data available") + ".\n";
  if (found.path.empty()) {
    if (!name.isEmpty()) text += "(" + Lt("source file") + ": " + name + ")";
    MyMesM(text, kIconWarning, this);
    return true;
  }
  text += Lt("Read source file") + " " + name + "?";
  if (MyMesM(text, kIconQuestion | kButtonsYesNo, this) != kResultYes) return true;
  LoadTable(found.path);
  return p.noTab();
}

bool TVortaF::CompletePowerSeries() {
  Timer1->stop();
  TParamSet& p = Param();
  if (const TResult r = sensors::InstallPowerSeriesTable(p, sensors::UserTable(), sensors::SensorRangeTable())) {
    if (!p.noTab()) pokaz(0);
  } else {
    MessageBeep(BeepKind::kExclamation);
    const QString prefix = r.key == sensors::kNotMonotonicKey ? Lt("Transfer function") + " " : QString();
    MyMesM(prefix + Lt(r.key), kIconWarning, this);
  }
  Timer1->start();
  return p.noTab();
}

void TVortaF::LoadTable(const std::string& path) {
  TWindowFlags& f = WindowFlags();
  f.Busy = true;
  Timer1->stop();
  TParamSet& p = Param();
  p.CharTyp = p.Code.Typ;
  p.TableLoaded = false;
  // The table dialog opens on the file: it shows the file's ranges, or why it is refused.
  RecordPosition();
  sensors::TTablF table(this, path);
  if (table.exec() == 1 && !sensors::TableCoversRange(p, sensors::SensorRangeTable())) {
    p.TableLoaded = false;
    MyMesM(Lt("Corrupted or wrong data file") + "!", kIconError, this);
  }
  f.Busy = false;
  Timer1->start();
  if (!p.noTab()) pokaz(0);
}

}  // namespace vorta::app
