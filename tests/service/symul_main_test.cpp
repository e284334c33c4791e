// The simulation opened from the main window's menu against the simulated transmitter: its figures
// against what the transmitter measures for the same signal, a visit that leaves the parameter set
// and the record as they were, and the checks and encoder failures that keep it closed.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

#include "docs/par_file.h"
#include "service/ui/symul_window.h"
#include "sim/sim_measure.h"
#include "tests/support/sim_window.h"

namespace vorta::app {
namespace {

using testing::SimWindow;

// Type K with the transmitter's own cold-junction compensation, 0..500 C, no filter, no corrections.
TParamSet KSet() {
  TParamSet p;
  p.Device = "VTX47";
  p.Code = {10, 7, 2, 0};
  p.P.MinInput = 0;
  p.P.MaxInput = 500;
  p.P.Jednostki = 8;
  p.P.Siec = 50;
  return p;
}

void Type(service::TSymulF& f, const char* edit, const char* text) {
  auto* e = f.findChild<QLineEdit*>(edit);
  ASSERT_NE(e, nullptr) << edit;
  e->selectAll();
  QTest::keyClicks(e, text);
  QTest::keyClick(e, Qt::Key_Return);
}

// Every value a parameter file keeps, as its lines.
std::vector<std::string> Listing(const TParamSet& p) {
  docs::TLineBuffer lines;
  docs::ComposeParFile(p, lines, '.');
  return lines.Lines();
}

QString Text(service::TSymulF& f, const char* name) {
  if (auto* e = f.findChild<QLineEdit*>(name)) return e->text();
  return f.findChild<QLabel*>(name)->text();
}

class SymulMainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sw.Seed(KSet()));
    ASSERT_TRUE(sw.TickUntilConnected());
    sw.W().OdczytajTClick();
    ASSERT_TRUE(WindowFlags().ConfigRead);
  }
  // Chooses Simulation from the menu and runs visit on the window that opens, then closes it.
  // False when no window opened.
  bool Visit(const std::function<void(service::TSymulF&)>& visit) {
    bool opened = false;
    QTimer t;
    t.setSingleShot(true);
    QObject::connect(&t, &QTimer::timeout, [&] {
      auto* f = qobject_cast<service::TSymulF*>(QApplication::activeModalWidget());
      if (!f) return;
      opened = true;
      visit(*f);
      f->reject();
    });
    t.start(0);
    sw.Child<QAction>("Symulacja1")->trigger();
    return opened;
  }
  std::vector<QString> Messages() const {
    std::vector<QString> m;
    for (const auto& r : sw.rec.messages) m.push_back(r.text);
    return m;
  }
  // What the transmitter makes of the signal of the measuring junction (the simulation's signal):
  // its terminals see that less the junction at the transmitter's own temperature.
  sim::TRegisters Measure(double signal) {
    sw.Tx().SetLevel(signal -
                     sim::ColdJunctionSignal(sw.Tx().Memory(), sw.Tx().Signal().internalTemperature));
    sw.Line().Advance(1000);
    return sw.Tx().Measure(sw.Line().NowMs());
  }

  SimWindow sw;
};

TEST_F(SymulMainTest, FiguresAgreeWithWhatTheTransmitterMeasuresForTheSameSignal) {
  QString result, current, input, resultAt12;
  ASSERT_TRUE(Visit([&](service::TSymulF& f) {
    Type(f, "InputE", "37.5");
    result = Text(f, "ResultP");
    current = Text(f, "OutputE");
    Type(f, "OutputE", "12");
    input = Text(f, "InputE");
    resultAt12 = Text(f, "ResultP");
  }));
  EXPECT_TRUE(sw.rec.messages.empty());
  // The signal range as the read record holds it.
  const double low = Param().P.ResultLow, span = Param().P.ResultHigh - low;
  ASSERT_GT(span, 20);
  sim::TRegisters r = Measure(low + span * 0.375);
  EXPECT_NEAR(result.toDouble(), r.result, 0.06);  // shown with one decimal
  EXPECT_NEAR(current.toDouble(), sim::OutputCurrent(r.fraction), 0.006);
  // The input shown for 12 mA (two decimals of a percent) gives the transmitter 12 mA.
  r = Measure(low + span * input.toDouble() / 100);
  EXPECT_NEAR(sim::OutputCurrent(r.fraction), 12.0, 0.002);
  EXPECT_NEAR(resultAt12.toDouble(), 250.0, 0.06);
  EXPECT_NEAR(r.result, 250.0, 0.06);
}

TEST_F(SymulMainTest, VisitLeavesTheParameterSetAndTheRecordAsTheyWere) {
  const TParamSet before = Param();
  const comm::TDeviceRecord record = comm::DeviceRecord();
  const std::vector<std::string> listing = Listing(before);
  ASSERT_TRUE(Visit([](service::TSymulF& f) { Type(f, "InputE", "60"); }));
  const TParamSet& now = Param();
  EXPECT_EQ(now.P.ResultLow, before.P.ResultLow);
  EXPECT_EQ(now.P.ResultHigh, before.P.ResultHigh);
  EXPECT_EQ(now.P.MinInput, before.P.MinInput);
  EXPECT_EQ(now.P.MaxInput, before.P.MaxInput);
  EXPECT_EQ(now.data, before.data);
  EXPECT_EQ(now.FilterCount, before.FilterCount);
  EXPECT_EQ(now.LinCoef, before.LinCoef);
  EXPECT_EQ(Listing(now), listing);
  EXPECT_TRUE(comm::DeviceRecord() == record);
  // Write, look, verify: the verification compares with what was written.
  sw.W().ZapiszTClick();
  ASSERT_EQ(sw.W().StatusText(), "Transmitter programmed");
  ASSERT_TRUE(Visit([](service::TSymulF& f) { Type(f, "OutputE", "8"); }));
  sw.W().Weryfikuj1Click();
  EXPECT_EQ(sw.W().StatusText(), "Verification successful");
  EXPECT_TRUE(sw.rec.messages.empty());
}

TEST_F(SymulMainTest, NoParametersOrAFailingEncoderKeepTheWindowClosedWithTheReason) {
  WindowFlags().Shown = false;
  EXPECT_FALSE(Visit([](service::TSymulF&) {}));
  EXPECT_EQ(Messages(), std::vector<QString>{"Information incomplete!"});
  EXPECT_EQ(sw.rec.messages[0].kind, kIconWarning);
  WindowFlags().Shown = true;
  Param().P.MaxInput = Param().P.MinInput;  // no signal span
  EXPECT_FALSE(Visit([](service::TSymulF&) {}));
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[1], "Input range too small!");
  EXPECT_EQ(sw.rec.messages[1].kind, kIconError);
}

}  // namespace
}  // namespace vorta::app
