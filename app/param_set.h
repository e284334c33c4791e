// The one transmitter parameter set of the process: sensor code, measurement parameters, device
// designation, information texts and characteristic data.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "sensors/sensor_range.h"

namespace vorta::app {

struct TSensorCode {
  std::uint8_t Typ = 0;           // input type 1..20
  std::uint8_t Tryb = 0;          // connection or cold-junction mode 1..12
  std::uint8_t Lin = 0;           // linearisation or conversion: 0, 1, 2, 4 or 8
  std::uint8_t CharModified = 0;  // set by a conversion dialog that accepted a new characteristic
};

// Measurement parameters, in the order of the parameter file's keys.
struct TMeasParams {
  double ResultLow = 0.0;        // sensor signal at MinInput
  double ResultHigh = 0.0;       // sensor signal at MaxInput
  double MinInput = 0.0;         // lower end of the input range (4 mA)
  double MaxInput = 0.0;         // upper end of the input range (20 mA)
  double RoomT = 0.0;            // fixed cold-junction temperature, degrees C (Tryb 6)
  double ZeroReg = 0.0;          // user zero correction, percent of span
  double GainReg = 0.0;          // user gain correction, percent
  std::int32_t FiltrLimit = 0;   // spurious error threshold, whole percent; 0 = off
  std::int32_t FiltrZakres = 0;  // filtration range, tenths of a percent
  std::int32_t FiltrCzas = 0;    // filter time constant, tenths of a second
  std::int32_t Burnout = 0;      // 0 below 4 mA, 1 above 20 mA, 2 locked at 4 mA
  std::int32_t Siec = 0;         // mains frequency, Hz
  std::int32_t Jednostki = 0;    // index into UnitNames
};

// Capacities of the information texts; longer input is cut.
inline constexpr std::size_t kDeviceCap = 5;
inline constexpr std::size_t kCodeVersionCap = 10;
inline constexpr std::size_t kSerialCap = 10;
inline constexpr std::size_t kDateCap = 10;
inline constexpr std::size_t kKodCap = 16;
inline constexpr std::size_t kOgolneCap = 64;

inline constexpr int kLinCoefCount = 11;  // LinA .. LinK

// What the normalisation replaced: the input range when it lay outside the sensor's limits or did
// not rise, with the range it replaced.
struct TNormalised {
  bool rangeReplaced = false;
  double oldMin = 0.0;
  double oldMax = 0.0;
};

struct TParamSet {
  TSensorCode Code;
  TMeasParams P;

  std::string Device;  // "VTX" + two-digit model code, or empty

  std::string CodeVersion;  // inner code version of the transmitter
  std::string serial;       // serial number, decimal
  std::string data;         // date of the last configuration, "dd.mm.yyyy" or "never"
  std::string CalDate;      // calibration date
  std::string kod;          // user's identification tag
  std::string ogolne;       // user's free text
  double CalTemp = 0.0;     // calibration temperature, degrees C

  std::array<double, kLinCoefCount> LinCoef{0.0, 1.0};  // LinA = 0, LinB = 1: the identity
  std::string File;                                     // source file of the table characteristic
  std::uint8_t CharTyp = 0;                             // sensor type the user characteristic belongs to
  bool TableLoaded = false;                             // the table's points are in memory
  bool CoefMissing = false;                             // Lin > 2 and every coefficient is 0
  // The filter count the transmitter held when it was read. Tenths of a second cannot hold every
  // count of the 0.09 s and 0.08 s models, so an unchanged time constant writes this count back.
  int FilterCount = -1;

  // The largest range end in either direction: the range table holds limits as tenths in 32 bits.
  static constexpr double kLargestRangeEnd = 214748364.7;

  // The start state of the process: everything zero, texts empty, the identity coefficients.
  void Clear() { *this = TParamSet{}; }
  // "New": the data part of the main window's reset.
  void New();
  // Keeps every field within what the display, the editors and the transmitter accept; the
  // limits of inputs with fixed limits come from ranges and says whether that range was replaced.
  // An input without fixed limits whose range end is not a number or lies beyond kLargestRangeEnd
  // has no range (both ends 0).
  TNormalised Normalise(const sensors::TSensorRangeTable& ranges);
  // The characteristic data that the sensor code needs are missing.
  bool noTab() const;
  // Whether the sensor code needs a table characteristic in memory.
  bool NeedsTable() const;
  // The number formed by the 4th and 5th characters of Device; 0 when that is not two digits.
  int ModelCode() const;
  // Seconds per device count of FiltrCzas for the current model.
  double TimeStep() const;
};

// Stores UTF-8 text into field, cut to capacity characters.
void SetText(std::string& field, std::string_view text, std::size_t capacity);

// Device count to FiltrCzas (tenths of a second).
std::int32_t FiltrCzasFromCount(int count, double step);
// FiltrCzas to device count, rounded; FiltrCzas itself becomes a value the device can hold.
int FiltrCzasToCount(std::int32_t& filtrCzas, double step);
// Largest time constant in tenths of a second the editor accepts for a step (250 counts).
std::int32_t MaxFiltrCzas(double step);

}  // namespace vorta::app
