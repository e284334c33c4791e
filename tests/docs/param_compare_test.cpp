// Two parameter sets field by field: each field's row alone marks its difference, numbers within
// the tolerance are alike, and the rows are named in the user's language.
#include "docs/param_compare.h"

#include <gtest/gtest.h>

#include <functional>

namespace vorta::docs {
namespace {

using app::TParamSet;

TParamSet Base() {
  TParamSet p;
  p.Device = "VTX47";
  p.Code = {10, 7, 2, 0};  // K thermocouple, internal cold junction, linearised
  p.P.MinInput = 0;
  p.P.MaxInput = 500;
  p.P.RoomT = 25;
  p.P.FiltrZakres = 10;
  p.P.FiltrCzas = 9;
  p.P.FiltrLimit = 20;
  p.P.Burnout = 1;
  p.P.Siec = 50;
  p.P.Jednostki = 8;
  p.kod = "TT-101";
  p.ogolne = "boiler 3";
  return p;
}

TLangList English() {
  TLangList l;
  l.BuildEnglish();
  return l;
}

const TCompareRow& Row(const std::vector<TCompareRow>& rows, const std::string& id) {
  for (const TCompareRow& r : rows)
    if (r.id == id) return r;
  throw std::runtime_error("no row " + id);
}

TEST(ParamCompare, EqualSetsDifferNowhere) {
  const auto rows = CompareParamSets(Base(), Base(), English());
  EXPECT_EQ(rows.size(), 14u);
  EXPECT_EQ(DifferingRows(rows), 0);
  EXPECT_EQ(Row(rows, "range").left,
            "0 to 500 \xC2\xB0"
            "C");
  EXPECT_EQ(Row(rows, "sensor").left, "Thermocouple type K");
  EXPECT_EQ(Row(rows, "connection").left, "CJC");
  EXPECT_EQ(Row(rows, "burnout").left, "above 20mA");
}

TEST(ParamCompare, EachFieldMarksItsOwnRowAlone) {
  const struct {
    const char* id;
    std::function<void(TParamSet&)> change;
  } cases[] = {
      {"device", [](TParamSet& p) { p.Device = "VTX48"; }},
      {"sensor", [](TParamSet& p) { p.Code.Typ = 9; }},
      {"connection", [](TParamSet& p) { p.Code.Tryb = 6; }},
      {"conversion", [](TParamSet& p) { p.Code.Lin = 1; }},
      {"range", [](TParamSet& p) { p.P.MaxInput = 400; }},
      {"range", [](TParamSet& p) { p.P.MinInput = -0.5; }},
      {"range", [](TParamSet& p) { p.P.Jednostki = 7; }},
      {"filtration_range", [](TParamSet& p) { p.P.FiltrZakres = 11; }},
      {"time_constant", [](TParamSet& p) { p.P.FiltrCzas = 18; }},
      {"spurious_error_threshold", [](TParamSet& p) { p.P.FiltrLimit = 5; }},
      {"burnout", [](TParamSet& p) { p.P.Burnout = 0; }},
      {"mains", [](TParamSet& p) { p.P.Siec = 60; }},
      {"corrections", [](TParamSet& p) { p.P.ZeroReg = 0.25; }},
      {"corrections", [](TParamSet& p) { p.P.GainReg = -1; }},
      {"tag", [](TParamSet& p) { p.kod = "TT-102"; }},
      {"text", [](TParamSet& p) { p.ogolne = "boiler 4"; }},
  };
  for (const auto& c : cases) {
    TParamSet b = Base();
    c.change(b);
    const auto rows = CompareParamSets(Base(), b, English());
    EXPECT_EQ(DifferingRows(rows), 1) << c.id;
    EXPECT_TRUE(Row(rows, c.id).differs) << c.id;
    EXPECT_NE(Row(rows, c.id).left, Row(rows, c.id).right) << c.id;
  }
}

TEST(ParamCompare, NumbersWithinTheToleranceAreAlikeAndBeyondItShowTheirDigits) {
  TParamSet b = Base();
  b.P.MaxInput = 500.0000005;
  EXPECT_EQ(DifferingRows(CompareParamSets(Base(), b, English())), 0);
  b.P.MaxInput = 500.00002;
  const auto rows = CompareParamSets(Base(), b, English());
  EXPECT_TRUE(Row(rows, "range").differs);
  EXPECT_EQ(Row(rows, "range").right,
            "0 to 500.00002 \xC2\xB0"
            "C");
}

TEST(ParamCompare, ColdJunctionTemperatureAndCoefficientsCountOnlyWhereTheyAreUsed) {
  TParamSet a = Base(), b = Base();
  b.P.RoomT = 30;    // internal compensation: the fixed temperature is not used
  b.LinCoef[3] = 7;  // linearised by the catalogue: no coefficients
  EXPECT_EQ(DifferingRows(CompareParamSets(a, b, English())), 0);
  a.Code.Tryb = b.Code.Tryb = 6;
  EXPECT_TRUE(Row(CompareParamSets(a, b, English()), "connection").differs);
  a = Base();
  b = Base();
  a.Code = b.Code = {16, 5, 8, 0};  // millivolts with a power series
  b.LinCoef[3] = 7;
  const auto rows = CompareParamSets(a, b, English());
  EXPECT_TRUE(Row(rows, "conversion").differs);
  EXPECT_NE(Row(rows, "conversion").right.find("D=7"), std::string::npos);
}

TEST(ParamCompare, TheTableFileCountsForATableCharacteristicOnly) {
  TParamSet a = Base(), b = Base();
  a.File = "C:\\tables\\probe1.dat";
  b.File = "probe2.dat";
  EXPECT_FALSE(Row(CompareParamSets(a, b, English()), "table").differs);
  a.Code.Typ = b.Code.Typ = 15;  // the user thermocouple takes its signal from the table
  const auto rows = CompareParamSets(a, b, English());
  EXPECT_TRUE(Row(rows, "table").differs);
  EXPECT_EQ(Row(rows, "table").left, "probe1.dat");
}

TEST(ParamCompare, RowsAreNamedInTheUsersLanguage) {
  TLangList polish;
  polish.AddLine(
      "Input range=Zakres wej\xC5\x9B"
      "ciowy");
  polish.AddLine("conversion=przeliczenie");
  polish.AddLine("to=do");
  const auto rows = CompareParamSets(Base(), Base(), polish);
  EXPECT_EQ(Row(rows, "range").name,
            "Zakres wej\xC5\x9B"
            "ciowy");
  EXPECT_EQ(Row(rows, "range").left,
            "0 do 500 \xC2\xB0"
            "C");
  EXPECT_EQ(Row(rows, "conversion").name, "Przeliczenie");
}

}  // namespace
}  // namespace vorta::docs
