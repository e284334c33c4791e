// Menus, toolbar and the handlers of the window's shell: reduced layouts, toolbar and status bar
// toggles, automatic read, help.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "app/ui/window_state.h"
#include "docs/ui/lang.h"
#include "docs/ui/parametry_form.h"
#include "platform/help_viewer.h"

namespace vorta::app {

using docs::Lt;
QAction* TVortaF::MakeAction(const char* name, void (TVortaF::*handler)(), const QKeySequence& shortcut) {
  auto* a = new QAction(this);
  a->setObjectName(name);
  if (!shortcut.isEmpty()) a->setShortcut(shortcut);
  connect(a, &QAction::triggered, this, handler);
  return a;
}

void TVortaF::BuildActions() {
  InstallHelpKey();
  Nowy1 = MakeAction("Nowy1", &TVortaF::Nowy1Click);
  Otworz1 = MakeAction("Otworz1", &TVortaF::Otworz1Click, Qt::Key_F3);
  Zachowaj1 = MakeAction("Zachowaj1", &TVortaF::Zachowaj1Click, Qt::Key_F2);
  Zapiszjako1 = MakeAction("Zapiszjako1", &TVortaF::Zapiszjako1Click);
  Drukuj1 = MakeAction("Drukuj1", &TVortaF::Drukuj1Click);
  PrintSetup1 = MakeAction("PrintSetup1", &TVortaF::PrintSetup1Click);
  ZapiszPdf1 = MakeAction("ZapiszPdf1", &TVortaF::ZapiszPdf1Click);
  Exit1 = MakeAction("Exit1", &TVortaF::Exit1Click, Qt::Key_F10);
  Compare1 = MakeAction("Compare1", &TVortaF::Compare1Click);
  Odczytaj1 = MakeAction("Odczytaj1", &TVortaF::OdczytajTClick, QKeySequence(Qt::CTRL | Qt::Key_O));
  Zapisz1 = MakeAction("Zapisz1", &TVortaF::ZapiszTClick, QKeySequence(Qt::CTRL | Qt::Key_Z));
  Weryfikuj1 = MakeAction("Weryfikuj1", &TVortaF::Weryfikuj1Click, QKeySequence(Qt::CTRL | Qt::Key_W));
  Odswierz1 = MakeAction("Odswierz1", &TVortaF::Odswierz1Click);
  Czujniki1 = MakeAction("Czujniki1", &TVortaF::SenSelClick, QKeySequence(Qt::CTRL | Qt::Key_C));
  Reset1 = MakeAction("Reset1", &TVortaF::Reset1Click, QKeySequence(Qt::CTRL | Qt::Key_R));
  Regulacja1 = MakeAction("Regulacja1", &TVortaF::Regulacja1Click, QKeySequence(Qt::CTRL | Qt::Key_K));
  Wykres1 = MakeAction("Wykres1", &TVortaF::Wykres1Click);
  Wykres1->setCheckable(true);
  Symulacja1 = MakeAction("Symulacja1", &TVortaF::Symulacja1Click);
  LineLog1 = MakeAction("LineLog1", &TVortaF::LineLog1Click);
  LineLog1->setText(QString::fromStdString(docs::LTOrKey("&Line log")));
  MonOnly1 = MakeAction("MonOnly1", &TVortaF::MonOnly1Click);
  MonOnly1->setCheckable(true);
  Pasek1 = MakeAction("Pasek1", &TVortaF::Pasek1Click);
  Pasek1->setCheckable(true);
  Pasek1->setChecked(true);
  Status1 = MakeAction("Status1", &TVortaF::Status1Click);
  Status1->setCheckable(true);
  Status1->setChecked(true);
  Ogolne1 = MakeAction("Ogolne1", &TVortaF::Ogolne1Click);
  Komunikacja1 = MakeAction("Komunikacja1", &TVortaF::Komunikacja1Click);
  Autoread1 = MakeAction("Autoread1", &TVortaF::Autoread1Click);
  Autoread1->setCheckable(true);
  Danetech1 = MakeAction("Danetech1", &TVortaF::Danetech1Click);
  Wersja1 = MakeAction("Wersja1", &TVortaF::Wersja1Click);
  Info1 = MakeAction("Info1", &TVortaF::Info1Click);

  QStyle* st = style();
  NowyT = MakeAction("NowyT", &TVortaF::Nowy1Click);
  NowyT->setIcon(st->standardIcon(QStyle::SP_FileIcon));
  OtworzT = MakeAction("OtworzT", &TVortaF::Otworz1Click);
  OtworzT->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
  ZachowajT = MakeAction("ZachowajT", &TVortaF::Zachowaj1Click);
  ZachowajT->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
  DrukujT = MakeAction("DrukujT", &TVortaF::Drukuj1Click);
  DrukujT->setIcon(st->standardIcon(QStyle::SP_FileDialogDetailedView));
  OdczytajT = MakeAction("OdczytajT", &TVortaF::OdczytajTClick);
  ZapiszT = MakeAction("ZapiszT", &TVortaF::ZapiszTClick);
  ZapiszT->setIcon(st->standardIcon(QStyle::SP_ArrowUp));
  KomunikacjaT = MakeAction("KomunikacjaT", &TVortaF::Komunikacja1Click);
  KomunikacjaT->setIcon(st->standardIcon(QStyle::SP_DriveNetIcon));
  RegulacjaT = MakeAction("RegulacjaT", &TVortaF::Regulacja1Click);
  RegulacjaT->setIcon(st->standardIcon(QStyle::SP_FileDialogContentsView));
  Wykres1T = MakeAction("Wykres1T", &TVortaF::Wykres1Click);
  Wykres1T->setCheckable(true);
  Wykres1T->setIcon(st->standardIcon(QStyle::SP_ComputerIcon));
  SetReadButtonImage();
}

void TVortaF::BuildMenus() {
  QMenuBar* bar = menuBar();
  Plik1 = bar->addMenu(QString());
  Plik1->setObjectName("Plik1");
  Plik1->addActions({Nowy1, Otworz1, Zachowaj1, Zapiszjako1, Compare1});
  Plik1->addSeparator();
  Plik1->addActions({Drukuj1, PrintSetup1, ZapiszPdf1});
  Plik1->addSeparator();
  Plik1->addAction(Exit1);

  Konfig1 = bar->addMenu(QString());
  Konfig1->setObjectName("Konfig1");
  Ustawienia1 = Konfig1->addMenu(QString());
  Ustawienia1->setObjectName("Ustawienia1");
  Ustawienia1->addActions({Odczytaj1, Zapisz1, Weryfikuj1, Odswierz1});
  Konfig1->addAction(Czujniki1);
  Konfig1->addAction(Reset1);
  Konfig1->addSeparator();
  Konfig1->addAction(Regulacja1);

  Widok1 = bar->addMenu(QString());
  Widok1->setObjectName("Widok1");
  Widok1->addActions({Wykres1, Symulacja1, MonOnly1});
  Widok1->addAction(LineLog1);
  Widok1->addSeparator();
  Widok1->addActions({Pasek1, Status1});

  Opcje1 = bar->addMenu(QString());
  Opcje1->setObjectName("Opcje1");
  Opcje1->addActions({Ogolne1, Komunikacja1, Autoread1});

  Pomoc1 = bar->addMenu(QString());
  Pomoc1->setObjectName("Pomoc1");
  Pomoc1->addActions({Danetech1, Wersja1, Info1});
}

void TVortaF::BuildToolbar() {
  ToolBar1 = addToolBar("ToolBar1");
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setIconSize(QSize(20, 20));
  ToolBar1->toggleViewAction()->setEnabled(false);
  ToolBar1->addActions({NowyT, OtworzT, ZachowajT, DrukujT});
  ToolBar1->addSeparator();
  ToolBar1->addActions({OdczytajT, ZapiszT});
  ToolBar1->addSeparator();
  ToolBar1->addActions({KomunikacjaT, RegulacjaT, Wykres1T});
  setContextMenuPolicy(Qt::NoContextMenu);
}

void TVortaF::SetReadButtonImage() {
  // The Read button shows whether automatic reading is on.
  OdczytajT->setIcon(
      style()->standardIcon(Autoread1->isChecked() ? QStyle::SP_BrowserReload : QStyle::SP_ArrowDown));
}

void TVortaF::EnDisMenu(bool on) {
  if (!on) {
    if (Status1->isChecked()) Status1Click();
    if (Pasek1->isChecked()) Pasek1Click();
  } else {
    // Both are toggled back, so both are shown afterwards.
    if (!Status1->isChecked()) Status1Click();
    if (!Pasek1->isChecked()) Pasek1Click();
  }
  for (QAction* a :
       {Status1, Pasek1, Ogolne1, Symulacja1, Nowy1, Otworz1, Zachowaj1, Zapiszjako1, Drukuj1, PrintSetup1,
        ZapiszPdf1})
    a->setEnabled(on);
  Konfig1->menuAction()->setEnabled(on);
}

void TVortaF::MonOnly1Click() {
  MonOnly1->setChecked(!monitorOnly_);
  monitorOnly_ = MonOnly1->isChecked();
  if (monitorOnly_) {
    WindowFlags().AutoRead = false;  // suspended while only the values are shown
    Autoread1->setEnabled(false);
    Wykres1->setEnabled(false);
    EnDisMenu(false);
    SensorG->hide();
    ParametryG->hide();
    Info->hide();
  } else {
    WindowFlags().AutoRead = Autoread1->isChecked();
    Autoread1->setEnabled(true);
    Wykres1->setEnabled(true);
    SensorG->show();
    ParametryG->show();
    Info->show();
    EnDisMenu(true);
  }
  FixSize();
}

void TVortaF::Pasek1Click() {
  Pasek1->setChecked(!ToolBar1->isVisible());
  ToolBar1->setVisible(Pasek1->isChecked());
  FixSize();
}

void TVortaF::Status1Click() {
  // The window grows or shrinks by the status bar's height.
  Status1->setChecked(!statusBar()->isVisible());
  statusBar()->setVisible(Status1->isChecked());
  FixSize();
}

void TVortaF::Autoread1Click() {
  Autoread1->setChecked(!WindowFlags().AutoRead);
  WindowFlags().AutoRead = Autoread1->isChecked();
  SetReadButtonImage();
}

void TVortaF::Danetech1Click() {
  HelpFor(this, "index.html");
}

}  // namespace vorta::app
