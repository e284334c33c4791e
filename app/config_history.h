// The configuration history: every successful read and write keeps the parameter set as a
// parameter file named by the transmitter's serial number, the date and time and what happened
// ("123456/2026-12-07_153012_read.par"), in a folder beside the settings file. An entry appears
// whole or not at all, and nothing in the history is ever overwritten.
#pragma once

#include <string>
#include <string_view>

#include "app/param_set.h"
#include "app/result.h"
#include "app/settings.h"
#include "comm/device_record.h"

namespace vorta::app {

enum class THistoryEvent { kRead, kWritten };

// A local date and time to the second.
struct THistoryTime {
  int year = 2000, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0;
};
THistoryTime HistoryTimeNow();

// The history folder: HistoryDir of the settings (relative to settingsDir when relative), or
// history/ in settingsDir.
std::string HistoryDirOf(const TSettings& s, const std::string& settingsDir);

// The serial number the transmitter's record holds, in decimal.
std::string SerialOfRecord(const comm::TDeviceRecord& rec);
// The folder name of a serial number: letters, digits and "-" kept, anything else "_", at most ten
// characters; "unknown" when nothing is left.
std::string SerialFolderName(std::string_view serial);

// The entry's name inside the history folder; copy 2 and on add "_2", "_3", ... for a second
// entry of the same second.
std::string HistoryEntryName(std::string_view serial, const THistoryTime& t, THistoryEvent event,
                             int copy = 1);

struct THistoryEntry {
  TResult result;    // "Cannot open file" with the system's reason when nothing was kept
  std::string path;  // the file kept
};

// Keeps p as the history entry of serial (which also becomes its serial line) for t and event, in
// the first free name. Nothing is left behind when it fails.
THistoryEntry KeepInHistory(const std::string& historyDir, const TParamSet& p, std::string_view serial,
                            const THistoryTime& t, THistoryEvent event);

}  // namespace vorta::app
