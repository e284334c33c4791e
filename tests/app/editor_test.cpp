// The editors of the main window driven with keys against the simulated transmitter: validation on
// leaving a field or on Enter, the change marks, the filter values with their chained bounds, the
// up-down, the range format per sensor, the optimal filter and a Write stopped by a bad entry.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "app/param_set.h"
#include "app/ui/window_state.h"
#include "sensors/sensor_range.h"
#include "tests/support/sim_window.h"

namespace vorta::app {
namespace {

using testing::SimWindow;

// Pt100 in 3-wire connection, linearised, 0..100 degrees C, filtration range 1.0 %, time
// constant 2.0 s, threshold 2 %.
TParamSet Pt100Set() {
  TParamSet p;
  p.Code = {1, 3, 2, 0};
  p.P.MinInput = 0.0;
  p.P.MaxInput = 100.0;
  p.P.RoomT = 25.0;
  p.P.FiltrZakres = 10;
  p.P.FiltrCzas = 20;
  p.P.FiltrLimit = 2;
  p.P.Burnout = 0;
  p.P.Siec = 50;
  p.P.Jednostki = 8;
  p.kod = "TT-1";
  p.ogolne = "boiler";
  return p;
}

class EditorTest : public ::testing::Test {
 protected:
  // The window on a transmitter of the given model that holds the Pt100 set, read and shown.
  void Start(int model = 47) {
    sim::TSimConfig config;
    config.modelCode = model;
    sw = std::make_unique<SimWindow>(config);
    ASSERT_TRUE(sw->TickUntilConnected());
    ASSERT_TRUE(sw->Seed(Pt100Set()));
    sw->W().OdczytajTClick();
    ASSERT_EQ(sw->W().StatusText(), "Information complete");
    sw->W().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sw->W()));
    sw->rec.messages.clear();
    sw->rec.beeps.clear();
  }
  void TearDown() override {
    sw.reset();
    sensors::SensorRangeTable() = {};  // the user range some cases set
  }
  QLineEdit* E(const char* name) { return sw->Child<QLineEdit>(name); }
  static QString Look(QWidget* w) { return w->property("look").toString(); }

  // Focus into the field, its text cleared with keys, then text typed.
  void Type(QLineEdit* e, const QString& text) {
    e->setFocus();
    QApplication::processEvents();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, text);
  }
  // Focus to the tag field, which nothing validates; pending focus returns are carried out.
  void Leave() {
    E("KodE")->setFocus();
    QApplication::processEvents();
    QApplication::processEvents();
  }
  QStringList Texts() const {
    QStringList t;
    for (const auto& m : sw->rec.messages) t << m.text;
    return t;
  }

  std::unique_ptr<SimWindow> sw;
};

// Every rejected entry: exactly this message, the old value back in the field and the focus in it.
#define EXPECT_REJECTED(field_, text_, kind_, shown_)                            \
  do {                                                                           \
    ASSERT_EQ(sw->rec.messages.size(), 1u) << Texts().join(" | ").toStdString(); \
    EXPECT_EQ(sw->rec.messages[0].text, text_);                                  \
    EXPECT_EQ(sw->rec.messages[0].kind, kind_);                                  \
    EXPECT_EQ(sw->rec.messages[0].caption, "Velmora");                           \
    EXPECT_TRUE(WindowFlags().EditError);                                        \
    EXPECT_EQ((field_)->text(), shown_);                                         \
    EXPECT_EQ(QApplication::focusWidget(), (field_));                            \
    sw->rec.messages.clear();                                                    \
    sw->rec.beeps.clear();                                                       \
  } while (0)

