// The small preview curve of the conversion dialogs: the result against the input signal as the
// transmitter will compute it, taken from the same 200-segment characteristic that Write encodes,
// so a wrong sign or a series that turns back is seen before it is written. Also the frame and
// pixel positions the preview widget draws it at.
#pragma once

#include <vector>

#include "app/param_set.h"
#include "sensors/sensor_range.h"

namespace vorta::sensors {

struct TPreviewPoint {
  double signal = 0.0;
  double result = 0.0;
};

struct TPreview {
  std::vector<TPreviewPoint> points;  // by rising signal
  // The points are the characteristic a Write would send. When false they are the series itself
  // over its signal range (one that fails its check), or there are none.
  bool usable = false;
};

// The candidate conversion is LinCoef of p, for input type charTyp. Linear: the result ends LinJ,
// LinK. Power series: the signal ends LinJ, LinK, the result range from the series.
TPreview LinearPreview(const app::TParamSet& p, const TSensorRangeTable& ranges, int charTyp);
TPreview PowerSeriesPreview(const app::TParamSet& p, const TSensorRangeTable& ranges, int charTyp);

// The rectangle of signal and result values that holds every point; never of zero width or height.
struct TPreviewFrame {
  double sMin = 0.0;
  double sMax = 1.0;
  double rMin = 0.0;
  double rMax = 1.0;
};
TPreviewFrame FrameOf(const TPreview& preview);

// A point's position in a drawing area of width x height, y growing downwards.
struct TPreviewPixel {
  double x = 0.0;
  double y = 0.0;
};
TPreviewPixel PixelOf(const TPreviewFrame& frame, const TPreviewPoint& point, double width, double height);

}  // namespace vorta::sensors
