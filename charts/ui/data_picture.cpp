// The strip chart's data picture with its sliding window.
#include "charts/ui/data_picture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vorta::charts {

QRgb ToRgb(TColor c) {
  return qRgb(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)), static_cast<int>(BlueOf(c)));
}

TColor FromRgb(QRgb c) {
  return ColorRgb(static_cast<unsigned>(qRed(c)), static_cast<unsigned>(qGreen(c)),
                  static_cast<unsigned>(qBlue(c)));
}

void FillRow(QImage& img, int k, int x0, int x1, int y, QRgb c) {
  if (x0 > x1) std::swap(x0, x1);
  const int left = std::max(x0 * k, 0), right = std::min((x1 + 1) * k, img.width());
  for (int row = std::max(y * k, 0); row < std::min((y + 1) * k, img.height()); ++row) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(row));
    std::fill(line + left, line + std::max(left, right), c);
  }
}

void TDataPicture::Resize(int width, int height, int scale) {
  w_ = std::max(width, 1);
  h_ = std::max(height, 1);
  k_ = std::max(scale, 1);
  img_ = QImage(2 * w_ * k_, h_ * k_, QImage::Format_RGB32);
  Clear();
}

void TDataPicture::Clear() {
  img_.fill(Qt::black);
  origin_ = 0;
}

void TDataPicture::ClearColumn(int x) {
  for (int y = 0; y < h_; ++y) Fill(x, y, qRgb(0, 0, 0));
}

void TDataPicture::Scroll() {
  if (origin_ + 1 + w_ > 2 * w_) {
    // The window reached the end: its columns go back to the start of the picture.
    const std::size_t bytes = static_cast<std::size_t>(w_ * k_) * sizeof(QRgb);
    for (int row = 0; row < img_.height(); ++row) {
      uchar* line = img_.scanLine(row);
      std::memmove(line, line + static_cast<std::size_t>(origin_ * k_) * sizeof(QRgb), bytes);
    }
    origin_ = 0;
  }
  ++origin_;
  ClearColumn(0);
  ClearColumn(w_ - 1);
}

void TDataPicture::Fill(int x, int y, QRgb c) {
  if (x < 0 || x >= w_ || y < 0 || y >= h_) return;
  for (int row = y * k_; row < (y + 1) * k_; ++row) {
    auto* line = reinterpret_cast<QRgb*>(img_.scanLine(row)) + (origin_ + x) * k_;
    std::fill(line, line + k_, c);
  }
}

void TDataPicture::ClearLeft(int x1) {
  for (int x = 0; x < std::min(x1, w_); ++x) ClearColumn(x);
}

void TDataPicture::Draw(const TDataMark& mark, int x0, int x1) {
  const QRgb c = ToRgb(mark.color);
  const auto Fill = [&](int x, int y, QRgb colour) {
    if (x >= x0 && x < x1) this->Fill(x, y, colour);
  };
  const TChartSegment& s = mark.at;
  if (mark.kind == TDataMark::TKind::kBox) {
    for (int y = std::min(s.y0, s.y1); y <= std::max(s.y0, s.y1); ++y)
      for (int x = std::min(s.x0, s.x1); x <= std::max(s.x0, s.x1); ++x) Fill(x, y, c);
  } else if (mark.kind == TDataMark::TKind::kSegment) {
    // Bresenham: every pixel of the line, both ends included.
    const int dx = std::abs(s.x1 - s.x0), dy = -std::abs(s.y1 - s.y0);
    const int sx = s.x0 < s.x1 ? 1 : -1, sy = s.y0 < s.y1 ? 1 : -1;
    int x = s.x0, y = s.y0, err = dx + dy;
    for (;;) {
      Fill(x, y, c);
      if (x == s.x1 && y == s.y1) break;
      const int e2 = 2 * err;
      if (e2 >= dy) err += dy, x += sx;
      if (e2 <= dx) err += dx, y += sy;
    }
  }
}

void TDataPicture::OrOnto(QImage& target) const {
  const int width = std::min(w_ * k_, target.width());
  const int height = std::min(img_.height(), target.height());
  for (int row = 0; row < height; ++row) {
    const auto* src = reinterpret_cast<const QRgb*>(img_.constScanLine(row)) + origin_ * k_;
    auto* dst = reinterpret_cast<QRgb*>(target.scanLine(row));
    for (int x = 0; x < width; ++x) dst[x] |= src[x];
  }
}

TColor TDataPicture::Pixel(int x, int y) const {
  if (x < 0 || x >= w_ || y < 0 || y >= h_) return kColorBlack;
  return FromRgb(img_.pixel((origin_ + x) * k_, y * k_));
}

}  // namespace vorta::charts
