// The simulation window offscreen on characteristics computed for a Pt100, a millivolt input and
// current tables: what it opens with, typed entries in both edits with their refusals, the scroll
// bars, the bipolar plot of a symmetric signal range, the click on the plot, a drag across it, and
// the sensor's own curve beside the result.
#include "service/ui/symul_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/ui/window_state.h"
#include "charts/ui/wykres_xy.h"
#include "tests/support/message_recorder.h"

namespace vorta::service {
namespace {

class SymulWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { app::WindowFlags().Deactivated = false; }
  void Open(app::TSensorCode code, double lo, double hi, int units,
            const std::vector<sensors::TTablePoint>& rows = {}) {
    p.Code = code;
    p.P.MinInput = lo;
    p.P.MaxInput = hi;
    p.P.Jednostki = units;
    for (std::size_t i = 0; i < rows.size(); ++i) (*table)[static_cast<int>(i) + 1] = rows[i];
    table->SetCount(static_cast<int>(rows.size()));
    p.TableLoaded = !rows.empty();
    const TResult r = sensors::ComputeCharacteristic({p, *table, ranges}, c);
    ASSERT_TRUE(r.ok) << r.key;
    w = std::make_unique<TSymulF>(nullptr, p, c, *table, ranges);
    w->show();
  }
  void OpenPt100(int lin = 2) { Open({1, 3, static_cast<std::uint8_t>(lin), 0}, 0, 100, 8); }
  template <typename T>
  T* Child(const char* name) {
    T* t = w->findChild<T*>(name);
    EXPECT_NE(t, nullptr) << name;
    return t;
  }
  QString Text(const char* name) {
    if (auto* e = w->findChild<QLineEdit*>(name)) return e->text();
    return Child<QLabel>(name)->text();
  }
  int Bar(const char* name) { return Child<QScrollBar>(name)->value(); }
  // Replaces the edit's text by typing, then presses key.
  void Type(const char* edit, const char* text, Qt::Key key = Qt::Key_Return) {
    auto* e = Child<QLineEdit>(edit);
    e->selectAll();
    QTest::keyClicks(e, text);
    if (key != Qt::Key_unknown) QTest::keyClick(e, key);
  }
  void Mouse(QEvent::Type type, QPoint at) {
    charts::TWykresXY* plot = Child<charts::TWykresXY>("WykresXY1");
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, at, plot->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(plot, &e);
  }
  std::vector<QString> Messages() const {
    std::vector<QString> m;
    for (const auto& r : rec.messages) m.push_back(r.text);
    return m;
  }

