// Layout and behaviour of the thermometer dialog.
#include "sensors/ui/wybor_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/sensor_code.h"
#include "app/ui/app_state.h"
#include "docs/ui/lang.h"
#include "sensors/ui/dialog_support.h"
#include "sensors/ui/room_window.h"
#include "sensors/ui/sensor_state.h"
#include "sensors/ui/tabl_window.h"
#include "sensors/wybor_rules.h"

namespace vorta::sensors {

using docs::Lt;

namespace {

template <typename W>
W* Named(W* w, const char* name) {
  w->setObjectName(name);
  return w;
}

constexpr std::array<const char*, 10> kThNames = {"ThB", "ThC", "ThE", "ThJ", "ThK",
                                                  "ThN", "ThR", "ThS", "ThT", "ThInny"};

}  // namespace

TWybor::TWybor(QWidget* owner) : QDialog(owner) {
  setObjectName("Wybor");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(Lt("Sensor selection"));
  app::TParamSet& p = app::Param();
  p.Code.CharModified = 0;
  typAtOpening_ = p.Code.Typ;
  model_ = p.ModelCode();

  auto* column = new QVBoxLayout(this);
  TabControl1 = Named(new QTabBar(this), "TabControl1");
  TabControl1->addTab("&" + Lt("RTD"));
  TabControl1->addTab("&" + Lt("Thermocouples"));
  TabControl1->setDrawBase(true);
  column->addWidget(TabControl1);
  // Both pages take the place of the larger one, so the dialog keeps its size between the tabs.
  Pages = Named(new QStackedWidget(this), "Pages");
  Pages->addWidget(BuildRtdPage());
  Pages->addWidget(BuildThermocouplePage());
  column->addWidget(Pages);

  auto* buttons = new QHBoxLayout;
  MoreButt = Named(new QToolButton(this), "MoreButt");
  MoreButt->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
  MoreButt->setToolTip(Lt("More") + "...");
  OKButt = Named(new QPushButton("OK", this), "OKButt");
  OKButt->setDefault(true);
  CancelButt = Named(new QPushButton(Lt("Cancel"), this), "CancelButt");
  buttons->addWidget(MoreButt);
  buttons->addStretch(1);
  buttons->addWidget(OKButt);
  buttons->addWidget(CancelButt);
  column->addLayout(buttons);
  setFixedSize(sizeHint());  // holds the larger page, kept on both tabs

  connect(TabControl1, &QTabBar::currentChanged, this, &TWybor::TabControl1Change);
  connect(TempDiff, &QCheckBox::clicked, this, &TWybor::TempDiffClick);
  connect(CJC, &QCheckBox::clicked, this, &TWybor::CJCClick);
  for (QRadioButton* b : {Pt100a, Pt100b, Ni100, Cu100, W2, W3, W4})
    connect(b, &QRadioButton::clicked, this, &TWybor::AnyClick);
  for (std::size_t i = 0; i + 1 < Th.size(); ++i)
    connect(Th[i], &QRadioButton::clicked, this, &TWybor::AnyClick);
  connect(ThInny, &QRadioButton::clicked, this, &TWybor::ThInnyClick);
  connect(OKButt, &QPushButton::clicked, this, &TWybor::OKButtClick);
  connect(CancelButt, &QPushButton::clicked, this, [this] { done(2); });
  connect(MoreButt, &QToolButton::clicked, this, [this] { done(3); });
  PlaceBeside(this, owner, 40);
}

QWidget* TWybor::BuildRtdPage() {
  auto* page = Named(new QWidget(this), "RtdPage");
  auto* row = new QHBoxLayout(page);
  row->setContentsMargins(0, 0, 0, 0);
  RTypG = Named(new QGroupBox(GroupTitle("Type"), page), "RTypG");
  auto* types = new QGridLayout(RTypG);
  Pt100a = Named(new QRadioButton("Pt100", RTypG), "Pt100a");
  Pt100aT = Named(new QLabel("(0.00385)", RTypG), "Pt100aT");
  Pt100b = Named(new QRadioButton("Pt100", RTypG), "Pt100b");
  Pt100bT = Named(new QLabel("(0.00392)", RTypG), "Pt100bT");
  Ni100 = Named(new QRadioButton("Ni100", RTypG), "Ni100");
  Cu100 = Named(new QRadioButton("Cu100", RTypG), "Cu100");
  types->addWidget(Pt100a, 0, 0);
  types->addWidget(Pt100aT, 0, 1);
  types->addWidget(Pt100b, 1, 0);
  types->addWidget(Pt100bT, 1, 1);
  types->addWidget(Ni100, 2, 0);
  types->addWidget(Cu100, 3, 0);
  RTrybG = Named(new QGroupBox(GroupTitle("Connection"), page), "RTrybG");
  auto* wires = new QVBoxLayout(RTrybG);
  W2 = Named(new QRadioButton(Lt("2-wire"), RTrybG), "W2");
  W3 = Named(new QRadioButton(Lt("3-wire"), RTrybG), "W3");
  W4 = Named(new QRadioButton(Lt("4-wire"), RTrybG), "W4");
  for (QRadioButton* b : {W2, W3, W4}) wires->addWidget(b);
  RLinG = Named(new QGroupBox(GroupTitle("Mode"), page), "RLinG");
  auto* mode = new QVBoxLayout(RLinG);
  RLin = Named(new QCheckBox(Lt("linearization"), RLinG), "RLin");
  mode->addWidget(RLin);
  mode->addStretch(1);
  row->addWidget(RTypG);
  row->addWidget(RTrybG);
  row->addWidget(RLinG);
  return page;
}

QWidget* TWybor::BuildThermocouplePage() {
  auto* page = Named(new QWidget(this), "ThermocouplePage");
  auto* row = new QHBoxLayout(page);
  row->setContentsMargins(0, 0, 0, 0);
  ThTypG = Named(new QGroupBox(GroupTitle("Type"), page), "ThTypG");
  auto* types = new QGridLayout(ThTypG);
  for (std::size_t i = 0; i < Th.size(); ++i) {
    const QString text =
        i + 1 < Th.size() ? Q(app::SensorNames(static_cast<int>(i) + 6)) : Q(docs::LT1("Other1"));
    Th[i] = Named(new QRadioButton(text, ThTypG), kThNames[i]);
    types->addWidget(Th[i], static_cast<int>(i % 5), static_cast<int>(i / 5));
  }
  ThInny = Th.back();
  ThTrybG = Named(new QGroupBox(GroupTitle("Mode"), page), "ThTrybG");
  auto* modes = new QVBoxLayout(ThTrybG);
  TempDiff = Named(new QCheckBox(Lt("temperature difference"), ThTrybG), "TempDiff");
  CJC = Named(new QCheckBox(Lt("cold junction compensation"), ThTrybG), "CJC");
  ThLin = Named(new QCheckBox(Lt("linearization"), ThTrybG), "ThLin");
  for (QCheckBox* b : {TempDiff, CJC, ThLin}) modes->addWidget(b);
  modes->addStretch(1);
  row->addWidget(ThTypG);
  row->addWidget(ThTrybG);
  return page;
}

void TWybor::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (painted_) return;
  painted_ = true;
  const bool thermocouple = app::IsThermocouple(app::Param().Code.Typ);
  const bool blocked = TabControl1->blockSignals(true);
  TabControl1->setCurrentIndex(thermocouple ? kThermocouplePage : kRtdPage);
  TabControl1->blockSignals(blocked);
  TabControl1Change();
  initialising_ = false;
}

