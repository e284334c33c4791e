// The print preview, the print dialog and the page set-up dialog behind one small interface, so
// that tests can script them: a scripted Print decides where the page goes and paints it there.
#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace vorta::docs {

class IPrintDialogs {
 public:
  virtual ~IPrintDialogs() = default;
  // Shows the page through paint and lets the user print it (choosing the printer, or a PDF file,
  // in the print dialog); true when it was printed, false when cancelled.
  virtual bool Print(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint) = 0;
  // The printer set-up: printer, paper and its source; true on OK.
  virtual bool PageSetup(QWidget* parent, QPrinter& printer) = 0;
};

// Installs the dialogs (nullptr puts Qt's back); returns the previous ones.
IPrintDialogs* SetPrintDialogs(IPrintDialogs* dialogs);
IPrintDialogs& PrintDialogs();

}  // namespace vorta::docs
