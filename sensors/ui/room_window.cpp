// Layout and behaviour of the cold-junction temperature dialog.
#include "sensors/ui/room_window.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/app_state.h"
#include "app/ui/message_box.h"
#include "docs/ui/lang.h"
#include "sensors/selection.h"
#include "sensors/ui/dialog_support.h"

namespace vorta::sensors {

using docs::Lt;

TRoomF::TRoomF(QWidget* owner) : QDialog(owner) {
  setObjectName("RoomF");
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setWindowTitle(Lt("CJ temp."));
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* border = new QFrame(this);
  border->setFrameStyle(QFrame::Box | QFrame::Raised);
  border->setLineWidth(2);
  outer->addWidget(border);
  auto* frame = new QVBoxLayout(border);
  frame->setContentsMargins(16, 14, 16, 14);
  RoomtT = new QLabel(Lt("Set the external cold junction temperature") + ": (0 ... 50 \u00B0C)", this);
  RoomtT->setObjectName("RoomtT");
  auto* row = new QHBoxLayout;
  RoomtE = new QLineEdit(this);
  RoomtE->setObjectName("RoomtE");
  RoomtE->setMaxLength(12);
  RoomtE->setFixedWidth(RoomtE->fontMetrics().horizontalAdvance("0000000000"));
  RoomTJ = new QLabel("\u00B0C", this);
  RoomTJ->setObjectName("RoomTJ");
  RoomtB = new QPushButton("OK", this);
  RoomtB->setObjectName("RoomtB");
  RoomtB->setAutoDefault(false);
  row->addWidget(RoomtE);
  row->addWidget(RoomTJ);
  row->addStretch(1);
  row->addWidget(RoomtB);
  frame->addWidget(RoomtT);
  frame->addLayout(row);
  connect(RoomtB, &QPushButton::clicked, this, &TRoomF::RoomtBClick);
  entry_ = new TEntryField(RoomtE, [this] { return RoomtEExit(); }, {RoomtB});
  connect(RoomtE, &QLineEdit::returnPressed, this, &TRoomF::RoomtBClick);
  PlaceDialog(this, owner, 40, 60);
  // The field starts from the temperature the set holds.
  Show();
  RoomtE->setFocus();
}

void TRoomF::Show() {
  RoomtE->setText(Q(RoomTemperatureText(app::Param().P.RoomT)));
}

bool TRoomF::RoomtEExit() {
  const TRoomCheck c = CheckRoomTemperature(RoomtE->text().toStdString());
  if (c.ok) {
    app::Param().P.RoomT = c.value;
    Show();
    return true;
  }
  const QString previous = Q(RoomTemperatureText(app::Param().P.RoomT));
  if (c.wrongFormat) {
    Refuse(RoomtE, previous, Lt("Wrong format") + "!", app::kIconError);
  } else {
    Refuse(RoomtE, previous, Lt("Out of range!"), app::kIconWarning);
  }
  return false;
}

void TRoomF::RoomtBClick() {
  // A text typed since the last check is checked here, once: a refused one keeps the dialog open
  // with the previous value shown. Otherwise the value shown is the one already taken.
  if (entry_->CheckNow()) done(1);
}

void TRoomF::reject() {}

}  // namespace vorta::sensors
