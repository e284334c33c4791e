// Where each field lives in the host-side transmitter record (TDeviceRecord), by byte offset.
// Every 4-byte number is a DeviceFloat; 16-bit words are held high byte first.
#pragma once

#include <cstddef>

namespace vorta::comm::rec {

// Configuration bytes 0..7: "1U", the mode byte twice, the filter count, the filtration range,
// the spurious error threshold and the unit index.
inline constexpr std::size_t kConfig = 0;
inline constexpr std::size_t kConfigSize = 8;
inline constexpr std::size_t kModeByte = 2;
inline constexpr std::size_t kFilterCount = 4;
inline constexpr std::size_t kFiltrZakres = 5;
inline constexpr std::size_t kFiltrLimit = 6;
inline constexpr std::size_t kUnits = 7;

// Identification: the device code word, the calibration date, the calibration temperature and the
// serial number (three bytes, high first).
inline constexpr std::size_t kDeviceWord = 16;
inline constexpr std::size_t kCalDate = 18;
inline constexpr std::size_t kCalTemp = 20;
inline constexpr std::size_t kSerial = 21;
inline constexpr std::size_t kFactory = 24;  // 40 bytes of factory calibration
inline constexpr std::size_t kFactoryWord = 64;

// The characteristic: the cold-junction terms c0, c1, c2, the smallest signal, the segment width,
// the input range start and span, and the 202 (offset, gain) slots.
inline constexpr std::size_t kCjTerms = 68;
inline constexpr std::size_t kSmin = 80;
inline constexpr std::size_t kStep = 84;
inline constexpr std::size_t kMinInput = 88;
inline constexpr std::size_t kInputSpan = 92;
inline constexpr std::size_t kSlots = 96;  // slot k: offset at 96 + 8k, gain at 100 + 8k

// The user's texts and the characteristic kind.
inline constexpr std::size_t kKod = 1712;
inline constexpr std::size_t kKodSize = 16;
inline constexpr std::size_t kOgolne = 1728;
inline constexpr std::size_t kOgolneSize = 64;
inline constexpr std::size_t kKind = 1792;  // kind bytes, then the table file name or the coefficients
inline constexpr std::size_t kKindSize = 64;
inline constexpr std::size_t kCoefficients = 1796;  // LinA .. LinK, 11 floats

// Corrections, date, sensor code and the model's input ranges.
inline constexpr std::size_t kRoomT = 2016;
inline constexpr std::size_t kZeroReg = 2020;
inline constexpr std::size_t kGainReg = 2024;
inline constexpr std::size_t kConfigDate = 2028;  // day number word
inline constexpr std::size_t kTyp = 2030;
inline constexpr std::size_t kLin = 2031;
inline constexpr std::size_t kInputRanges = 2032;  // four 16-bit words, low byte first
inline constexpr std::size_t kChecksum = 2045;
inline constexpr std::size_t kCodeVersion = 2048;  // four characters of the firmware code
inline constexpr std::size_t kCodeVersionSize = 4;

}  // namespace vorta::comm::rec
