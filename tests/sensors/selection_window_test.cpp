// The sensor selection through its real dialogs against the simulated transmitter: one sensor of
// each group selected with keys and clicks, accepted, shown with its changed fields marked, written,
// and measured at both ends of its range; Cancel that leaves everything as it was; and the modes,
// ranges and conversions that an unchanged OK keeps.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <cmath>
#include <fstream>
#include <functional>

#include "sensors/sensor_signal.h"
#include "sim/sim_measure.h"
#include "tests/support/dialog_keys.h"
#include "tests/support/scripted_file_dialogs.h"
#include "tests/support/its90_reference.h"
#include "tests/support/modal_driver.h"
#include "tests/support/sim_window.h"
#include "tests/support/temp_dir.h"

namespace vorta::app {
namespace {

using docs::Lt;
using testing::Checked;
using testing::Click;
using testing::ClickTab;
using testing::Enabled;
using testing::ModalDriver;
using testing::ReferenceMv;
using testing::Text;
using testing::Type;
using Terminals = std::function<double(double)>;

class SelectionWindow : public ::testing::Test {
 protected:
  // The window on a transmitter of model, holding set when one is given (read and shown).
  void Start(int model, const TParamSet* set = nullptr) {
    sim::TSimConfig config;
    config.modelCode = model;
    sw.reset();  // one window and one line at a time
    sw = std::make_unique<testing::SimWindow>(config);
    if (set) {
      ASSERT_TRUE(sw->Seed(*set));
    }
    ASSERT_TRUE(sw->TickUntilConnected());
    if (set) sw->W().OdczytajTClick();
    sw->rec.messages.clear();
  }
  // Runs the selection with the scripted dialogs.
  void Select(ModalDriver& d) {
    EXPECT_TRUE(d.Run([this] { sw->W().SenSelClick(); })) << d.failure;
  }
  QString Look(const char* field) { return sw->Child<QWidget>(field)->property("look").toString(); }
  QString Shown(const char* label) { return sw->Child<QLabel>(label)->text(); }
  // Writes and verifies, then the output at the terminal signals of both ends of the range.
  void WriteAndMeasure(const Terminals& terminals) {
    sw->W().ZapiszTClick();
    ASSERT_EQ(sw->W().StatusText(), "Transmitter programmed");
    sw->W().Weryfikuj1Click();
    EXPECT_EQ(sw->W().StatusText(), "Verification successful");
    const double lo = Param().P.MinInput, hi = Param().P.MaxInput;
    EXPECT_NEAR(OutputAt(terminals(lo)), 4.0, 0.01) << "at " << lo;
    EXPECT_NEAR(OutputAt(terminals(hi)), 20.0, 0.01) << "at " << hi;
  }
  double OutputAt(double level) {
    sw->Tx().SetLevel(level);
    sw->Line().Advance(1000);
    return sim::OutputCurrent(sw->Tx().Measure(sw->Line().NowMs()).fraction);
  }

