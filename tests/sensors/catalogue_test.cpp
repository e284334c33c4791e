// Mode and sensor names, units by input type and the fit of a characteristic to an input.
#include "sensors/catalogue.h"

#include "app/sensor_code.h"
#include "test_support.h"

namespace vorta::sensors {
namespace {

using CatalogueTest = testing::SensorTest;

TEST_F(CatalogueTest, NamesFollowTheCodeAndAreEmptyOutsideIt) {
  // The entries the sensor code's own tests leave out.
  const std::pair<int, std::string_view> modes[] = {{1, ""}, {7, "CJC"}, {11, "min"}, {-1, ""}};
  for (const auto& [tryb, name] : modes) EXPECT_EQ(app::ModeNames(tryb), name) << tryb;
  const std::pair<int, std::string_view> sensors[] = {{10, "K"}, {15, "X"}, {17, "I"}, {19, ""}, {0, ""}};
  for (const auto& [typ, name] : sensors) EXPECT_EQ(app::SensorNames(typ), name) << typ;
}

TEST_F(CatalogueTest, UnitsOfAConversionFollowItsInputType) {
  struct Row {
    int charTyp, resultUnit;
    std::string_view inputUnit;
  };
  for (const Row& r : {Row{5, 5, "Ohm"}, Row{15, 8, "mV"}, Row{16, 2, "mV"}, Row{17, 4, "mA"},
                       Row{18, 1, "V"}, Row{19, 4, "mA"}, Row{1, 8, ""}}) {
    EXPECT_EQ(DefaultResultUnit(r.charTyp), r.resultUnit) << r.charTyp;
    EXPECT_EQ(InputUnitText(r.charTyp), r.inputUnit) << r.charTyp;
  }
}

TEST_F(CatalogueTest, CharacteristicFitsAnInputWhoseLimitsAndSpanItKeeps) {
  p().Code.Lin = 4;
  p().LinCoef[0] = -10;
  p().LinCoef[1] = 1.6;
  ranges()[15] = {0, 1000};  // result 0 .. 100 gives -10 .. 150 mV
  EXPECT_TRUE(CharFitsInput(d(), 16));
  p().LinCoef[1] = 1.7;  // 160 mV is beyond the millivolt input
  EXPECT_FALSE(CharFitsInput(d(), 16));
  p().LinCoef[1] = 1.6;
  ranges()[15] = {0, 10};  // 1.6 mV of signal: below the 4 mV minimum span
  EXPECT_FALSE(CharFitsInput(d(), 16));
  EXPECT_FALSE(CharFitsInput(d(), 0));
}

}  // namespace
}  // namespace vorta::sensors
