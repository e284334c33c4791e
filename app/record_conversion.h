// Conversion between the transmitter record (TDeviceRecord) and the parameter set: the decoder
// after a read, the full encoder before a write (with the characteristic) and the text encoder of
// the text-only write. The model code decides the mode byte scheme and the filter time step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/model_table.h"
#include "app/param_set.h"
#include "app/result.h"
#include "comm/device_record.h"
#include "sensors/characteristic.h"
#include "sensors/sensor_range.h"
#include "sensors/user_table.h"

namespace vorta::app {

// A day number (days since 30 December 1899) as "dd.mm.yyyy"; "never" for 0.
std::string DayNumberText(unsigned dayNumber);
// Today's local date as a day number.
int TodayDayNumber();

// The record holds single-byte text (ISO-8859-1); the parameter set holds UTF-8. Bytes 255 are
// filler and left out, control bytes below 32 become blanks.
std::string RecordBytesToText(const std::uint8_t* bytes, std::size_t count);
// UTF-8 to at most cap bytes of ISO-8859-1: a character it cannot hold (and 0xFF, the filler)
// becomes "?", an invalid UTF-8 byte "?", a control character a blank.
std::string TextToRecordBytes(std::string_view utf8, std::size_t cap);

// The factory serial number the record holds, as the parameter set keeps it.
std::string SerialText(const comm::TDeviceRecord& r);

// Decodes the record into p, normalising in the midst (after the sensor code and range, before the
// texts and the characteristic kind); rows 15, 17 and 18 of ranges follow the record.
void DecodeRecord(const comm::TDeviceRecord& r, TParamSet& p, sensors::TSensorRangeTable& ranges);
// What a read makes of its record: DecodeRecord, the table in memory kept only when the record
// names the same file, and CoefMissing for a coefficient conversion whose coefficients are all 0.
void TakeReadRecord(const comm::TDeviceRecord& r, TParamSet& p, sensors::TSensorRangeTable& ranges);

struct TEncodeOptions {
  int connectedModel = 0;  // model code of the connected transmitter, used when Device is empty
  int dayNumber = -1;      // configuration date written; -1 for today
};

// Encodes p (with its table) into rec, computing the characteristic into c when given, and sets
// ResultLow and ResultHigh of p to the signal bounds written. Fails, leaving rec and p as they were,
// when the parameters cannot be written: "No data available" (missing characteristic data), "Input
// range too small!", the name of a filter value needing more than the record's byte, "Out of range!"
// for a value the record's floats cannot hold, the characteristic's own keys, and
// sensors::kNotMonotonicKey for a transfer function that turns back.
TResult EncodeRecord(TParamSet& p, const sensors::TUserTable& table, const sensors::TSensorRangeTable& ranges,
                     const TEncodeOptions& options, comm::TDeviceRecord& rec,
                     sensors::TCharacteristic* c = nullptr);

// The texts kod and ogolne of p into the record, the rest of each field filled with 255.
void EncodeTexts(const TParamSet& p, comm::TDeviceRecord& rec);

}  // namespace vorta::app
