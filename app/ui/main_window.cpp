// Start-up of the main window and its shell: caption, status bar, key panels, position keeping.
#include "app/ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/ui/message_box.h"
#include "app/model_table.h"
#include "app/ui/app_state.h"
#include "app/settings.h"
#include "app/ui/splash_window.h"
#include "app/ui/window_state.h"
#include "comm/ui/line_log_window.h"
#include "docs/ui/lang.h"
#include "docs/ui/parametry_form.h"
#include "platform/keyboard.h"
#include "platform/program_dir.h"

namespace vorta::app {

using docs::Lt;

namespace {

TVortaF* gMainWindow = nullptr;

void RecordMainPosition() {
  if (gMainWindow) gMainWindow->RecordPosition();
}

}  // namespace

TVortaF* VortaF() {
  return gMainWindow;
}

TVortaF::TVortaF(QWidget* parent, bool showSplash) : QMainWindow(parent) {
  gMainWindow = this;
  setObjectName("VortaF");
  // 1. Losing the focus is noted for the simulation window.
  connect(qApp, &QApplication::applicationStateChanged, this, [](Qt::ApplicationState s) {
    if (s != Qt::ApplicationActive) WindowFlags().Deactivated = true;
  });
  // 2. System menu and minimise only, fixed border.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  // 4. Hidden while starting.
  hide();
  // 5. The hidden parameters window: language list, settings, language, model list.
  ParametryF = std::make_unique<docs::TParametryF>(platform::ProgramDir(), platform::SettingsDir());
  // The first search for a table file starts where the program was started.
  tableDir_ = QDir::currentPath().toStdString();
  SetBeforeMessageHook(&RecordMainPosition);
  InstallLinkBeeps();

  BuildActions();
  BuildMenus();
  BuildToolbar();
  BuildCentral();
  BuildStatusBar();
  BuildPortPanel();
  ConnectEditors();
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(500);
  connect(Timer1, &QTimer::timeout, this, &TVortaF::Timer1Timer);
  qApp->installEventFilter(this);

  // 6. Position from the settings.
  move(Settings().MainLeft, Settings().MainTop);
  // 7. The splash; Escape ends the program here.
  if (showSplash) {
    Twitryna splash(this);
    splash.SetVersion(kVersionText);
    if (splash.exec() != QDialog::Accepted) return;
  }
  // 8. Status bar: no parameters yet, key panels from the keyboard.
  StatBarTxt(Lt("No parameters"));
  const platform::LockStates locks = platform::ReadLockStates();
  capsOn_ = locks.caps;
  numOn_ = locks.num;
  UpdateKeyPanels();
  // 9. Commands that need the transmitter follow Connected, which is clear at start.
  OdczytajT->setEnabled(WindowFlags().Connected);
  Wykres1T->setEnabled(WindowFlags().Connected);
  ZapiszT->setEnabled(false);
  RegulacjaT->setEnabled(false);
  Regulacja1->setEnabled(false);
  RegulacjaPic->setEnabled(false);
  Ustawienia1->menuAction()->setEnabled(false);
  Reset1->setEnabled(false);
  // 11. Every text in the current language; this also performs "New".
  FormLang();
  // 12. Position again once the layout is final, wholly on the screen that holds it.
  move(Settings().MainLeft, Settings().MainTop);
  FixSize();
  // 13. The line on the configured port, with polling; the port dialog at once when it failed
  // (once the window runs, so that the start itself never waits on the dialog).
  if (!OpenLineAtStart()) QTimer::singleShot(0, this, &TVortaF::Komunikacja1Click);
  show();
  FixSize();  // again with the frame the window got, where it is known by now
  normalSize_ = size();
  // 15. The live display.
  Timer1->start();
  started_ = true;
}

TVortaF::~TVortaF() {
  // The line log window goes while this is still a whole main window: its end clears lineLog_.
  delete lineLog_;
  qApp->removeEventFilter(this);
  RecordPosition();
  SetBeforeMessageHook(nullptr);
  ParametryF.reset();  // writes the settings file
  if (gMainWindow == this) gMainWindow = nullptr;
}

void TVortaF::StatBarTxt(const QString& text) {
  StatPanel0->setText(" " + text);
}

QString TVortaF::StatusText() const {
  return StatPanel0->text().mid(1);
}

void TVortaF::ShowCaption() {
  const TParamSet& p = Param();
  if (p.Device.empty()) {
    setWindowTitle(Lt("Unspecified type"));
    return;
  }
  if (const auto name = ModelDisplayName(p.Device)) {
    setWindowTitle(fileName_ + " - " + QString::fromStdString(*name));
  } else {
    setWindowTitle(fileName_);
  }
}

void TVortaF::RecordPosition() {
  Settings().MainLeft = x();
  Settings().MainTop = y();
}

void TVortaF::UpdateKeyPanels() {
  StatPanel2->setText(capsOn_ ? "CAP" : "");
  StatPanel3->setText(numOn_ ? "NUM" : "");
  StatPanel4->setText(insOn_ ? "INS" : "");
}

void TVortaF::FormKeyDown(int key) {
  // Linux reports no lock toggles with the key: the panels track each press from the state read
  // at start.
  if (key == Qt::Key_CapsLock) capsOn_ = !capsOn_;
  if (key == Qt::Key_NumLock) numOn_ = !numOn_;
  if (key == Qt::Key_Insert) insOn_ = !insOn_;
  UpdateKeyPanels();
  RecordPosition();
}

bool TVortaF::eventFilter(QObject* watched, QEvent* e) {
  // A menu that opens takes the focus only for a while: the field is validated when the user leaves
  // it for another control, or by the command that needs its value (Write, Save).
  if (e->type() == QEvent::FocusOut) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason) EditorFocusOut(watched);
  }
  if (e->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this) {
    // The menu shortcuts win over a field's own keys: Ctrl+Z writes to the transmitter even while
    // the cursor stands in a field that would take it for undo.
    const auto* key = static_cast<QKeyEvent*>(e);
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* a : findChildren<QAction*>())
      if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == pressed) {
        e->ignore();
        return true;
      }
  }
  if (e->type() == QEvent::KeyPress && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this) {
    // A key a control ignores travels up to its parents and passes this filter again: take each
    // press once.
    const auto* key = static_cast<QKeyEvent*>(e);
    const bool again = key == lastKey_ && key->timestamp() == lastKeyTime_;
    lastKey_ = key;
    lastKeyTime_ = key->timestamp();
    if (!again && !key->isAutoRepeat()) FormKeyDown(key->key());
  }
  return QMainWindow::eventFilter(watched, e);
}

void TVortaF::changeEvent(QEvent* e) {
  if (e->type() == QEvent::ActivationChange && isActiveWindow()) WindowFlags().Deactivated = false;
  QMainWindow::changeEvent(e);
}

void TVortaF::closeEvent(QCloseEvent* e) {
  RecordPosition();
  if (!MayDiscardChanges()) {
    e->ignore();
    return;
  }
  Timer1->stop();
  if (const TResult saved = ParametryF->SaveSettings(); !saved) {
    // The system's own reason: a folder that may not be written, a full disk, a folder of that name.
    const QString path = QString::fromStdString(ParametryF->SettingsDir()) + "/" + kSettingsFileName;
    MyMesM(docs::LtOrKey("The settings could not be saved") + ":\n" + path + "\n(" +
               QString::fromStdString(saved.detail) + ")",
           kIconWarning, this);
  }
  e->accept();
  QApplication::quit();
}

void TVortaF::Exit1Click() {
  close();
}

void TVortaF::FixSize() {
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  FitOnScreen();
}

}  // namespace vorta::app
