// The thermometer dialog's rules: its pages for a sensor code, the user thermocouple's
// cold-junction rule and what an accepted choice writes.
#include "sensors/wybor_rules.h"

#include "test_support.h"

namespace vorta::sensors {
namespace {

class WyborRules : public testing::SensorTest {
 protected:
  // A user thermocouple table from lo to hi degrees C in steps, 0.04 mV per degree.
  void UserTable(double lo, double hi, double step) {
    std::vector<TTablePoint> points;
    for (double t = lo; t <= hi + 1e-9; t += step) points.push_back({t, 0.04 * t});
    SetTable(points);
    ranges()[kUserRangeRow] = {static_cast<std::int32_t>(lo * 10), static_cast<std::int32_t>(hi * 10)};
  }
};

TEST_F(WyborRules, ConnectionFollowsTheModeWithFourWiresOnlyWhereTheModelHasThem) {
  struct Case {
    int tryb, model, shown;
    bool fourWire;
  };
  const Case cases[] = {
      {2, 47, 2, false}, {3, 47, 3, false}, {4, 47, 3, false}, {1, 47, 3, false},
      {4, 48, 4, true},  {1, 49, 4, true},  {2, 48, 2, true},  {7, 48, 4, true},
  };
  for (const Case& c : cases) {
    const TRtdPage page = RtdPageFor({1, static_cast<std::uint8_t>(c.tryb), 2, 0}, c.model);
    EXPECT_EQ(page.tryb, c.shown) << c.tryb << " on " << c.model;
    EXPECT_EQ(page.fourWire, c.fourWire) << c.model;
  }
  EXPECT_EQ(RtdPageFor({3, 2, 1, 0}, 47).typ, 3);
  EXPECT_FALSE(RtdPageFor({3, 2, 1, 0}, 47).lin);
  EXPECT_EQ(RtdPageFor({10, 7, 2, 0}, 47).typ, 1);  // a thermocouple shows Pt100
  EXPECT_TRUE(RtdPageFor({10, 7, 2, 0}, 47).lin);
}

TEST_F(WyborRules, ThermocouplePageShowsTheModeAndNeverBothBoxes) {
  struct Case {
    int tryb;
    bool cjcShown, diffShown;
    bool cjc, diff;
  };
  const Case cases[] = {
      {5, true, false, false, true}, {6, true, false, false, false}, {6, false, true, false, true},
      {7, false, true, true, false}, {1, false, false, true, false}, {2, false, true, true, false},
  };
  for (const Case& c : cases) {
    const TTcPage page =
        TcPageFor({10, static_cast<std::uint8_t>(c.tryb), 2, 0}, false, c.cjcShown, c.diffShown);
    EXPECT_EQ(page.cjc, c.cjc) << c.tryb;
    EXPECT_EQ(page.tempDiff, c.diff) << c.tryb;
    EXPECT_FALSE(page.cjc && page.tempDiff);
    EXPECT_TRUE(page.modesEnabled);
    EXPECT_EQ(page.typ, 10);
  }
  EXPECT_FALSE(TcPageFor({15, 5, 1, 0}, false, false, false).modesEnabled);
  EXPECT_TRUE(TcPageFor({15, 5, 1, 0}, true, false, false).modesEnabled);
  EXPECT_EQ(TcPageFor({1, 3, 1, 0}, false, false, false).typ, 6);  // an RTD shows B
  EXPECT_EQ(ThermocoupleTryb(true, true), 5);
  EXPECT_EQ(ThermocoupleTryb(false, true), 7);
  EXPECT_EQ(ThermocoupleTryb(false, false), 6);
}

TEST_F(WyborRules, UserThermocoupleNeedsElevenRowsFromZeroToSixtyForCompensation) {
  UserTable(-10, 100, 5);  // rows at 0, 5, .. 60: i1 - i0 = 12
  EXPECT_TRUE(UserTableAllowsCjc(table(), ranges()[kUserRangeRow]));
  UserTable(-10, 100, 10);  // i1 - i0 = 6
  EXPECT_FALSE(UserTableAllowsCjc(table(), ranges()[kUserRangeRow]));
  UserTable(0, 55, 1);  // never reaches 60
  EXPECT_FALSE(UserTableAllowsCjc(table(), ranges()[kUserRangeRow]));
  UserTable(1, 100, 1);  // starts above 0
  EXPECT_FALSE(UserTableAllowsCjc(table(), ranges()[kUserRangeRow]));
  // Eleven rows from 0 to 60 are enough, ten are not.
  for (int steps : {11, 10}) {
    std::vector<TTablePoint> points;
    for (int k = 0; k <= steps; ++k) points.push_back({k * 60.0 / steps, k * 0.2});
    SetTable(points);
    ranges()[kUserRangeRow] = {0, 600};
    EXPECT_EQ(UserTableAllowsCjc(table(), ranges()[kUserRangeRow]), steps == 11) << steps;
  }
  table().SetCount(0);
  EXPECT_FALSE(UserTableAllowsCjc(table(), {0, 1000}));
}

TEST_F(WyborRules, ANewTypeResetsRangeFilterAndCorrectionsTheSameTypeKeepsThem) {
  Configure(1, 3, 2, 0, 100);
  p().P.FiltrZakres = 10;
  p().P.FiltrCzas = 20;
  p().P.FiltrLimit = 2;
  p().P.ZeroReg = 0.5;
  p().P.GainReg = -0.25;
  p().P.Jednostki = 5;
  p().TableLoaded = true;
  p().CharTyp = 1;
  ApplyWybor({1, 4, 1}, 1, p(), ranges(), "01.02.2026");
  EXPECT_EQ(p().Code.Tryb, 4);
  EXPECT_EQ(p().Code.Lin, 1);
  EXPECT_EQ(p().P.MaxInput, 100);
  EXPECT_EQ(p().P.FiltrCzas, 20);
  EXPECT_EQ(p().P.ZeroReg, 0.5);
  EXPECT_EQ(p().P.Jednostki, 8);
  EXPECT_FALSE(p().TableLoaded);
  EXPECT_EQ(p().CharTyp, 0);
  EXPECT_EQ(p().data, "01.02.2026");

  ApplyWybor({10, 7, 2}, 1, p(), ranges(), "02.02.2026");
  EXPECT_EQ(p().P.MinInput, -150);
  EXPECT_EQ(p().P.MaxInput, 1370);
  EXPECT_EQ(p().P.FiltrZakres + p().P.FiltrCzas + p().P.FiltrLimit, 0);
  EXPECT_EQ(p().P.ZeroReg, 0);
  EXPECT_EQ(p().P.GainReg, 0);
}

TEST_F(WyborRules, TheUserThermocoupleAlwaysTakesItsTablesRangeAndKeepsItsTable) {
  Configure(15, 5, 2, 10, 20);
  p().TableLoaded = true;
  p().CharTyp = 15;
  ranges()[kUserRangeRow] = {-100, 1000};
  ApplyWybor({15, 5, 2}, 15, p(), ranges(), "01.02.2026");
  EXPECT_EQ(p().P.MinInput, -10);
  EXPECT_EQ(p().P.MaxInput, 100);
  EXPECT_TRUE(p().TableLoaded);
  EXPECT_EQ(p().CharTyp, 15);
}

}  // namespace
}  // namespace vorta::sensors
