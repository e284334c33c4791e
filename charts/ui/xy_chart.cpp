// The strip chart control: sampling, incremental drawing, the full paint from the computed pictures,
// the hover text and the context menu.
#include "charts/ui/xy_chart.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <chrono>
#include <cstring>

namespace vorta::charts {
namespace {

double SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void DrawLines(QPainter& p, const TChartLines& lines) {
  for (int i = 0; i < lines.count; ++i) {
    const TChartSegment& s = lines.line[static_cast<std::size_t>(i)];
    p.drawLine(s.x0, s.y0, s.x1, s.y1);
  }
}

}  // namespace

TXYChart::TXYChart(QWidget* parent) : TKelCustomChart(parent), clock_(SteadySeconds) {
  setMouseTracking(true);
  data_.ClearData(Now());
  Relayout();
}

void TXYChart::SetClock(TClock clock) {
  clock_ = clock ? std::move(clock) : TClock(SteadySeconds);
}

char TXYChart::DecimalSeparator() const {
  const QString sep = locale().decimalPoint();
  return sep.size() == 1 && sep[0].unicode() < 0x80 ? static_cast<char>(sep[0].unicode()) : '.';
}

TChartMetrics TXYChart::Metrics() const {
  TChartMetrics m = TKelCustomChart::Metrics();
  const QFontMetrics fm(font());
  for (const std::string& t : ScaleProbeTexts({MinY, MaxY}, DecimalSeparator()))
    m.widestScaleLabel = std::max(m.widestScaleLabel, fm.horizontalAdvance(QString::fromStdString(t)));
  return m;
}

void TXYChart::Relayout() {
  if (size() != laidOut_) TKelCustomChart::Redraw();
  laidOut_ = size();
  layout_ = ChartLayout(Metrics());
  data_.SetColumns(layout_.Columns());
  const int k = PictureScale();
  if (dataPicture_.Width() != layout_.PictureWidth() || dataPicture_.Height() != layout_.PictureHeight() ||
      dataPicture_.Scale() != k) {
    dataPicture_.Resize(layout_.PictureWidth(), layout_.PictureHeight(), k);
    plot_ = QImage(layout_.PictureWidth() * k, layout_.PictureHeight() * k, QImage::Format_RGB32);
    plot_.setDevicePixelRatio(k);
  }
}

void TXYChart::resizeEvent(QResizeEvent* e) {
  TKelCustomChart::resizeEvent(e);
  Relayout();
}

QRect TXYChart::PictureRect() const {
  const TChartPoint at = layout_.PictureAt();
  return QRect(at.x, at.y, layout_.PictureWidth(), layout_.PictureHeight());
}

bool TXYChart::AddPoint(double value, TColor color) {
  // A control resized while hidden learns of it only when shown: the plot's width counts now.
  if (size() != laidOut_) Relayout();
  const TAddOutcome outcome = data_.AddPoint(value, color, Now());
  if (!Stored(outcome)) return false;
  const TChartScale before{MinY, MaxY};
  CalcScale();
  if (FullRepaintDue() || !(TChartScale{MinY, MaxY} == before)) {
    Redraw();  // everything is drawn afresh from the points
    return true;
  }
  if (outcome == TAddOutcome::kScrolled) {
    dataPicture_.Scroll();
    RedrawLeftEdge();
  }
  dataPicture_.Draw(LatestMark(data_, Map(), chartType_));
  plotDirty_ = true;
  fresh_ = false;
  update(PictureRect());
  return true;
}

void TXYChart::RedrawLeftEdge() {
  // The marks of the first points reach into the first columns; the oldest point's mark has lost
  // its neighbour to the left, so those columns are drawn again as a full repaint draws them.
  constexpr int kEdge = 3;
  const TValueMap map = Map();
  dataPicture_.ClearLeft(kEdge);
  int prevRow = 0;
  for (int i = 0; i < std::min(kEdge + 1, data_.Count()); ++i) {
    const TDataPoint& p = data_.Point(i);
    const int row = map.Row(p.Value);
    dataPicture_.Draw(PointMark(chartType_, i, row, prevRow, map.Height(), p.Color), 0, kEdge);
    prevRow = row;
  }
}

void TXYChart::ClearData() {
  data_.ClearData(Now());
  StampOf(Now(), clearedAtMs_);
  dataPicture_.Clear();
  fresh_ = true;
  update();
}

void TXYChart::Redraw() {
  TKelCustomChart::Redraw();
}

void TXYChart::SetChartType(TChartType type) {
  if (type == chartType_) return;
  chartType_ = type;
  Redraw();
}

void TXYChart::CalcScale() {
  TScaling scaling;
  if (OnScaling) scaling = [this](double& mn, double& mx) { OnScaling(this, mn, mx); };
  const TChartScale s = charts::CalcScale(data_, AutoScale, {MinY, MaxY}, scaling);
  MinY = s.MinY;
  MaxY = s.MaxY;
}

void TXYChart::DrawGrid(QPainter& p) {
  Relayout();  // the scale was just set: the labels' width places the frame
  TDrawScales drawScales;
  if (OnDrawScales) {
    drawScales = [this](std::string& text) {
      QString q = QString::fromStdString(text);
      OnDrawScales(this, q);
      text = q.toStdString();
    };
  }
  base_ = BasePicture(Look(), Metrics(), {MinY, MaxY}, DecimalSeparator(), drawScales);
  p.save();
  p.setPen(QPen(ToQColor(base_.gridColor), 1));
  DrawLines(p, base_.verticalGrid);
  DrawLines(p, base_.horizontalGrid);
  p.restore();
}

void TXYChart::DrawXTicks(QPainter& p) {
  DrawLines(p, base_.xTicks);
}

void TXYChart::DrawYScale(QPainter& p) {
  const QFontMetrics fm(font());
  for (int i = 0; i < base_.yScale.count; ++i) {
    const TYTick& t = base_.yScale.ticks[static_cast<std::size_t>(i)];
    p.drawLine(t.tick.x0, t.tick.y0, t.tick.x1, t.tick.y1);
    if (!t.hasText) continue;
    const QString text = QString::fromStdString(t.text);
    const int w = fm.horizontalAdvance(text);
    p.drawText(QRect(t.textAnchor.x - w, t.textAnchor.y - fm.height() / 2, w, fm.height()),
               Qt::AlignRight | Qt::AlignVCenter, text);
  }
}

void TXYChart::DrawData() {
  dataPicture_.Clear();
  plotDirty_ = true;
  if (data_.Count() == 0) return;
  DataMarks(data_, Map(), chartType_, marks_);
  for (const TDataMark& m : marks_) dataPicture_.Draw(m);
  fresh_ = false;
}

void TXYChart::ComposePlot() {
  plotDirty_ = false;
  // The base picture's plot area, the data ORed onto it, the marker lines on top.
  const QImage& base = BaseImage();
  const int k = PictureScale();
  const TChartPoint at = layout_.PictureAt();
  plot_.fill(Qt::black);
  const int x0 = at.x * k, y0 = at.y * k;
  const int width = std::clamp(base.width() - x0, 0, plot_.width());
  for (int row = 0; row < plot_.height() && y0 + row < base.height(); ++row) {
    if (y0 + row < 0 || x0 < 0) continue;
    std::memcpy(plot_.scanLine(row),
                base.constScanLine(y0 + row) + static_cast<std::size_t>(x0) * sizeof(QRgb),
                static_cast<std::size_t>(width) * sizeof(QRgb));
  }
  dataPicture_.OrOnto(plot_);
  TNeedLines needLines;
  if (OnNeedLinesY) {
    needLines = [this](int tag, double& value, TColor& color, bool& finished) {
      tag_ = tag;
      OnNeedLinesY(this, value, color, finished);
    };
  }
  const TMarkerLines lines = MarkerLines(Map(), layout_.W, needLines);
  tag_ = lines.calls;
  for (int i = 0; i < lines.count; ++i) {
    const TMarkerLine& l = lines.lines[static_cast<std::size_t>(i)];
    FillRow(plot_, k, l.at.x0, l.at.x1, l.at.y0, ToRgb(l.color));
  }
}

void TXYChart::Paint(QPainter& control) {
  TKelCustomChart::Paint(control);
  if (fresh_) return;
  if (plotDirty_) ComposePlot();
  control.drawImage(PictureRect().topLeft(), plot_);
}

TColor TXYChart::PlotPixel(int x, int y) const {
  const int k = PictureScale();
  if (x < 0 || y < 0 || x * k >= plot_.width() || y * k >= plot_.height()) return kColorBlack;
  return FromRgb(plot_.pixel(x * k, y * k));
}

QString TXYChart::HintAt(QPoint pos) const {
  if (pos.y() < layout_.frame.top || pos.y() > layout_.frame.bottom) return {};
  const int i = PointAtX(layout_, data_.Count(), pos.x());
  if (i < 0) return {};
  const TDataPoint& p = data_.Point(i);
  if (OnHint) return OnHint(p);
  return QString::fromStdString(ElapsedText(p.Stamp - clearedAtMs_)) + "   " +
         QString::fromStdString(FormatScale(p.Value, DecimalSeparator()));
}

void TXYChart::mouseMoveEvent(QMouseEvent* e) {
  const QString hint = HintAt(e->position().toPoint());
  if (hint.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(e->globalPosition().toPoint(), hint, this);
  }
  TKelCustomChart::mouseMoveEvent(e);
}

QImage TXYChart::Picture() {
  return grab().toImage();
}

void TXYChart::CopyPicture() {
  QApplication::clipboard()->setImage(Picture());
}

void TXYChart::FillContextMenu(QMenu& menu) {
  menu.addAction(tr("&Copy picture"), this, &TXYChart::CopyPicture)->setObjectName("CopyPicture");
  if (OnSavePicture)
    menu.addAction(tr("&Save picture as PNG..."), this, [this] { OnSavePicture(); })
        ->setObjectName("SavePicture");
}

void TXYChart::contextMenuEvent(QContextMenuEvent* e) {
  QMenu menu(this);
  FillContextMenu(menu);
  menu.exec(e->globalPos());
}

}  // namespace vorta::charts
