// Painting and mouse handling of the XY plot; the geometry comes from charts/xy_plot_math.h.
#include "charts/ui/wykres_xy.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace vorta::charts {
namespace {

QColor ColorOf(std::uint32_t bbggrr) {
  const TRgb c = RgbOf(bbggrr);
  return QColor(c.red, c.green, c.blue);
}

QRect RectOf(const TPixelRect& r) {
  return {r.left, r.top, r.width, r.height};
}

// A horizontal or vertical line with both ends, as a filled rectangle one pixel wide: exact pixels
// at any scale, unlike a pen's line ends.
QRect RectOf(const TPixelLine& l) {
  return QRect(QPoint(std::min(l.from.x, l.to.x), std::min(l.from.y, l.to.y)),
               QPoint(std::max(l.from.x, l.to.x), std::max(l.from.y, l.to.y)));
}

void Outline(QPainter& painter, const TPixelRect& r, const QColor& c) {
  painter.fillRect(r.left, r.top, r.width, 1, c);
  painter.fillRect(r.left, r.bottom() - 1, r.width, 1, c);
  painter.fillRect(r.left, r.top, 1, r.height, c);
  painter.fillRect(r.right() - 1, r.top, 1, r.height, c);
}

QFont CaptionFont() {
  QFont f("Arial");
  f.setPointSize(10);
  return f;
}

}  // namespace

TWykresXY::TWykresXY(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(kDefaultControlSize, kDefaultControlSize);
  Relayout(false);
}

void TWykresXY::Relayout(bool bipolar) {
  layout_ = MakeLayout(width(), height(), bipolar);
  const qreal ratio = devicePixelRatioF();
  layer_ =
      QImage(QSize(layout_.layerWidth, layout_.layerHeight) * ratio, QImage::Format_ARGB32_Premultiplied);
  layer_.setDevicePixelRatio(ratio);
  layer_.fill(Qt::transparent);
}

void TWykresXY::FollowSize() {
  const TPlotLayout now = MakeLayout(width(), height(), layout_.bipolar);
  if (now.controlWidth == layout_.controlWidth && now.controlHeight == layout_.controlHeight) return;
  Relayout(layout_.bipolar);
  if (hairs_.Shown()) hairs_.at = ControlPixel(layout_, hairsPercent_.x, hairsPercent_.y);
  update();
}

void TWykresXY::resizeEvent(QResizeEvent*) {
  FollowSize();
}

void TWykresXY::PlotPoint(double x, double y) {
  FollowSize();
  const TDotRects dot = DotRects(layout_, x, y, bigDot_);
  QPainter painter(&layer_);
  painter.fillRect(RectOf(dot.layer), ColorOf(penColor_));
  update(RectOf(dot.control));
}

void TWykresXY::MoveCrossHairs(double x, double y) {
  FollowSize();
  const TCrossHairMove move = charts::MoveCrossHairs(layout_, hairs_, x, y);
  if (move.erase) UpdateHairs(move.restore);
  hairs_ = move.now;
  hairsPercent_ = {x, y};
  UpdateHairs(move.draw);
}

void TWykresXY::UpdateHairs(const TCrossHairRects& r) {
  update(RectOf(r.column));
  update(RectOf(r.row));
}

void TWykresXY::ClearPoints() {
  FollowSize();
  layer_.fill(Qt::transparent);
  update();
}

void TWykresXY::SetBgndColor(int level) {
  bgndColor_ = level;
  update();
}

void TWykresXY::SetBipolar(bool on) {
  FollowSize();
  if (on == layout_.bipolar) return;
  Relayout(on);
  hairs_ = {};  // the remembered pixels belong to the other axis
  update();
}

void TWykresXY::SetCrossHairs(bool on) {
  crossHairs_ = on;
  if (on) return;
  hairs_ = {};
  update();
}

void TWykresXY::PaintFrame(QPainter& painter) const {
  const TFrameColours colours = FrameColours(bgndColor_);
  const TPlotFrame f = PlotFrame(layout_);
  painter.fillRect(RectOf(f.control), ColorOf(colours.face));
  Outline(painter, f.control, ColorOf(colours.light));
  painter.fillRect(RectOf(f.bottomEdge), ColorOf(colours.dark));
  painter.fillRect(RectOf(f.rightEdge), ColorOf(colours.dark));
  Outline(painter, f.nominal, ColorOf(colours.light));
  const QColor axis = ColorOf(kAxisColor);
  for (const TPixelLine& l : f.axes) painter.fillRect(RectOf(l), axis);
}

void TWykresXY::PaintCaptions(QPainter& painter) const {
  const QFont font = CaptionFont();
  const QFontMetrics m(font);
  const QString in = "In", out = "Out";
  const TCaptionRects c =
      CaptionRects(layout_, {m.horizontalAdvance(in), m.height()}, {m.horizontalAdvance(out), m.height()});
  painter.setFont(font);
  painter.setPen(ColorOf(kCaptionColor));
  painter.drawText(RectOf(c.in), Qt::AlignCenter, in);
  painter.drawText(RectOf(c.out), Qt::AlignCenter, out);
}

void TWykresXY::paintEvent(QPaintEvent* e) {
  QPainter painter(this);
  painter.setClipRegion(e->region());
  PaintFrame(painter);
  PaintCaptions(painter);
  painter.drawImage(QPoint(1, 1), layer_);
  if (!crossHairs_ || !hairs_.Shown()) return;
  const TCrossHairRects r = CrossHairRects(layout_, hairs_.at);
  painter.fillRect(RectOf(r.column), ColorOf(hairsColor_));
  painter.fillRect(RectOf(r.row), ColorOf(hairsColor_));
}

void TWykresXY::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  pressed_ = true;
  dragging_ = false;
  pressAt_ = e->position().toPoint();
}

void TWykresXY::mouseMoveEvent(QMouseEvent* e) {
  if (!pressed_) return;
  const QPoint at = e->position().toPoint();
  if (!dragging_ && (at - pressAt_).manhattanLength() < QApplication::startDragDistance()) return;
  dragging_ = true;
  const TPercentPoint p = PercentAt(layout_, {at.x(), at.y()});
  Q_EMIT Dragged(p.x, p.y);
}

void TWykresXY::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  if (!dragging_ && rect().contains(e->position().toPoint())) Q_EMIT Clicked();
  dragging_ = false;
}

}  // namespace vorta::charts
