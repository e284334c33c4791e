// What the sensor code says about an input: its group, whether it needs a user characteristic,
// and the untranslated names of sensors, modes and units. The one place these tests are written.
#pragma once

#include <string_view>

namespace vorta::app {

// Types 1..4: the resistance thermometers.
bool IsRtd(int typ);
// Types 6..15: the catalogue thermocouples and the user thermocouple.
bool IsThermocouple(int typ);
// Types that follow a user conversion by Lin: 5 (resistance) and 16..20 (millivolt, current, voltage).
bool IsConvertedInput(int typ);
// The input's signal comes from the user table: type 15, or a converted input with Lin 2 or 8.
bool UsesUserTable(int typ, int lin);
// The input range is bounded by the catalogue rather than by a user characteristic.
bool HasFixedLimits(int typ, int lin);

// The English mode text of Tryb 1..12 (empty for 1, 12 and any other value).
std::string_view ModeNames(int tryb);
// The untranslated sensor name of Typ 1..20 ("Pt100 (0.00385)", .., "K", ..); empty otherwise.
std::string_view SensorNames(int typ);
// Unit text of Jednostki; empty for an index outside 0..15.
std::string_view UnitName(int jednostki);

}  // namespace vorta::app
