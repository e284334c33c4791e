// The workflows between the parameter set and the transmitter as the main window and vorta-cli
// both run them: read and decode; complete, check, encode, write and verify. Each takes the data
// it works on; the link is the one the comm layer holds open.
#pragma once

#include <string>

#include "app/param_set.h"
#include "app/result.h"
#include "comm/device_image.h"
#include "comm/device_record.h"
#include "comm/transfer_runner.h"
#include "sensors/sensor_range.h"
#include "sensors/user_table.h"

namespace vorta::app {

// The read of the configuration (read mode 4) into rec, decoded into p as Read does it. False,
// with rec, p and ranges unchanged, when the read failed.
bool ReadConfiguration(comm::TDeviceRecord& rec, TParamSet& p, sensors::TSensorRangeTable& ranges,
                       const comm::ProgressCallback& onProgress);

// Completes the characteristic data that p lacks without asking anyone: the power-series table
// of a converted input, or the table file at tablePath. Fails with "No data available" (nothing
// to complete from: no file given, or coefficients all 0), "Input range too small!", or
// "Corrupted or wrong data file" with the language key of the broken rule, if any, as detail.
TResult CompleteCharacteristic(TParamSet& p, sensors::TUserTable& table, sensors::TSensorRangeTable& ranges,
                               const std::string& tablePath);

// The checks of a full write before anything is encoded: the characteristic data are complete
// ("No data available") and the set is for the connected model ("Type of transmitter
// inconsistency"). A set without a device code takes the connected model, as the window does.
TResult CheckFullWrite(TParamSet& p, int connectedModel);

// Encodes p into rec for a full write on dayNumber (-1: today); on success p's configuration date
// becomes that day. Fails as EncodeRecord does, leaving rec and p alone.
TResult PrepareFullWrite(TParamSet& p, const sensors::TUserTable& table,
                         const sensors::TSensorRangeTable& ranges, int connectedModel, int dayNumber,
                         comm::TDeviceRecord& rec);

enum class TWriteStage { kDone, kWriteFailed, kVerifyFailed, kDiffers };

struct TWriteOutcome {
  TWriteStage stage = TWriteStage::kWriteFailed;
  comm::TDeviceImage sent{};  // what the write sent, when it succeeded
};

// The full write of rec and, when verify is set, the read-back of every range it wrote, compared
// with what was sent. onWrite and onVerify follow the progress of the two transfers.
TWriteOutcome WriteAndVerify(const comm::TDeviceRecord& rec, bool verify,
                             const comm::ProgressCallback& onWrite, const comm::ProgressCallback& onVerify);

}  // namespace vorta::app
