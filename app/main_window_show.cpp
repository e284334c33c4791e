// Showing the parameter set on the window and completing missing characteristic data.
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "app/display_format.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/param_set.h"
#include "app/window_state.h"
#include "docs/lang_list.h"
#include "docs/parametry_form.h"
#include "sensors/catalogue.h"
#include "sensors/power_series.h"
#include "sensors/sensor_range.h"
#include "sensors/table_file.h"

namespace vorta::app {
namespace {

QString Lt(const char* key) {
  return QString::fromStdString(docs::LT(key));
}
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
  AbsMinE->setText(Q(AbsMinText(Param())));
  AbsMaxE->setText(Q(AbsMaxText(Param())));
}

void TVortaF::pokaz(int colourMode) {
  TParamSet& p = Param();
  const int typ = p.Code.Typ;
  ShowCaption();
  Reakcja->setText(Q(ReactionLabel(p)));
  const bool input = typ == 5 || (typ >= 16 && typ <= 20);
  SensorG->setTitle(" " + (input ? Lt("Input") : Lt("Sensor type")) + " ");
  SensorT->setText(Q(SensorText(p)));
  const QString unit = p.P.Jednostki < 16 ? Q(std::string(UnitName(p.P.Jednostki))) : QString();
  JednostkiE->setText(unit);
  JednostkiE1->setText(unit);
  ShowRangeFields();
  FiltrZakresE->setText(OneDecimal(p.P.FiltrZakres));
  FiltrCzasTxt->setText(Lt("Time constant") + " (0-" + QString::number(RoundHalfEven(250 * p.TimeStep())) +
                        "s)");
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
  for (QWidget* w : std::initializer_list<QWidget*>{FiltrZakresE, FiltrCzasE, FiltrLimitE, FiltrLimitUp,
                                                    FiltrLimitDown, MinInputE, MaxInputE})
    w->setEnabled(complete);
  FiltrDobierz->setEnabled(true);
  BurnoutE->setEnabled(!BurnoutE->isHidden());
  SiecE->setEnabled(complete && p.ModelCode() != 39);
  KodE->setEnabled(true);
  OgolneE->setEnabled(true);
  SenSel->setFocus();
  if (colourMode != 0) kolory(colourMode);
  WindowFlags().Shown = true;
  StatBarTxt(complete ? Lt("Information complete") : Lt("Information incomplete"));
  if (!complete) nietypo();
}

bool TVortaF::nietypo() {
  TParamSet& p = Param();
  if (p.CoefMissing) return true;
  if ((p.Code.Typ == 5 || (p.Code.Typ >= 16 && p.Code.Typ <= 20)) && p.Code.Lin == 8 && !p.TableLoaded) {
    Timer1->stop();
    std::string message;
    if (sensors::InstallPowerSeriesTable(message)) {
      p.TableLoaded = true;
      if (!p.noTab()) pokaz(0);
    } else {
      MessageBeep(BeepKind::kExclamation);
      RecordPosition();
      MyMesM(Q(message), kIconWarning, this);  // the message comes translated
    }
    Timer1->start();
    return p.noTab();
  }

  // A table file is needed: look for it here, in the program's folder, then in "Tables" or "Tablice".
  p.File = sensors::BareFileName(p.File);
  const QString name = Q(p.File);
  auto exists = [&name] { return !name.isEmpty() && QFileInfo::exists(name); };
  if (!exists()) QDir::setCurrent(Q(ParametryF->ProgramDir()));
  if (!exists()) {
    if (QDir("Tables").exists()) {
      QDir::setCurrent("Tables");
    } else if (QDir("Tablice").exists()) {
      QDir::setCurrent("Tablice");
    }
  }
  MessageBeep(BeepKind::kExclamation);
  QString text = Lt("User defined sensor or conversion") + "!\n" + Lt("No data available") + ".\n";
  RecordPosition();
  if (!exists()) {
    if (!name.isEmpty()) text += "(" + Lt("source file") + ": " + name + ")";
    MyMesM(text, kIconWarning, this);
    return true;
  }
  text += Lt("Read source file") + " " + name + "?";
  if (MyMesM(text, kIconQuestion | kButtonsYesNo, this) != kResultYes) return true;

  TWindowFlags& f = WindowFlags();
  f.Busy = true;
  Timer1->stop();
  p.CharTyp = p.Code.Typ;
  sensors::TTableParse parse;
  const sensors::TTableLoad load =
      sensors::LoadTableForParams(QDir::current().absoluteFilePath(name).toStdString(), parse);
  RecordPosition();
  if (load == sensors::TTableLoad::kCannotRead || load == sensors::TTableLoad::kCorrupted) {
    QString failed = Lt("Corrupted or wrong data file") + "!";
    if (!parse.reason.empty()) failed += "\n(" + Q(docs::LT(parse.reason)) + ".)";
    MyMesM(failed, kIconError, this);
  } else if (load == sensors::TTableLoad::kSpanTooSmall) {
    MyMesM(Lt("Input range too small!"), kIconWarning, this);
  } else if (load == sensors::TTableLoad::kRangeNotCovered) {
    MyMesM(Lt("Corrupted or wrong data file") + "!", kIconError, this);
  }
  f.Busy = false;
  Timer1->start();
  if (!p.noTab()) pokaz(0);
  return p.noTab();
}

}  // namespace vorta::app
