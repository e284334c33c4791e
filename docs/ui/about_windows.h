// The two small windows of the Help menu: the version window and the maker's contact window.
// A click anywhere on them, Enter or Escape closes them.
#pragma once

#include <QDialog>

namespace vorta::docs {

class TClickToClose : public QDialog {
  Q_OBJECT
 public:
  // Placed at the owner's position plus the nominal offsets, scaled by the screen's text scale.
  TClickToClose(QWidget* owner, int nominalWidth, int topOffset);

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void Place(QWidget* owner, int nominalWidth, int topOffset);

 private:
  QWidget* owner_ = nullptr;
  int nominal_ = 0;
  int top_ = 0;
};

class TProgwerF : public TClickToClose {
  Q_OBJECT
 public:
  explicit TProgwerF(QWidget* owner);
};

class TInfoF : public TClickToClose {
  Q_OBJECT
 public:
  explicit TInfoF(QWidget* owner);
};

}  // namespace vorta::docs
