// The chart view of the main window: the strip chart of the measured value against time with its
// lamps, filter lines, chart type, interval, start/stop and clear, fed by the timer tick.
#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/chart_view_rules.h"
#include "app/sensor_code.h"
#include "app/ui/app_state.h"
#include "app/ui/main_window.h"
#include "app/ui/window_state.h"
#include "charts/ui/xy_chart.h"
#include "comm/comm_state.h"
#include "docs/ui/lang.h"

namespace vorta::app {

using charts::TChartType;
using docs::Lt;

namespace {

template <typename W>
W* Named(W* w, const char* name) {
  w->setObjectName(name);
  return w;
}

// A picture that reports a double click (the logging picture).
class TDblClickLabel : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> onDblClick;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if (onDblClick && e->button() == Qt::LeftButton) onDblClick();
  }
};

QLabel* Lamp(QWidget* parent, const char* name) {
  auto* l = Named(new QLabel(parent), name);
  l->setFixedSize(14, 14);
  return l;
}

void SetLamp(QLabel* lamp, TColor c) {
  lamp->setProperty("color", static_cast<uint>(c));
  lamp->setStyleSheet(QString("background-color: %1; border: 1px solid #404040; border-radius: 7px;")
                          .arg(charts::ToQColor(c).name()));
}

// The small pictures of the chart type buttons.
QIcon TypeIcon(TChartType type) {
  QPixmap pm(22, 16);
  pm.fill(Qt::white);
  QPainter p(&pm);
  p.setPen(QPen(Qt::darkBlue, 1));
  const int ys[] = {11, 6, 9, 3, 7, 4, 10};
  for (int i = 0; i < 7; ++i) {
    const int x = 2 + 3 * i;
    if (type == TChartType::ctLine && i > 0) p.drawLine(x - 3, ys[i - 1], x, ys[i]);
    if (type == TChartType::ctScatter) p.fillRect(x - 1, ys[i] - 1, 2, 2, Qt::darkBlue);
    if (type == TChartType::ctBar) p.drawLine(x, ys[i], x, 14);
  }
  return QIcon(pm);
}

}  // namespace

QWidget* TVortaF::BuildChartView() {
  auto* view = Named(new QWidget(this), "ChartView");
  auto* column = new QVBoxLayout(view);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(BuildChartControls());
  column->addWidget(BuildChartPanel(), 1);
  WykresP1->hide();
  WykresP2->hide();
  return view;
}

