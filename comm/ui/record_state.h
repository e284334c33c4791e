// The process-wide transmitter record, reached only by windows and main: the host-side copy of
// what the transmitter holds after a read, or will hold after a write.
#pragma once

#include "comm/device_record.h"

namespace vorta::comm {

TDeviceRecord& DeviceRecord();

}  // namespace vorta::comm
