// The window's texts in the current language, "New" with the field looks, and the timer tick.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "app/rounding.h"
#include "app/ui/main_window.h"
#include "app/display_format.h"
#include "app/window_texts.h"
#include "app/ui/app_state.h"
#include "app/ui/window_state.h"
#include "docs/ui/about_windows.h"
#include "docs/ui/lang.h"

namespace vorta::app {

using docs::Lt;

namespace {

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

// Puts a caption or a hint on a control of whatever kind it is.
void ApplyText(QObject* control, TTextKind kind, const QString& text) {
  if (kind == TTextKind::kHint) {
    if (auto* a = qobject_cast<QAction*>(control)) a->setToolTip(text);
    if (auto* w = qobject_cast<QWidget*>(control)) w->setToolTip(text);
  } else if (auto* a = qobject_cast<QAction*>(control)) {
    a->setText(text);
  } else if (auto* m = qobject_cast<QMenu*>(control)) {
    m->setTitle(text);
  } else if (auto* g = qobject_cast<QGroupBox*>(control)) {
    g->setTitle(text);
  } else if (auto* l = qobject_cast<QLabel*>(control)) {
    l->setText(text);
  } else if (auto* b = qobject_cast<QAbstractButton*>(control)) {
    b->setText(text);
  }
}

}  // namespace

void TVortaF::FormLang() {
  // The time constant's hint follows the model of the set shown, so the table is applied after it.
  if (WindowFlags().Shown) {
    pokaz(0);
  } else {
    odnowa();
  }
  for (const TControlText& t : MainWindowTexts(docs::LangList(), Param().TimeStep())) {
    QObject* control = findChild<QObject*>(QString::fromUtf8(t.control.data(), static_cast<int>(t.control.size())));
    if (control) ApplyText(control, t.kind, QString::fromStdString(t.text));
  }
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
  Reakcja->setText(QString::fromStdString(ReactionLabel(p, docs::LangList())));
  ClearFields();
}

void TVortaF::ClearFields() {
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
  if (mode == 3) {
    SetLook(field, kAqua, "aqua");
    changesKept_ = false;
  }
}

bool TVortaF::AnyFieldMarked() const {
  for (const QWidget* w : std::initializer_list<const QWidget*>{
           MinInputE, MaxInputE, FiltrZakresE, FiltrCzasE, FiltrLimitE, BurnoutE, SiecE, KodE, OgolneE})
    if (Marked(w)) return true;
  return false;
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
