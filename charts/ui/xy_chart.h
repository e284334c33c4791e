// The strip chart control: one value at a time, paced by the sampling interval, plotted one pixel
// column per sample and scrolled left once the plot is full; the vertical scale follows the data
// unless switched off or overridden; the owner can have marker lines drawn. A hover over a sample
// tells its time and value; the context menu copies the picture or saves it as PNG.
#pragma once

#include <QImage>
#include <functional>
#include <vector>

#include "charts/strip_chart_data.h"
#include "charts/strip_chart_scale.h"
#include "charts/ui/data_picture.h"
#include "charts/ui/kel_custom_chart.h"

class QMenu;

namespace vorta::charts {

class TXYChart : public TKelCustomChart {
  Q_OBJECT
 public:
  // Supplies marker line number Tag(): sets value and color, and finished after the last line.
  using TNeedLinesEvent = std::function<void(TXYChart* sender, double& value, TColor& color, bool& finished)>;
  // May change the scale after the automatic scaling.
  using TScalingEvent = std::function<void(TXYChart* sender, double& minY, double& maxY)>;
  // May change each scale label before it is drawn.
  using TDrawScalesEvent = std::function<void(TXYChart* sender, QString& text)>;
  // The text shown while the pointer rests on a sample.
  using THintEvent = std::function<QString(const TDataPoint& point)>;
  // A monotonic clock in seconds: sampling never follows steps of the wall clock.
  using TClock = std::function<double()>;

  explicit TXYChart(QWidget* parent = nullptr);

  // Offers one sample; true when it was stored and drawn, false when its interval had not elapsed
  // (or the value is no finite number).
  bool AddPoint(double value, TColor color);
  // Removes every sample and erases the plot; the next interval runs from now.
  void ClearData();
  void Redraw() override;

  TChartType ChartType() const { return chartType_; }
  void SetChartType(TChartType type);
  double Interval() const { return data_.Interval(); }
  void SetInterval(double seconds) { data_.SetInterval(seconds); }  // held within 0..3600
  // No data drawn since the last clear.
  bool Fresh() const { return fresh_; }
  // The marker line being asked for.
  int Tag() const { return tag_; }
  const TStripChartData& Points() const { return data_; }
  TChartLayout Layout() const { return layout_; }

  TNeedLinesEvent OnNeedLinesY;
  TScalingEvent OnScaling;
  TDrawScalesEvent OnDrawScales;
  THintEvent OnHint;
  std::function<void()> OnSavePicture;  // the context menu offers saving when assigned

  // The clock (for tests and benchmarks); ClearData afterwards starts the schedule on its readings.
  void SetClock(TClock clock);
  double Now() const { return clock_(); }

  // The hover text at a control position; empty where no sample is drawn.
  QString HintAt(QPoint pos) const;
  // The control as shown.
  QImage Picture();
  void CopyPicture();
  void FillContextMenu(QMenu& menu);
  // The plot picture's pixel as last composed (tests): plot picture coordinates.
  TColor PlotPixel(int x, int y) const;

 protected:
  void Paint(QPainter& control) override;
  TChartRect GetPlotRect() const override { return layout_.plot; }
  void DrawGrid(QPainter& p) override;
  void DrawXTicks(QPainter& p) override;
  void DrawYScale(QPainter& p) override;
  void DrawData() override;
  void CalcScale() override;
  TChartMetrics Metrics() const override;

  void resizeEvent(QResizeEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;

 private:
  char DecimalSeparator() const;
  // Layout from the size, the fonts and the scale; the store and the pictures follow its width (a
  // picture of a new size starts black, so a full repaint must follow).
  void Relayout();
  void ComposePlot();
  // After a scroll: the first columns as a full repaint draws them.
  void RedrawLeftEdge();
  TValueMap Map() const { return TValueMap({MinY, MaxY}, layout_.H); }
  QRect PictureRect() const;

  TStripChartData data_;
  TChartType chartType_ = TChartType::ctScatter;
  bool fresh_ = true;
  int tag_ = 0;
  TClock clock_;
  std::int64_t clearedAtMs_ = 0;
  TChartLayout layout_;
  QSize laidOut_;  // the size layout_ was made for
  TBasePicture base_;
  TDataPicture dataPicture_;
  QImage plot_;
  bool plotDirty_ = false;
  std::vector<TDataMark> marks_;
};

}  // namespace vorta::charts
