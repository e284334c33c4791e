// The main window in its chart view against the in-process simulated transmitter, with the chart on
// a clock of the test's own: each tick takes a fresh measurement and moves the clock on, so the
// sampling interval and the elapsed times are exact.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QTimer>
#include <cmath>

#include "charts/ui/xy_chart.h"
#include "tests/support/sim_window.h"

namespace vorta::testing {

class ChartViewFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    sw.Tx().SetSignalValue("noise", "0");
    sw.Tx().SetSignalValue("drift", "0");
    ASSERT_TRUE(sw.TickUntilConnected());
    chart = sw.Child<charts::TXYChart>("XYChart1");
    chart->SetClock([this] { return now; });
    chart->ClearData();
  }
  // A tick with a new measurement, seconds later on the chart clock.
  void Tick(double seconds = 1.0) {
    now += seconds;
    ASSERT_TRUE(sw.Tick());
  }
  // Sets the signal and waits, without moving the chart clock, until the result panel shows it.
  void Settle(double level) {
    sw.Tx().SetLevel(level);
    for (int i = 0;
         i < 200 && std::fabs(Text("Wynikp").simplified().section(' ', 0, 0).toDouble() - level) > 0.02; ++i)
      sw.Tick();
  }
  int Points() const { return chart->Points().Count(); }
  QString Text(const char* label) { return sw.Child<QLabel>(label)->text(); }
  bool Visible(const char* name) { return sw.Child<QWidget>(name)->isVisible(); }
  QAction* Action(const char* name) { return sw.Child<QAction>(name); }
  QTimer* Timer() { return sw.Child<QTimer>("Timer1"); }

  SimWindow sw;
  charts::TXYChart* chart = nullptr;
  double now = 500;
};

}  // namespace vorta::testing
