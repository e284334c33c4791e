// The small preview curve of the conversion dialogs: the result against the input signal, drawn
// from the points the core computed (sensors/conversion_preview.h); dark when they are what Write
// would send, red when the conversion fails its check.
#pragma once

#include <QWidget>

#include "sensors/conversion_preview.h"

namespace vorta::sensors {

class TCurvePreview : public QWidget {
  Q_OBJECT
 public:
  explicit TCurvePreview(QWidget* parent = nullptr);
  void SetPreview(TPreview preview);
  const TPreview& Preview() const { return preview_; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  TPreview preview_;
};

}  // namespace vorta::sensors
