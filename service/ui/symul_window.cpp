// The simulation window: its controls, the operating point shown from the input or the output, the
// entries with their checks and the plot of the whole function.
#include "service/ui/symul_window.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QValidator>

#include "app/display_format.h"
#include "app/sensor_code.h"
#include "app/ui/message_box.h"
#include "app/ui/window_state.h"
#include "charts/ui/wykres_xy.h"
#include "docs/ui/lang.h"
#include "sensors/sensor_signal.h"

namespace vorta::service {

using docs::Lt;

namespace {

constexpr int kMainNominalWidth = 515;  // the main window's width the offsets are measured against
constexpr int kNominalWidth = 498;
constexpr int kTopOffset = 26;
constexpr int kPlotSize = 260;
constexpr int kEntryTimeMs = 3000;
constexpr int kTypedLength = 5;  // characters a user may type into either edit
constexpr int kBarPage = 10;

// Limits what the user types, not what the window shows ("100.00" has six characters).
class TTypedLength : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& text, int&) const override {
    return text.size() > kTypedLength ? Invalid : Acceptable;
  }
};

QString Qs(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

QLabel* Label(QWidget* parent, const char* name, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setAlignment(align);
  return l;
}

QGroupBox* Group(QWidget* parent, const char* name) {
  auto* g = new QGroupBox(parent);
  g->setObjectName(name);
  return g;
}

QScrollBar* Bar(QWidget* parent, const char* name, int max) {
  auto* s = new QScrollBar(Qt::Vertical, parent);
  s->setObjectName(name);
  s->setRange(0, max);
  s->setPageStep(kBarPage);
  return s;
}

}  // namespace

TSymulF::TSymulF(QWidget* owner, const app::TParamSet& p, const sensors::TCharacteristic& c,
                 const sensors::TUserTable& table, const sensors::TSensorRangeTable& ranges)
    : QDialog(owner),
      p_(p),
      table_(table),
      ranges_(ranges),
      sim_(sensors::MakeSimTable(c)),
      range_(sensors::SimRangeOf(p)),
      signalUnit_(sensors::SignalUnit(p.Code.Typ)) {
  setObjectName("SymulF");
  BuildControls();
  SetTexts();
  Place(owner);
  WykresXY1->SetBipolar(sensors::IsBipolar(c.smin, c.smax));
  // The cross hairs are on before the first point so that the window opens showing it.
  WykresXY1->SetCrossHairs(true);
  FormPaint();
  InpDisp(0);
}

void TSymulF::BuildControls() {
  WykresXY1 = new charts::TWykresXY(this);
  WykresXY1->setObjectName("WykresXY1");
  WykresXY1->setFixedSize(kPlotSize, kPlotSize);
  InputS = Bar(this, "InputS", sensors::kInputScrollMax);
  OutputS = Bar(this, "OutputS", sensors::kOutputScrollMax);
  auto* main = new QHBoxLayout(this);
  main->addWidget(InputS);
  main->addWidget(WykresXY1);
  main->addWidget(OutputS);
  auto* side = new QVBoxLayout;
  main->addLayout(side);
  BuildGroups(side);
  side->addStretch(1);
  main->setSizeConstraint(QLayout::SetFixedSize);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer2 = new QTimer(this);
  Timer2->setObjectName("Timer2");
  for (QTimer* t : {Timer1, Timer2}) t->setInterval(kEntryTimeMs);
  connect(Timer1, &QTimer::timeout, this, &TSymulF::Timer1Timer);
  connect(Timer2, &QTimer::timeout, this, &TSymulF::Timer2Timer);
  connect(InputS, &QScrollBar::valueChanged, this, &TSymulF::InputSChange);
  connect(OutputS, &QScrollBar::valueChanged, this, &TSymulF::OutputSChange);
  connect(InputE, &QLineEdit::textChanged, this, &TSymulF::InputEChange);
  connect(OutputE, &QLineEdit::textChanged, this, &TSymulF::OutputEChange);
  connect(WykresXY1, &charts::TWykresXY::Clicked, this, &TSymulF::WykresXY1Click);
  connect(WykresXY1, &charts::TWykresXY::Dragged, this, &TSymulF::WykresXY1Drag);
}

