// The sensor selection of the main window: the Select button and Configuration > Sensors. It asks
// for the transmitter type when none is known, opens the dialog that suits the model (switching
// between the thermometer and the resistance/voltage dialog on "More"), and on OK finishes the
// parameter set and shows it with the changed fields marked. Cancel puts back everything the
// dialogs touched: the parameter set, the user table and the range table.
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <memory>

#include "app/ui/app_state.h"
#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "app/ui/window_state.h"
#include "comm/comm_state.h"
#include "docs/ui/lang.h"
#include "sensors/selection.h"
#include "sensors/selection_models.h"
#include "sensors/ui/dialog_support.h"
#include "sensors/ui/sensor_state.h"
#include "sensors/ui/transd_window.h"
#include "sensors/ui/wybor_iv_window.h"
#include "sensors/ui/wybor_rv_window.h"
#include "sensors/ui/wybor_window.h"

namespace vorta::app {

using docs::Lt;

namespace {

int RunSelectionDialog(QWidget* owner, sensors::TSelectionDialog which) {
  switch (which) {
    case sensors::TSelectionDialog::kWybor: {
      sensors::TWybor d(owner);
      return d.exec();
    }
    case sensors::TSelectionDialog::kWyborRV: {
      sensors::TWyborRV d(owner);
      return d.exec();
    }
    case sensors::TSelectionDialog::kWyborIV: {
      sensors::TWyborIV d(owner);
      return d.exec();
    }
    default:
      return sensors::kSelectCancel;
  }
}

}  // namespace

bool TVortaF::TypSelect() {
  TParamSet& p = Param();
  const std::string before = p.Device;
  RecordPosition();
  sensors::TTransdF dialog(this);
  dialog.setWindowTitle(QString::fromStdString(docs::LTOrKey("Vorta Transmitter")));
  const bool ok = dialog.exec() == sensors::kSelectOk && !p.Device.empty();
  if (ok && !sensors::IsImplementedModel(p.ModelCode())) {
    MyMesM(Lt("Device") + " " + QString::fromStdString(p.Device) + " " + Lt("not implemented yet"), kIconInfo,
           this);
    p.Device = before;
    ShowCaption();
    return false;
  }
  ShowCaption();
  return ok;
}

void TVortaF::SenSelClick() {
  if (RefuseWhileBusy()) return;
  TParamSet& p = Param();
  const std::string deviceBefore = p.Device;
  Timer1->stop();
  const bool answering = comm::Comm().Status.TypeIndex != comm::kNoMeasurementType;
  if (p.Device.empty() || !answering) {
    if (!TypSelect()) {
      Timer1->start();
      return;
    }
  } else if (sensors::ReadRangesFirst(p.ModelCode()) && !WindowFlags().ConfigRead &&
             !comm::Comm().Status.EepromError) {
    // The dialog starts from the current and voltage ranges this transmitter reports.
    OdczytajTClick();
    Timer1->stop();
  }
  const int model = p.ModelCode();
  const TParamSet before = p;
  const auto tableBefore = std::make_unique<sensors::TUserTable>(sensors::UserTable());
  const sensors::TSensorRangeTable rangesBefore = sensors::SensorRangeTable();
  p.CharTyp = p.Code.Typ;
  if (!answering) sensors::SensorRangeTable().SetModelRanges(model);

  int result = sensors::kSelectCancel;
  bool otherDialog = false;
  do {
    RecordPosition();
    result = RunSelectionDialog(this, sensors::NextSelectionDialog(model, p.Code.Typ, result, otherDialog));
  } while (result != sensors::kSelectOk && result != sensors::kSelectCancel);
  Timer1->start();

  if (result != sensors::kSelectOk) {
    p = before;
    p.Device = deviceBefore;
    sensors::UserTable() = *tableBefore;
    sensors::SensorRangeTable() = rangesBefore;
    ShowCaption();
    return;
  }
  sensors::FinishSelection(p, sensors::UserTable(), sensors::SensorRangeTable(), deviceBefore,
                           sensors::Today());
  ShowSelection(before);
  WindowFlags().Written = false;
}

void TVortaF::ShowSelection(const TParamSet& before) {
  pokaz(WindowFlags().Shown ? 0 : 2);
  const sensors::TSelectionMarks m = sensors::SelectionMarks(before, Param());
  const std::initializer_list<std::pair<bool, QWidget*>> marks = {
      {m.range, MinInputE},      {m.range, MaxInputE},        {m.filtrZakres, FiltrZakresE},
      {m.filtrCzas, FiltrCzasE}, {m.filtrLimit, FiltrLimitE}, {m.siec, SiecE}};
  for (const auto& [changed, field] : marks)
    if (changed) SetFieldLook(field, 3);
}

}  // namespace vorta::app
