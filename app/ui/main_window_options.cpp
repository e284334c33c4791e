// Options > General with the language switch that re-labels every open window, and the manual:
// Help > Help and F1 at the page of the window in front.
#include <QApplication>
#include <QKeyEvent>
#include <QMetaObject>

#include "app/ui/app_state.h"
#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "app/ui/options_window.h"
#include "docs/help_pages.h"
#include "docs/ui/help_window.h"
#include "docs/ui/lang.h"
#include "docs/ui/parametry_form.h"

namespace vorta::app {

using docs::Lt;

namespace {

// F1 anywhere in the program, also while a modal window is in front.
class THelpKey : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(e)->key() != Qt::Key_F1) return false;
    if (!watched->isWidgetType() || !VortaF()) return false;
    VortaF()->HelpFor(FrontWindow());
    return true;
  }

 private:
  static QWidget* FrontWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    QWidget* active = QApplication::activeWindow();
    return active ? active : VortaF();
  }
};

}  // namespace

void TVortaF::InstallHelpKey() {
  qApp->installEventFilter(new THelpKey(this));
}

void TVortaF::HelpFor(QWidget* front, const std::string& page) {
  if (!front) front = this;
  if (front == docs::HelpWindow()) return;
  const std::string shown =
      page.empty() ? docs::HelpPageOf(front->metaObject()->className(), front->objectName().toStdString())
                   : page;
  const QWidget* modal = QApplication::activeModalWidget();
  if (!docs::ShowHelp(modal ? front : this, ParametryF->ProgramDir(), shown)) {
    const QString path =
        QString::fromStdString(ParametryF->ProgramDir() + "/" + docs::LT("VortaEN")) + "/index.html";
    MyMesM(Lt("Cannot open file") + ":\n" + path, kIconWarning, front);
  }
}

void TVortaF::Ogolne1Click() {
  RecordPosition();
  const bool untitled = fileName_ == Lt("No_name");
  TOgolneF dialog(this, ParametryF->ProgramDir());
  if (dialog.exec() != QDialog::Accepted) return;
  if (untitled) fileName_ = Lt("No_name");
  FormLang();
  RelabelOpenWindows();
  update();
}

void TVortaF::RelabelOpenWindows() {
  // Every window builds its captions in a FormLang of its own; those open now take the new texts.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w == this || !w->isVisible()) continue;
    if (w->metaObject()->indexOfMethod("FormLang()") >= 0) QMetaObject::invokeMethod(w, "FormLang");
  }
  if (docs::HelpWindow()) docs::HelpWindow()->FormLang();
}

}  // namespace vorta::app
