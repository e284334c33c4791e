// The window's texts in the current language, "New" with the field looks, and the timer tick.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "app/main_window.h"
#include "app/param_set.h"
#include "app/window_state.h"
#include "docs/about_windows.h"
#include "docs/lang_list.h"

namespace vorta::app {
namespace {

QString Lt(const char* key) {
  return QString::fromStdString(docs::LT(key));
}

const QColor kGrey(0xF0, 0xF0, 0xF0);
const QColor kWhite(Qt::white);
const QColor kAqua(0, 255, 255);

void SetLook(QWidget* w, const QColor& c, const char* look) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::Base, c);
  pal.setColor(QPalette::Button, c);
  w->setPalette(pal);
  w->setProperty("look", look);
}

}  // namespace

void TVortaF::FormLang() {
  const struct {
    QAction* action;
    QString text;
  } menuTexts[] = {
      {Nowy1, Lt("&New")},
      {Otworz1, Lt("&Open") + "..."},
      {Zachowaj1, Lt("&Save")},
      {Zapiszjako1, Lt("Save as") + "..."},
      {Drukuj1, Lt("&Print") + "..."},
      {PrintSetup1, Lt("P&rint setup") + "..."},
      {Exit1, Lt("E&xit")},
      {Odswierz1, Lt("R&efresh")},
      {Odczytaj1, Lt("&Read")},
      {Zapisz1, Lt("&Write")},
      {Weryfikuj1, Lt("&Verify")},
      {Czujniki1, Lt("Se&nsors")},
      {Reset1, Lt("&Reset")},
      {Regulacja1, Lt("&Corrections")},
      {Symulacja1, "&" + Lt("Simulation")},
      {Pasek1, Lt("&Toolbar")},
      {Status1, Lt("S&tatus")},
      {Wykres1, Lt("&Diagram")},
      {MonOnly1, Lt("&Monitor only")},
      {Ogolne1, Lt("&General")},
      {Komunikacja1, Lt("&Communication")},
      {Autoread1, Lt("&Automatic read")},
      {Info1, Lt("&Info")},
      {Wersja1, Lt("&Version")},
      {Danetech1, Lt("&Help")},
  };
  for (const auto& m : menuTexts) m.action->setText(m.text);
  Plik1->setTitle(Lt("&File"));
  Konfig1->setTitle(Lt("&Configuration"));
  Ustawienia1->setTitle(Lt("&Setup"));
  Widok1->setTitle(Lt("&View"));
  Opcje1->setTitle(Lt("&Options"));
  Pomoc1->setTitle(Lt("&Help"));

  SenSel->setText(Lt("Select"));
  ParametryG->setTitle(" " + Lt("Parameters") + " ");
  ZakresTxt->setText(" " + Lt("Range") + ":");
  Minimum->setText(" " + Lt("Minimum") + ":");
  Maksimum->setText(" " + Lt("Maximum") + ":");
  Filtry->setTitle(" " + Lt("Signal filter"));
  FiltrZakresTxt->setText(Lt("Range") + " (0-25%)");
  FiltrLimitTxt->setText(Lt("Spurious error threshold") + " (0-100%)");
  FiltrDobierz->setText(Lt("Optimal"));
  SiecTxt->setText(Lt("Net filter freq.") + ":");
  RegulT->setText(" " + Lt("User corrections") + ":");
  RegulZT->setText(Lt("Zero") + ":  ");
  RegulGT->setText(Lt("Gain") + ":  ");
  Info->setTitle(" " + Lt("Info") + " ");
  KodTxt->setText(Lt("User ID Tag"));
  SerialTxt->setText(Lt("Serial No") + ":");
  DataTxt->setText(Lt("Last config. date") + ":");
  OgolneTxt->setText(Lt("Other"));
  nResult->setText(Lt("Result"));
  nOutput->setText(Lt("Output"));

  const struct {
    QAction* action;
    QString hint;
  } hints[] = {{NowyT, Lt("New")},
               {OtworzT, Lt("Open")},
               {ZachowajT, Lt("Save")},
               {DrukujT, Lt("Print")},
               {OdczytajT, Lt("Read settings")},
               {ZapiszT, Lt("Write settings")},
               {KomunikacjaT, Lt("Communication")},
               {RegulacjaT, Lt("Corrections")},
               {Wykres1T, Lt("Show diagram")}};
  for (const auto& h : hints) h.action->setToolTip(h.hint);
  RegulacjaPic->setToolTip(Lt("Corrections"));
  SenSel->setToolTip(Lt("Select sensor"));
  MinInputE->setToolTip(Lt("Enter the minimum value"));
  MaxInputE->setToolTip(Lt("Enter the maximum value"));
  FiltrZakresE->setToolTip(Lt("Set filtration range"));
  FiltrCzasE->setToolTip(Lt("Set time constant"));
  FiltrLimitE->setToolTip(Lt("Set spurious error threshold"));
  FiltrLimitUp->setToolTip(Lt("Set spurious error threshold"));
  FiltrLimitDown->setToolTip(Lt("Set spurious error threshold"));
  FiltrDobierz->setToolTip(Lt("Optimal settings") + "\n(" + Lt("no noise") + ")");
  BurnoutE->setToolTip(Lt("Choose expected reaction"));
  SiecE->setToolTip(Lt("Choose net frequency"));
  KodE->setToolTip(Lt("Write down ID tag"));
  OgolneE->setToolTip(Lt("Write down any information"));

  if (WindowFlags().Shown) {
    pokaz(0);
  } else {
    odnowa();
  }
  FiltrCzasTxt->setText(Lt("Time constant") + " (0-" +
                        QString::number(RoundHalfEven(250 * Param().TimeStep())) + "s)");
}

