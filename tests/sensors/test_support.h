// Shared set-up of the sensor tests: a parameter set, range table, user table and record of the
// test's own, and the exact inverse of a sensor curve.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/param_set.h"
#include "comm/device_record.h"
#include "sensors/sensor_data.h"
#include "sensors/sensor_range.h"
#include "sensors/user_table.h"

namespace vorta::sensors::testing {

class SensorTest : public ::testing::Test {
 protected:
  // Sets the parameter set to a sensor and an input range.
  void Configure(int typ, int tryb, int lin, double minInput, double maxInput);
  // Puts the points into the user table.
  void SetTable(const std::vector<TTablePoint>& points);

  app::TParamSet& p() { return params_; }
  TUserTable& table() { return *table_; }
  TSensorRangeTable& ranges() { return ranges_; }
  comm::TDeviceRecord& rec() { return record_; }
  TSensorData d() { return {params_, *table_, ranges_}; }

 private:
  app::TParamSet params_;
  std::unique_ptr<TUserTable> table_ = std::make_unique<TUserTable>();
  TSensorRangeTable ranges_;
  comm::TDeviceRecord record_{};
};

// The value x between a and b at which the signal of type typ equals s, found on the branch where
// the signal rises from a toward b: the first grid point past s, then bisection.
long double ExactInverse(const TSensorData& d, int typ, long double a, long double b, long double s);

}  // namespace vorta::sensors::testing
