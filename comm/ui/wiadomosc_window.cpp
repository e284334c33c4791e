// Layout and behaviour of the message window.
#include "comm/ui/wiadomosc_window.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "docs/ui/lang.h"

namespace vorta::comm {

using docs::Lt;

namespace {

void Paint(QWidget* w, const QColor& c) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, c);
  pal.setColor(QPalette::WindowText, Qt::white);
  w->setPalette(pal);
  w->setAutoFillBackground(true);
}

}  // namespace

bool& DiagnosticsRequested() {
  static bool requested = false;
  return requested;
}

TWiadomosc::TWiadomosc(QWidget* owner, QString userPassword)
    : QDialog(owner), userPassword_(std::move(userPassword)) {
  setObjectName("Wiadomosc");
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setWindowTitle(Lt("Message"));
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(2, 2, 2, 2);
  outer->setSpacing(0);
  auto* title = new QLabel(" " + Lt("Message"), this);
  title->setObjectName("Panel2");
  Paint(title, QColor(0x00, 0x00, 0x80));
  outer->addWidget(title);
  Panel3 = new QFrame(this);
  Panel3->setObjectName("Panel3");
  auto* inner = new QVBoxLayout(Panel3);
  inner->setContentsMargins(24, 14, 24, 14);
  Wiadomosc1 = new QLabel(Panel3);
  Wiadomosc1->setObjectName("Wiadomosc1");
  Wiadomosc2 = new QLabel(Panel3);
  Wiadomosc2->setObjectName("Wiadomosc2");
  Haslo = new QLineEdit(Panel3);
  Haslo->setObjectName("Haslo");
  Haslo->setMaxLength(30);
  Haslo->setEchoMode(QLineEdit::Password);
  for (QLabel* l : {Wiadomosc1, Wiadomosc2}) l->setAlignment(Qt::AlignCenter);
  inner->addWidget(Wiadomosc1);
  inner->addWidget(Wiadomosc2);
  inner->addWidget(Haslo);
  outer->addWidget(Panel3);
  setMinimumWidth(260);
  if (owner) {
    const double scale = owner->logicalDpiX() / 96.0;
    move(owner->x() + static_cast<int>(120 * scale), owner->y() + static_cast<int>(160 * scale));
  }
}

void TWiadomosc::ShowBusy() {
  modal_ = false;
  Wiadomosc1->setText(Lt("Communicating with transmitter"));
  Wiadomosc2->setText(Lt("Please wait") + "...");
  Wiadomosc2->show();
  Haslo->hide();
  Paint(Panel3, QColor(0x00, 0x80, 0x80));  // teal
  show();
  raise();
}

int TWiadomosc::ExecPassword() {
  modal_ = true;
  Wiadomosc1->setText(Lt("Password"));
  Wiadomosc2->hide();
  Haslo->show();
  Paint(Panel3, QColor(0x80, 0x80, 0x80));  // grey
  Haslo->setFocus();
  return exec();
}

void TWiadomosc::HasloReturn() {
  const QString typed = Haslo->text();
  if (!typed.isEmpty() && (typed == userPassword_ || typed == kServicePassword)) {
    DiagnosticsRequested() = typed == kServicePassword;
    accept();
  } else {
    reject();
  }
}

void TWiadomosc::keyPressEvent(QKeyEvent* e) {
  if (!modal_) return;  // the busy banner takes no keys
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    HasloReturn();
  } else if (e->key() == Qt::Key_Escape) {
    reject();
  } else {
    QDialog::keyPressEvent(e);
  }
}

void TWiadomosc::mousePressEvent(QMouseEvent*) {
  if (modal_) reject();
}

}  // namespace vorta::comm
