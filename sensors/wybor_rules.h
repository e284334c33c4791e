// The rules of the thermometer dialog (resistance thermometers and thermocouples): what its two
// pages show for a sensor code, when the user thermocouple allows cold-junction compensation, and
// what an accepted choice writes into the parameter set.
#pragma once

#include <string_view>

#include "app/param_set.h"
#include "sensors/sensor_range.h"
#include "sensors/user_table.h"

namespace vorta::sensors {

// The connection button checked for Tryb: 2, 3 or 4; any other mode (and 4 where the model has no
// four-wire connection) shows four wires where allowed, else three.
int ConnectionShown(int tryb, bool fourWireAllowed);

// The resistance thermometer page: the type button (1..4), the connection (2..4), whether "4-wire"
// is enabled and whether linearisation is ticked.
struct TRtdPage {
  int typ = 1;
  int tryb = 3;
  bool fourWire = false;
  bool lin = false;
};
TRtdPage RtdPageFor(const app::TSensorCode& code, int model);

// The thermocouple page: the type button (6..15), the three mode boxes and whether they can be
// changed (not for a user thermocouple without its table). The boxes start from what they show.
struct TTcPage {
  int typ = 6;
  bool cjc = false;
  bool tempDiff = false;
  bool lin = false;
  bool modesEnabled = true;
};
TTcPage TcPageFor(const app::TSensorCode& code, bool tableLoaded, bool cjcShown, bool tempDiffShown);

// Tryb of a thermocouple choice: 5 for a temperature difference, else 7 with compensation, else 6
// (the external junction at RoomT).
int ThermocoupleTryb(bool tempDiff, bool cjc);

// Whether a user thermocouple table allows the transmitter's own cold-junction compensation: its
// limits (row 15) start at or below 0 degrees C, and it has a point at 60 degrees C or above at
// least 11 rows after the first point at or above 0.
bool UserTableAllowsCjc(const TUserTable& table, const TRangeRow& userRange);

// An accepted choice: the code, degrees C, and for a new type (or the user thermocouple) the range
// of the type with filter and corrections cleared; a catalogue type leaves no table in use.
struct TWyborChoice {
  int typ = 1;
  int tryb = 3;
  int lin = 2;
};
void ApplyWybor(const TWyborChoice& choice, int typAtOpening, app::TParamSet& p,
                const TSensorRangeTable& ranges, std::string_view today);

}  // namespace vorta::sensors