void TVortaF::odnowa() {
  TWindowFlags& f = WindowFlags();
  f.Written = false;
  f.Shown = false;
  TParamSet& p = Param();
  p.TableLoaded = false;
  StatBarTxt(Lt("No parameters"));
  SenSel->setFocus();
  fileName_ = Lt("No_name");
  logFileName_ = fileName_;
  SensorG->setTitle(" " + Lt("Sensor type") + " ");
  p.New();
  ShowCaption();
  Reakcja->setText(Lt("Output reaction to sensor burnout") + ":");
  BurnoutE->setCurrentIndex(0);
  SiecE->setCurrentIndex(0);
  SensorT->setText("???");
  for (QLabel* l : {JednostkiE, JednostkiE1, AbsMinE, AbsMaxE, SerialE, DataE}) l->clear();
  SerialE->hide();
  DataE->hide();
  for (QLineEdit* e : {MinInputE, MaxInputE, FiltrZakresE, FiltrCzasE, FiltrLimitE, KodE, OgolneE}) {
    const bool blocked = e->blockSignals(true);  // the range fields' change handlers must not run
    e->clear();
    e->blockSignals(blocked);
    e->setEnabled(false);
  }
  for (QWidget* w :
       std::initializer_list<QWidget*>{BurnoutE, SiecE, FiltrLimitUp, FiltrLimitDown, FiltrDobierz})
    w->setEnabled(false);
  kolory(1);
}

void TVortaF::SetFieldLook(QWidget* field, int mode) {
  if (mode == 1) SetLook(field, kGrey, "grey");
  if (mode == 2) SetLook(field, kWhite, "white");
  if (mode == 3) SetLook(field, kAqua, "aqua");
}

void TVortaF::kolory(int mode) {
  const std::initializer_list<QWidget*> numeric = {MinInputE, MaxInputE, FiltrZakresE, FiltrCzasE,
                                                   FiltrLimitE};
  const std::initializer_list<QWidget*> all = {MinInputE, MaxInputE, FiltrZakresE, FiltrCzasE, FiltrLimitE,
                                               BurnoutE,  SiecE,     KodE,         OgolneE};
  if (mode == 1 || mode == 2) {
    for (QWidget* w : all) SetFieldLook(w, mode);
  } else if (mode == 3) {
    for (QWidget* w : numeric) SetFieldLook(w, 3);
  } else if (mode == 4) {
    for (QWidget* w : all) SetFieldLook(w, 3);
  }
}

void TVortaF::Wersja1Click() {
  RecordPosition();
  docs::TProgwerF dialog(this);
  dialog.exec();
}

void TVortaF::Info1Click() {
  RecordPosition();
  docs::TInfoF dialog(this);
  dialog.exec();
}

}  // namespace vorta::app
