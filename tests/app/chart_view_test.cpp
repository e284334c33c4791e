// The chart view against the simulated transmitter: on, off and on again keeping its points, the
// plotting with its interval, start/stop and clear, the lamps, the filter lines and the read they
// need (also when it fails), the transmitter falling silent, and the window's texts.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <cmath>

#include "app/chart_view_rules.h"
#include "tests/support/chart_view_fixture.h"

namespace vorta::app {
namespace {

using ChartViewTest = testing::ChartViewFixture;

// Records every message box with whether the window's timer was running while it was up.
class TimerWatchingSink : public IMessageSink {
 public:
  explicit TimerWatchingSink(QTimer* timer) : timer_(timer) { old_ = SetMessageSink(this); }
  ~TimerWatchingSink() override { SetMessageSink(old_); }
  int Show(QWidget*, const QString& text, const QString&, int kind) override {
    texts.push_back(text);
    timerRunning.push_back(timer_->isActive());
    return (kind & 0x0F) == kButtonsYesNo ? kResultNo : kResultOk;
  }
  QStringList texts;
  std::vector<bool> timerRunning;

 private:
  QTimer* timer_;
  IMessageSink* old_ = nullptr;
};

TEST_F(ChartViewTest, ViewOnOffAndOnAgainKeepsItsPointsAndTimeBase) {
  sw.W().Wykres1Click();
  ASSERT_TRUE(sw.W().ChartViewOn());
  EXPECT_TRUE(Visible("WykresP1") && Visible("WykresP2"));
  EXPECT_FALSE(Visible("SensorG") || Visible("ParametryG") || Visible("Info"));
  EXPECT_FALSE(sw.W().statusBar()->isVisible());
  EXPECT_EQ(Timer()->interval(), 200);
  EXPECT_EQ(Action("Zapiszjako1")->text(), "&Keep results...");
  EXPECT_TRUE(Action("Zapiszjako1")->isEnabled());
  EXPECT_FALSE(sw.Child<QMenu>("Opcje1")->menuAction()->isEnabled());
  EXPECT_TRUE(Action("Wykres1")->isChecked());
  EXPECT_EQ(chart->ChartColor(), kChartInside);
  EXPECT_EQ(sw.Child<QPushButton>("WykresStartB")->text(), "Stop");
  EXPECT_EQ(Text("WykresTimeT"), "00:00:00");

  for (int i = 0; i < 4; ++i) Tick();  // the first sample at once, then one a second
  EXPECT_EQ(Points(), 4);
  EXPECT_EQ(Text("WykresTimeT"), "00:00:03");

  sw.W().Wykres1Click();
  EXPECT_FALSE(sw.W().ChartViewOn());
  EXPECT_FALSE(Visible("WykresP2"));
  EXPECT_TRUE(Visible("SensorG") && Visible("ParametryG") && Visible("Info"));
  EXPECT_TRUE(sw.W().statusBar()->isVisible());
  EXPECT_EQ(Timer()->interval(), 500);
  EXPECT_EQ(Action("Zapiszjako1")->text(), "Save as...");
  EXPECT_TRUE(sw.Child<QMenu>("Opcje1")->menuAction()->isEnabled());
  Tick(10);  // the normal view plots nothing
  EXPECT_EQ(Points(), 4);

  sw.W().Wykres1Click();
  EXPECT_EQ(Points(), 4);
  EXPECT_EQ(Text("WykresTimeT"), "00:00:03");  // the time base goes on
  Tick();
  EXPECT_EQ(Points(), 5);
  EXPECT_EQ(Text("WykresTimeT"), "00:00:14");
}

TEST_F(ChartViewTest, MonitorOnlyIsLeftFirstAndTheChartOrExitLeaveTheView) {
  sw.W().MonOnly1Click();
  sw.W().Wykres1Click();
  EXPECT_FALSE(Action("MonOnly1")->isChecked());
  EXPECT_TRUE(sw.W().ChartViewOn());
  QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(50, 50), QPointF(50, 50), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(chart, &dbl);
  EXPECT_FALSE(sw.W().ChartViewOn());
  Action("Wykres1T")->trigger();
  EXPECT_TRUE(sw.W().ChartViewOn());
  EXPECT_TRUE(Action("Wykres1T")->isChecked());
  sw.Child<QPushButton>("WykresExitB")->click();
  EXPECT_FALSE(sw.W().ChartViewOn());
  EXPECT_FALSE(Action("Wykres1T")->isChecked());
}

TEST_F(ChartViewTest, StopPausesTheSamplesButNotTheClockAndClearStartsAgain) {
  sw.W().Wykres1Click();
  Tick();
  Tick();
  sw.Child<QPushButton>("WykresStartB")->click();
  EXPECT_EQ(sw.Child<QPushButton>("WykresStartB")->text(), "Start");
  Tick();
  Tick();
  EXPECT_EQ(Points(), 2);
  EXPECT_EQ(Text("WykresTimeT"), "00:00:03");
  sw.Child<QPushButton>("WykresStartB")->click();
  Tick();
  EXPECT_EQ(Points(), 3);
  EXPECT_EQ(chart->Points().Point(2).Stamp - chart->Points().Point(0).Stamp, 4000);  // the same base
  sw.Child<QPushButton>("WykresClearB")->click();
  EXPECT_EQ(Points(), 0);
  EXPECT_EQ(Text("WykresTimeT"), "00:00:00");
  Tick(0.4);
  Tick(0.4);  // the interval runs afresh from the first sample
  EXPECT_EQ(Points(), 1);
  EXPECT_EQ(Text("WykresTimeT"), "00:00:00");
}

TEST_F(ChartViewTest, IntervalChartTypeAndLamps) {
  sw.W().Wykres1Click();
  auto* edit = sw.Child<QLineEdit>("WykresIntE");
  sw.W().WykresIntUDClick(true);
  EXPECT_EQ(edit->text(), "2");
  EXPECT_EQ(chart->Interval(), 2);
  for (int i = 0; i < 3; ++i) sw.W().WykresIntUDClick(false);
  EXPECT_EQ(edit->text(), "0");
  EXPECT_EQ(chart->Interval(), 0);
  for (int i = 0; i < 3; ++i) Tick(0.2);  // every measurement at an interval of 0
  EXPECT_EQ(Points(), 3);

  sw.Child<QRadioButton>("BarRB")->click();
  EXPECT_EQ(chart->ChartType(), charts::TChartType::ctBar);
  EXPECT_FALSE(sw.Child<QRadioButton>("LineRB")->isChecked());
  sw.Child<QRadioButton>("DotRB")->click();
  EXPECT_EQ(chart->ChartType(), charts::TChartType::ctScatter);

  Tick(0.2);
  const comm::TMeasurementStatus& s = comm::Comm().Status;
  EXPECT_EQ(sw.Child<QLabel>("NewAvLED")->property("color").toUInt(), NewAverageLamp(s.NewAverage));
  EXPECT_EQ(sw.Child<QLabel>("LargeErLED")->property("color").toUInt(), LargeErrorLamp(s.LargeError));
  EXPECT_EQ(chart->Points().Point(Points() - 1).Color, SampleColor(s.NewAverage, s.LargeError));
}

TEST_F(ChartViewTest, FilterLinesSurroundTheLatestValue) {
  sw.W().OdczytajTClick();
  ASSERT_TRUE(WindowFlags().ConfigRead);
  Param().P.FiltrZakres = 20;  // of a span of 100 mV: 2 mV
  Param().P.FiltrLimit = 5;    // 5 mV
  sw.W().Wykres1Click();
  for (const double level : {45.0, 55.0, 50.0}) {
    Settle(level);
    Tick();
  }
  chart->Picture();
  EXPECT_EQ(chart->Tag(), 1);  // unchecked: asked once, told it is finished
  sw.Child<QCheckBox>("ShowFilterCB")->click();
  chart->Picture();
  EXPECT_EQ(chart->Tag(), 4);
  const double y = chart->Points().Point(Points() - 1).Value;
  const int H = chart->Layout().H, W = chart->Layout().W;
  const auto row = [&](double v) {
    return H - static_cast<int>(std::lround((v - chart->MinY) * H / (chart->MaxY - chart->MinY)));
  };
  ASSERT_LT(chart->MinY, y - 2);
  ASSERT_GT(chart->MaxY, y + 2);
  EXPECT_EQ(chart->PlotPixel(W, row(y + 2)), kSampleAqua);
  EXPECT_EQ(chart->PlotPixel(W, row(y - 2)), kSampleAqua);
  // The red lines at y ± 5 where they lie on the scale.
  for (const double red : {y - 5, y + 5}) {
    if (red >= chart->MinY && red <= chart->MaxY) {
      EXPECT_EQ(chart->PlotPixel(W, row(red)), kSampleRed) << red;
    }
  }
}

TEST_F(ChartViewTest, FilterLimitsThatCannotBeReadAreSwitchedOffWithOneMessage) {
  sw.W().Wykres1Click();
  Tick();
  sw.Tx().SetKnob("wrong-address", "on");  // block reads fail, measurements go on
  TimerWatchingSink sink(Timer());
  auto* box = sw.Child<QCheckBox>("ShowFilterCB");
  box->setChecked(true);
  for (int i = 0; i < 3; ++i) Tick();
  EXPECT_EQ(sink.texts, QStringList{"Transmission unsuccessful!"});
  EXPECT_FALSE(box->isChecked());
  EXPECT_FALSE(WindowFlags().ConfigRead);
  EXPECT_FALSE(sw.W().statusBar()->isVisible());  // shown for the read only
  EXPECT_EQ(Points(), 4);

  sw.Tx().SetKnob("wrong-address", "off");
  sw.Tx().SetKnob("eeprom-error", "on");
  sw.Tick();
  box->setChecked(true);
  for (int i = 0; i < 3; ++i) Tick();
  EXPECT_EQ(sink.texts, (QStringList{"Transmission unsuccessful!", "EEPROM error!"}));
  EXPECT_FALSE(box->isChecked());
  for (const bool running : sink.timerRunning) EXPECT_FALSE(running);
}

TEST_F(ChartViewTest, AutomaticReadFromTheTickKeepsTheTimerStoppedUntilTheTickEnds) {
  sw.W().Wykres1Click();
  sw.W().Autoread1Click();
  sw.Tx().SetKnob("wrong-address", "on");
  TimerWatchingSink sink(Timer());
  Tick();
  ASSERT_EQ(sink.texts, (QStringList{"Transmission unsuccessful!", "Turn Autoread off?"}));
  EXPECT_EQ(sink.timerRunning, (std::vector<bool>{false, false}));
  EXPECT_TRUE(Timer()->isActive());  // started again at the end of the tick
  EXPECT_FALSE(sw.W().statusBar()->isVisible());
}

TEST_F(ChartViewTest, SilenceTakesNoSamplesAndTheChartGoesOnWhenTheLineReturns) {
  sw.W().Wykres1Click();
  Tick();
  Tick();
  sw.Tx().SetKnob("silent", "on");
  for (int i = 0; i < 31; ++i) {
    now += 0.2;
    sw.MissTick();
  }
  EXPECT_EQ(Points(), 2);
  EXPECT_EQ(Text("Wynikp"), "???        ");
  sw.Tx().SetKnob("silent", "off");
  ASSERT_TRUE(sw.TickUntilConnected());
  Tick();
  EXPECT_GE(Points(), 3);
  EXPECT_NE(Text("Wynikp"), "???        ");
}

TEST_F(ChartViewTest, ControlsShowTheirTextsAndHints) {
  EXPECT_EQ(sw.Child<QCheckBox>("ShowFilterCB")->text(), "Filter limits");
  EXPECT_EQ(sw.Child<QCheckBox>("ShowFilterCB")->toolTip(), "Show filter limits");
  EXPECT_EQ(sw.Child<QCheckBox>("StopScalingCB")->text(), "Stop scaling");
  EXPECT_EQ(Text("WykresIntT"), "Interval [s]:");
  EXPECT_EQ(Text("NewAvT"), "new average");
  EXPECT_EQ(Text("LargeErT"), "spurious error");
  EXPECT_EQ(sw.Child<QPushButton>("WykresExitB")->text(), "Exit");
  EXPECT_EQ(sw.Child<QPushButton>("WykresClearB")->text(), "Clear");
  EXPECT_EQ(sw.Child<QPushButton>("WykresClearB")->toolTip(), "Clear diagram");
  EXPECT_EQ(sw.Child<QLabel>("SavingI")->toolTip(), "Double-click to stop saving data");
  EXPECT_EQ(sw.Child<QWidget>("WykresIntUD")->toolTip(), "Preset plotting time interval");
}

}  // namespace
}  // namespace vorta::app
