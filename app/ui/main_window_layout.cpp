// The controls of the main window: sensor group, parameters, information and the measurement panel.
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui/main_window.h"

namespace vorta::app {
namespace {

template <typename W>
W* Named(W* w, const char* name) {
  w->setObjectName(name);
  return w;
}

QLineEdit* Field(QWidget* parent, const char* name, int maxLength, int width) {
  auto* e = Named(new QLineEdit(parent), name);
  e->setMaxLength(maxLength);
  e->setFixedWidth(width);
  return e;
}

QLabel* Panel(QWidget* parent, const char* name) {
  auto* l = Named(new QLabel(parent), name);
  l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  l->setAutoFillBackground(true);
  QPalette pal = l->palette();
  pal.setColor(QPalette::Window, Qt::white);
  l->setPalette(pal);
  QFont f("Monospace");
  f.setStyleHint(QFont::TypeWriter);
  f.setPointSize(18);
  f.setBold(true);
  l->setFont(f);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  l->setMinimumHeight(44);
  return l;
}

}  // namespace

void TVortaF::BuildCentral() {
  auto* central = Named(new QWidget(this), "MainFrame");
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(6, 6, 6, 6);
  column->setSpacing(6);
  // The parameter groups are one widget in a scroll area: on a screen smaller than the window they
  // scroll, and the measurement panel and the status bar stay in sight.
  ParamGroups = Named(new QWidget(central), "ParamGroups");
  auto* groups = new QVBoxLayout(ParamGroups);
  groups->setContentsMargins(0, 0, 0, 0);
  groups->setSpacing(6);
  groups->addWidget(BuildSensorGroup());
  groups->addWidget(BuildParamGroup());
  groups->addWidget(BuildInfoGroup());
  ParamScroll = Named(new QScrollArea(central), "ParamScroll");
  ParamScroll->setFrameShape(QFrame::NoFrame);
  ParamScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ParamScroll->setWidgetResizable(true);
  ParamScroll->setWidget(ParamGroups);
  column->addWidget(ParamScroll);
  column->addWidget(BuildChartView());
  column->addWidget(BuildMeasurePanel());
  column->setSizeConstraint(QLayout::SetFixedSize);
  setCentralWidget(central);
}

QWidget* TVortaF::BuildSensorGroup() {
  SensorG = Named(new QGroupBox(this), "SensorG");
  auto* row = new QHBoxLayout(SensorG);
  SenSel = Named(new QPushButton(SensorG), "SenSel");
  SenSel->setMinimumWidth(80);
  connect(SenSel, &QPushButton::clicked, this, &TVortaF::SenSelClick);
  SensorT = Named(new QLabel("???", SensorG), "SensorT");
  SensorT->setMinimumWidth(380);
  row->addWidget(SenSel);
  row->addWidget(SensorT, 1);
  return SensorG;
}

QWidget* TVortaF::BuildParamGroup() {
  ParametryG = Named(new QGroupBox(this), "ParametryG");
  auto* grid = new QGridLayout(ParametryG);
  grid->setHorizontalSpacing(8);

  ZakresTxt = Named(new QLabel(ParametryG), "ZakresTxt");
  Minimum = Named(new QLabel(ParametryG), "Minimum");
  Maksimum = Named(new QLabel(ParametryG), "Maksimum");
  MinInputE = Field(ParametryG, "MinInputE", 7, 78);
  MaxInputE = Field(ParametryG, "MaxInputE", 7, 78);
  MinInputE->setAlignment(Qt::AlignRight);
  MaxInputE->setAlignment(Qt::AlignRight);
  JednostkiE = Named(new QLabel(ParametryG), "JednostkiE");
  JednostkiE1 = Named(new QLabel(ParametryG), "JednostkiE1");
  AbsMinE = Named(new QLabel(ParametryG), "AbsMinE");
  AbsMaxE = Named(new QLabel(ParametryG), "AbsMaxE");
  grid->addWidget(ZakresTxt, 0, 0, 1, 4);
  grid->addWidget(Minimum, 1, 0);
  grid->addWidget(MinInputE, 1, 1);
  grid->addWidget(JednostkiE, 1, 2);
  grid->addWidget(AbsMinE, 1, 3);
  grid->addWidget(Maksimum, 2, 0);
  grid->addWidget(MaxInputE, 2, 1);
  grid->addWidget(JednostkiE1, 2, 2);
  grid->addWidget(AbsMaxE, 2, 3);

  Filtry = Named(new QGroupBox(ParametryG), "Filtry");
  auto* fg = new QGridLayout(Filtry);
  FiltrZakresTxt = Named(new QLabel(Filtry), "FiltrZakresTxt");
  FiltrCzasTxt = Named(new QLabel(Filtry), "FiltrCzasTxt");
  FiltrLimitTxt = Named(new QLabel(Filtry), "FiltrLimitTxt");
  FiltrZakresE = Field(Filtry, "FiltrZakresE", 4, 52);
  FiltrCzasE = Field(Filtry, "FiltrCzasE", 4, 52);
  FiltrLimitE = Field(Filtry, "FiltrLimitE", 4, 52);
  auto* updown = Named(new QWidget(Filtry), "FiltrLimitUpDown");
  auto* ud = new QVBoxLayout(updown);
  ud->setContentsMargins(0, 0, 0, 0);
  ud->setSpacing(0);
  FiltrLimitUp = Named(new QToolButton(updown), "FiltrLimitUp");
  FiltrLimitDown = Named(new QToolButton(updown), "FiltrLimitDown");
  FiltrLimitUp->setArrowType(Qt::UpArrow);
  FiltrLimitDown->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {FiltrLimitUp, FiltrLimitDown}) {
    b->setFixedSize(18, 12);
    ud->addWidget(b);
  }
  FiltrDobierz = Named(new QPushButton(Filtry), "FiltrDobierz");
  fg->addWidget(FiltrZakresTxt, 0, 0);
  fg->addWidget(FiltrZakresE, 0, 1);
  fg->addWidget(FiltrCzasTxt, 1, 0);
  fg->addWidget(FiltrCzasE, 1, 1);
  fg->addWidget(FiltrLimitTxt, 2, 0);
  fg->addWidget(FiltrLimitE, 2, 1);
  fg->addWidget(updown, 2, 2);
  fg->addWidget(FiltrDobierz, 0, 3, 3, 1, Qt::AlignVCenter);
  grid->addWidget(Filtry, 3, 0, 1, 4);

