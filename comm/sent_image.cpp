// What the transmitter was last sent, and the comparison of a read-back with it.
#include "comm/sent_image.h"

#include "comm/record_layout.h"

namespace vorta::comm {

namespace {

// Mode 3 reads the texts with little else; mode 7 reads exactly what a full write writes.
constexpr int kTextsReadMode = 3;

bool AreaEqual(const TDeviceImage& a, const TDeviceImage& b, const TAddressRange& r) {
  for (int i = r.first; i <= r.last; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

}  // namespace

void TSentImage::TakeFullWrite(const TDeviceImage& sent) {
  image_ = sent;
  known_ = TSentAreas::kFull;
}

void TSentImage::TakeTextWrite(const TDeviceRecord& record) {
  // The text write sends the record's bytes from the tag on, block by block, to the text area.
  for (int a = kWrittenTexts.first; a <= kWrittenTexts.last; ++a)
    image_[a] = record[rec::kKod + static_cast<std::size_t>(a - kWrittenTexts.first)];
  if (known_ == TSentAreas::kNone) known_ = TSentAreas::kTexts;
}

void TSentImage::Forget() {
  image_ = {};
  known_ = TSentAreas::kNone;
}

int VerifyReadModeOf(TSentAreas known) {
  return known == TSentAreas::kTexts ? kTextsReadMode : kVerifyReadMode;
}

TSentComparison CompareWithSent(const TDeviceImage& read, const TSentImage& sent) {
  switch (sent.Known()) {
    case TSentAreas::kFull:
      return WrittenAreasEqual(read, sent.Image()) ? TSentComparison::kEqual : TSentComparison::kDiffers;
    case TSentAreas::kTexts:
      return AreaEqual(read, sent.Image(), kWrittenTexts) ? TSentComparison::kEqual
                                                          : TSentComparison::kDiffers;
    default:
      return TSentComparison::kNothingKnown;
  }
}

}  // namespace vorta::comm
