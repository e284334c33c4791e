// Drawing of the preview curve.
#include "sensors/ui/curve_preview.h"

#include <QPainter>
#include <QPainterPath>

#include "sensors/input_rules.h"
#include "sensors/ui/dialog_support.h"

namespace vorta::sensors {

TCurvePreview::TCurvePreview(QWidget* parent) : QWidget(parent) {
  setObjectName("PreviewP");
  setMinimumSize(220, 130);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TCurvePreview::SetPreview(TPreview preview) {
  preview_ = std::move(preview);
  update();
}

void TCurvePreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  if (preview_.points.empty()) return;
  const TPreviewFrame f = FrameOf(preview_);
  const QFontMetrics fm = painter.fontMetrics();
  // The value range of each axis at its ends; the curve in the area between.
  const int left = fm.horizontalAdvance(Q(TenthsText(f.rMin))) + 8;
  const int leftTop = fm.horizontalAdvance(Q(TenthsText(f.rMax))) + 8;
  const QRectF area(std::max(left, leftTop), fm.height() / 2 + 4, width() - std::max(left, leftTop) - 10,
                    height() - fm.height() * 2 - 8);
  painter.setPen(Qt::darkGray);
  painter.drawText(QRectF(0, area.top() - fm.height() / 2, area.left() - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, Q(TenthsText(f.rMax)));
  painter.drawText(QRectF(0, area.bottom() - fm.height() / 2, area.left() - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, Q(TenthsText(f.rMin)));
  painter.drawText(QRectF(area.left(), area.bottom() + 4, area.width(), fm.height()), Qt::AlignLeft,
                   Q(TenthsText(f.sMin)));
  painter.drawText(QRectF(area.left(), area.bottom() + 4, area.width(), fm.height()), Qt::AlignRight,
                   Q(TenthsText(f.sMax)));
  painter.drawRect(area);
  QPainterPath path;
  for (std::size_t i = 0; i < preview_.points.size(); ++i) {
    const TPreviewPixel px = PixelOf(f, preview_.points[i], area.width(), area.height());
    const QPointF at(area.left() + px.x, area.top() + px.y);
    if (i == 0) {
      path.moveTo(at);
    } else {
      path.lineTo(at);
    }
  }
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(preview_.usable ? QColor(0, 0, 128) : QColor(200, 0, 0), 2));
  painter.drawPath(path);
}

}  // namespace vorta::sensors