  std::unique_ptr<testing::SimWindow> sw;
};

TParamSet Seeded(int model, TSensorCode code, double lo, double hi, int unit) {
  TParamSet p;
  p.Device = "VTX" + std::to_string(model);
  p.Code = code;
  p.P.MinInput = lo;
  p.P.MaxInput = hi;
  p.P.Jednostki = unit;
  p.P.Siec = 50;
  p.P.FiltrZakres = 10;
  p.P.FiltrCzas = 20;
  p.P.FiltrLimit = 2;
  p.P.ZeroReg = 0.5;
  p.P.GainReg = -0.25;
  return p;
}

double Rtd(int typ, double t) {
  return sensors::SensorSignal(sensors::SensorData(), typ, t);
}

TEST_F(SelectionWindow, ResistanceThermometersOfEachConnection) {
  struct Case {
    const char *type, *wire;
    int typ, tryb;
    double lo, hi;
  };
  const Case cases[] = {
      {"Pt100b", "W2", 2, 2, -100, 850}, {"Ni100", "W3", 3, 3, -60, 180}, {"Cu100", "W4", 4, 4, -50, 180}};
  Start(48);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    ModalDriver d;
    d.Then("Wybor", [&c](QDialog* w) {
      Click(w, c.type);
      Click(w, c.wire);
      Click(w, "OKButt");
    });
    Select(d);
    EXPECT_EQ(Param().Code.Typ, c.typ);
    EXPECT_EQ(Param().Code.Tryb, c.tryb);
    EXPECT_EQ(Param().Code.Lin, 2);
    EXPECT_EQ(Param().P.MinInput, c.lo);
    EXPECT_EQ(Param().P.MaxInput, c.hi);
    EXPECT_EQ(Param().P.Jednostki, 8);
    EXPECT_EQ(Look("MinInputE"), "aqua");
    EXPECT_EQ(Look("KodE"), "white");
    EXPECT_TRUE(Shown("SensorT").contains(Lt("linearization"))) << Shown("SensorT").toStdString();
    WriteAndMeasure([&c](double t) { return Rtd(c.typ, t); });
  }
}

TEST_F(SelectionWindow, TheSameThermometerWithAnotherConnectionKeepsRangeFilterAndCorrections) {
  const TParamSet set = Seeded(47, {1, 3, 2, 0}, -50, 150, 8);
  Start(47, &set);
  ModalDriver d;
  d.Then("Wybor", [](QDialog* w) {
    EXPECT_FALSE(Enabled(w, "W4"));  // model 47 has no four-wire connection
    EXPECT_TRUE(Checked(w, "W3"));
    Click(w, "W2");
    Click(w, "OKButt");
  });
  Select(d);
  EXPECT_EQ(Param().Code.Tryb, 2);
  EXPECT_EQ(Param().P.MinInput, -50);
  EXPECT_EQ(Param().P.FiltrCzas, 20);
  EXPECT_NEAR(Param().P.ZeroReg, 0.5, 1e-6);
  EXPECT_EQ(Look("MinInputE"), "aqua");  // the sensor changed: a full write follows
  EXPECT_EQ(Look("FiltrCzasE"), "white");
  // A four-wire code shown on model 47 falls back to three wires.
  Param().Code.Tryb = 4;
  ModalDriver again;
  again.Then("Wybor", [](QDialog* w) {
    EXPECT_TRUE(Checked(w, "W3"));
    Click(w, "CancelButt");
  });
  Select(again);
  EXPECT_EQ(Param().Code.Tryb, 4);
}

TEST_F(SelectionWindow, ThermocouplesWithEachColdJunctionMode) {
  struct Case {
    const char* type;
    const char* name;
    bool cjc, diff;
    int typ, tryb;
    double junction;  // the junction the terminals see; NaN: none (a difference)
  };
  const Case cases[] = {
      {"ThK", "K", true, false, 10, 7, 25},
      {"ThJ", "J", false, false, 9, 6, 40},
      {"ThT", "T", false, true, 14, 5, NAN},
  };
  Start(49);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    ModalDriver d;
    d.Then("Wybor", [&c](QDialog* w) {
      ClickTab(w, 1);
      Click(w, c.type);
      if (Checked(w, "CJC") != c.cjc) Click(w, "CJC");
      if (Checked(w, "TempDiff") != c.diff) Click(w, "TempDiff");
      Click(w, "OKButt");
    });
    if (c.tryb == 6) {
      d.Then("RoomF", [](QDialog* w) {
        Type(w, "RoomtE", "40");
        Click(w, "RoomtB");
      });
    }
    Select(d);
    EXPECT_EQ(Param().Code.Typ, c.typ);
    EXPECT_EQ(Param().Code.Tryb, c.tryb);
    if (c.tryb == 6) {
      EXPECT_EQ(Param().P.RoomT, 40);
      EXPECT_TRUE(Shown("SensorT").contains("40.0")) << Shown("SensorT").toStdString();
    }
    const std::string name = c.name;
    const double junction = c.junction;
    WriteAndMeasure([name, junction](double t) {
      return ReferenceMv(name, t) - (std::isnan(junction) ? 0.0 : ReferenceMv(name, junction));
    });
  }
}

