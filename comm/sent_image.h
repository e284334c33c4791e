// What this program last sent to the transmitter, kept in one place for Verify: the image of the
// last full write with the texts of later text writes laid over it, and which areas of it are known.
// A read forgets it: what was sent before may have gone to another transmitter.
#pragma once

#include "comm/device_image.h"
#include "comm/device_record.h"

namespace vorta::comm {

// The areas of the transmitter memory whose content was sent: nothing, the tag and free text only
// (a text write with no full write before it), or everything a full write writes.
enum class TSentAreas { kNone, kTexts, kFull };

class TSentImage {
 public:
  // A full write succeeded with this image.
  void TakeFullWrite(const TDeviceImage& sent);
  // A text write of the record's tag and free text succeeded.
  void TakeTextWrite(const TDeviceRecord& record);
  void Forget();

  TSentAreas Known() const { return known_; }
  const TDeviceImage& Image() const { return image_; }

 private:
  TDeviceImage image_{};
  TSentAreas known_ = TSentAreas::kNone;
};

// The read mode that reads back at least the areas known.
int VerifyReadModeOf(TSentAreas known);

enum class TSentComparison { kEqual, kDiffers, kNothingKnown };
// Compares the areas of sent that are known with the same areas of read.
TSentComparison CompareWithSent(const TDeviceImage& read, const TSentImage& sent);

}  // namespace vorta::comm
