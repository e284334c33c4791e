// The strip chart's base control: appearance properties and the full paint.
#include "charts/ui/kel_custom_chart.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace vorta::charts {

QColor ToQColor(TColor c) {
  return QColor(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)), static_cast<int>(BlueOf(c)));
}

TKelCustomChart::TKelCustomChart(QWidget* parent) : QWidget(parent), yLabelFont_("arial", 8) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(147, 105);
}

void TKelCustomChart::SetYLabel(const QString& text) {
  const QString cut = QString::fromStdString(CutYLabel(text.toStdString()));
  if (cut == yLabel_) return;
  yLabel_ = cut;
  Redraw();
}

void TKelCustomChart::SetYLabelFont(const QFont& font) {
  yLabelFont_ = font;
  Redraw();
}

void TKelCustomChart::SetGrid(TGridType grid) {
  if (grid == look_.Grid) return;
  look_.Grid = grid;
  Redraw();
}

void TKelCustomChart::SetBackGround(TColor c) {
  if (c == look_.BackGround) return;
  look_.BackGround = c;
  Redraw();
}

void TKelCustomChart::SetChartColor(TColor c) {
  if (c == look_.ChartColor) return;
  look_.ChartColor = c;
  Redraw();
}

void TKelCustomChart::SetBorderWidth(int width) {
  look_.BorderWidth = ClampBorderWidth(width);
  Redraw();
}

void TKelCustomChart::Redraw() {
  full_ = true;
  update();
}

int TKelCustomChart::PictureScale() const {
  return std::max(1, static_cast<int>(std::lround(devicePixelRatioF())));
}

TChartMetrics TKelCustomChart::Metrics() const {
  TChartMetrics m;
  m.width = width();
  m.height = height();
  m.yLabelHeight = yLabel_.isEmpty() ? 0 : QFontMetrics(yLabelFont_).height();
  m.textHeightA = QFontMetrics(font()).height();
  return m;
}

TChartRect TKelCustomChart::GetFrameRect() const {
  return ChartLayout(Metrics()).frame;
}

void TKelCustomChart::paintEvent(QPaintEvent*) {
  QPainter control(this);
  Paint(control);
}

void TKelCustomChart::resizeEvent(QResizeEvent* e) {
  full_ = true;
  QWidget::resizeEvent(e);
}

void TKelCustomChart::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) Q_EMIT DblClick();
}

void TKelCustomChart::Paint(QPainter& control) {
  if (full_) BuildBase();
  control.drawImage(QPoint(0, 0), base_);
}

void TKelCustomChart::BuildBase() {
  full_ = false;
  const int k = PictureScale();
  if (base_.size() != size() * k) base_ = QImage(size() * k, QImage::Format_RGB32);
  base_.setDevicePixelRatio(k);
  QPainter p(&base_);
  p.setFont(font());
  p.fillRect(rect(), ToQColor(look_.BackGround));
  DrawYLabel(p);
  CalcScale();
  DrawFrame(p);
  p.setPen(QPen(Qt::black, 1));
  DrawGrid(p);
  DrawXTicks(p);
  DrawYScale(p);
  p.end();
  DrawData();
}

void TKelCustomChart::DrawYLabel(QPainter& p) {
  if (yLabel_.isEmpty()) return;
  const TChartPoint at = ChartLayout(Metrics()).yLabelAt;
  p.save();
  p.setFont(yLabelFont_);
  p.setPen(Qt::black);
  // Rotated a quarter turn counter-clockwise: the label reads upwards from its start.
  p.translate(at.x, at.y);
  p.rotate(-90);
  p.drawText(0, QFontMetrics(yLabelFont_).ascent(), yLabel_);
  p.restore();
}

void TKelCustomChart::DrawFrame(QPainter& p) {
  const TChartRect f = GetFrameRect();
  const int bw = look_.BorderWidth;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(ToQColor(look_.ChartColor));
  p.setPen(QPen(Qt::black, bw));
  // The pen runs inside the frame's edges, as the platform's outlines do.
  p.drawRoundedRect(QRectF(f.left + bw / 2.0, f.top + bw / 2.0, f.right - f.left - bw, f.bottom - f.top - bw),
                    7.5, 7.5);
  p.restore();
}

}  // namespace vorta::charts
