// The strip chart's base control: the background, the Y label drawn rotated, the rounded frame and
// the order in which a full picture is painted into the base picture. The chart built on it
// supplies the scale, the plot area, the grid, the ticks, the scale labels and the data.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

#include "charts/strip_chart_scale.h"

class QPainter;

namespace vorta::charts {

class TKelCustomChart : public QWidget {
  Q_OBJECT
 public:
  explicit TKelCustomChart(QWidget* parent = nullptr);

  // The appearance; each setter repaints when the value changed.
  QString YLabel() const { return yLabel_; }
  void SetYLabel(const QString& text);  // the first 35 characters
  QFont YLabelFont() const { return yLabelFont_; }
  void SetYLabelFont(const QFont& font);
  TGridType Grid() const { return look_.Grid; }
  void SetGrid(TGridType grid);
  TColor BackGround() const { return look_.BackGround; }
  void SetBackGround(TColor c);
  TColor ChartColor() const { return look_.ChartColor; }
  void SetChartColor(TColor c);
  int BorderWidth() const { return look_.BorderWidth; }
  void SetBorderWidth(int width);  // held within 1..4

  // Asks for a full repaint: scale, base picture and data from the points.
  virtual void Redraw();

  // The current vertical scale, and whether the scale follows the data.
  double MinY = 0.0;
  double MaxY = 100.0;
  bool AutoScale = true;

 Q_SIGNALS:
  void DblClick();

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;

  // Puts the picture on the control; rebuilds the base picture first when a full repaint is due.
  virtual void Paint(QPainter& control);
  // Frame and plot, in control pixels.
  virtual TChartRect GetFrameRect() const;
  virtual TChartRect GetPlotRect() const = 0;
  virtual void DrawGrid(QPainter& p) = 0;
  virtual void DrawXTicks(QPainter& p) = 0;
  virtual void DrawYScale(QPainter& p) = 0;
  virtual void DrawData() = 0;
  virtual void CalcScale() = 0;
  // The size and font measures of the layout; the widest scale label is the chart's to add.
  virtual TChartMetrics Metrics() const;

  // Device pixels per control pixel of the pictures: a whole number, so that a column of the data
  // picture is always whole device pixels.
  int PictureScale() const;
  const QImage& BaseImage() const { return base_; }
  const TChartLook& Look() const { return look_; }
  bool FullRepaintDue() const { return full_; }

 private:
  void BuildBase();
  void DrawYLabel(QPainter& p);
  void DrawFrame(QPainter& p);

  QString yLabel_;
  QFont yLabelFont_;
  TChartLook look_;
  QImage base_;
  bool full_ = true;
};

QColor ToQColor(TColor c);

}  // namespace vorta::charts
