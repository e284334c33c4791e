// The transmitter models the simulator can play: one row per model code.
#pragma once

#include <cstdint>
#include <span>

namespace vorta::sim {

struct TSimModel {
  int code;                      // two-digit model code of the device code "VTX" + code
  int typeIndex;                 // reported in status byte B bits 0..3
  double timeStepS;              // filter time step: seconds per count of the time-constant byte
  std::int16_t currentRange[2];  // input range of the current input, tenths of mA (0, 0: none)
  std::int16_t voltageRange[2];  // input range of the voltage input, tenths of V
};

std::span<const TSimModel> SimModels();
// The row of a model code; nullptr for a code the simulator does not know.
const TSimModel* FindSimModel(int code);

inline constexpr int kDefaultModelCode = 47;

}  // namespace vorta::sim
