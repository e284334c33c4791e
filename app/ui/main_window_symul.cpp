// The main window's part of the simulation: the checks before it and the encoding into scratch
// copies, so that the record a later Verify compares and the parameter set stay as they were.
#include <QAction>
#include <memory>

#include "app/model_table.h"
#include "app/record_conversion.h"
#include "app/ui/app_state.h"
#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "comm/comm_state.h"
#include "comm/ui/record_state.h"
#include "docs/ui/lang.h"
#include "sensors/ui/sensor_state.h"
#include "service/ui/symul_window.h"

namespace vorta::app {

using docs::Lt;

void TVortaF::Symulacja1Click() {
  if (!CheckParam(true, true)) {
    MyMesM(Lt("Information incomplete") + "!", kIconWarning, this);
    return;
  }
  TParamSet p = Param();
  comm::TDeviceRecord record = comm::DeviceRecord();
  sensors::TCharacteristic c;
  const TResult encoded = EncodeRecord(p, sensors::UserTable(), sensors::SensorRangeTable(),
                                       {ModelCodeOfTypeIndex(comm::Comm().Status.TypeIndex), -1}, record, &c);
  if (encoded.key == sensors::kNotMonotonicKey) {
    // Computed in full, only turning back somewhere: worth looking at.
    MyMesM(Lt("Transfer function") + " " + Lt("is not monotonic") + "!", kIconError, this);
  } else if (!encoded) {
    QString text = Lt(encoded.key);
    if (!text.endsWith('!')) text += "!";
    if (!encoded.detail.empty()) text += "\n" + QString::fromStdString(encoded.detail);
    MyMesM(text, kIconError, this);
    return;
  }
  RecordPosition();
  auto window =
      std::make_unique<service::TSymulF>(this, p, c, sensors::UserTable(), sensors::SensorRangeTable());
  window->exec();
}

}  // namespace vorta::app