void TWybor::TabControl1Change() {
  const bool rtd = TabControl1->currentIndex() == kRtdPage;
  Pages->setCurrentIndex(rtd ? kRtdPage : kThermocouplePage);
  for (QWidget* g : {RTypG, RTrybG, RLinG}) g->setVisible(rtd);
  for (QWidget* g : {ThTypG, ThTrybG}) g->setVisible(!rtd);
  if (rtd) {
    ShowRtdPage();
  } else {
    ShowThermocouplePage();
  }
}

void TWybor::ShowRtdPage() {
  const TRtdPage page = RtdPageFor(app::Param().Code, model_);
  QRadioButton* type = std::array{Pt100a, Pt100b, Ni100, Cu100}[static_cast<std::size_t>(page.typ - 1)];
  type->setChecked(true);
  type->setFocus();
  W4->setEnabled(page.fourWire);
  std::array{W2, W3, W4}[static_cast<std::size_t>(page.tryb - 2)]->setChecked(true);
  RLin->setChecked(page.lin);
}

void TWybor::ShowThermocouplePage() {
  AnyClick();
  const TTcPage page =
      TcPageFor(app::Param().Code, app::Param().TableLoaded, CJC->isChecked(), TempDiff->isChecked());
  CJC->setChecked(page.cjc);
  TempDiff->setChecked(page.tempDiff);
  ThLin->setChecked(page.lin);
  QRadioButton* type = Th[static_cast<std::size_t>(page.typ - 6)];
  type->setChecked(true);
  type->setFocus();
  for (QCheckBox* b : {CJC, TempDiff, ThLin}) b->setEnabled(page.modesEnabled);
}

