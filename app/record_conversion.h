// Conversion between the transmitter record (TDeviceRecord) and the parameter set: the decoder
// after a read, the full encoder before a write (with the characteristic) and the text encoder of
// the text-only write. The model code decides the mode byte scheme and the filter time step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "comm/device_record.h"
#include "sensors/characteristic.h"

namespace vorta::app {

// Mode byte schemes: A for 37, 38, 39, 60; B for 47, 48, 49; C for 90, 97; any other model is
// decoded by scheme B and encoded as mode 0.
enum class TModelGroup { kA, kB, kC, kOther };
TModelGroup ModelGroupOf(int modelCode);

// Record offsets of the fields.
inline constexpr std::size_t kKodOffset = 1712;     // 16 bytes
inline constexpr std::size_t kOgolneOffset = 1728;  // 64 bytes
inline constexpr std::size_t kKindOffset = 1792;    // 64 bytes: kind bytes, file name or coefficients
inline constexpr std::size_t kKindSize = 64;
inline constexpr std::size_t kChecksumOffset = 2045;

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

// Decodes DeviceRecord() into Param(), normalising in the midst (after the sensor code and range,
// before the texts and the characteristic kind).
void DecodeRecord();

struct TEncodeOptions {
  int connectedModel = 0;  // model code of the connected transmitter, used when Device is empty
  int dayNumber = -1;      // configuration date written; -1 for today
};

// Encodes Param() into DeviceRecord(), computing the characteristic. kOk or kNotMonotonic
// (TransferMonotonic clear) when the record was written; kInvalid when the parameters cannot be
// written (missing characteristic data, a signal span below the input's minimum, a filter time needing more
// than 255 counts, a value the record's bytes or floats cannot hold, no signal span) and kArithmeticError
// when the characteristic computation failed: then the record is left as it was. The reason is the English
// language key naming what failed.
sensors::TCharResult EncodeRecord(const TEncodeOptions& options = {});

// The texts kod and ogolne into the record, the rest of each field filled with 255.
void EncodeTexts();

}  // namespace vorta::app
