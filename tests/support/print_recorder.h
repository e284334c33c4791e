// Test seam for the print dialogs: records each Print and Print setup and answers from a script.
// A Print with a PDF path set prints there, as choosing "Print to file" in the dialog would; with
// none it is cancelled. pdf_text.h reads such a file back.
#pragma once

#include <QPrinter>
#include <QString>
#include <QStringList>
#include <functional>

#include "docs/ui/print_dialogs.h"

namespace vorta::testing {

class PrintRecorder : public docs::IPrintDialogs {
 public:
  PrintRecorder() { old_ = docs::SetPrintDialogs(this); }
  ~PrintRecorder() override { docs::SetPrintDialogs(old_); }
  PrintRecorder(const PrintRecorder&) = delete;
  PrintRecorder& operator=(const PrintRecorder&) = delete;

  bool Print(QWidget*, QPrinter& printer, const std::function<void(QPrinter&)>& paint) override {
    ++prints;
    jobTitles << printer.docName();
    if (whileOpen) whileOpen();
    if (pdfPath.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    paint(printer);
    return true;
  }
  bool PageSetup(QWidget*, QPrinter& printer) override {
    ++setups;
    if (whileOpen) whileOpen();
    if (setupLayout.isValid()) printer.setPageLayout(setupLayout);
    return setupLayout.isValid();
  }

  QString pdfPath;                  // where the next Print goes; empty: Cancel
  QPageLayout setupLayout;          // what Print setup chooses; invalid: Cancel
  std::function<void()> whileOpen;  // runs while a dialog is open
  int prints = 0;
  int setups = 0;
  QStringList jobTitles;

 private:
  docs::IPrintDialogs* old_ = nullptr;
};

}  // namespace vorta::testing
