// Layout and behaviour of the transmitter type choice.
#include "sensors/ui/transd_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/param_set.h"
#include "app/ui/app_state.h"
#include "docs/ui/lang.h"
#include "sensors/selection.h"
#include "sensors/ui/dialog_support.h"

namespace vorta::sensors {

using docs::Lt;

TTransdF::TTransdF(QWidget* owner, std::span<const app::TModelRow> rows) : QDialog(owner), rows_(rows) {
  setObjectName("TransdF");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  auto* column = new QVBoxLayout(this);
  WybierzT = new QLabel(Lt("Select type of transmitter") + ":", this);
  WybierzT->setObjectName("WybierzT");
  WybierzL = new QListWidget(this);
  WybierzL->setObjectName("WybierzL");
  OKbutt = new QPushButton("OK", this);
  OKbutt->setObjectName("OKbutt");
  OKbutt->setDefault(true);
  CancelB = new QPushButton(Lt("Cancel"), this);
  CancelB->setObjectName("CancelB");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OKbutt);
  buttons->addWidget(CancelB);
  column->addWidget(WybierzT);
  column->addWidget(WybierzL);
  column->addLayout(buttons);
  connect(OKbutt, &QPushButton::clicked, this, &TTransdF::OKbuttClick);
  connect(CancelB, &QPushButton::clicked, this, [this] { done(2); });
  connect(WybierzL, &QListWidget::itemDoubleClicked, this, &TTransdF::OKbuttClick);

  const std::vector<std::string> names = TransmitterNames(rows_);
  for (const std::string& n : names) WybierzL->addItem(Q(n));
  WybierzL->setMinimumHeight(WybierzL->sizeHintForRow(0) * static_cast<int>(names.size() + 1));
  if (names.size() >= 2) {
    WybierzL->setCurrentRow(PreselectedTransmitter(names, rows_, app::Param().Device));
    WybierzL->setFocus();
  }
  PlaceDialog(this, owner, 150, 90);
}

void TTransdF::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (painted_) return;
  painted_ = true;
  // A single offered model needs no choice.
  if (WybierzL->count() < 2) {
    WybierzL->setCurrentRow(0);
    QTimer::singleShot(0, this, &TTransdF::OKbuttClick);
  }
}

void TTransdF::OKbuttClick() {
  const QListWidgetItem* item = WybierzL->currentItem();
  const auto device = item != nullptr ? DeviceOfTransmitter(rows_, item->text().toStdString()) : std::nullopt;
  if (!device) {
    done(2);
    return;
  }
  app::Param().Device = *device;
  done(1);
}

}  // namespace vorta::sensors