void TSymulF::BuildGroups(QVBoxLayout* side) {
  const QFontMetrics metrics(font());
  const int editWidth = metrics.horizontalAdvance("100.000") + 12;
  // Labels whose text follows the operating point keep one size, so that a drag step does not
  // lay the window out again.
  const auto value = [&](QWidget* group, const char* name, const char* widest) {
    QLabel* l = Label(group, name, Qt::AlignRight | Qt::AlignVCenter);
    l->setFixedSize(metrics.horizontalAdvance(widest) + 4, l->sizeHint().height());
    return l;
  };
  const auto group = [&](const char* name, QGroupBox*& box) {
    box = Group(this, name);
    auto* grid = new QGridLayout(box);
    grid->setColumnStretch(3, 1);
    side->addWidget(box);
    return grid;
  };
  const auto edit = [&](QGroupBox* box, const char* name) {
    auto* e = new QLineEdit(box);
    e->setObjectName(name);
    e->setFixedWidth(editWidth);
    e->setAlignment(Qt::AlignRight);
    e->setValidator(new TTypedLength(e));
    e->installEventFilter(this);
    return e;
  };
  QGridLayout* in = group("InputGB", InputGB);
  in->addWidget(InputE = edit(InputGB, "InputE"), 0, 0);
  in->addWidget(InputJT = Label(InputGB, "InputJT"), 0, 1);
  Input1T = value(InputGB, "Input1T", "(-0000000.0 Ohm)");
  Input1T->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  in->addWidget(Input1T, 1, 0, 1, 3);
  QGridLayout* result = group("ResultGB", ResultGB);
  result->addWidget(ResultP = value(ResultGB, "ResultP", "-0000000.000"), 0, 0);
  result->addWidget(ResultJT = Label(ResultGB, "ResultJT"), 0, 1);
  QGridLayout* out = group("OutputGB", OutputGB);
  out->addWidget(OutputE = edit(OutputGB, "OutputE"), 0, 0);
  out->addWidget(OutputJT = Label(OutputGB, "OutputJT"), 0, 1);
  QGridLayout* curve = group("CurveGB", CurveGB);
  curve->addWidget(CurveP = value(CurveGB, "CurveP", "-0000000.000"), 0, 1);
  curve->addWidget(CurveJT = Label(CurveGB, "CurveJT"), 0, 2);
  curve->addWidget(DiffT = Label(CurveGB, "DiffT"), 1, 0);
  curve->addWidget(DiffP = value(CurveGB, "DiffP", "-0000000.000"), 1, 1);
  curve->addWidget(DiffJT = Label(CurveGB, "DiffJT"), 1, 2);
}

void TSymulF::SetTexts() {
  setWindowTitle(Lt("Simulation"));
  InputGB->setTitle(" " + Lt("Input") + " ");
  ResultGB->setTitle(" " + Qs(docs::LT1("Result1")) + " ");
  OutputGB->setTitle(" " + Lt("Output") + " ");
  CurveGB->setTitle(" " + Qs(docs::LTOrKey("Sensor curve")) + " ");
  DiffT->setText(Qs(docs::LTOrKey("Difference")));
  InputJT->setText("%");
  OutputJT->setText("mA");
  const QString unit =
      p_.P.Jednostki >= 0 && p_.P.Jednostki < 16 ? Qs(app::UnitName(p_.P.Jednostki)) : QString();
  for (QLabel* l : {ResultJT, CurveJT, DiffJT}) l->setText(unit);
  for (QWidget* w : {static_cast<QWidget*>(InputE), static_cast<QWidget*>(InputS)})
    w->setToolTip(Lt("Input signal"));
  for (QWidget* w : {static_cast<QWidget*>(OutputE), static_cast<QWidget*>(OutputS)})
    w->setToolTip(Lt("Set the output current"));
  WykresXY1->setToolTip(Lt("Click to switch between small and large dots"));
}

void TSymulF::Place(QWidget* owner) {
  if (!owner) return;
  const double scale = owner->logicalDpiX() / 96.0;
  move(owner->x() + static_cast<int>((kMainNominalWidth - kNominalWidth) / 2 * scale),
       owner->y() + static_cast<int>(kTopOffset * scale));
}

std::string TSymulF::ValueText(double v, int extraDecimals) const {
  return app::RoundedText(v, app::RangeDecimals(range_.minInput, range_.maxInput) + extraDecimals);
}

void TSymulF::SetEditText(QLineEdit* edit, double value) {
  const bool was = busy_;
  busy_ = true;
  edit->setText(Qs(sensors::FixText(value)));
  busy_ = was;
}

void TSymulF::InpDisp(double x) {
  Show(sensors::SimAtInput(sim_, range_, x));
}

void TSymulF::OutDisp(double y) {
  Show(sensors::SimAtOutput(sim_, range_, y));
}