TEST_F(SelectionWindow, UserThermocoupleTableDecidesTheColdJunction) {
  testing::TempDir files;
  testing::ScriptedFileDialogs dialogs;
  for (int step : {5, 10}) {
    std::ofstream f(files.File("tc" + std::to_string(step) + ".dat"));
    f << "; user thermocouple\n";
    for (int t = -10; t <= 100; t += step) f << t << " " << 0.05 * t << "\n";
  }
  Start(48);
  for (int step : {5, 10}) {
    SCOPED_TRACE(step);
    dialogs.answers = {QString::fromStdString(files.File("tc" + std::to_string(step) + ".dat"))};
    bool cjcEnabled = false;
    ModalDriver d;
    d.Then("Wybor", [&cjcEnabled](QDialog* w) {
      ClickTab(w, 1);
      Click(w, "ThInny");
      cjcEnabled = Enabled(w, "CJC");
      EXPECT_TRUE(Checked(w, "TempDiff"));
      Click(w, "OKButt");
    });
    d.Then("TablF", [](QDialog* w) {
      Click(w, "TablLoadB");
      EXPECT_EQ(Text(w, "InMinV"), "-0.500");
      EXPECT_EQ(Text(w, "ResMaxV"), "100");
      EXPECT_FALSE(Enabled(w, "UnitsE"));  // degrees C on models 47..49
      Click(w, "TablOKB");
    });
    Select(d);
    EXPECT_EQ(cjcEnabled, step == 5);
    EXPECT_EQ(Param().Code.Typ, 15);
    EXPECT_EQ(Param().Code.Tryb, 5);
    EXPECT_EQ(Param().P.MinInput, -10);
    EXPECT_EQ(Param().P.MaxInput, 100);
    EXPECT_TRUE(Param().TableLoaded);
    EXPECT_EQ(sw->W().StatusText(), "Information complete");
  }
  WriteAndMeasure([](double t) { return 0.05 * t; });
}

TEST_F(SelectionWindow, ResistanceWithAFallingLinearConversionThroughMore) {
  const TParamSet set = Seeded(47, {1, 3, 2, 0}, 0, 100, 8);
  Start(47, &set);
  ModalDriver d;
  d.Then("Wybor", [](QDialog* w) { Click(w, "MoreButt"); });
  d.Then("WyborRV", [](QDialog* w) {
    ClickTab(w, 1);
    Click(w, "RLina");
    EXPECT_TRUE(Checked(w, "RLina"));
    EXPECT_EQ(Text(w, "InputIT"), "100...300 Ohm");
    Click(w, "W2");
    Click(w, "OKButt");
  });
  d.Then("LinaF", [](QDialog* w) {
    EXPECT_EQ(Text(w, "InMinE"), "0.000");
    Type(w, "InMinE", "100");
    Type(w, "InMaxE", "300");
    Type(w, "ResMinE", "50");
    Type(w, "ResMaxE", "0");
    w->findChild<QComboBox*>("UnitsE")->setCurrentIndex(9);
    Click(w, "TablOKB");
  });
  Select(d);
  EXPECT_EQ(Param().Code.Typ, 5);
  EXPECT_EQ(Param().Code.Tryb, 2);
  EXPECT_EQ(Param().Code.Lin, 4);
  EXPECT_DOUBLE_EQ(Param().LinCoef[1], -4);
  EXPECT_EQ(Param().P.MinInput, 0);
  EXPECT_EQ(Param().P.MaxInput, 50);
  EXPECT_EQ(Param().P.Jednostki, 9);
  EXPECT_EQ(Param().P.FiltrCzas, 0);
  EXPECT_EQ(Look("FiltrCzasE"), "aqua");
  WriteAndMeasure([](double x) { return 300 - 4 * x; });
}

