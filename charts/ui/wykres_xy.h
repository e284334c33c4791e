// The XY plot TWykresXY: output against input, both in percent, on a small square control with a
// raised frame. Plotted points live only as pixels in an off-screen layer, not as data, so a
// repaint restores them without the owner's help. The cross hairs are drawn over the plot; moving
// them repaints the two strips they covered from the frame and the point layer, so a point under
// them is never lost. A click switches nothing by itself: the owner hears Clicked (and switches
// BigDot); dragging with the button held reports the position in percent.
//
// The layer has the size of the control it was made for: after a resize, or when Bipolar changes,
// it starts empty (points of the old size would be misplaced) and the owner plots again.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <cstdint>

#include "charts/xy_plot_math.h"

class QPainter;

namespace vorta::charts {

class TWykresXY : public QWidget {
  Q_OBJECT
 public:
  explicit TWykresXY(QWidget* parent = nullptr);

  // One point in PenColor at (x, y) percent, into the layer and at once onto the control.
  void PlotPoint(double x, double y);
  // Erases the cross hairs where they were (if anywhere), remembers (x, y) percent and draws
  // them there (when CrossHairs is set).
  void MoveCrossHairs(double x, double y);
  // Empties the point layer.
  void ClearPoints();

  // Colours are 0xBBGGRR values.
  std::uint32_t PenColor() const { return penColor_; }
  void SetPenColor(std::uint32_t c) { penColor_ = c; }  // points plotted afterwards
  std::uint32_t HairsColor() const { return hairsColor_; }
  void SetHairsColor(std::uint32_t c) { hairsColor_ = c; }  // from their next drawing
  // Grey level of the background, 0..100.
  int BgndColor() const { return bgndColor_; }
  void SetBgndColor(int level);
  bool Bipolar() const { return layout_.bipolar; }
  void SetBipolar(bool on);
  bool BigDot() const { return bigDot_; }
  void SetBigDot(bool on) { bigDot_ = on; }
  // Switching the cross hairs off forgets where they were.
  bool CrossHairs() const { return crossHairs_; }
  void SetCrossHairs(bool on);
  TCrossHairPosition CrossHairPosition() const { return hairs_; }
  const TPlotLayout& Layout() const { return layout_; }

  QSize sizeHint() const override { return {kDefaultControlSize, kDefaultControlSize}; }

 Q_SIGNALS:
  // A press and release of the left button without dragging (OnClick).
  void Clicked();
  // The position, in percent, while the left button is dragged across the plot.
  void Dragged(double x, double y);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  void Relayout(bool bipolar);
  // A resize of a hidden control reaches resizeEvent only when it is shown; whatever draws first
  // takes the size the control has now.
  void FollowSize();
  void UpdateHairs(const TCrossHairRects& r);
  void PaintFrame(QPainter& painter) const;
  void PaintCaptions(QPainter& painter) const;

  std::uint32_t penColor_ = kDefaultPenColor;
  std::uint32_t hairsColor_ = kDefaultHairsColor;
  int bgndColor_ = 0;
  bool bigDot_ = false;
  bool crossHairs_ = false;
  TPlotLayout layout_;
  TCrossHairPosition hairs_;    // control pixels; (0, 0) none
  TPercentPoint hairsPercent_;  // the same in percent, to place them again after a resize
  QImage layer_;                // the plotted points, transparent elsewhere
  QPoint pressAt_;
  bool pressed_ = false;
  bool dragging_ = false;
};

}  // namespace vorta::charts
