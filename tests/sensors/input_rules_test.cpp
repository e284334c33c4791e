// The input dialogs' rules: the conversion shown, the range texts, the mode of a current or
// voltage input and what an accepted choice writes.
#include "sensors/input_rules.h"

#include "test_support.h"

namespace vorta::sensors {
namespace {

using C = TConversion;

class InputRules : public testing::SensorTest {
 protected:
  // A converted input with a trimmed range, filter and corrections, as a read would give it.
  void Trimmed(int typ, int tryb, int lin) {
    Configure(typ, tryb, lin, 4, 20);
    p().P.FiltrZakres = 10;
    p().P.FiltrCzas = 20;
    p().P.FiltrLimit = 2;
    p().P.ZeroReg = 0.5;
    p().P.GainReg = -0.25;
    p().P.Jednostki = 9;
    p().P.Siec = 60;
    ranges()[kUserRangeRow] = {0, 1000};
  }
};

TEST_F(InputRules, ConversionShownByLinAndATableOnlyWhenLoaded) {
  EXPECT_EQ(ConversionShown(4, false), C::kLinear);
  EXPECT_EQ(ConversionShown(8, false), C::kPowerSeries);
  EXPECT_EQ(ConversionShown(2, true), C::kTable);
  EXPECT_EQ(ConversionShown(2, false), C::kNone);
  EXPECT_EQ(ConversionShown(1, true), C::kNone);
  EXPECT_EQ(ConversionShown(0, true), C::kNone);
}

TEST_F(InputRules, RangeTextsInWholeUnitsAndTenths) {
  EXPECT_EQ(WholeLimitsText({-100, 1500}), "-10...150");
  EXPECT_EQ(WholeLimitsText({-220, 220}), "-22...22");
  EXPECT_EQ(TenthsText(4), "4");
  EXPECT_EQ(TenthsText(-12.25), "-12.2");  // to tenths, halves to even
  EXPECT_EQ(TenthsText(0.04), "0");
  EXPECT_EQ(TenthsText(99.96), "100");
  EXPECT_EQ(InputMissing(ranges(), 17), false);
  ranges().SetModelRanges(60);
  EXPECT_EQ(InputMissing(ranges(), 17), true);
  EXPECT_EQ(InputMissing(ranges(), 18), false);
}

TEST_F(InputRules, ConversionInputRangeOfEachKind) {
  p().LinCoef = {4, 0.16, 0, 0, 0, 0, 0, 0, 0, 0, 100};  // 4..20 mA for 0..100
  EXPECT_EQ(ConversionInputText(p(), table(), C::kLinear), "4...20");
  p().LinCoef = {20, -0.16, 0, 0, 0, 0, 0, 0, 0, 0, 100};  // falling: 20 at 0, 4 at 100
  EXPECT_EQ(ConversionInputText(p(), table(), C::kLinear), "20...4");
  p().LinCoef[9] = 4;
  p().LinCoef[10] = 19.5;
  EXPECT_EQ(ConversionInputText(p(), table(), C::kPowerSeries), "4...19.5");
  SetTable({{100, 20}, {50, 12}, {0, 4}});  // a falling result over a rising signal
  EXPECT_EQ(ConversionInputText(p(), table(), C::kTable), "4...20");
  EXPECT_EQ(ConversionInputText(p(), table(), C::kNone), "");
  ranges()[kUserRangeRow] = {-25, 1000};
  EXPECT_EQ(ConversionResultText(ranges()), "-2.5...100");
}

TEST_F(InputRules, DoubleModesFoundAtOpeningAreKeptUnlessSingleOrDoubleChanges) {
  struct Case {
    int typ;
    bool doubleInput;
    int typAtOpening, trybAtOpening, tryb;
  };
  const Case cases[] = {
      {17, true, 17, 9, 9},                            // difference stays difference
      {17, true, 17, 11, 11},                          // min stays min
      {17, false, 17, 10, 5},                          // the user chose single
      {17, true, 17, 5, 8},                            // the user chose double: sum
      {17, true, 18, 9, 8},                            // another input: the dialog's double
      {17, false, 17, 1, 5},   {18, false, 18, 8, 8},  // a double voltage input stays double
      {18, false, 18, 10, 10}, {18, false, 17, 8, 5},  // the voltage input chosen anew is single
      {18, false, 18, 5, 5},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CurrentVoltageTryb(c.typ, c.doubleInput, c.typAtOpening, c.trybAtOpening), c.tryb)
        << c.typ << " " << c.doubleInput << " " << c.typAtOpening << "/" << c.trybAtOpening;
  for (int t = 8; t <= 11; ++t) EXPECT_TRUE(DoubleShown(t));
  EXPECT_FALSE(DoubleShown(5));
}

TEST_F(InputRules, AnUnchangedInputKeepsItsRangeFilterAndFieldTrim) {
  for (int lin : {1, 2, 4, 8}) {
    Trimmed(17, 5, lin);
    ApplyInputChoice({17, 5, static_cast<C>(lin)}, {17, lin}, 39, p(), ranges(), "01.02.2026");
    EXPECT_EQ(p().P.MinInput, 4) << lin;
    EXPECT_EQ(p().P.MaxInput, 20) << lin;
    EXPECT_EQ(p().P.FiltrCzas, 20) << lin;
    EXPECT_EQ(p().P.ZeroReg, 0.5) << lin;
    EXPECT_EQ(p().P.GainReg, -0.25) << lin;
    EXPECT_EQ(p().P.Siec, 60) << lin;
    EXPECT_EQ(p().P.Jednostki, 9) << lin;
    EXPECT_EQ(p().data, "01.02.2026");
  }
  // A new characteristic of the same kind is a change.
  Trimmed(17, 5, 4);
  p().Code.CharModified = 1;
  ApplyInputChoice({17, 5, C::kLinear}, {17, 4}, 97, p(), ranges(), "01.02.2026");
  EXPECT_EQ(p().P.MaxInput, 100);
  EXPECT_EQ(p().P.ZeroReg, 0);
}

TEST_F(InputRules, AChangedInputTakesTheRangeOfItsConversionOrOfTheInput) {
  Trimmed(17, 5, 1);
  ApplyInputChoice({18, 5, C::kNone}, {17, 1}, 39, p(), ranges(), "01.02.2026");
  EXPECT_EQ(p().Code.Typ, 18);
  EXPECT_EQ(p().P.MinInput, -11);
  EXPECT_EQ(p().P.MaxInput, 11);
  EXPECT_EQ(p().P.Jednostki, 1);  // V
  EXPECT_EQ(p().P.FiltrZakres + p().P.FiltrCzas + p().P.FiltrLimit, 0);
  EXPECT_EQ(p().P.GainReg, 0);
  EXPECT_EQ(p().P.Siec, 50);  // model 39's mains filter is fixed
  EXPECT_EQ(p().CharTyp, 0);

  Trimmed(16, 5, 1);
  p().TableLoaded = true;
  p().CharTyp = 16;
  ApplyInputChoice({16, 5, C::kLinear}, {16, 1}, 48, p(), ranges(), "01.02.2026");
  EXPECT_EQ(p().P.MinInput, 0);
  EXPECT_EQ(p().P.MaxInput, 100);
  EXPECT_EQ(p().P.Jednostki, 9);  // the conversion's unit stays
  EXPECT_EQ(p().P.Siec, 60);
  EXPECT_FALSE(p().TableLoaded);
  EXPECT_EQ(p().CharTyp, 16);

  Trimmed(5, 3, 1);
  p().TableLoaded = true;
  ApplyInputChoice({5, 2, C::kTable}, {5, 1}, 47, p(), ranges(), "01.02.2026");
  EXPECT_TRUE(p().TableLoaded);
  EXPECT_EQ(p().Code.Tryb, 2);
}

}  // namespace
}  // namespace vorta::sensors
