// The parameter report of the File menu: Print with its preview, Print setup, and Save report as
// PDF, which writes the same page without a printer.
#include <QAction>
#include <QDate>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTimer>

#include "app/ui/app_state.h"
#include "app/ui/file_dialogs.h"
#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "docs/report.h"
#include "docs/ui/lang.h"
#include "docs/ui/print_dialogs.h"
#include "docs/ui/report_painter.h"

namespace vorta::app {

using docs::Lt;

namespace {

docs::TReport CurrentReport() {
  const std::string today = QDate::currentDate().toString("dd.MM.yyyy").toStdString();
  return docs::ComposeReport(Param(), docs::LangList(), today);
}

// The report of a parameter file is proposed under the file's name, an untitled one under its tag
// (characters a file name cannot hold become "_").
QString ProposedPdfName(const QString& parFile) {
  QString base = parFile.isEmpty() ? QString::fromStdString(Param().kod).trimmed()
                                   : QFileInfo(parFile).completeBaseName();
  base.replace(QRegularExpression(R"([/\\:*?"<>|\x00-\x1f])"), "_");
  return (base.isEmpty() ? Lt("No_name") : base) + ".pdf";
}

QString JobTitle() {
  return QString::fromStdString(docs::ReportJobTitle(docs::LangList()));
}

}  // namespace

QPrinter& TVortaF::Printer() {
  if (!printer_) {
    printer_ = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer_->setPageOrientation(QPageLayout::Portrait);
  }
  return *printer_;
}

void TVortaF::Drukuj1Click() {
  if (!CheckParam(false, false)) return;
  Timer1->stop();
  RecordPosition();
  QPrinter& printer = Printer();
  printer.setDocName(JobTitle());
  printer.setPageOrientation(QPageLayout::Portrait);
  const docs::TReport report = CurrentReport();
  bool failed = false;
  docs::PrintDialogs().Print(this, printer, [&report, &failed](QPrinter& target) {
    QPainter painter;
    if (!painter.begin(&target)) {
      failed = true;  // the printer refused the job, or the PDF file cannot be written
      return;
    }
    docs::PaintReport(painter, target, report);
  });
  if (failed) {
    const QString where =
        printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    MyMesM(Lt("Cannot open file") + ":\n" + where, kIconWarning, this);
  }
  Timer1->start();
}

void TVortaF::PrintSetup1Click() {
  Timer1->stop();
  RecordPosition();
  docs::PrintDialogs().PageSetup(this, Printer());
  Timer1->start();
}

void TVortaF::ZapiszPdf1Click() {
  if (!CheckParam(false, false)) return;
  Timer1->stop();
  RecordPosition();
  const QString proposed = ProposedPdfName(fileName_ == Lt("No_name") ? QString() : fileName_);
  const QString chosen = FileDialogs().SaveFile(this, QString::fromStdString(Settings().DataDir), proposed,
                                                "PDF (*.pdf);;" + Lt("All files") + " (*)", "pdf");
  if (!chosen.isEmpty()) {
    const TResult saved =
        docs::SaveReportPdf(chosen.toStdString(), CurrentReport(), Printer().pageLayout(), JobTitle());
    if (!saved)
      MyMesM(Lt("Cannot open file") + ":\n" + chosen + "\n(" + QString::fromStdString(saved.detail) + ")",
             kIconWarning, this);
  }
  Timer1->start();
}

}  // namespace vorta::app
