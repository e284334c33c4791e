// Shared set-up of the sensor tests: a clean parameter set, range table, user table and
// characteristic state, a recorder for core messages, and the exact inverse of a sensor curve.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/messages.h"
#include "app/param_set.h"
#include "sensors/characteristic.h"
#include "sensors/sensor_range.h"
#include "sensors/user_table.h"

namespace vorta::sensors::testing {

struct TShownMessage {
  std::string text;
  int kind = 0;
};

class SensorTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Sets the parameter set to a sensor and an input range.
  void Configure(int typ, int tryb, int lin, double minInput, double maxInput);
  // Puts the points into UserTable.
  void SetTable(const std::vector<TTablePoint>& points);

  app::TParamSet& p() { return app::Param(); }
  std::vector<TShownMessage> shown;
};

// The value x between a and b at which SensorSignal(typ, x) equals s, found on the branch where
// the signal rises from a toward b: the first grid point past s, then bisection.
long double ExactInverse(int typ, long double a, long double b, long double s);

}  // namespace vorta::sensors::testing
