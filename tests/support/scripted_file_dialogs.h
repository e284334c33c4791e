// Test seam for the file dialogs: records what each dialog was asked with and answers with the
// scripted file names in order (an empty name, or none left, is a cancel).
#pragma once

#include <QString>
#include <QStringList>

#include "app/ui/file_dialogs.h"

namespace vorta::testing {

class ScriptedFileDialogs : public app::IFileDialogs {
 public:
  ScriptedFileDialogs() { old_ = app::SetFileDialogs(this); }
  ~ScriptedFileDialogs() override { app::SetFileDialogs(old_); }
  ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
  ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

  QString OpenFile(QWidget*, const QString& dir, const QString& filter) override {
    dirs.push_back(dir);
    filters.push_back(filter);
    return Next();
  }
  QString SaveFile(QWidget*, const QString& dir, const QString& proposed, const QString& filter,
                   const QString& suffix) override {
    dirs.push_back(dir);
    filters.push_back(filter);
    proposals.push_back(proposed);
    suffixes.push_back(suffix);
    return Next();
  }
  QStringList answers, dirs, filters, proposals, suffixes;

 private:
  QString Next() { return answers.isEmpty() ? QString() : answers.takeFirst(); }
  app::IFileDialogs* old_ = nullptr;
};

}  // namespace vorta::testing