TEST_F(SelectionWindow, MillivoltInputWithoutConversion) {
  Start(48);
  ModalDriver d;
  d.Then("Wybor", [](QDialog* w) { Click(w, "MoreButt"); });
  d.Then("WyborRV", [](QDialog* w) {
    ClickTab(w, 0);
    EXPECT_EQ(Text(w, "VInfoT"), "-10...150 mV");
    Click(w, "OKButt");
  });
  Select(d);
  EXPECT_EQ(Param().Code.Typ, 16);
  EXPECT_EQ(Param().Code.Tryb, 5);
  EXPECT_EQ(Param().Code.Lin, 1);
  EXPECT_EQ(Param().P.Jednostki, 2);
  WriteAndMeasure([](double x) { return x; });
}

TEST_F(SelectionWindow, DoubleCurrentInputWithAPowerSeries) {
  Start(39);
  ModalDriver d;
  d.Then("WyborIV", [](QDialog* w) {
    ClickTab(w, 1);
    Click(w, "W3");
    Click(w, "RLins");
    EXPECT_EQ(Text(w, "InputIT"), "4...20 mA");
    EXPECT_EQ(Text(w, "ResultIT"), QString::fromUtf8("0...80 \u00B0C"));
    Click(w, "OKButt");
  });
  d.Then("PowerF", [](QDialog* w) {
    Type(w, "InMinE", "4");
    Type(w, "InMaxE", "20");
    Type(w, "A0E", "-10");
    Type(w, "A1E", "2");
    Type(w, "A2E", "0,125");
    EXPECT_EQ(Text(w, "TablOKB"), "Check");
    Click(w, "TablOKB");
    EXPECT_EQ(Text(w, "ResMaxV"), "80");
    EXPECT_EQ(Text(w, "TablOKB"), "OK");
    w->findChild<QComboBox*>("UnitsE")->setCurrentIndex(8);
    Click(w, "TablOKB");
  });
  Select(d);
  EXPECT_EQ(Param().Code.Typ, 17);
  EXPECT_EQ(Param().Code.Tryb, 8);
  EXPECT_EQ(Param().Code.Lin, 8);
  EXPECT_EQ(Param().P.MinInput, 0);
  EXPECT_EQ(Param().P.MaxInput, 80);
  EXPECT_EQ(sw->W().StatusText(), "Information complete");  // the series' table was computed
  WriteAndMeasure([](double x) { return -8 + std::sqrt(144 + 8 * x); });
}

TEST_F(SelectionWindow, UnchangedOkKeepsDoubleModesRangeFilterAndCorrections) {
  struct Case {
    int model;
    TSensorCode code;
    double lo, hi;
  };
  const Case cases[] = {{39, {17, 9, 1, 0}, 4, 20}, {39, {18, 8, 1, 0}, 0, 10}, {60, {18, 10, 1, 0}, -5, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code.Tryb);
    const TParamSet set = Seeded(c.model, c.code, c.lo, c.hi, c.code.Typ == 17 ? 4 : 1);
    Start(c.model, &set);
    ModalDriver d;
    d.Then("WyborIV", [](QDialog* w) { Click(w, "OKButt"); });
    Select(d);
    EXPECT_EQ(Param().Code.Tryb, c.code.Tryb);
    EXPECT_EQ(Param().P.MinInput, c.lo);
    EXPECT_EQ(Param().P.MaxInput, c.hi);
    EXPECT_EQ(Param().P.FiltrZakres, 10);
    EXPECT_NEAR(Param().P.GainReg, -0.25, 1e-6);
  }
}

