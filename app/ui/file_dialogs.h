// The open and save dialogs of the file menu behind a small interface, so that tests can script
// the chosen file names.
#pragma once

#include <QString>

class QWidget;

namespace vorta::app {

class IFileDialogs {
 public:
  virtual ~IFileDialogs() = default;
  // The chosen existing file, or empty when cancelled.
  virtual QString OpenFile(QWidget* parent, const QString& dir, const QString& filter) = 0;
  // The chosen target (asking before overwriting), or empty when cancelled.
  virtual QString SaveFile(QWidget* parent, const QString& dir, const QString& proposed,
                           const QString& filter, const QString& defaultSuffix) = 0;
};

// Installs the dialogs (nullptr puts Qt's back); returns the previous ones.
IFileDialogs* SetFileDialogs(IFileDialogs* dialogs);
IFileDialogs& FileDialogs();

}  // namespace vorta::app