QWidget* TVortaF::BuildChartControls() {
  WykresP1 = Named(new QFrame(this), "WykresP1");
  WykresP1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto* row = new QHBoxLayout(WykresP1);
  NewAvLED = Lamp(WykresP1, "NewAvLED");
  NewAvT = Named(new QLabel(WykresP1), "NewAvT");
  LargeErLED = Lamp(WykresP1, "LargeErLED");
  LargeErT = Named(new QLabel(WykresP1), "LargeErT");
  SetLamp(NewAvLED, kLampOff);
  SetLamp(LargeErLED, kLampOff);
  ShowFilterCB = Named(new QCheckBox(WykresP1), "ShowFilterCB");
  connect(ShowFilterCB, &QCheckBox::clicked, this, &TVortaF::ShowFilterCBClick);
  LineRB = Named(new QRadioButton(WykresP1), "LineRB");
  DotRB = Named(new QRadioButton(WykresP1), "DotRB");
  BarRB = Named(new QRadioButton(WykresP1), "BarRB");
  LineRB->setIcon(TypeIcon(TChartType::ctLine));
  DotRB->setIcon(TypeIcon(TChartType::ctScatter));
  BarRB->setIcon(TypeIcon(TChartType::ctBar));
  LineRB->setChecked(true);
  connect(LineRB, &QRadioButton::clicked, this, &TVortaF::LineRBClick);
  connect(DotRB, &QRadioButton::clicked, this, &TVortaF::DotRBClick);
  connect(BarRB, &QRadioButton::clicked, this, &TVortaF::BarRBClick);
  WykresIntT = Named(new QLabel(WykresP1), "WykresIntT");
  WykresIntE = Named(new QLineEdit("1", WykresP1), "WykresIntE");
  WykresIntE->setReadOnly(true);
  WykresIntE->setFocusPolicy(Qt::NoFocus);  // the up-down sets it
  WykresIntE->setFixedWidth(34);
  WykresIntE->setAlignment(Qt::AlignRight);
  connect(WykresIntE, &QLineEdit::textChanged, this, &TVortaF::WykresIntEChange);
  WykresIntUD = Named(new QWidget(WykresP1), "WykresIntUD");
  auto* ud = new QVBoxLayout(WykresIntUD);
  ud->setContentsMargins(0, 0, 0, 0);
  ud->setSpacing(0);
  for (const bool up : {true, false}) {
    auto* b = Named(new QToolButton(WykresIntUD), up ? "WykresIntUp" : "WykresIntDown");
    b->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
    b->setFixedSize(18, 12);
    b->setAutoRepeat(true);
    connect(b, &QToolButton::clicked, this, [this, up] { WykresIntUDClick(up); });
    ud->addWidget(b);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{NewAvLED, NewAvT}) row->addWidget(w);
  row->addSpacing(12);
  for (QWidget* w : std::initializer_list<QWidget*>{LargeErLED, LargeErT}) row->addWidget(w);
  row->addSpacing(20);
  row->addWidget(ShowFilterCB);
  row->addStretch(1);
  for (QWidget* w : std::initializer_list<QWidget*>{LineRB, DotRB, BarRB}) row->addWidget(w);
  row->addSpacing(20);
  for (QWidget* w : std::initializer_list<QWidget*>{WykresIntT, WykresIntE, WykresIntUD}) row->addWidget(w);
  return WykresP1;
}

QWidget* TVortaF::BuildChartPanel() {
  WykresP2 = Named(new QFrame(this), "WykresP2");
  WykresP2->setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto* grid = new QGridLayout(WykresP2);
  XYChart1 = Named(new charts::TXYChart(WykresP2), "XYChart1");
  XYChart1->setMinimumSize(600, 330);
  XYChart1->SetGrid(charts::TGridType::gtBoth);
  XYChart1->SetChartType(TChartType::ctLine);
  XYChart1->SetInterval(1);
  XYChart1->OnNeedLinesY = [this](charts::TXYChart* s, double& v, TColor& c, bool& f) {
    XYChart1NeedLinesY(s, v, c, f);
  };
  XYChart1->OnHint = [this](const charts::TDataPoint& p) { return ChartHint(p); };
  XYChart1->OnSavePicture = [this] { SaveChartPicture(); };
  connect(XYChart1, &charts::TXYChart::DblClick, this, &TVortaF::Wykres1Click);
  auto* saving = Named(new TDblClickLabel(WykresP2), "SavingI");
  saving->onDblClick = [this] { SavingIDblClick(); };
  saving->setPixmap(style()->standardIcon(QStyle::SP_DialogSaveButton).pixmap(20, 20));
  saving->hide();
  SavingI = saving;
  StopScalingCB = Named(new QCheckBox(WykresP2), "StopScalingCB");
  connect(StopScalingCB, &QCheckBox::clicked, this, &TVortaF::StopScalingCBClick);
  WykresTimeT = Named(new QLabel("00:00:00", WykresP2), "WykresTimeT");
  WykresTimeT->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  WykresTimeT->setMinimumWidth(80);
  WykresTimeT->setAlignment(Qt::AlignCenter);
  WykresStartB = Named(new QPushButton(WykresP2), "WykresStartB");
  WykresClearB = Named(new QPushButton(WykresP2), "WykresClearB");
  WykresExitB = Named(new QPushButton(WykresP2), "WykresExitB");
  connect(WykresStartB, &QPushButton::clicked, this, &TVortaF::WykresStartBClick);
  connect(WykresClearB, &QPushButton::clicked, this, &TVortaF::WykresClearBClick);
  connect(WykresExitB, &QPushButton::clicked, this, &TVortaF::Wykres1Click);
  auto* row = new QHBoxLayout;
  row->addWidget(SavingI);
  row->addWidget(StopScalingCB);
  row->addSpacing(12);
  row->addWidget(WykresTimeT);
  row->addStretch(1);
  for (QWidget* w : std::initializer_list<QWidget*>{WykresStartB, WykresClearB, WykresExitB})
    row->addWidget(w);
  grid->addWidget(XYChart1, 0, 0);
  grid->addLayout(row, 1, 0);
  return WykresP2;
}

