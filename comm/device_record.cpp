// The process-wide device record.
#include "comm/device_record.h"

namespace vorta::comm {

TDeviceRecord& DeviceRecord() {
  static TDeviceRecord record;
  return record;
}

}  // namespace vorta::comm