  Reakcja = Named(new QLabel(ParametryG), "Reakcja");
  BurnoutE = Named(new QComboBox(ParametryG), "BurnoutE");
  BurnoutE->addItems({"< 4mA", "> 20mA", "Io=4mA"});
  SiecTxt = Named(new QLabel(ParametryG), "SiecTxt");
  SiecE = Named(new QComboBox(ParametryG), "SiecE");
  SiecE->addItems({" 50Hz", " 60Hz"});
  grid->addWidget(Reakcja, 4, 0, 1, 2);
  grid->addWidget(BurnoutE, 4, 2, 1, 2, Qt::AlignLeft);
  grid->addWidget(SiecTxt, 5, 0, 1, 2);
  grid->addWidget(SiecE, 5, 2, 1, 2, Qt::AlignLeft);

  auto* corr = new QHBoxLayout;
  RegulT = Named(new QLabel(ParametryG), "RegulT");
  RegulZT = Named(new QLabel(ParametryG), "RegulZT");
  RegulZV = Named(new QLabel(ParametryG), "RegulZV");
  RegulGT = Named(new QLabel(ParametryG), "RegulGT");
  RegulGV = Named(new QLabel(ParametryG), "RegulGV");
  RegulacjaPic = Named(new QToolButton(ParametryG), "RegulacjaPic");
  RegulacjaPic->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
  RegulacjaPic->setAutoRaise(true);
  connect(RegulacjaPic, &QToolButton::clicked, this, &TVortaF::Regulacja1Click);
  corr->addWidget(RegulT);
  corr->addSpacing(6);
  corr->addWidget(RegulZT);
  corr->addWidget(RegulZV);
  corr->addSpacing(12);
  corr->addWidget(RegulGT);
  corr->addWidget(RegulGV);
  corr->addStretch(1);
  corr->addWidget(RegulacjaPic);
  grid->addLayout(corr, 6, 0, 1, 4);
  return ParametryG;
}

QWidget* TVortaF::BuildInfoGroup() {
  Info = Named(new QGroupBox(this), "Info");
  auto* grid = new QGridLayout(Info);
  KodTxt = Named(new QLabel(Info), "KodTxt");
  KodE = Field(Info, "KodE", 16, 150);
  SerialTxt = Named(new QLabel(Info), "SerialTxt");
  SerialE = Named(new QLabel(Info), "SerialE");
  DataTxt = Named(new QLabel(Info), "DataTxt");
  DataE = Named(new QLabel(Info), "DataE");
  OgolneTxt = Named(new QLabel(Info), "OgolneTxt");
  OgolneE = Named(new QLineEdit(Info), "OgolneE");
  OgolneE->setMaxLength(64);
  grid->addWidget(KodTxt, 0, 0);
  grid->addWidget(KodE, 0, 1);
  grid->addWidget(SerialTxt, 0, 2, Qt::AlignRight);
  grid->addWidget(SerialE, 0, 3);
  grid->addWidget(DataTxt, 1, 2, Qt::AlignRight);
  grid->addWidget(DataE, 1, 3);
  grid->addWidget(OgolneTxt, 2, 0);
  grid->addWidget(OgolneE, 2, 1, 1, 3);
  return Info;
}

QWidget* TVortaF::BuildMeasurePanel() {
  WynikP = Named(new QFrame(this), "WynikP");
  WynikP->setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto* grid = new QGridLayout(WynikP);
  nResult = Named(new QLabel(WynikP), "nResult");
  nOutput = Named(new QLabel(WynikP), "nOutput");
  Wynikp = Panel(WynikP, "Wynikp");
  Wynikp->setMinimumWidth(250);
  Outputp = Panel(WynikP, "Outputp");
  Outputp->setMinimumWidth(190);
  grid->addWidget(nResult, 0, 0);
  grid->addWidget(nOutput, 0, 1);
  grid->addWidget(Wynikp, 1, 0);
  grid->addWidget(Outputp, 1, 1);
  return WynikP;
}

void TVortaF::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar1");
  bar->setSizeGripEnabled(false);
  StatPanel0 = Named(new QLabel(bar), "StatPanel0");
  StatPanel0->setMinimumWidth(220);
  ProgressBar1 = Named(new QProgressBar(bar), "ProgressBar1");
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setFixedWidth(110);
  StatPanel2 = Named(new QLabel(bar), "StatPanel2");
  StatPanel3 = Named(new QLabel(bar), "StatPanel3");
  StatPanel4 = Named(new QLabel(bar), "StatPanel4");
  for (QLabel* l : {StatPanel2, StatPanel3, StatPanel4}) {
    l->setFixedWidth(36);
    l->setAlignment(Qt::AlignCenter);
  }
  bar->addWidget(StatPanel0, 1);
  bar->addPermanentWidget(ProgressBar1);
  bar->addPermanentWidget(StatPanel2);
  bar->addPermanentWidget(StatPanel3);
  bar->addPermanentWidget(StatPanel4);
}

}  // namespace vorta::app