TEST_F(SelectionWindow, TicksOnOneTabClearEveryConversionOfTheOther) {
  testing::TempDir files;
  testing::ScriptedFileDialogs dialogs;
  std::ofstream(files.File("mv.dat")) << "0 0\n100 50\n";
  dialogs.answers = {QString::fromStdString(files.File("mv.dat"))};
  Start(48);
  ModalDriver d;
  d.Then("Wybor", [](QDialog* w) { Click(w, "MoreButt"); });
  d.Then("WyborRV", [](QDialog* w) {
    ClickTab(w, 0);
    Click(w, "VLin");
    ClickTab(w, 1);
    Click(w, "RLina");
    EXPECT_FALSE(Checked(w, "VLin"));
    EXPECT_FALSE(Checked(w, "VLina"));
    ClickTab(w, 0);
    EXPECT_TRUE(Text(w, "InputIT").isEmpty() || !w->findChild<QLabel*>("InputIT")->isVisible());
    Click(w, "CancelButt");
  });
  d.Then("TablF", [](QDialog* w) {
    Click(w, "TablLoadB");
    Click(w, "TablOKB");
  });
  d.Then("LinaF", [](QDialog* w) { Click(w, "TablOKB"); });
  Select(d);
}

TEST_F(SelectionWindow, CancelLeavesTheSetTheTablesAndTheScreenAsTheyWere) {
  TParamSet seeded = Seeded(39, {17, 5, 4, 0}, 0, 100, 9);
  seeded.LinCoef = {4, 0.16, 0, 0, 0, 0, 0, 0, 0, 0, 100};
  Start(39, &seeded);
  const TParamSet before = Param();
  const sensors::TSensorRangeTable ranges = sensors::SensorRangeTable();
  const QString sensorText = Shown("SensorT"), minText = sw->Child<QLineEdit>("MinInputE")->text();
  ModalDriver d;
  d.Then("WyborIV", [](QDialog* w) {
    ClickTab(w, 0);
    Click(w, "VLina");
    Click(w, "CancelButt");
  });
  d.Then("LinaF", [](QDialog* w) {
    Type(w, "ResMaxE", "500");
    Click(w, "TablOKB");
  });
  Select(d);
  EXPECT_EQ(Param().LinCoef, before.LinCoef);
  EXPECT_EQ(Param().Code.Typ, before.Code.Typ);
  EXPECT_EQ(Param().Code.CharModified, before.Code.CharModified);
  EXPECT_EQ(Param().P.Jednostki, before.P.Jednostki);
  EXPECT_EQ(Param().CharTyp, before.CharTyp);
  EXPECT_EQ(sensors::SensorRangeTable(), ranges);
  EXPECT_EQ(Shown("SensorT"), sensorText);
  EXPECT_EQ(sw->Child<QLineEdit>("MinInputE")->text(), minText);
  EXPECT_EQ(Look("MinInputE"), "white");
}

TEST_F(SelectionWindow, UnknownModelIsAskedForAndItsRangesOffered) {
  Start(97);
  sw->Tx().SetKnob("silent", "1");
  while (WindowFlags().Connected) sw->MissTick();
  Param().Device.clear();
  ModalDriver cancel;
  cancel.Then("TransdF", [](QDialog* w) {
    EXPECT_EQ(w->findChild<QListWidget*>("WybierzL")->currentItem()->text(), "VTX49");
    Click(w, "CancelB");
  });
  Select(cancel);
  EXPECT_EQ(Param().Device, "");
  ModalDriver d;
  d.Then("TransdF", [](QDialog* w) {
    auto* list = w->findChild<QListWidget*>("WybierzL");
    list->setCurrentItem(list->findItems("VTX97", Qt::MatchExactly).front());
    Click(w, "OKbutt");
  });
  d.Then("WyborIV", [](QDialog* w) {
    ClickTab(w, 1);
    EXPECT_EQ(Text(w, "RInfoT"), "0...1000 mA rms");
    Click(w, "OKButt");
  });
  Select(d);
  EXPECT_EQ(Param().Device, "VTX97");
  EXPECT_EQ(Param().Code.Typ, 17);
  EXPECT_EQ(Param().P.MaxInput, 1000);
  EXPECT_TRUE(sw->W().windowTitle().contains("VTX97"));
}

