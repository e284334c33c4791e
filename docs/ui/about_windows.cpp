// Layout of the version and info windows.
#include "docs/ui/about_windows.h"

#include <QApplication>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "app/ui/splash_window.h"
#include "docs/ui/lang.h"

namespace vorta::docs {
namespace {

// Nominal width of the main window the offsets are measured against.
constexpr int kMainNominalWidth = 515;

QLabel* Label(QWidget* parent, const char* name, const QString& text, int pointSize = 0, bool bold = false) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setAlignment(Qt::AlignCenter);
  QFont f = l->font();
  if (pointSize) f.setPointSize(pointSize);
  f.setBold(bold);
  l->setFont(f);
  l->installEventFilter(parent);
  return l;
}

}  // namespace

TClickToClose::TClickToClose(QWidget* owner, int nominalWidth, int topOffset) : QDialog(owner) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  // At least the nominal width; wider when a text needs it, so that no label is cut at any scale.
  setMinimumWidth(nominalWidth);
  nominal_ = nominalWidth;
  top_ = topOffset;
  owner_ = owner;
}

void TClickToClose::showEvent(QShowEvent* e) {
  // The labels are in place now: the window takes the size they ask for.
  if (layout()) layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
  Place(owner_, nominal_, top_);
  QDialog::showEvent(e);
}

void TClickToClose::Place(QWidget* owner, int nominalWidth, int topOffset) {
  if (!owner) return;
  const double scale = owner->logicalDpiX() / 96.0;
  move(owner->x() + static_cast<int>((kMainNominalWidth - nominalWidth) / 2 * scale),
       owner->y() + static_cast<int>(topOffset * scale));
}

void TClickToClose::mousePressEvent(QMouseEvent*) {
  accept();
}

bool TClickToClose::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::MouseButtonPress) {
    accept();
    return true;
  }
  return QDialog::eventFilter(watched, e);
}

TProgwerF::TProgwerF(QWidget* owner) : TClickToClose(owner, 234, 87) {
  setObjectName("ProgwerF");
  setWindowTitle(QString::fromStdString(LT("&Version")).mid(1));
  auto* layout = new QVBoxLayout(this);
  auto* icon = Label(this, "Image1", QString());
  icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));
  layout->addWidget(icon);
  layout->addWidget(Label(this, "Progname", "Velmora", 14, true));
  layout->addWidget(Label(this, "wersja", app::kVersionText));
  layout->addWidget(Label(this, "Copywr", "Configurator for the Vorta transmitters"));
}

TInfoF::TInfoF(QWidget* owner) : TClickToClose(owner, 228, 78) {
  setObjectName("InfoF");
  setWindowTitle("Info");
  auto* layout = new QVBoxLayout(this);
  auto* picture = Label(this, "Image2", QString());
  picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
  layout->addWidget(picture);
  const QStringList contact = {"Velmora",
                               "Measurement and control",
                               "Vorta transmitters",
                               "Service and calibration",
                               "through your local distributor",
                               ""};
  layout->addWidget(Label(this, "Firma", contact.join("\n").trimmed()));
}

}  // namespace vorta::docs
