// Draws the parameter report on a page (printer, preview or PDF) and writes it as a PDF file.
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <string>

#include "app/result.h"
#include "docs/report.h"

class QPainter;
class QPagedPaintDevice;

namespace vorta::docs {

// Draws the 28 lines on the paintable area of the device's page, whose top left corner is the
// painter's origin: the 14-point bold title, the sections in bold under their rules, the plain
// lines, the 10-point italic footer. The report's geometry gives the tops of the lines.
void PaintReport(QPainter& painter, QPagedPaintDevice& device, const TReport& report);

// The page a report goes on when no printer set-up chose one: A4, portrait, 15 mm margins.
QPageLayout DefaultReportLayout();

// The report as a one-page PDF document on layout (an invalid layout gives the default one),
// always portrait, with title as the document's title.
QByteArray ReportPdf(const TReport& report, const QPageLayout& layout, const QString& title);

// Writes the report's PDF to path through a temporary file beside it: when the path cannot be
// written nothing is left under its name ("Cannot open file" and the system's reason).
TResult SaveReportPdf(const std::string& path, const TReport& report, const QPageLayout& layout,
                      const QString& title);

}  // namespace vorta::docs