TEST_F(EditorTest, RangeFieldsRejectBadEntriesAndPutTheOldValueBack) {
  ASSERT_NO_FATAL_FAILURE(Start());
  QLineEdit* min = E("MinInputE");
  QLineEdit* max = E("MaxInputE");
  ASSERT_EQ(min->text(), "0.0");  // Pt100 limits reach 850: one decimal
  ASSERT_EQ(max->text(), "100.0");
  // Texts that are no number, leaving by focus; "nan" never gets past the accepted keys.
  for (const QString typed : {"", "-", "1e999", "1.5.2", "1,5,2", "nan", "e5"}) {
    Type(min, typed);
    Leave();
    SCOPED_TRACE(typed.toStdString());
    EXPECT_REJECTED(min, "Wrong format!", kIconError, "0.0");
    EXPECT_EQ(Param().P.MinInput, 0.0);
  }
  // Beyond the Pt100 limits -100..850; eight digits are cut to the capacity of seven.
  Type(min, "-100.1");
  QTest::keyClick(min, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_REJECTED(min, "Minimum out of range!", kIconWarning, "0.0");
  Type(max, "12345678");
  EXPECT_EQ(max->text(), "1234567");
  Leave();
  EXPECT_REJECTED(max, "Maximum out of range!", kIconWarning, "100.0");
  EXPECT_EQ(Param().P.MaxInput, 100.0);
  // Ends in the wrong order, then a span below the 12 Ohm a resistance thermometer needs
  // (95..100 degrees C is about 1.9 Ohm), which beeps.
  Type(min, "200");
  Leave();
  EXPECT_REJECTED(min, "Maximum has to be higher than minimum!", kIconWarning, "0.0");
  Type(min, "95");
  Leave();
  ASSERT_EQ(sw->rec.beeps.size(), 1u);
  EXPECT_REJECTED(min, "Input range too small!", kIconWarning, "0.0");
  EXPECT_EQ(Param().P.MinInput, 0.0);
  // Both separators give the same value, shown in the canonical form.
  Type(min, "12,5");
  Leave();
  EXPECT_TRUE(sw->rec.messages.empty());
  EXPECT_FALSE(WindowFlags().EditError);
  EXPECT_EQ(Param().P.MinInput, 12.5);
  EXPECT_EQ(min->text(), "12.5");
  Type(max, "87.96");
  QTest::keyClick(max, Qt::Key_Tab);
  EXPECT_EQ(Param().P.MaxInput, 87.96);
  EXPECT_EQ(max->text(), "88.0");
  Type(min, "-5e1");
  Leave();
  EXPECT_EQ(Param().P.MinInput, -50.0);
  EXPECT_EQ(min->text(), "-50.0");
  EXPECT_TRUE(sw->rec.messages.empty());
  // Without parameters the range fields are disabled and empty: leaving one checks nothing.
  sw->W().odnowa();
  sw->W().MinInputEExit();
  sw->W().MaxInputEExit();
  EXPECT_TRUE(sw->rec.messages.empty());
  EXPECT_FALSE(WindowFlags().EditError);
}

TEST_F(EditorTest, OnlyAChangedFieldTurnsAqua) {
  ASSERT_NO_FATAL_FAILURE(Start());
  for (const char* f :
       {"MinInputE", "MaxInputE", "FiltrZakresE", "FiltrCzasE", "FiltrLimitE", "KodE", "OgolneE"})
    ASSERT_EQ(Look(E(f)), "white") << f;
  E("MinInputE")->setFocus();  // validated without a change: rewritten, not marked
  QTest::keyClick(E("MinInputE"), Qt::Key_Return);
  Leave();
  EXPECT_EQ(Look(E("MinInputE")), "white");
  Type(E("MaxInputE"), "150");
  QTest::keyClick(E("MaxInputE"), Qt::Key_Return);
  EXPECT_EQ(Look(E("MaxInputE")), "aqua");
  EXPECT_EQ(E("MaxInputE")->text(), "150.0");
  Type(E("OgolneE"), QString(70, 'x'));  // cut to the capacity of 64
  EXPECT_EQ(Param().ogolne, std::string(64, 'x'));
  EXPECT_EQ(Look(E("OgolneE")), "aqua");
  auto* burnout = sw->Child<QComboBox>("BurnoutE");
  burnout->setFocus();
  QTest::keyClick(burnout, Qt::Key_Down);
  QTest::keyClick(burnout, Qt::Key_Down);
  EXPECT_EQ(Param().P.Burnout, 2);
  EXPECT_EQ(sw->Child<QLabel>("Reakcja")->text(), "Output locked !");
  EXPECT_EQ(Look(burnout), "aqua");
  for (const char* f : {"MinInputE", "FiltrZakresE", "FiltrCzasE", "FiltrLimitE", "KodE"})
    EXPECT_EQ(Look(E(f)), "white") << f;
  EXPECT_EQ(Look(sw->Child<QComboBox>("SiecE")), "white");
  EXPECT_TRUE(sw->rec.messages.empty());
}

TEST_F(EditorTest, FilterValuesKeepTheirBoundsAndTheThresholdFollowsTheRange) {
  ASSERT_NO_FATAL_FAILURE(Start());  // model 47: 0.2 s per device count, at most 50.0 s
  QLineEdit* zakres = E("FiltrZakresE");
  QLineEdit* czas = E("FiltrCzasE");
  QLineEdit* limit = E("FiltrLimitE");
  ASSERT_EQ(zakres->text(), "1.0");
  ASSERT_EQ(czas->text(), "2.0");
  ASSERT_EQ(limit->text(), "2");
  Type(zakres, "25.0");
  Leave();
  EXPECT_EQ(Param().P.FiltrZakres, 250);
  EXPECT_EQ(limit->text(), "50");  // at least 25.0 x 0.2, checked at once
  EXPECT_EQ(Param().P.FiltrLimit, 50);
  Type(zakres, "25,1");
  Leave();
  ASSERT_EQ(sw->rec.beeps.size(), 1u);
  EXPECT_REJECTED(zakres, "Out of range!", kIconWarning, "25.0");
  for (const QString typed : {"", ".", "1.2.3"}) {
    Type(zakres, typed);
    Leave();
    SCOPED_TRACE(typed.toStdString());
    EXPECT_REJECTED(zakres, "Wrong format!", kIconError, "25.0");
  }
  Type(zakres, "10");
  QTest::keyClick(zakres, Qt::Key_Return);
  EXPECT_EQ(Param().P.FiltrZakres, 100);
  EXPECT_EQ(Param().P.FiltrLimit, 50);  // still above 10.0 x 0.2
  EXPECT_EQ(zakres->text(), "10.0");
  // The threshold: below 20 it becomes 20, 0 switches it off, 100 is the most.
  Type(limit, "5");
  Leave();
  EXPECT_EQ(Param().P.FiltrLimit, 20);
  EXPECT_EQ(limit->text(), "20");
  Type(limit, "0");
  Leave();
  EXPECT_EQ(Param().P.FiltrLimit, 0);
  Type(limit, "101");  // each key stores the value clamped to 0..100; leaving refuses 101
  Leave();
  EXPECT_REJECTED(limit, "Out of range!", kIconWarning, "100");
  Type(limit, "1.5");  // only digits get in
  EXPECT_EQ(limit->text(), "15");
  Type(limit, "");
  Leave();
  EXPECT_REJECTED(limit, "Wrong format!", kIconError, "15");
  // The time constant: at most 50.0 s, always a whole number of 0.2 s counts (halves to even).
  Type(czas, "50.1");
  Leave();
  EXPECT_REJECTED(czas, "Out of range!", kIconWarning, "2.0");
  for (const auto& [typed, tenths] :
       {std::pair{"5.1", 52}, {"5,3", 52}, {"5.5", 56}, {"50", 500}, {"0.1", 0}}) {
    Type(czas, typed);
    Leave();
    EXPECT_EQ(Param().P.FiltrCzas, tenths) << typed;
    EXPECT_EQ(czas->text(), QString::number(tenths / 10) + "." + QString::number(tenths % 10)) << typed;
  }
  EXPECT_TRUE(sw->rec.messages.empty());
  for (QLineEdit* e : {zakres, czas, limit}) EXPECT_EQ(Look(e), "aqua") << e->objectName().toStdString();
}

TEST_F(EditorTest, TimeConstantOfAModelWithShortCounts) {
  ASSERT_NO_FATAL_FAILURE(Start(38));  // 0.09 s per count, at most 22.5 s
  EXPECT_EQ(sw->Child<QLabel>("FiltrCzasTxt")->text(), "Time constant (0-22s)");
  QLineEdit* czas = E("FiltrCzasE");
  for (const auto& [typed, tenths] : {std::pair{"5.0", 50}, {"5.1", 51}, {"0.1", 1}, {"22.5", 225}}) {
    Type(czas, typed);
    QTest::keyClick(czas, Qt::Key_Return);
    EXPECT_EQ(Param().P.FiltrCzas, tenths) << typed;
  }
  EXPECT_EQ(czas->text(), "22.5");
  Type(czas, "22.6");
  Leave();
  EXPECT_REJECTED(czas, "Out of range!", kIconWarning, "22.5");
}

TEST_F(EditorTest, UpDownJumpsOverTheThresholdsBelowTheRange) {
  ASSERT_NO_FATAL_FAILURE(Start());
  Type(E("FiltrZakresE"), "10");
  Type(E("FiltrLimitE"), "0");
  Leave();
  ASSERT_EQ(Param().P.FiltrLimit, 0);
  auto* up = sw->Child<QToolButton>("FiltrLimitUp");
  auto* down = sw->Child<QToolButton>("FiltrLimitDown");
  const auto click = [&](QToolButton* b, int expected) {
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(Param().P.FiltrLimit, expected);
    EXPECT_EQ(E("FiltrLimitE")->text(), QString::number(expected));
    EXPECT_EQ(QApplication::focusWidget(), E("FiltrLimitE"));
  };
  click(up, 20);  // 1 is below 10.0 x 0.2: straight to 20
  click(up, 21);
  click(down, 20);
  click(down, 0);  // 19 is below 20: off
  click(down, 0);
  Type(E("FiltrLimitE"), "100");
  click(up, 100);
  EXPECT_TRUE(sw->rec.messages.empty());
}

TEST_F(EditorTest, RangeTextAndLimitsFollowTheSensorsLimits) {
  ASSERT_NO_FATAL_FAILURE(Start());
  struct Case {
    std::uint8_t typ, tryb;
    const char* typed;
    const char* shown;
    const char* absMin;
    const char* absMax;
  };
  // Decimals from the larger limit: 0 from 1000, 1 from 100, 2 from 10, else 3; the value is
  // rounded to one decimal more first.
  const Case cases[] = {
      {1, 3, "12.345", "12.3", "-100.0 ..", ".. 850.0"},    // Pt100 -100..850
      {5, 2, "7,96", "8.0", "0.0 ..", ".. 400.0"},          // resistance 0..400 Ohm
      {10, 7, "12.7", "13", "-150 ..", ".. 1370"},          // thermocouple K
      {6, 7, "99.96", "100", "  0 ..", ".. 1820"},          // thermocouple B from 0: three wide
      {16, 5, "-9.9996", "-10.0", "-10.0 ..", ".. 150.0"},  // millivolts
      {17, 5, "4.0061", "4.01", "-22.00 ..", ".. 22.00"},   // milliamperes
      {18, 5, "1.006", "1.01", "-11.00 ..", ".. 11.00"},    // volts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Param().Code = {c.typ, c.tryb, 1, 0};
    Param().P.MinInput = sensors::SensorRangeTable().Lo(c.typ);
    Param().P.MaxInput = sensors::SensorRangeTable().Hi(c.typ);
    sw->W().pokaz(2);
    EXPECT_EQ(sw->Child<QLabel>("AbsMinE")->text(), c.absMin);
    EXPECT_EQ(sw->Child<QLabel>("AbsMaxE")->text(), c.absMax);
    Type(E("MinInputE"), c.typed);
    Leave();
    EXPECT_TRUE(sw->rec.messages.empty()) << Texts().join(" | ").toStdString();
    EXPECT_EQ(E("MinInputE")->text(), c.shown);
  }
  // A user conversion with limits within 10 shows three decimals.
  Param().Code = {16, 5, 4, 0};
  Param().LinCoef[9] = 0.0;
  Param().LinCoef[10] = 5.0;
  sensors::SensorRangeTable().SetUserRangeRounded(0.0, 5.0);
  Param().P.MinInput = 0.0;
  Param().P.MaxInput = 5.0;
  sw->W().pokaz(2);
  EXPECT_EQ(sw->Child<QLabel>("AbsMaxE")->text(), ".. 5.000");
  Type(E("MaxInputE"), "4.12345");
  Leave();
  EXPECT_EQ(E("MaxInputE")->text(), "4.123");
}

TEST_F(EditorTest, OptimalFilterForOneTypeOfEachGroup) {
  ASSERT_NO_FATAL_FAILURE(Start());
  struct Case {
    std::uint8_t typ, tryb, lin;
    double lo, hi;
    const char* zakres;
    const char* czas;
  };
  // x = signal span / full signal range of the group (x 0.4 up to type 5); below 0.11 (0.364 for
  // current and voltage) range = round(0.1 / x) (0.364 / x), time = round(10 / sqrt(x)).
  const Case cases[] = {
      {1, 3, 2, 0, 100, "0.1", "3.4"},      // Pt100: 38.51 Ohm / 180 x 0.4 = 0.0856
      {1, 3, 2, 0, 850, "0.1", "2.0"},      // 290 Ohm: the defaults
      {10, 7, 2, 0, 100, "0.2", "4.6"},     // K: 4.096 mV / 86 = 0.0476
      {16, 5, 1, 0, 10, "0.2", "4.0"},      // millivolts: 10 / 160 = 0.0625
      {17, 5, 1, 0, 5, "0.3", "3.0"},       // milliamperes: 5 / 44 = 0.114
      {18, 5, 1, 0, 0.5, "1.6", "6.6"},     // volts: 0.5 / 22 = 0.0227
      {18, 5, 1, 0, 0.04, "25.0", "22.0"},  // 0.04 / 22 below 0.00207: the largest filter
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << int(c.typ) << " " << c.hi);
    Param().Code = {c.typ, c.tryb, c.lin, 0};
    Param().P.MinInput = c.lo;
    Param().P.MaxInput = c.hi;
    sw->W().pokaz(2);
    QTest::mouseClick(sw->Child<QPushButton>("FiltrDobierz"), Qt::LeftButton);
    EXPECT_EQ(E("FiltrZakresE")->text(), c.zakres);
    EXPECT_EQ(E("FiltrCzasE")->text(), c.czas);
    EXPECT_EQ(Look(E("FiltrZakresE")), "aqua");
    EXPECT_EQ(Look(E("FiltrCzasE")), "aqua");
    EXPECT_EQ(Param().P.FiltrLimit, 2);  // the threshold is left alone
  }
  EXPECT_TRUE(sw->rec.messages.empty());
}

