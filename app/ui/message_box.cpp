// The Qt message box and beep behind MyMesM, with the seams for tests.
#include "app/ui/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "comm/beep.h"
#include "docs/ui/lang.h"

namespace vorta::app {
namespace {

QMessageBox::Icon IconOf(int kind) {
  switch (kind & 0xF0) {
    case kIconError:
      return QMessageBox::Critical;
    case kIconQuestion:
      return QMessageBox::Question;
    case kIconWarning:
      return QMessageBox::Warning;
    case kIconInfo:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

class QtMessageSink : public IMessageSink {
 public:
  int Show(QWidget* parent, const QString& text, const QString& caption, int kind) override {
    QMessageBox box(IconOf(kind), caption, text, QMessageBox::NoButton, parent);
    const int buttons = kind & 0x0F;
    if (buttons == kButtonsOkCancel) {
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    } else if (buttons == kButtonsYesNo) {
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    } else {
      box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
      case QMessageBox::Cancel:
        return kResultCancel;
      case QMessageBox::Yes:
        return kResultYes;
      case QMessageBox::No:
        return kResultNo;
      default:
        return buttons == kButtonsYesNo ? kResultNo : kResultOk;
    }
  }
};

class QtBeeper : public IBeeper {
 public:
  void Beep(BeepKind) override { QApplication::beep(); }
};

QtMessageSink gQtSink;
QtBeeper gQtBeeper;
IMessageSink* gSink = &gQtSink;
IBeeper* gBeeper = &gQtBeeper;
void (*gBeforeMessage)() = nullptr;

}  // namespace

IMessageSink* SetMessageSink(IMessageSink* sink) {
  IMessageSink* old = gSink;
  gSink = sink ? sink : &gQtSink;
  return old;
}

IBeeper* SetBeeper(IBeeper* beeper) {
  IBeeper* old = gBeeper;
  gBeeper = beeper ? beeper : &gQtBeeper;
  return old;
}

void SetBeforeMessageHook(void (*hook)()) {
  gBeforeMessage = hook;
}

int MyMesM(const QString& text, int kind, QWidget* parent) {
  if (gBeforeMessage) gBeforeMessage();
  if (!parent) parent = QApplication::activeWindow();
  // Messages are built with CR, CR LF or LF between their lines; a Qt box breaks lines at LF only.
  QString lines = text;
  lines.replace("\r\n", "\n");
  lines.replace('\r', '\n');
  return gSink->Show(parent, lines, QString::fromLatin1(kCaption), kind);
}

void MessageBeep(BeepKind kind) {
  gBeeper->Beep(kind);
}

void InstallLinkBeeps() {
  comm::SetLinkBeepHandler([](comm::LinkBeep kind) {
    MessageBeep(kind == comm::LinkBeep::kAsterisk     ? BeepKind::kAsterisk
                : kind == comm::LinkBeep::kExclamation ? BeepKind::kExclamation
                                                       : BeepKind::kDefault);
  });
}

QString ResultText(const TResult& r) {
  QString text = docs::Lt(r.key);
  if (!r.detail.empty()) text += "\n" + QString::fromStdString(r.detail);
  return text;
}

}  // namespace vorta::app
