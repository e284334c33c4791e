// The splash window shown once at start: the program's title and version. Enter or OK continue,
// Escape ends the program.
#pragma once

#include <QDialog>

class QLabel;

namespace vorta::app {

inline constexpr const char* kVersionText = "v 3.12";

class Twitryna : public QDialog {
  Q_OBJECT
 public:
  explicit Twitryna(QWidget* parent = nullptr);
  void SetVersion(const QString& text);

 private:
  QLabel* title_ = nullptr;
  QLabel* version_ = nullptr;
};

}  // namespace vorta::app
