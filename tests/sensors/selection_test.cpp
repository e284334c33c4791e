// The selection workflow's rules: the dialog of each model and the "More" alternation, what an
// accepted selection finishes, the fields it marks, the cold-junction temperature entry and the
// transmitter type list.
#include "sensors/selection.h"

#include <limits>

#include "test_support.h"

namespace vorta::sensors {
namespace {

using D = TSelectionDialog;

class SelectionRules : public testing::SensorTest {};

TEST_F(SelectionRules, EachModelOpensItsDialogAndMoreAlternates) {
  for (int model : {39, 60, 90, 97}) {
    bool other = false;
    EXPECT_EQ(NextSelectionDialog(model, 17, kSelectCancel, other), D::kWyborIV) << model;
    EXPECT_EQ(NextSelectionDialog(model, 17, kSelectMore, other), D::kWyborIV) << model;
  }
  for (int model : {37, 38, 0, 12}) {
    bool other = false;
    EXPECT_EQ(NextSelectionDialog(model, 1, kSelectCancel, other), D::kNone) << model;
    EXPECT_FALSE(IsImplementedModel(model)) << model;
  }
  // A thermometer starts in the thermometer dialog, a resistance or millivolt input in the other;
  // "More" switches back and forth.
  bool other = false;
  EXPECT_EQ(NextSelectionDialog(47, 10, kSelectCancel, other), D::kWybor);
  EXPECT_EQ(NextSelectionDialog(47, 10, kSelectMore, other), D::kWyborRV);
  EXPECT_EQ(NextSelectionDialog(47, 10, kSelectMore, other), D::kWybor);
  other = false;
  EXPECT_EQ(NextSelectionDialog(48, 5, kSelectCancel, other), D::kWyborRV);
  EXPECT_EQ(NextSelectionDialog(48, 5, kSelectMore, other), D::kWybor);
  EXPECT_EQ(NextSelectionDialog(48, 5, kSelectMore, other), D::kWyborRV);
  for (int model : {39, 47, 48, 49, 60, 90, 97}) EXPECT_TRUE(IsImplementedModel(model)) << model;
}

TEST_F(SelectionRules, ACurrentInputOnANewModelTakesTheModelsRangeOnlyWithoutAConversion) {
  ranges().SetModelRanges(97);  // 0 .. 1000 mA
  Configure(17, 5, 1, 4, 20);
  p().Device = "VTX97";
  FinishSelection(p(), table(), ranges(), "VTX39", "01.02.2026");
  EXPECT_EQ(p().P.MinInput, 0);
  EXPECT_EQ(p().P.MaxInput, 1000);

  // With a linear conversion the range is the result's, 0 .. 250 kg: the model's 0 .. 1000 mA
  // would lie outside the characteristic.
  Configure(17, 5, 4, 0, 250);
  p().LinCoef = {0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 250};
  ranges()[kUserRangeRow] = {0, 2500};
  FinishSelection(p(), table(), ranges(), "VTX39", "01.02.2026");
  EXPECT_EQ(p().P.MinInput, 0);
  EXPECT_EQ(p().P.MaxInput, 250);
  // The same device keeps a narrowed range.
  Configure(17, 5, 1, 0, 200);
  FinishSelection(p(), table(), ranges(), "VTX97", "");
  EXPECT_EQ(p().P.MaxInput, 200);
}

TEST_F(SelectionRules, ARangeWithTooSmallASignalBecomesTheFullRange) {
  Configure(1, 3, 2, 20, 21);  // 0.4 Ohm, below 12 Ohm
  FinishSelection(p(), table(), ranges(), "", "01.02.2026");
  EXPECT_EQ(p().P.MinInput, -100);
  EXPECT_EQ(p().P.MaxInput, 850);
  // A converted input falls back to its result limits.
  Configure(16, 5, 4, 10, 10.5);
  p().LinCoef = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 100};
  ranges()[kUserRangeRow] = {0, 1000};
  FinishSelection(p(), table(), ranges(), "", "01.02.2026");
  EXPECT_EQ(p().P.MinInput, 0);
  EXPECT_EQ(p().P.MaxInput, 100);
  EXPECT_FALSE(p().CoefMissing);
}

TEST_F(SelectionRules, TheDateChangesOnlyWhenOneIsSet) {
  Configure(1, 3, 2, 0, 100);
  p().CoefMissing = true;
  FinishSelection(p(), table(), ranges(), "", "01.02.2026");
  EXPECT_EQ(p().data, "");
  EXPECT_FALSE(p().CoefMissing);
  p().data = "never";
  FinishSelection(p(), table(), ranges(), "", "01.02.2026 and more");
  EXPECT_EQ(p().data, "01.02.2026");
}

TEST_F(SelectionRules, MarksTheRangeForAnyChangeOfTheSensorAndEachFieldForItsOwn) {
  Configure(1, 3, 2, 0, 100);
  const app::TParamSet before = p();
  EXPECT_FALSE(SelectionMarks(before, p()).range);
  p().Code.Tryb = 4;  // only the connection
  EXPECT_TRUE(SelectionMarks(before, p()).range);
  p() = before;
  p().P.RoomT = 40;
  EXPECT_TRUE(SelectionMarks(before, p()).range);
  p() = before;
  p().P.FiltrCzas = 5;
  p().P.Siec = 60;
  const TSelectionMarks m = SelectionMarks(before, p());
  EXPECT_FALSE(m.range);
  EXPECT_TRUE(m.filtrCzas);
  EXPECT_TRUE(m.siec);
  EXPECT_FALSE(m.filtrZakres);
  EXPECT_FALSE(m.filtrLimit);
}

TEST_F(SelectionRules, ColdJunctionTemperatureFromZeroToFiftyDegrees) {
  struct Case {
    const char* text;
    bool ok, wrongFormat;
    double value;
  };
  const Case cases[] = {
      {"50", true, false, 50},       {"0", true, false, 0},      {"25,5", true, false, 25.5},
      {"12.25", true, false, 12.25}, {"50.01", false, false, 0}, {"-0.1", false, false, 0},
      {"abc", false, true, 0},       {"", false, true, 0},       {"-", false, true, 0},
      {"1e999", false, true, 0},     {"nan", false, true, 0},    {"1,5.2", false, true, 0},
  };
  for (const Case& c : cases) {
    const TRoomCheck r = CheckRoomTemperature(c.text);
    EXPECT_EQ(r.ok, c.ok) << c.text;
    EXPECT_EQ(r.wrongFormat, c.wrongFormat) << c.text;
    if (c.ok) {
      EXPECT_EQ(r.value, c.value) << c.text;
    }
  }
  EXPECT_EQ(RoomTemperatureText(40), "40.00");
  EXPECT_EQ(RoomTemperatureText(std::numeric_limits<double>::quiet_NaN()), "0.00");
}

TEST_F(SelectionRules, TransmitterListOffersTheNamedModelsSortedAndPreselectsTheDevice) {
  const std::vector<std::string> names = TransmitterNames(app::ModelTable());
  EXPECT_EQ(names, (std::vector<std::string>{"VTX39", "VTX47", "VTX49", "VTX60", "VTX90", "VTX97"}));
  EXPECT_EQ(PreselectedTransmitter(names, app::ModelTable(), ""), 2);       // VTX49
  EXPECT_EQ(PreselectedTransmitter(names, app::ModelTable(), "VTX90"), 4);  // its own
  EXPECT_EQ(PreselectedTransmitter(names, app::ModelTable(), "VTX48"), 0);  // not offered: the first
  EXPECT_EQ(PreselectedTransmitter({}, app::ModelTable(), "VTX90"), -1);
  EXPECT_EQ(DeviceOfTransmitter(app::ModelTable(), "VTX60"), "VTX60");
  EXPECT_EQ(DeviceOfTransmitter(app::ModelTable(), "?"), "VTX48");  // the first row of that name
  EXPECT_FALSE(DeviceOfTransmitter(app::ModelTable(), "VTX12"));
}

}  // namespace
}  // namespace vorta::sensors