void TSymulF::Show(const sensors::TSimPoint& p) {
  busy_ = true;
  point_ = p;
  SetEditText(InputE, p.inputPercent);
  Input1T->setText("(" + Qs(sensors::SignalText(p.signal)) + " " + Qs(signalUnit_) + ")");
  ResultP->setText(Qs(ValueText(p.result)));
  SetEditText(OutputE, p.current);
  MoveBars();
  if (WykresXY1->CrossHairs()) {
    const sensors::TPlotPercent at = sensors::PlotPosition(p.inputPercent, p.fraction, WykresXY1->Bipolar());
    WykresXY1->MoveCrossHairs(at.x, at.y);
  }
  ShowReference();
  busy_ = false;
}

void TSymulF::MoveBars() {
  const int in = sensors::InputScrollPosition(InputS->value(), point_.inputPercent);
  if (in != InputS->value()) InputS->setValue(in);
  const int out = sensors::OutputScrollPosition(OutputS->value(), point_.fraction);
  if (out != OutputS->value()) OutputS->setValue(out);
}

void TSymulF::ShowReference() {
  const sensors::TForwardModel exact = [this](double v) {
    return sensors::SensorSignal({p_, table_, ranges_}, p_.Code.Typ, v);
  };
  const sensors::TReferenceComparison c = sensors::CompareAtInput(sim_, range_, exact, point_.inputPercent);
  CurveP->setText(c.found ? Qs(ValueText(c.reference)) : Qs(sensors::kNoNumberText));
  DiffP->setText(c.found ? Qs(ValueText(c.difference, 2)) : Qs(sensors::kNoNumberText));
}

void TSymulF::FormPaint() {
  WykresXY1->ClearPoints();
  for (const sensors::TPlotPercent& k : sensors::CurvePoints(sim_, WykresXY1->Bipolar()))
    WykresXY1->PlotPoint(k.x, k.y);
}

void TSymulF::InputSChange(int position) {
  if (busy_) return;
  if (app::WindowFlags().Deactivated) {
    // The click that brought the program back moves nothing.
    app::WindowFlags().Deactivated = false;
    busy_ = true;
    InputS->setValue(sensors::InputScrollPosition(position, point_.inputPercent));
    busy_ = false;
    return;
  }
  InpDisp(sensors::InputOfScroll(position));
}

void TSymulF::OutputSChange(int position) {
  if (busy_) return;
  if (app::WindowFlags().Deactivated) {
    app::WindowFlags().Deactivated = false;
    busy_ = true;
    OutputS->setValue(sensors::OutputScrollPosition(position, point_.fraction));
    busy_ = false;
    return;
  }
  OutDisp(sensors::FractionOfScroll(position));
}

void TSymulF::InputEChange() {
  if (!busy_) Timer1->start();
}

void TSymulF::OutputEChange() {
  if (!busy_) Timer2->start();
}

bool TSymulF::TakeEntry(QLineEdit* edit, double lo, double hi, double& value) {
  const sensors::TEntryCheck c = sensors::CheckEntry(edit->text().toStdString(), lo, hi);
  if (c.ok) {
    value = c.value;
  } else if (c.key == "Wrong format") {
    app::MessageBeep(app::BeepKind::kExclamation);
    app::MyMesM(Lt(c.key) + "!", app::kIconWarning, this);
  } else {
    app::MyMesM(Lt(c.key), app::kIconError, this);
  }
  SetEditText(edit, value);
  return c.ok;
}

void TSymulF::Timer1Timer() {
  Timer1->stop();
  double x = point_.inputPercent;
  if (TakeEntry(InputE, sensors::kInputEntryLow, sensors::kInputEntryHigh, x)) InpDisp(x);
}

void TSymulF::Timer2Timer() {
  Timer2->stop();
  double current = point_.current;
  if (TakeEntry(OutputE, sensors::kCurrentEntryLow, sensors::kCurrentEntryHigh, current))
    OutDisp((current - 4) / 16);
}

void TSymulF::WykresXY1Click() {
  WykresXY1->SetBigDot(!WykresXY1->BigDot());
  FormPaint();
}

void TSymulF::WykresXY1Drag(double x, double) {
  InpDisp(sensors::InputOfPlotX(x, WykresXY1->Bipolar()));
}

bool TSymulF::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress && (watched == InputE || watched == OutputE)) {
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      // Enter takes the entry at once instead of after the pause.
      if (watched == InputE)
        Timer1Timer();
      else
        Timer2Timer();
      return true;
    }
  }
  return QDialog::eventFilter(watched, e);
}

}  // namespace vorta::service