void TVortaF::Wykres1Click() {
  if (MonOnly1->isChecked() && !chartOn_) MonOnly1Click();
  chartOn_ = !chartOn_;
  Wykres1->setChecked(chartOn_);
  logging_ = false;
  SavingI->hide();
  ShowChartView(chartOn_);
}

void TVortaF::ShowChartView(bool on) {
  Wykres1T->setChecked(on);
  if (on) {
    EnDisMenu(false);
    Zapiszjako1->setText(Lt("&Keep results") + "...");
    Zapiszjako1->setEnabled(true);
  } else {
    Zapiszjako1->setText(Lt("Save as") + "...");
  }
  Opcje1->menuAction()->setEnabled(!on);
  // Monitor only would bring the parameter groups back beside the chart.
  MonOnly1->setEnabled(!on);
  for (QWidget* w : std::initializer_list<QWidget*>{SensorG, ParametryG, Info}) w->setVisible(!on);
  WykresP1->setVisible(on);
  WykresP2->setVisible(on);
  Timer1->setInterval(on ? 200 : 500);
  if (!on) {
    EnDisMenu(true);
    SenSel->setFocus();
    FixSize();
    return;
  }
  XYChart1->SetChartColor(kChartInside);
  if (XYChart1->Points().Count() == 0) {
    chartStart_ = true;
    WykresTimeT->setText("00:00:00");
    plotting_ = true;
    WykresStartB->setText(Lt("Stop"));
    StopScalingCB->setChecked(false);
    StopScalingCBClick();
  }
  sampleColours_.Reset();
  FixSize();
  WykresExitB->setFocus();
}

void TVortaF::WykresPlot(double value, double current) {
  const comm::TMeasurementStatus& s = comm::Comm().Status;
  const bool newAverage = s.NewAverage, largeError = s.LargeError;
  SetLamp(NewAvLED, NewAverageLamp(newAverage));
  SetLamp(LargeErLED, LargeErrorLamp(largeError));
  if (ShowFilterCB->isChecked() && !WindowFlags().ConfigRead) ReadForFilterLines();
  const double interval = XYChart1->Interval();
  if (chartStart_) {
    if (plotting_) XYChart1->ClearData();
    chartStartSeconds_ = XYChart1->Now();
    chartStartWall_ = QDateTime::currentDateTime();
    XYChart1->SetInterval(0);  // the first sample is taken at once
  }
  const std::int64_t elapsed = ElapsedMs(chartStartSeconds_, XYChart1->Now());
  if (plotting_) {
    chartStart_ = false;
    const TColor colour = SampleColor(newAverage, largeError);
    const bool stored = XYChart1->AddPoint(value, sampleColours_.Offer(colour));
    sampleColours_.Taken(stored, colour);
    if (logging_ && stored) AppendLog(elapsed, value, current);
  }
  XYChart1->SetInterval(interval);
  WykresTimeT->setText(QString::fromStdString(charts::ElapsedText(elapsed)));
}

void TVortaF::ReadShowingStatusBar() {
  // The status bar is hidden in the chart view; the read shows its progress there.
  const bool hidden = !statusBar()->isVisible();
  if (hidden) Status1Click();
  OdczytajTClick();
  if (hidden) Status1Click();
}

void TVortaF::ReadFromTick() {
  ReadShowingStatusBar();
  Timer1->stop();  // the read restarted it: a message box later in the tick must not run ticks
}

