// The transmitter type choice, asked when the selection does not know the model: a sorted list of
// the offered models; OK writes the chosen device code into Device.
#pragma once

#include <QDialog>
#include <span>

#include "app/model_table.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace vorta::sensors {

class TTransdF : public QDialog {
  Q_OBJECT
 public:
  // rows: the models to offer from (the program's model table).
  explicit TTransdF(QWidget* owner, std::span<const app::TModelRow> rows = app::ModelTable());

  // OK and a double click in the list: Device from the selected name (result 1), else result 2.
  void OKbuttClick();

  QLabel* WybierzT = nullptr;
  QListWidget* WybierzL = nullptr;
  QPushButton* OKbutt = nullptr;
  QPushButton* CancelB = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  void reject() override { done(2); }  // Escape and the close button are Cancel

 private:
  std::span<const app::TModelRow> rows_;
  bool painted_ = false;
};

}  // namespace vorta::sensors
