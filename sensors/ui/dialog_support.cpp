// The sensor dialogs' shared pieces.
#include "sensors/ui/dialog_support.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "app/sensor_code.h"
#include "app/ui/message_box.h"
#include "docs/ui/lang.h"
#include "sensors/conversion_rules.h"

namespace vorta::sensors {
namespace {

// A refusal's message is up: the focus changes it causes check nothing.
bool gRefusing = false;

}  // namespace

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

namespace {

double Scale(const QWidget* w) {
  return w->logicalDpiX() / 96.0;
}

// Moves dialog to p, pulled back onto the screen of owner where it would stick out.
void MoveOnScreen(QWidget* dialog, const QWidget* owner, QPoint p) {
  dialog->adjustSize();
  if (const QScreen* screen = owner->screen()) {
    const QRect area = screen->availableGeometry();
    p.setX(std::max(area.left(), std::min(p.x(), area.right() - dialog->width())));
    p.setY(std::max(area.top(), std::min(p.y(), area.bottom() - dialog->height())));
  }
  dialog->move(p);
}

}  // namespace

void PlaceDialog(QWidget* dialog, const QWidget* owner, int dx, int dy) {
  if (owner == nullptr) return;
  const QWidget* top = owner->window();
  const double scale = Scale(top);
  MoveOnScreen(dialog, top, top->pos() + QPoint(static_cast<int>(dx * scale), static_cast<int>(dy * scale)));
}

void PlaceBeside(QWidget* dialog, const QWidget* owner, int dy) {
  if (owner == nullptr) return;
  const QWidget* top = owner->window();
  const double scale = Scale(top);
  const QRect frame = top->frameGeometry();
  const int gap = static_cast<int>(8 * scale), y = top->y() + static_cast<int>(dy * scale);
  dialog->adjustSize();
  const QScreen* screen = top->screen();
  const bool roomRight =
      !screen || frame.right() + gap + dialog->width() <= screen->availableGeometry().right();
  MoveOnScreen(dialog, top,
               QPoint(roomRight ? frame.right() + gap : frame.left() - gap - dialog->width(), y));
}

std::string Today() {
  return QDate::currentDate().toString("dd.MM.yyyy").toStdString();
}

QString GroupTitle(std::string_view key) {
  return " " + docs::Lt(key) + " ";
}

void FillUnits(QComboBox* box, int index) {
  box->clear();
  for (int i = 0; i < kResultUnitCount; ++i) box->addItem(Q(app::UnitName(i)));
  box->setCurrentIndex(ResultUnitIndex(index));
}

TEntryField::TEntryField(QLineEdit* field, Check check, QList<QWidget*> exempt)
    : QObject(field), field_(field), check_(std::move(check)), exempt_(std::move(exempt)) {
  field->installEventFilter(this);
}

bool TEntryField::CheckNow() {
  if (gRefusing || !field_->isModified()) return true;
  field_->setModified(false);
  return check_();
}

bool TEntryField::eventFilter(QObject* watched, QEvent* e) {
  if (watched == field_ && e->type() == QEvent::FocusOut) {
    if (!exempt_.contains(QApplication::focusWidget())) CheckNow();
  } else if (watched == field_ && e->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(e)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !CheckNow()) return true;
  }
  return QObject::eventFilter(watched, e);
}

void Refuse(QLineEdit* field, const QString& previous, const QString& message, int kind) {
  gRefusing = true;
  app::MessageBeep(app::BeepKind::kExclamation);
  app::MyMesM(message, kind, field->window());
  field->setText(previous);
  gRefusing = false;
  ReturnFocus(field);
}

void ReturnFocus(QWidget* field) {
  // The message took the activation: the dialog gets it back before its field gets the focus.
  QTimer::singleShot(0, field, [field] {
    field->window()->activateWindow();
    field->setFocus();
  });
}

}  // namespace vorta::sensors
