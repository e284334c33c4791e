// The units and checks that follow from CharTyp, the input type that the current user characteristic belongs
// to.
#pragma once

#include <string>
#include <string_view>

#include "sensors/sensor_data.h"

namespace vorta::sensors {

// The unit index (Jednostki) that a conversion of input type charTyp starts with: 5 Ohm for 5,
// 2 mV for 16, 4 mA for 17 and 19, 1 V for 18, 8 degrees C for any other.
int DefaultResultUnit(int charTyp);
// The unit text of the input signal of charTyp: "Ohm", "mV" (15 and 16), "mA" (17, 19), "V" (18), else empty.
std::string_view InputUnitText(int charTyp);

// Whether the characteristic held in row 15 can be shown as the starting point for input type t:
// the signals at both limits of row 15 lie within type t's limits and differ by its minimum span.
bool CharFitsInput(const TSensorData& d, int t);

}  // namespace vorta::sensors