  app::TParamSet p;
  std::unique_ptr<sensors::TUserTable> table = std::make_unique<sensors::TUserTable>();
  sensors::TSensorRangeTable ranges;
  sensors::TCharacteristic c;
  testing::MessageRecorder rec;
  std::unique_ptr<TSymulF> w;
};

TEST_F(SymulWindowTest, OpensAtZeroPercentWithItsCaptionsUnitsAndCrossHairs) {
  OpenPt100();
  EXPECT_EQ(w->windowTitle(), "Simulation");
  EXPECT_EQ(Child<QGroupBox>("InputGB")->title(), " Input ");
  EXPECT_EQ(Child<QGroupBox>("ResultGB")->title(), " Result ");
  EXPECT_EQ(Child<QGroupBox>("OutputGB")->title(), " Output ");
  EXPECT_EQ(Text("InputE"), "0.00");
  EXPECT_EQ(Text("Input1T"), "(100.0 Ohm)");
  EXPECT_EQ(Text("ResultP"), "0.0");
  EXPECT_EQ(Text("ResultJT"), QString::fromUtf8("°C"));
  EXPECT_EQ(Text("OutputE"), "4.00");
  EXPECT_EQ(Text("OutputJT"), "mA");
  EXPECT_EQ(Bar("InputS"), 200);
  EXPECT_EQ(Bar("OutputS"), 160);
  EXPECT_EQ(Child<QWidget>("OutputE")->toolTip(), "Set the output current");
  auto* plot = Child<charts::TWykresXY>("WykresXY1");
  EXPECT_FALSE(plot->Bipolar());
  EXPECT_TRUE(plot->CrossHairs());
  EXPECT_EQ(plot->CrossHairPosition().at, (charts::TPixel{7, 252}));  // 0 %, 0 % on 260 pixels
  const QImage painted = plot->grab().toImage();
  int yellow = 0;
  for (int x = 0; x < painted.width(); ++x)
    for (int y = 0; y < painted.height(); ++y) yellow += painted.pixel(x, y) == 0xFFFFFF00;
  EXPECT_GT(yellow, 150);  // the 201 breakpoints, a few sharing a pixel or under the cross hairs
  EXPECT_FALSE(Child<QTimer>("Timer1")->isActive());
  EXPECT_FALSE(Child<QTimer>("Timer2")->isActive());
}

TEST_F(SymulWindowTest, TypedInputWithADecimalCommaIsTakenOnEnterOrAfterThePause) {
  OpenPt100();
  Type("InputE", "50,5");
  EXPECT_EQ(Text("InputE"), "50.50");
  EXPECT_EQ(Text("Input1T"), "(119.4 Ohm)");
  EXPECT_EQ(Text("ResultP"), "50.1");  // the Pt100 at 119.445 Ohm
  EXPECT_EQ(Bar("InputS"), 99);
  EXPECT_EQ(Bar("OutputS"), 80);
  EXPECT_FALSE(Child<QTimer>("Timer1")->isActive());
  Type("InputE", "25", Qt::Key_unknown);
  EXPECT_TRUE(Child<QTimer>("Timer1")->isActive());
  EXPECT_EQ(Text("ResultP"), "50.1");  // nothing taken yet
  w->Timer1Timer();
  EXPECT_FALSE(Child<QTimer>("Timer1")->isActive());
  EXPECT_EQ(Text("InputE"), "25.00");
  EXPECT_EQ(Bar("InputS"), 150);
  Type("InputE", "75", Qt::Key_Enter);
  EXPECT_EQ(Text("InputE"), "75.00");
  EXPECT_TRUE(rec.messages.empty());
}

TEST_F(SymulWindowTest, RefusedEntriesAreReportedAndThePreviousValueComesBack) {
  OpenPt100();
  Type("InputE", "150");
  Type("InputE", "abc");
  Type("OutputE", "25");
  Type("OutputE", "3,99");
  EXPECT_EQ(Messages(),
            (std::vector<QString>{"Out of range!", "Wrong format!", "Out of range!", "Out of range!"}));
  EXPECT_EQ(rec.messages[0].kind, app::kIconError);
  EXPECT_EQ(rec.messages[1].kind, app::kIconWarning);
  EXPECT_EQ(rec.beeps, std::vector<app::BeepKind>{app::BeepKind::kExclamation});
  EXPECT_EQ(Text("InputE"), "0.00");
  EXPECT_EQ(Text("OutputE"), "4.00");
  EXPECT_DOUBLE_EQ(w->CurInput(), 0.0);
  Type("InputE", "123456", Qt::Key_unknown);  // five characters are all one may type
  EXPECT_EQ(Text("InputE"), "12345");
}

TEST_F(SymulWindowTest, TypedCurrentShowsTheInputThatGivesItAndTwentyMilliampsShowsAHundredPercent) {
  OpenPt100();
  Type("OutputE", "12");
  EXPECT_EQ(Text("OutputE"), "12.00");
  EXPECT_EQ(Text("ResultP"), "50.0");
  EXPECT_EQ(Text("InputE"), "50.37");  // 119.397 Ohm of 100..138.506 Ohm
  EXPECT_EQ(Bar("OutputS"), 80);
  EXPECT_EQ(Bar("InputS"), 99);
  Type("OutputE", "20");
  EXPECT_EQ(Text("InputE"), "100.00");  // six characters: only typing is limited
  EXPECT_EQ(Text("ResultP"), "100.0");
  Type("OutputE", "4");
  EXPECT_EQ(Text("InputE"), "0.00");
  EXPECT_TRUE(rec.messages.empty());
}

TEST_F(SymulWindowTest, ScrollBarsMoveTheOperatingPointButNotRightAfterTheProgramWasInTheBackground) {
  OpenPt100();
  Child<QScrollBar>("InputS")->setValue(100);
  EXPECT_EQ(Text("InputE"), "50.00");
  EXPECT_EQ(Bar("OutputS"), 81);  // 49.6 C at half the resistance span
  Child<QScrollBar>("OutputS")->setValue(40);
  EXPECT_EQ(Text("OutputE"), "16.00");
  EXPECT_EQ(Text("ResultP"), "75.0");
  EXPECT_FALSE(Child<QTimer>("Timer1")->isActive());
  EXPECT_FALSE(Child<QTimer>("Timer2")->isActive());
  const QString input = Text("InputE");
  const int bar = Bar("InputS");
  app::WindowFlags().Deactivated = true;
  Child<QScrollBar>("InputS")->setValue(10);
  EXPECT_EQ(Bar("InputS"), bar);
  EXPECT_EQ(Text("InputE"), input);
  EXPECT_FALSE(app::WindowFlags().Deactivated);
  Child<QScrollBar>("InputS")->setValue(10);
  EXPECT_EQ(Text("InputE"), "95.00");
}

TEST_F(SymulWindowTest, OnlyASignalRangeSymmetricAboutZeroIsPlottedBipolar) {
  struct Case {
    double lo, hi;
    bool bipolar;
  };
  for (const Case& cs :
       {Case{-22, 22, true}, Case{22, -22, true}, Case{-22, 0, false}, Case{-21.9, 22, false}}) {
    Open({16, 5, 1, 0}, cs.lo, cs.hi, 2);
    EXPECT_EQ(Child<charts::TWykresXY>("WykresXY1")->Bipolar(), cs.bipolar) << cs.lo << ".." << cs.hi;
  }
  Open({10, 5, 2, 0}, -150, 0, 8);  // type K below zero: signals -4.9..0 mV, both negative
  EXPECT_FALSE(Child<charts::TWykresXY>("WykresXY1")->Bipolar());
  Open({16, 5, 1, 0}, -22, 22, 2);
  auto* plot = Child<charts::TWykresXY>("WykresXY1");
  EXPECT_EQ(plot->CrossHairPosition().at, (charts::TPixel{7, 252}));  // 0 % input at -100 %
  Type("InputE", "50");
  EXPECT_EQ(Text("Input1T"), "(0.00 mV)");
  EXPECT_EQ(plot->CrossHairPosition().at, (charts::TPixel{129, 129}));  // the middle
}

TEST_F(SymulWindowTest, ClickOnThePlotSwitchesTheDotsAndKeepsTheCrossHairs) {
  OpenPt100();
  Type("InputE", "30");
  auto* plot = Child<charts::TWykresXY>("WykresXY1");
  const charts::TPixel at = plot->CrossHairPosition().at;
  Mouse(QEvent::MouseButtonPress, {100, 100});
  Mouse(QEvent::MouseButtonRelease, {100, 100});
  EXPECT_TRUE(plot->BigDot());
  EXPECT_EQ(plot->CrossHairPosition().at, at);
  Mouse(QEvent::MouseButtonPress, {100, 100});
  Mouse(QEvent::MouseButtonRelease, {100, 100});
  EXPECT_FALSE(plot->BigDot());
  EXPECT_EQ(Text("InputE"), "30.00");
}

TEST_F(SymulWindowTest, DraggingOnThePlotMovesTheInput) {
  OpenPt100();
  Mouse(QEvent::MouseButtonPress, {7, 130});
  Mouse(QEvent::MouseMove, {68, 130});  // 25 % of the input
  EXPECT_NEAR(w->CurInput(), 25, 0.5);
  EXPECT_EQ(Bar("InputS"), 150);
  Mouse(QEvent::MouseMove, {300, 130});  // beyond the plot: held at 100 %
  Mouse(QEvent::MouseButtonRelease, {300, 130});
  EXPECT_EQ(Text("InputE"), "100.00");
  EXPECT_FALSE(Child<charts::TWykresXY>("WykresXY1")->BigDot());
}

TEST_F(SymulWindowTest, SensorCurveShowsWhatTheConfigurationLeavesOut) {
  OpenPt100(1);  // not linearised: the output follows the resistance
  Child<QScrollBar>("InputS")->setValue(100);
  EXPECT_EQ(Text("ResultP"), "50.0");
  EXPECT_EQ(Text("CurveP"), "49.6");                    // the Pt100 at 119.25 Ohm
  EXPECT_NEAR(Text("DiffP").toDouble(), 0.375, 0.003);  // the catalogue's polynomial, within 0.002 C
  EXPECT_EQ(Text("DiffJT"), QString::fromUtf8("°C"));
  OpenPt100(2);
  Child<QScrollBar>("InputS")->setValue(100);
  EXPECT_EQ(Text("ResultP"), "49.6");
  EXPECT_EQ(Text("CurveP"), "49.6");
  EXPECT_EQ(Text("DiffP"), "0.000");  // the 200 segments leave well under a thousandth
}

TEST_F(SymulWindowTest, FlatStretchOfATableGivesTheFirstSignalThatReachesTheCurrent) {
  // 10..14 mA all give 50 %.
  Open({17, 5, 2, 0}, 0, 100, 9, {{0, 4}, {50, 10}, {50, 14}, {100, 20}});
  Type("OutputE", "12");
  EXPECT_EQ(Text("ResultP"), "50.0");
  const double x = Text("InputE").toDouble();
  EXPECT_GE(x, 37.5);
  EXPECT_LE(x, 38.0);  // within the segment that starts at 10 mA
  Type("InputE", "50");
  EXPECT_EQ(Text("Input1T"), "(12.00 mA)");
  EXPECT_EQ(Text("OutputE"), "12.00");
  EXPECT_TRUE(rec.messages.empty());
}

TEST_F(SymulWindowTest, FunctionThatTurnsBackStillShowsFiniteFigures) {
  Open({6, 7, 2, 0}, 0, 40, 8);  // type B falls below about 21 C and comes back at 40 C
  ASSERT_FALSE(c.monotonic);
  for (const char* x : {"0", "50", "100"}) {
    Type("InputE", x);
    bool number = false;
    Text("ResultP").toDouble(&number);
    EXPECT_TRUE(number) << x << ": " << Text("ResultP").toStdString();
  }
  Type("OutputE", "12");
  EXPECT_GE(w->CurInput(), -1e9);
  EXPECT_LE(w->CurInput(), 1e9);
  EXPECT_TRUE(rec.messages.empty());
}

}  // namespace
}  // namespace vorta::service