TEST_F(SelectionWindow, ColdJunctionTemperatureStartsFromTheSetAndRefusesOnce) {
  TParamSet set = Seeded(49, {9, 6, 2, 0}, 0, 400, 8);
  set.P.RoomT = 40;
  Start(49, &set);
  ModalDriver d;
  d.Then("Wybor", [](QDialog* w) { Click(w, "OKButt"); });
  d.Then("RoomF", [this](QDialog* w) {
    EXPECT_EQ(Text(w, "RoomtE"), "40.00");
    Type(w, "RoomtE", "abc");
    Click(w, "RoomtB");
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(Text(w, "RoomtE"), "40.00");
    EXPECT_EQ(sw->rec.messages.size(), 1u);
    Type(w, "RoomtE", "25,5");
    Click(w, "RoomtB");
  });
  Select(d);
  ASSERT_EQ(sw->rec.messages.size(), 1u);
  EXPECT_EQ(sw->rec.messages[0].text, "Wrong format!");
  EXPECT_EQ(Param().P.RoomT, 25.5);
  EXPECT_EQ(Param().P.MaxInput, 400);  // the same thermocouple keeps its range
}

// Every sensor of the catalogue, selected through the dialog at its full range and at a part of
// it typed into the range fields, gives 4 mA at the minimum and 20 mA at the maximum once written.
TEST_F(SelectionWindow, EveryCatalogueSensorWritesFourAndTwentyMilliampsAtItsRangeEnds) {
  struct Case {
    const char* button;
    const char* reference;  // the published thermocouple, or null for the transmitter's own model
    bool thermocouple;
  };
  const Case cases[] = {{"Pt100a", nullptr, false}, {"Pt100b", nullptr, false}, {"Ni100", nullptr, false},
                        {"Cu100", nullptr, false},  {"ThB", "B", true},         {"ThC", nullptr, true},
                        {"ThE", "E", true},         {"ThJ", "J", true},         {"ThK", "K", true},
                        {"ThN", "N", true},         {"ThR", "R", true},         {"ThS", "S", true},
                        {"ThT", "T", true}};
  Start(48);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    ModalDriver d;
    d.Then("Wybor", [&c](QDialog* w) {
      if (c.thermocouple) ClickTab(w, 1);
      Click(w, c.button);
      if (c.thermocouple && !Checked(w, "CJC")) Click(w, "CJC");
      if (c.thermocouple && Checked(w, "TempDiff")) Click(w, "TempDiff");
      Click(w, "OKButt");
    });
    Select(d);
    const int typ = Param().Code.Typ;
    // The simulated transmitter's own junction sits at 25 degrees C.
    const Terminals terminals = [&c, typ](double t) {
      if (!c.thermocouple) return Rtd(typ, t);
      if (c.reference) return ReferenceMv(c.reference, t) - ReferenceMv(c.reference, 25);
      return sensors::SensorSignal(sensors::SensorData(), typ, t) -
             sensors::SensorSignal(sensors::SensorData(), typ, 25);
    };
    WriteAndMeasure(terminals);
    const double lo = Param().P.MinInput, hi = Param().P.MaxInput;
    for (const auto& [a, b] : {std::pair{0.25, 0.6}, std::pair{0.5, 0.95}}) {
      // The maximum first: the parts move up, and each keeps the minimum span.
      sw->Child<QLineEdit>("MaxInputE")->setText(QString::number(std::round(lo + b * (hi - lo))));
      sw->W().MaxInputEExit();
      sw->Child<QLineEdit>("MinInputE")->setText(QString::number(std::round(lo + a * (hi - lo))));
      sw->W().MinInputEExit();
      ASSERT_EQ(Param().P.MinInput, std::round(lo + a * (hi - lo)));
      ASSERT_EQ(Param().P.MaxInput, std::round(lo + b * (hi - lo)));
      WriteAndMeasure(terminals);
    }
  }
  EXPECT_TRUE(sw->rec.messages.empty());
}