TEST_F(EditorTest, WriteIsStoppedByABadEntryInTheFieldBeingEdited) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::vector<std::uint8_t> before = sw->WrittenAreas();
  const QString date = sw->Child<QLabel>("DataE")->text();
  const struct {
    const char* field;
    const char* typed;
    const char* message;
  } cases[] = {{"MinInputE", "-", "Wrong format!"},
               {"MaxInputE", "900", "Maximum out of range!"},
               {"FiltrZakresE", "30", "Out of range!"},
               {"FiltrCzasE", "", "Wrong format!"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    Type(E(c.field), c.typed);  // still in the field when Write is pressed
    sw->W().ZapiszTClick();
    QApplication::processEvents();
    ASSERT_EQ(Texts(), QStringList{c.message});
    EXPECT_TRUE(WindowFlags().EditError);
    EXPECT_EQ(QApplication::focusWidget(), E(c.field));
    EXPECT_EQ(sw->WrittenAreas(), before);
    EXPECT_EQ(sw->Child<QLabel>("DataE")->text(), date);
    EXPECT_EQ(sw->W().StatusText(), "Information complete");
    sw->rec.messages.clear();
  }
}

TEST_F(EditorTest, ReadChangeWriteAndVerify) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::vector<std::uint8_t> before = sw->WrittenAreas();
  Type(E("MaxInputE"), "150");
  QTest::keyClick(E("MaxInputE"), Qt::Key_Return);
  Type(E("FiltrZakresE"), "2,5");
  QTest::keyClick(E("FiltrZakresE"), Qt::Key_Tab);
  EXPECT_EQ(Param().P.FiltrLimit, 5);  // the threshold 2 rises to 25 x 0.2
  EXPECT_EQ(Look(E("MaxInputE")), "aqua");
  EXPECT_EQ(Look(E("FiltrZakresE")), "aqua");
  EXPECT_EQ(Look(E("MinInputE")), "white");
  sw->W().ZapiszTClick();
  EXPECT_EQ(sw->W().StatusText(), "Transmitter programmed");
  EXPECT_TRUE(WindowFlags().Written);
  for (const char* f : {"MaxInputE", "FiltrZakresE"}) EXPECT_EQ(Look(E(f)), "white") << f;
  EXPECT_NE(sw->WrittenAreas(), before);
  sw->W().Weryfikuj1Click();
  EXPECT_EQ(sw->W().StatusText(), "Verification successful");
  // What the transmitter now holds reads back as typed.
  Param().P.MaxInput = 0;
  sw->W().OdczytajTClick();
  EXPECT_EQ(Param().P.MaxInput, 150.0);
  EXPECT_EQ(E("MaxInputE")->text(), "150.0");
  EXPECT_EQ(Param().P.FiltrZakres, 25);
  EXPECT_EQ(Param().P.FiltrLimit, 5);
  EXPECT_TRUE(sw->rec.messages.empty()) << Texts().join(" | ").toStdString();
}

}  // namespace
}  // namespace vorta::app
