// Reset, normalisation, noTab, model code and the filter time conversions of the parameter set;
// rounding, the model table and the sensor code's names.
#include "app/param_set.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/model_table.h"
#include "app/rounding.h"
#include "app/sensor_code.h"
#include "sensors/sensor_range.h"

namespace vorta::app {
namespace {

class ParamSetTest : public ::testing::Test {
 protected:
  sensors::TSensorRangeTable r;
  TParamSet p;
};

TEST_F(ParamSetTest, NewSetsTheResetStateAndKeepsCoefficientsRoomTAndCorrections) {
  p.P.RoomT = 12.5;
  p.P.ZeroReg = 0.5;
  p.P.GainReg = -0.25;
  p.LinCoef[3] = 7.0;
  p.File = "tab.dat";
  p.CoefMissing = true;
  p.Device = "VTX39";
  p.kod = "TAG";
  p.ogolne = "text";
  p.serial = "123";
  p.data = "01.02.2024";
  p.TableLoaded = true;
  p.P.FiltrCzas = 40;
  p.New();
  const TParamSet once = p;
  p.New();
  EXPECT_EQ(p.Code.Typ, 20);
  EXPECT_EQ(p.Code.Tryb, 1);
  EXPECT_EQ(p.Code.Lin, 2);
  EXPECT_EQ(p.P.Siec, 50);
  EXPECT_EQ(p.P.Jednostki, 10);
  EXPECT_EQ(p.P.FiltrCzas, 0);
  EXPECT_TRUE(p.Device.empty());
  // A set saved after New must not carry the previous transmitter's identity.
  EXPECT_TRUE(p.kod.empty());
  EXPECT_TRUE(p.ogolne.empty());
  EXPECT_TRUE(p.serial.empty());
  EXPECT_TRUE(p.data.empty());
  EXPECT_FALSE(p.TableLoaded);
  EXPECT_DOUBLE_EQ(p.P.RoomT, 12.5);
  EXPECT_DOUBLE_EQ(p.P.ZeroReg, 0.5);
  EXPECT_DOUBLE_EQ(p.P.GainReg, -0.25);
  EXPECT_DOUBLE_EQ(p.LinCoef[3], 7.0);
  EXPECT_EQ(p.File, "tab.dat");
  EXPECT_TRUE(p.CoefMissing);
  EXPECT_EQ(p.Code.Typ, once.Code.Typ);
  EXPECT_EQ(p.P.Jednostki, once.P.Jednostki);
}

TEST_F(ParamSetTest, StartStateHoldsTheIdentityCoefficients) {
  EXPECT_DOUBLE_EQ(p.LinCoef[0], 0.0);
  EXPECT_DOUBLE_EQ(p.LinCoef[1], 1.0);
  for (int i = 2; i < kLinCoefCount; ++i) EXPECT_DOUBLE_EQ(p.LinCoef[i], 0.0);
}

TEST_F(ParamSetTest, NormaliseReplacesInvalidCodes) {
  p.Code = {0, 12, 3, 0};
  p.Normalise(r);
  EXPECT_EQ(p.Code.Typ, 20);
  EXPECT_EQ(p.Code.Tryb, 1);
  EXPECT_EQ(p.Code.Lin, 0);
  p.Code = {21, 0, 8, 0};
  p.Normalise(r);
  EXPECT_EQ(p.Code.Typ, 20);
  EXPECT_EQ(p.Code.Tryb, 1);
  EXPECT_EQ(p.Code.Lin, 8);
}

TEST_F(ParamSetTest, NormaliseClampsTheRangeOfAFixedLimitSensor) {
  p.Code = {10, 7, 2, 0};  // K thermocouple: -150 .. 1370
  p.P.MinInput = -200;
  p.P.MaxInput = 2000;
  p.Normalise(r);
  EXPECT_DOUBLE_EQ(p.P.MinInput, -150.0);
  EXPECT_DOUBLE_EQ(p.P.MaxInput, 1370.0);
  p.P.MinInput = 500;
  p.P.MaxInput = 100;
  p.Normalise(r);
  EXPECT_DOUBLE_EQ(p.P.MinInput, -150.0);
  EXPECT_DOUBLE_EQ(p.P.MaxInput, 1370.0);
  p.P.MinInput = 0.0 / 0.0;
  p.P.MaxInput = 100;
  p.Normalise(r);
  EXPECT_DOUBLE_EQ(p.P.MinInput, -150.0);
  EXPECT_DOUBLE_EQ(p.P.MaxInput, 100.0);
}

TEST_F(ParamSetTest, NormaliseSaysWhenItReplacedTheRangeAndWhatItWas) {
  p.Code = {10, 7, 2, 0};  // K thermocouple: -150 .. 1370
  const struct {
    double min, max;
    bool replaced;
  } cases[] = {{0, 500, false},   {-150, 1370, false}, {95, 90, true},
               {-200, 100, true}, {0, 1371, true},     {0.0 / 0.0, 100, true}};
  for (const auto& c : cases) {
    p.P.MinInput = c.min;
    p.P.MaxInput = c.max;
    const TNormalised n = p.Normalise(r);
    EXPECT_EQ(n.rangeReplaced, c.replaced) << c.min << " " << c.max;
    if (!std::isnan(c.min)) {
      EXPECT_EQ(n.oldMin, c.min);
    }
    EXPECT_EQ(n.oldMax, c.max);
  }
  p.Code = {15, 7, 2, 0};  // a user range is the user's: never replaced
  p.P.MinInput = 95;
  p.P.MaxInput = 90;
  EXPECT_FALSE(p.Normalise(r).rangeReplaced);
}

TEST_F(ParamSetTest, NormaliseLeavesTheRangeOfAUserCharacteristicAlone) {
  p.Code = {15, 7, 2, 0};
  p.P.MinInput = -5000;
  p.P.MaxInput = 9000;
  p.Normalise(r);
  EXPECT_DOUBLE_EQ(p.P.MinInput, -5000);
  p.Code = {17, 5, 4, 0};
  p.Normalise(r);
  EXPECT_DOUBLE_EQ(p.P.MaxInput, 9000);
  p.Code = {17, 5, 1, 0};  // no conversion: the current input's own limits hold
  p.Normalise(r);
  EXPECT_DOUBLE_EQ(p.P.MinInput, -22.0);
  EXPECT_DOUBLE_EQ(p.P.MaxInput, 22.0);
}

TEST_F(ParamSetTest, NormaliseBoundsTheMeasurementValues) {
  p.Code = {1, 3, 2, 0};
  p.P.MinInput = 0;
  p.P.MaxInput = 100;
  p.P.RoomT = 50.00011;
  p.P.ZeroReg = 1.99992;
  p.P.GainReg = -1.9999;
  p.P.FiltrZakres = 251;
  p.P.FiltrLimit = 101;
  p.P.Burnout = 3;
  p.P.Siec = 55;
  p.P.Jednostki = 16;
  p.P.FiltrCzas = 510;  // 255 counts of 0.2 s, the most the transmitter holds
  p.Normalise(r);
  EXPECT_DOUBLE_EQ(p.P.RoomT, 25.0);
  EXPECT_DOUBLE_EQ(p.P.ZeroReg, 0.0);
  EXPECT_DOUBLE_EQ(p.P.GainReg, -1.9999);
  EXPECT_EQ(p.P.FiltrZakres, 0);
  EXPECT_EQ(p.P.FiltrLimit, 0);
  EXPECT_EQ(p.P.Burnout, 0);
  EXPECT_EQ(p.P.Siec, 50);
  EXPECT_EQ(p.P.Jednostki, 0);
  EXPECT_EQ(p.P.FiltrCzas, 510);
  p.P.Jednostki = 11;  // "m3/h" of the conversion dialogs survives
  p.P.FiltrCzas = 511;
  p.Normalise(r);
  EXPECT_EQ(p.P.Jednostki, 11);
  EXPECT_EQ(p.P.FiltrCzas, 0);
  p.Device = "VTX39";  // 0.09 s step: at most 229.5, rounded 230
  p.P.FiltrCzas = 230;
  p.Normalise(r);
  EXPECT_EQ(p.P.FiltrCzas, 230);
  p.P.FiltrCzas = 231;
  p.Normalise(r);
  EXPECT_EQ(p.P.FiltrCzas, 0);
}

TEST_F(ParamSetTest, NoTabNeedsATableOrCoefficients) {
  p.Code = {15, 7, 2, 0};
  EXPECT_TRUE(p.noTab());
  p.TableLoaded = true;
  EXPECT_FALSE(p.noTab());
  p.Code = {16, 5, 8, 0};
  p.TableLoaded = false;
  EXPECT_TRUE(p.noTab());
  p.Code = {16, 5, 4, 0};
  EXPECT_FALSE(p.noTab());
  p.Code = {10, 7, 2, 0};
  EXPECT_FALSE(p.noTab());
  p.CoefMissing = true;  // Lin 3 with every coefficient 0, as the read workflow marks it
  p.Code = {5, 2, 3, 0};
  EXPECT_TRUE(p.noTab());
}

TEST_F(ParamSetTest, ModelCodeNeedsTheSeriesPrefixAndTwoDigits) {
  EXPECT_EQ(p.ModelCode(), 0);
  EXPECT_DOUBLE_EQ(p.TimeStep(), 0.2);
  p.Device = "VTX39";
  EXPECT_EQ(p.ModelCode(), 39);
  EXPECT_DOUBLE_EQ(p.TimeStep(), 0.09);
  p.Device = "VTX97";
  EXPECT_DOUBLE_EQ(p.TimeStep(), 0.08);
  p.Device = "VTX9";  // too short: never read past the end
  EXPECT_EQ(p.ModelCode(), 0);
  p.Device = "VTXa7";
  EXPECT_EQ(p.ModelCode(), 0);
  p.Device = "ABC37";
  EXPECT_EQ(p.ModelCode(), 0);
}

TEST(FiltrCzasConversion, RoundsToWholeDeviceCountsHalvesToEven) {
  std::int32_t fc = 50;
  EXPECT_EQ(FiltrCzasToCount(fc, 0.09), 56);
  EXPECT_EQ(fc, 50);
  fc = 50;
  EXPECT_EQ(FiltrCzasToCount(fc, 0.08), 62);
  EXPECT_EQ(fc, 50);
  fc = 33;
  EXPECT_EQ(FiltrCzasToCount(fc, 0.2), 16);  // 16.5 goes to the even 16
  EXPECT_EQ(fc, 32);
  EXPECT_EQ(MaxFiltrCzas(0.09), 225);
  EXPECT_EQ(MaxFiltrCzas(0.2), 500);
  EXPECT_EQ(RoundHalfEven(250 * 0.09), 22);
  EXPECT_EQ(RoundHalfEven(250 * 0.08), 20);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(FiltrCzasFromCount(250, 0.2), 500);
}

TEST(Rounding, SaturatesInsteadOfOverflowing) {
  constexpr long long kMax = std::numeric_limits<long long>::max();
  const struct {
    double v;
    long long expected;
  } cases[] = {{1e300, kMax},
               {-1e300, std::numeric_limits<long long>::min()},
               {std::ldexp(1.0, 63), kMax},
               {std::ldexp(1.0, 60), 1LL << 60},
               {NAN, 0},
               {INFINITY, kMax},
               {-0.4, 0},
               {2.5, 2}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.v), c.expected) << c.v;
  EXPECT_EQ(RoundHalfEven32(1e12), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(RoundHalfEven32(-1e12), std::numeric_limits<std::int32_t>::min());
  EXPECT_TRUE(FitsInt32(2147483647.0));
  EXPECT_FALSE(FitsInt32(2147483648.0));
  EXPECT_FALSE(FitsInt32(NAN));
}

TEST(ModelTable, EveryModelHasItsStepGroupAndRules) {
  const struct {
    int code;
    int typeIndex;
    double step;
    TModelGroup group;
    bool mains;
    bool rms;
    const char* name;
  } models[] = {
      {47, 0, 0.2, TModelGroup::kB, true, false, "VTX47"},
      {48, 1, 0.2, TModelGroup::kB, true, false, "?"},
      {49, 2, 0.2, TModelGroup::kB, true, false, "VTX49"},
      {37, 3, 0.09, TModelGroup::kA, true, false, "?"},
      {38, 4, 0.09, TModelGroup::kA, true, false, "?"},
      {39, 5, 0.09, TModelGroup::kA, false, false, "VTX39"},
      {60, 6, 0.2, TModelGroup::kA, true, false, "VTX60"},
      {90, 7, 0.2, TModelGroup::kC, true, true, "VTX90"},
      {97, 8, 0.08, TModelGroup::kC, true, true, "VTX97"},
  };
  for (const auto& m : models) {
    EXPECT_EQ(ModelCodeOfTypeIndex(m.typeIndex), m.code);
    EXPECT_DOUBLE_EQ(TimeStepOfModel(m.code), m.step) << m.code;
    EXPECT_EQ(ModelGroupOf(m.code), m.group) << m.code;
    EXPECT_EQ(MainsSelectable(m.code), m.mains) << m.code;
    EXPECT_EQ(MeasuresRms(m.code), m.rms) << m.code;
    EXPECT_EQ(ModelDisplayName("VTX" + std::to_string(m.code)), m.name);
  }
  // An unknown model: the default step and scheme, and no name.
  for (int index : {-1, 9, 16}) EXPECT_EQ(ModelCodeOfTypeIndex(index), 0);
  EXPECT_DOUBLE_EQ(TimeStepOfModel(0), 0.2);
  EXPECT_EQ(ModelGroupOf(50), TModelGroup::kOther);
  EXPECT_TRUE(MainsSelectable(0));
  EXPECT_FALSE(ModelDisplayName("VTX50").has_value());
}

TEST(ModelTable, ModelsWithTheirOwnInputRangesSetRowsSeventeenAndEighteen) {
  sensors::TSensorRangeTable t;
  EXPECT_EQ(t[17], (sensors::TRangeRow{-220, 220}));  // the first group's ranges at start
  EXPECT_EQ(t[18], (sensors::TRangeRow{-110, 110}));
  EXPECT_TRUE(t.SetModelRanges(97));
  EXPECT_EQ(t[17], (sensors::TRangeRow{0, 10000}));
  EXPECT_EQ(t[18], (sensors::TRangeRow{0, 2500}));
  EXPECT_TRUE(t.SetModelRanges(90));
  EXPECT_EQ(t[18], (sensors::TRangeRow{0, 100}));
  EXPECT_FALSE(t.SetModelRanges(47));  // no ranges of its own: the rows stay
  EXPECT_EQ(t[18], (sensors::TRangeRow{0, 100}));
  t.SetUserRangeRounded(12.34, -5.06);
  EXPECT_EQ(t[15], (sensors::TRangeRow{-51, 123}));
}

TEST(SensorCode, GroupsOfTheInputTypes) {
  for (int typ = 0; typ <= 21; ++typ) {
    EXPECT_EQ(IsRtd(typ), typ >= 1 && typ <= 4) << typ;
    EXPECT_EQ(IsThermocouple(typ), typ >= 6 && typ <= 15) << typ;
    EXPECT_EQ(IsConvertedInput(typ), typ == 5 || (typ >= 16 && typ <= 20)) << typ;
  }
  EXPECT_TRUE(UsesUserTable(15, 0));
  EXPECT_TRUE(UsesUserTable(17, 8));
  EXPECT_FALSE(UsesUserTable(17, 4));
  EXPECT_FALSE(UsesUserTable(10, 2));
  EXPECT_FALSE(HasFixedLimits(15, 0));
  EXPECT_FALSE(HasFixedLimits(5, 2));
  EXPECT_TRUE(HasFixedLimits(5, 1));
  EXPECT_TRUE(HasFixedLimits(10, 2));
  EXPECT_EQ(SensorNames(1), "Pt100 (0.00385)");
  EXPECT_EQ(SensorNames(14), "T");
  EXPECT_EQ(SensorNames(21), "");
  EXPECT_EQ(ModeNames(3), "3-wire");
  EXPECT_EQ(ModeNames(9), "difference");
  EXPECT_EQ(ModeNames(12), "");
  EXPECT_EQ(ModeNames(13), "");
}

TEST(UnitNames, IndexesTheSixteenUnitsAndNothingBeyond) {
  EXPECT_EQ(UnitName(0), " ");
  EXPECT_EQ(UnitName(5), "Ohm");
  EXPECT_EQ(UnitName(8),
            "\xC2\xB0"
            "C");
  EXPECT_EQ(UnitName(11), "m3/h");
  EXPECT_EQ(UnitName(15), " ");
  EXPECT_EQ(UnitName(16), "");
  EXPECT_EQ(UnitName(-1), "");
}

}  // namespace
}  // namespace vorta::app

namespace vorta::app {
namespace {

TEST(SetText, CutsToTheCapacityInCharactersNotBytes) {
  std::string field = "old";
  SetText(field, "abcdef", 4);
  EXPECT_EQ(field, "abcd");
  SetText(field, "\xC3\xA9\xC3\xA9\xC3\xA9", 2);  // three e-acute, two kept whole
  EXPECT_EQ(field, "\xC3\xA9\xC3\xA9");
  SetText(field, "", 4);
  EXPECT_EQ(field, "");
}

}  // namespace
}  // namespace vorta::app