// A voltage input with a linear conversion: every bad entry of the conversion's fields is refused
// with a message and the field's previous text; the accepted conversion is written and measured.
TEST_F(SelectionWindow, VoltageConversionRefusesBadEntriesAndKeepsThePreviousValues) {
  struct Bad {
    const char* field;
    const char* typed;
    const char* message;
  };
  const Bad bad[] = {
      {"InMinE", "abc", "Wrong format!"},         {"InMinE", "1.5,2", "Wrong format!"},
      {"InMinE", "-", "Wrong format!"},           {"InMinE", "", "Wrong format!"},
      {"InMinE", "1e999", "Wrong format!"},       {"InMinE", "nan", "Wrong format!"},
      {"InMinE", "-12", "Minimum out of range!"}, {"InMaxE", "11.5", "Maximum out of range!"},
      {"InMaxE", "-2", "Values should rise"},     {"ResMaxE", "1e40", "Maximum out of range!"}};
  Start(60);
  std::vector<std::string> seen;
  ModalDriver d;
  d.Then("WyborIV", [](QDialog* w) {
    ClickTab(w, 0);
    Click(w, "W2");
    Click(w, "VLina");
    Click(w, "OKButt");
  });
  d.Then("LinaF", [this, &bad, &seen](QDialog* w) {
    Type(w, "InMinE", "0");
    Type(w, "InMaxE", "10");
    Type(w, "ResMinE", "0");
    Type(w, "ResMaxE", "100");
    for (const Bad& b : bad) {
      sw->rec.messages.clear();
      const QString before = Text(w, b.field);
      Type(w, b.field, b.typed);
      seen.push_back(std::string(b.typed) + ": " +
                     (sw->rec.messages.empty() ? "(none)" : sw->rec.messages[0].text.toStdString()) + " / " +
                     Text(w, b.field).toStdString());
      EXPECT_EQ(Text(w, b.field), before) << b.field << " " << b.typed;
    }
    Type(w, "ResMaxE", "100");
    Click(w, "TablOKB");
  });
  Select(d);
  for (std::size_t i = 0; i < seen.size(); ++i)
    EXPECT_EQ(seen[i].substr(0, seen[i].find(" / ")), std::string(bad[i].typed) + ": " + bad[i].message);
  EXPECT_EQ(Param().Code.Typ, 18);
  EXPECT_EQ(Param().Code.Lin, 4);
  EXPECT_EQ(Param().P.MinInput, 0);
  EXPECT_EQ(Param().P.MaxInput, 100);
  WriteAndMeasure([](double x) { return x / 10; });
}

