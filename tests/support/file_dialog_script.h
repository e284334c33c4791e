// Test seam for the open and save file dialogs: answers from a script (an empty answer is a
// cancelled dialog) and records where each dialog started and with which filter.
#pragma once

#include <QString>
#include <QStringList>

#include "app/ui/file_dialogs.h"

namespace vorta::testing {

class FileDialogScript : public app::IFileDialogs {
 public:
  FileDialogScript() { old_ = app::SetFileDialogs(this); }
  ~FileDialogScript() override { app::SetFileDialogs(old_); }
  FileDialogScript(const FileDialogScript&) = delete;
  FileDialogScript& operator=(const FileDialogScript&) = delete;

  QString OpenFile(QWidget*, const QString& dir, const QString& filter) override {
    starts.append(dir);
    filters.append(filter);
    return Next();
  }
  QString SaveFile(QWidget*, const QString& dir, const QString&, const QString& filter,
                   const QString&) override {
    starts.append(dir);
    filters.append(filter);
    return Next();
  }

  QStringList answers;  // chosen files, in order
  QStringList starts, filters;

 private:
  QString Next() { return answers.isEmpty() ? QString() : answers.takeFirst(); }
  app::IFileDialogs* old_ = nullptr;
};

}  // namespace vorta::testing
