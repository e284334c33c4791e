// The row count of the user table.
#include "sensors/user_table.h"

#include <cmath>

namespace vorta::sensors {

int TUserTable::Count() const {
  const double n = rows[0].x;
  if (!(n >= 0.5)) return 0;
  if (n >= kUserTableRows) return kUserTableRows;
  return static_cast<int>(std::lround(n));
}

}  // namespace vorta::sensors
