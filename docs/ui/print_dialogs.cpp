// Qt's print preview, print and page set-up dialogs.
#include "docs/ui/print_dialogs.h"

#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "docs/ui/lang.h"

namespace vorta::docs {
namespace {

class QtPrintDialogs : public IPrintDialogs {
 public:
  bool Print(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint) override {
    // The preview's Print button opens the print dialog, or asks for the file when the printer
    // writes PDF, and prints; the preview then closes as accepted.
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(printer.docName());
    // Big enough to read the page: most of the screen's height, a page's width.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      preview.resize(std::min(area.width(), area.height() * 3 / 4), area.height() * 9 / 10);
      preview.move(area.center() - preview.rect().center());
    }
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paint](QPrinter* p) { paint(*p); });
    return preview.exec() == QDialog::Accepted;
  }
  bool PageSetup(QWidget* parent, QPrinter& printer) override {
    // Without an installed printer the printer writes PDF, which the page set-up dialog refuses;
    // the print dialog then chooses the printer or file, the paper and the orientation.
    if (printer.outputFormat() != QPrinter::NativeFormat) {
      QPrintDialog dialog(&printer, parent);
      dialog.setWindowTitle(QString::fromStdString(LT("P&rint setup")).remove('&'));
      return dialog.exec() == QDialog::Accepted;
    }
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
  }
};

QtPrintDialogs gQtDialogs;
IPrintDialogs* gDialogs = &gQtDialogs;

}  // namespace

IPrintDialogs* SetPrintDialogs(IPrintDialogs* dialogs) {
  IPrintDialogs* old = gDialogs;
  gDialogs = dialogs ? dialogs : &gQtDialogs;
  return old;
}

IPrintDialogs& PrintDialogs() {
  return *gDialogs;
}

}  // namespace vorta::docs
