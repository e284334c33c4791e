// The process-wide transmitter record.
#include "comm/ui/record_state.h"

namespace vorta::comm {

TDeviceRecord& DeviceRecord() {
  static TDeviceRecord record;
  return record;
}

}  // namespace vorta::comm
