// Qt's file dialogs for the file menu.
#include "app/ui/file_dialogs.h"

#include <QFileDialog>

namespace vorta::app {
namespace {

class QtFileDialogs : public IFileDialogs {
 public:
  QString OpenFile(QWidget* parent, const QString& dir, const QString& filter) override {
    QFileDialog d(parent, QString(), dir, filter);
    d.setFileMode(QFileDialog::ExistingFile);
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setOption(QFileDialog::ReadOnly, false);
    d.setSizeGripEnabled(true);
    return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().front()
                                                                         : QString();
  }
  QString SaveFile(QWidget* parent, const QString& dir, const QString& proposed, const QString& filter,
                   const QString& defaultSuffix) override {
    QFileDialog d(parent, QString(), dir, filter);
    d.setFileMode(QFileDialog::AnyFile);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setDefaultSuffix(defaultSuffix);
    d.selectFile(proposed);
    d.setSizeGripEnabled(true);
    return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().front()
                                                                         : QString();
  }
};

QtFileDialogs gQtDialogs;
IFileDialogs* gDialogs = &gQtDialogs;

}  // namespace

IFileDialogs* SetFileDialogs(IFileDialogs* dialogs) {
  IFileDialogs* old = gDialogs;
  gDialogs = dialogs ? dialogs : &gQtDialogs;
  return old;
}

IFileDialogs& FileDialogs() {
  return *gDialogs;
}

}  // namespace vorta::app
