// The external cold-junction temperature: a small borderless dialog without Cancel that the
// thermocouple dialog opens for a thermocouple with its junction outside the transmitter. It closes
// only with a valid value, which it stores into RoomT.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vorta::sensors {

class TEntryField;

class TRoomF : public QDialog {
  Q_OBJECT
 public:
  // Placed inside the dialog that opens it.
  explicit TRoomF(QWidget* owner);

  // Leaving the field (not to the button, which checks itself) and Enter: the check; a refusal
  // shows the previous value and returns the focus.
  bool RoomtEExit();
  // The button: the check, once; closes when the value was taken.
  void RoomtBClick();

  QLabel* RoomtT = nullptr;
  QLineEdit* RoomtE = nullptr;
  QLabel* RoomTJ = nullptr;
  QPushButton* RoomtB = nullptr;

 protected:
  void reject() override;  // no Cancel: Escape and the close button do nothing

 private:
  void Show();

  TEntryField* entry_ = nullptr;
};

}  // namespace vorta::sensors