// The table dialog refuses every bad file with its reason, offers no OK and keeps nothing of it;
// a good file after them is read, shown with its count, and taken on OK.
TEST_F(SelectionWindow, TableDialogRefusesBadFilesAndTakesTheGoodOneAfterThem) {
  testing::TempDir files;
  testing::ScriptedFileDialogs dialogs;
  const auto write = [&files](const char* name, const std::string& text) {
    std::ofstream(files.File(name), std::ios::binary) << text;
    return QString::fromStdString(files.File(name));
  };
  std::string rising, big(10 << 20, '1');
  for (int i = 0; i < 3500; ++i) rising += std::to_string(i) + " " + std::to_string(i * 0.04) + "\n";
  struct Bad {
    QString path;
    const char* reason;  // the start of the message
  };
  const Bad bad[] = {
      {write("empty.dat", ""), "Corrupted or wrong data file!"},
      {write("binary.dat", std::string("\x00\x01\xff\xfe\x00 7", 7)), "Corrupted or wrong data file!"},
      {write("big.dat", big), "Corrupted or wrong data file!"},
      {write("one.dat", "1\n2\n3\n"), "Corrupted or wrong data file!"},
      {write("nan.dat", "0 0\n10 nan\n20 10\n"), "Corrupted or wrong data file!"},
      {write("huge.dat", "0 0\n10 1e999\n"), "Corrupted or wrong data file!"},
      {write("narrow.dat", "0 0\n10 0.01\n"), "Input range too small!"}};
  const QString good = write("cr.dat", "0 0\r100 50\r250 100\r");
  const QString many = write("many.dat", rising);
  Start(48);
  std::vector<std::string> seen;
  ModalDriver d;
  d.Then("Wybor", [](QDialog* w) { Click(w, "MoreButt"); });
  d.Then("WyborRV", [](QDialog* w) {
    ClickTab(w, 0);
    Click(w, "VLin");
    Click(w, "OKButt");
  });
  d.Then("TablF", [&](QDialog* w) {
    // The file label's mnemonic leads to Open (without a buddy the label would show a bare "&").
    EXPECT_EQ(w->findChild<QLabel*>("InpFileT")->buddy(), w->findChild<QWidget*>("TablLoadB"));
    for (const Bad& b : bad) {
      sw->rec.messages.clear();
      dialogs.answers = {b.path};
      Click(w, "TablLoadB");
      seen.push_back(sw->rec.messages.empty() ? "(none)" : sw->rec.messages[0].text.toStdString());
      EXPECT_FALSE(Enabled(w, "TablOKB")) << b.path.toStdString();
      // A file that reads well but spans too little shows its ranges.
      EXPECT_EQ(Text(w, "InMinV").isEmpty(), b.reason[0] == 'C') << b.path.toStdString();
    }
    sw->rec.messages.clear();
    dialogs.answers = {many};
    Click(w, "TablLoadB");
    EXPECT_TRUE(Text(w, "PointsT").contains("3000")) << Text(w, "PointsT").toStdString();
    dialogs.answers = {good};
    Click(w, "TablLoadB");
    EXPECT_TRUE(sw->rec.messages.empty());
    EXPECT_EQ(Text(w, "InMaxV"), "100.000");
    EXPECT_TRUE(Text(w, "PointsT").contains("3")) << Text(w, "PointsT").toStdString();
    Click(w, "TablOKB");
  });
  Select(d);
  for (std::size_t i = 0; i < seen.size(); ++i)
    EXPECT_EQ(seen[i].substr(0, std::string(bad[i].reason).size()), bad[i].reason) << seen[i];
  EXPECT_EQ(Param().Code.Typ, 16);
  EXPECT_TRUE(Param().TableLoaded);
  EXPECT_EQ(Param().P.MinInput, 0);
  EXPECT_EQ(Param().P.MaxInput, 250);
  WriteAndMeasure([](double x) { return x < 100 ? x / 2 : 50 + (x - 100) / 3; });
}

// Two neighbouring points with the same signal make a step in the result; the table is taken and
// written, and the output follows it on both sides of the step.
TEST_F(SelectionWindow, TableWithAStepOfEqualSignalsIsWrittenWithoutBreakingTheCharacteristic) {
  testing::TempDir files;
  testing::ScriptedFileDialogs dialogs;
  std::ofstream(files.File("step.dat")) << "0 0\n10 5\n20 5\n30 10\n";
  dialogs.answers = {QString::fromStdString(files.File("step.dat"))};
  Start(48);
  ModalDriver d;
  d.Then("Wybor", [](QDialog* w) { Click(w, "MoreButt"); });
  d.Then("WyborRV", [](QDialog* w) {
    ClickTab(w, 0);
    Click(w, "VLin");
    Click(w, "OKButt");
  });
  d.Then("TablF", [](QDialog* w) {
    Click(w, "TablLoadB");
    EXPECT_TRUE(Enabled(w, "TablOKB"));
    Click(w, "TablOKB");
  });
  Select(d);
  ASSERT_TRUE(Param().TableLoaded);
  WriteAndMeasure([](double x) { return x < 10 ? x / 2 : x < 20 ? 5.0 : 5 + (x - 20) / 2; });
  EXPECT_NEAR(OutputAt(2.5), 4 + 16 * 5.0 / 30, 0.02);
  EXPECT_NEAR(OutputAt(7.5), 4 + 16 * 25.0 / 30, 0.02);
}

}  // namespace
}  // namespace vorta::app
