// The subcommands of vorta-cli; each returns its exit code.
#pragma once

#include <string>

#include "app/param_set.h"
#include "cli/cli_session.h"
#include "comm/device_record.h"
#include "sensors/sensor_range.h"

namespace vorta::cli {

int RunPorts(TCliSession& s);
int RunRead(TCliSession& s);
int RunWrite(TCliSession& s);
int RunVerify(TCliSession& s);
int RunMonitor(TCliSession& s);
int RunDiff(TCliSession& s);

// Shared by the subcommands that read the transmitter: connects, refuses a transmitter that
// reports an EEPROM error, reads the configuration into rec and p and keeps it in the history
// (historyPath, empty when it could not be kept).
int ReadTransmitter(TCliSession& s, comm::TDeviceRecord& rec, app::TParamSet& p,
                    sensors::TSensorRangeTable& ranges, std::string& historyPath);
// Loads a parameter file into p (over what p holds, as the window's Open does).
int LoadFile(TCliSession& s, const std::string& path, app::TParamSet& p, sensors::TSensorRangeTable& ranges);
// The fields of p as a JSON object, named as diff names them.
std::string FieldsJson(const TCliSession& s, const app::TParamSet& p);

}  // namespace vorta::cli
