// The read and write workflows shared by the main window and vorta-cli.
#include "app/transfer_workflows.h"

#include <cstdio>

#include "app/record_conversion.h"
#include "app/sensor_code.h"
#include "app/write_plan.h"
#include "sensors/power_series.h"
#include "sensors/table_file.h"

namespace vorta::app {

bool ReadConfiguration(comm::TDeviceRecord& rec, TParamSet& p, sensors::TSensorRangeTable& ranges,
                       const comm::ProgressCallback& onProgress) {
  if (!comm::RunRead(4, rec, onProgress)) return false;
  TakeReadRecord(rec, p, ranges);
  return true;
}

TResult CompleteCharacteristic(TParamSet& p, sensors::TUserTable& table, sensors::TSensorRangeTable& ranges,
                               const std::string& tablePath) {
  if (!p.noTab()) return TResult::Ok();
  if (p.CoefMissing) return TResult::Fail("No data available");
  if (IsConvertedInput(p.Code.Typ) && p.Code.Lin == 8)
    return sensors::InstallPowerSeriesTable(p, table, ranges);
  if (tablePath.empty()) return TResult::Fail("No data available", p.File);
  sensors::TTableParse parse;
  switch (sensors::LoadTableForParams(tablePath, p, table, ranges, parse)) {
    case sensors::TTableLoad::kLoaded:
      return p.noTab() ? TResult::Fail("No data available") : TResult::Ok();
    case sensors::TTableLoad::kSpanTooSmall:
      return TResult::Fail("Input range too small!");
    case sensors::TTableLoad::kCannotRead:
    case sensors::TTableLoad::kCorrupted:
    case sensors::TTableLoad::kRangeNotCovered:
      break;
  }
  return TResult::Fail("Corrupted or wrong data file", parse.reason);
}

TResult CheckFullWrite(TParamSet& p, int connectedModel) {
  if (p.noTab()) return TResult::Fail("No data available");
  if (p.Device.empty() && connectedModel > 0) {
    char device[8];
    std::snprintf(device, sizeof device, "VTX%02d", connectedModel % 100);
    p.Device = device;
  }
  const TWritePlan plan = PlanWrite({true, connectedModel, p.ModelCode(), false, true});
  if (plan.kind == TWriteKind::kRefused) return TResult::Fail(plan.refusal);
  return TResult::Ok();
}

TResult PrepareFullWrite(TParamSet& p, const sensors::TUserTable& table,
                         const sensors::TSensorRangeTable& ranges, int connectedModel, int dayNumber,
                         comm::TDeviceRecord& rec) {
  const int day = dayNumber < 0 ? TodayDayNumber() : dayNumber;
  TResult encoded = EncodeRecord(p, table, ranges, {connectedModel, day}, rec);
  if (encoded) SetText(p.data, DayNumberText(static_cast<unsigned>(day)), kDateCap);
  return encoded;
}

TWriteOutcome WriteAndVerify(const comm::TDeviceRecord& rec, bool verify,
                             const comm::ProgressCallback& onWrite, const comm::ProgressCallback& onVerify) {
  TWriteOutcome out;
  if (!comm::RunWrite(rec, out.sent, onWrite)) return out;
  out.stage = TWriteStage::kDone;
  if (!verify) return out;
  comm::TSentImage sent;
  sent.TakeFullWrite(out.sent);
  switch (comm::RunVerify(sent, onVerify)) {
    case comm::VerifyOutcome::kEqual:
      break;
    case comm::VerifyOutcome::kDiffers:
      out.stage = TWriteStage::kDiffers;
      break;
    case comm::VerifyOutcome::kReadFailed:
    case comm::VerifyOutcome::kNothingWritten:
      out.stage = TWriteStage::kVerifyFailed;
      break;
  }
  return out;
}

}  // namespace vorta::app