bool TVortaF::ReadForFilterLines() {
  // Without a configuration the bands are unknown: it is read once, and a read that fails (or
  // cannot run while the transmitter reports an EEPROM error) switches the lines off.
  if (comm::Comm().Status.EepromError) {
    ShowFilterCB->setChecked(false);
    MyMesM(Lt("EEPROM error") + "!", kIconError, this);
    return false;
  }
  ReadFromTick();
  if (WindowFlags().ConfigRead) return true;
  ShowFilterCB->setChecked(false);
  return false;
}

void TVortaF::XYChart1NeedLinesY(charts::TXYChart* sender, double& value, TColor& color, bool& finished) {
  const TParamSet& p = Param();
  const int points = sender->Points().Count();
  TFilterBands b;
  b.show = ShowFilterCB->isChecked();
  b.points = points;
  b.y = points > 0 ? sender->Points().Point(points - 1).Value : 0;
  b.span = p.P.MaxInput - p.P.MinInput;
  b.filtrZakres = p.P.FiltrZakres;
  b.filtrLimit = p.P.FiltrLimit;
  const TFilterLine l = FilterLine(b, sender->Tag());
  if (l.set) {
    value = l.value;
    color = l.color;
  }
  finished = l.finished;
}

void TVortaF::LineRBClick() {
  XYChart1->SetChartType(TChartType::ctLine);
  LineRB->setChecked(true);
  if (WykresP2->isVisible()) WykresExitB->setFocus();
}

void TVortaF::DotRBClick() {
  XYChart1->SetChartType(TChartType::ctScatter);
  DotRB->setChecked(true);
  if (WykresP2->isVisible()) WykresExitB->setFocus();
}

void TVortaF::BarRBClick() {
  XYChart1->SetChartType(TChartType::ctBar);
  BarRB->setChecked(true);
  if (WykresP2->isVisible()) WykresExitB->setFocus();
}

void TVortaF::ShowFilterCBClick() {
  if (ShowFilterCB->isChecked() && !WindowFlags().ConfigRead) {
    ReadShowingStatusBar();
    if (!WindowFlags().ConfigRead) ShowFilterCB->setChecked(false);
  }
  WykresExitB->setFocus();
  XYChart1->Redraw();
}

void TVortaF::StopScalingCBClick() {
  XYChart1->AutoScale = !StopScalingCB->isChecked();
  if (XYChart1->AutoScale) XYChart1->Redraw();
  WykresExitB->setFocus();
}

void TVortaF::WykresStartBClick() {
  plotting_ = !plotting_;
  WykresStartB->setText(Lt(plotting_ ? "Stop" : "Start"));
}

void TVortaF::WykresClearBClick() {
  chartStart_ = true;
  XYChart1->ClearData();
  WykresTimeT->setText("00:00:00");
  SavingIDblClick();
}

void TVortaF::WykresIntEChange() {
  if (const auto seconds = IntervalOfText(WykresIntE->text().toStdString())) XYChart1->SetInterval(*seconds);
  const QString shown = QString::number(std::lround(XYChart1->Interval()));
  if (WykresIntE->text() != shown) WykresIntE->setText(shown);
}

void TVortaF::WykresIntUDClick(bool up) {
  intervalPosition_ = std::clamp(intervalPosition_ + (up ? 1 : -1), 0, 99);
  WykresIntE->setText(QString::number(intervalPosition_));
}

QString TVortaF::ChartHint(const charts::TDataPoint& point) const {
  std::int64_t start = 0;
  charts::StampOf(chartStartSeconds_, start);
  const QString unit = QString::fromStdString(std::string(UnitName(comm::Comm().Status.UnitIndex)));
  return Lt("Time") + ": " + QString::fromStdString(charts::ElapsedText(point.Stamp - start)) + "\n" +
         Lt("Result") + ": " + QString::number(point.Value, 'g', 6) + " " + unit;
}

}  // namespace vorta::app
