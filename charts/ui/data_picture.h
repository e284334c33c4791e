// The strip chart's data picture: black, the marks of the samples in their colours, one pixel column
// per sample, moved one column to the left per sample once the plot is full. The picture is held
// twice as wide as it is shown and seen through a window that slides right by one column per
// scroll; only when the window reaches the end are its columns copied back to the start, so a scroll
// costs the clearing of one column rather than a copy of the whole picture.
#pragma once

#include <QImage>

#include "charts/strip_chart_scale.h"

namespace vorta::charts {

class TDataPicture {
 public:
  // A black picture of width x height pixels; scale: device pixels per pixel (a whole number).
  void Resize(int width, int height, int scale);
  void Clear();
  // Everything one column to the left; the first and the last column black.
  void Scroll();
  // Draws a mark; its coordinates are those of the picture as shown. Only the columns from x0 up to
  // (not including) x1 are touched.
  void Draw(const TDataMark& mark, int x0 = 0, int x1 = 1 << 30);
  // Blackens the columns from 0 up to (not including) x1.
  void ClearLeft(int x1);
  // ORs the picture as shown onto target, which has the same size in device pixels.
  void OrOnto(QImage& target) const;

  int Width() const { return w_; }
  int Height() const { return h_; }
  int Scale() const { return k_; }
  // The colour of a pixel as shown (tests).
  TColor Pixel(int x, int y) const;

 private:
  void Fill(int x, int y, QRgb c);  // one pixel as shown, k x k device pixels
  void ClearColumn(int x);

  QImage img_;
  int w_ = 0, h_ = 0, k_ = 1;
  int origin_ = 0;  // the first column shown
};

// The platform colour value as a Qt colour and back.
QRgb ToRgb(TColor c);
TColor FromRgb(QRgb c);

// Fills the one-pixel-high row y of the picture from column x0 to x1 (both drawn) in k x k blocks.
void FillRow(QImage& img, int k, int x0, int x1, int y, QRgb c);

}  // namespace vorta::charts
