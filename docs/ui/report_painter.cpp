// Drawing of the parameter report and its PDF file.
#include "docs/ui/report_painter.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <string_view>

#include "docs/line_buffer.h"

namespace vorta::docs {
namespace {

// The PDF's coordinate grid; the page looks the same at any resolution.
constexpr int kPdfDotsPerInch = 1200;

QFont FontFor(TReportLineKind kind, QPaintDevice& device) {
  const TReportFont f = ReportFont(kind);
  QFont font(QFont(), &device);
  // Without shaping no ligatures are drawn: the PDF's text reads "filter", not its glyph "ﬁ".
  font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
  font.setPointSize(f.points);
  font.setBold(f.bold);
  font.setItalic(f.italic);
  return font;
}

}  // namespace

void PaintReport(QPainter& painter, QPagedPaintDevice& device, const TReport& report) {
  const int dpi = device.logicalDpiY();
  const QRect page = device.pageLayout().paintRectPixels(dpi);
  const TReportGeometry g = ReportGeometry(page.width(), page.height(), dpi);
  painter.save();
  painter.setPen(QPen(Qt::black, std::max(1, dpi / 150)));
  for (int i = 0; i < kReportLineCount; ++i) {
    const TReportLine& line = report[static_cast<std::size_t>(i)];
    if (line.kind == TReportLineKind::kSection) painter.drawLine(g.left, g.RuleY(i), g.ruleRight, g.RuleY(i));
    if (line.text.empty()) continue;
    const QFont font = FontFor(line.kind, device);
    painter.setFont(font);
    // The geometry gives the top of the text; drawText takes the baseline.
    const int baseline = g.LineTop(i) + QFontMetrics(font, &device).ascent();
    painter.drawText(QPoint(g.left, baseline), QString::fromStdString(line.text));
  }
  painter.restore();
}

QPageLayout DefaultReportLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                     QPageLayout::Millimeter);
}

QByteArray ReportPdf(const TReport& report, const QPageLayout& layout, const QString& title) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfDotsPerInch);
    QPageLayout page = layout.isValid() ? layout : DefaultReportLayout();
    page.setOrientation(QPageLayout::Portrait);
    writer.setPageLayout(page);
    writer.setTitle(title);
    writer.setCreator("Vorta");
    QPainter painter(&writer);
    PaintReport(painter, writer, report);
  }
  return bytes;
}

TResult SaveReportPdf(const std::string& path, const TReport& report, const QPageLayout& layout,
                      const QString& title) {
  const QByteArray pdf = ReportPdf(report, layout, title);
  return WriteFileAtomically(path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

}  // namespace vorta::docs