void TWybor::TempDiffClick() {
  if (TempDiff->isEnabled() && TempDiff->isChecked()) CJC->setChecked(false);
}

void TWybor::CJCClick() {
  if (CJC->isEnabled() && CJC->isChecked()) TempDiff->setChecked(false);
}

void TWybor::AnyClick() {
  for (QCheckBox* b : {CJC, TempDiff, ThLin}) b->setEnabled(true);
}

void TWybor::ThInnyClick() {
  if (initialising_ || !ThInny->isChecked()) return;
  app::TParamSet& p = app::Param();
  p.CharTyp = kUserRangeRow;
  TTablF table(this);
  if (table.exec() != 1) {
    p.TableLoaded = false;
    TabControl1Change();
    return;
  }
  // A user thermocouple measures a difference unless its table covers the cold junction's range.
  CJC->setChecked(false);
  CJC->setEnabled(false);
  TempDiff->setChecked(true);
  TempDiff->setEnabled(false);
  if (UserTableAllowsCjc(UserTable(), SensorRangeTable()[kUserRangeRow])) AnyClick();
}

int TWybor::CheckedRtd() const {
  const std::array buttons{Pt100a, Pt100b, Ni100, Cu100};
  for (std::size_t i = 0; i < buttons.size(); ++i)
    if (buttons[i]->isChecked()) return static_cast<int>(i) + 1;
  return 1;
}

int TWybor::CheckedThermocouple() const {
  for (std::size_t i = 0; i < Th.size(); ++i)
    if (Th[i]->isChecked()) return static_cast<int>(i) + 6;
  return 6;
}

int TWybor::CheckedConnection() const {
  if (W2->isChecked()) return 2;
  if (W4->isChecked() && W4->isEnabled()) return 4;
  return 3;
}

void TWybor::OKButtClick() {
  TWyborChoice c;
  if (TabControl1->currentIndex() == kRtdPage) {
    c = {CheckedRtd(), CheckedConnection(), RLin->isChecked() ? 2 : 1};
  } else {
    c = {CheckedThermocouple(), ThermocoupleTryb(TempDiff->isChecked(), CJC->isChecked()),
         ThLin->isChecked() ? 2 : 1};
    if (c.tryb == 6) {
      TRoomF room(this);
      room.exec();
    }
  }
  ApplyWybor(c, typAtOpening_, app::Param(), SensorRangeTable(), Today());
  done(1);
}

}  // namespace vorta::sensors
