// The editors of the main window: validation on leaving a field or on Enter, the change marks,
// the spurious-error up-down and the optimal filter.
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QToolButton>

#include "app/display_format.h"
#include "app/editor_rules.h"
#include "app/rounding.h"
#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "app/ui/app_state.h"
#include "app/ui/window_state.h"
#include "docs/ui/lang.h"
#include "docs/str_to_number.h"
#include "sensors/ui/sensor_state.h"

namespace vorta::app {

using docs::Lt;

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// Restricts a field to the keys its editor accepts.
void AcceptKeys(QLineEdit* e, const char* pattern) {
  e->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), e));
}

// The transmitter holds the tag and the free text as ISO-8859-1: a character outside it is refused
// as it is typed, so what the field shows is what the transmitter gets.
class Latin1Validator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    for (const QChar c : input)
      if (c.unicode() > 0xFF) return Invalid;
    return Acceptable;
  }
};

}  // namespace

void TVortaF::ConnectEditors() {
  for (QLineEdit* e : {KodE, OgolneE}) {
    e->setValidator(new Latin1Validator(e));
    connect(e, &QLineEdit::inputRejected, this, [] { MessageBeep(BeepKind::kExclamation); });
  }
  AcceptKeys(MinInputE, "[0-9+,.Ee-]*");
  AcceptKeys(MaxInputE, "[0-9+,.Ee-]*");
  AcceptKeys(FiltrZakresE, "[0-9,.]*");
  AcceptKeys(FiltrCzasE, "[0-9,.]*");
  AcceptKeys(FiltrLimitE, "[0-9]*");
  // Leaving a field reaches EditorFocusOut through the window's application-wide event filter
  // alone: a filter on the field as well would validate every exit twice, and the second pass over
  // the redisplayed text would clear EditError and store the rounded value.
  connect(MinInputE, &QLineEdit::returnPressed, this, &TVortaF::MinInputEExit);
  connect(MaxInputE, &QLineEdit::returnPressed, this, &TVortaF::MaxInputEExit);
  connect(FiltrZakresE, &QLineEdit::returnPressed, this, &TVortaF::FiltrZakresEExit);
  connect(FiltrCzasE, &QLineEdit::returnPressed, this, &TVortaF::FiltrCzasEExit);
  connect(FiltrLimitE, &QLineEdit::returnPressed, this, &TVortaF::FiltrLimitEExit);
  connect(MinInputE, &QLineEdit::textEdited, this, [this] { RangeEChange(MinInputE, savedMin_); });
  connect(MaxInputE, &QLineEdit::textEdited, this, [this] { RangeEChange(MaxInputE, savedMax_); });
  connect(FiltrZakresE, &QLineEdit::textEdited, this, [this] { SetFieldLook(FiltrZakresE, 3); });
  connect(FiltrCzasE, &QLineEdit::textEdited, this, [this] { SetFieldLook(FiltrCzasE, 3); });
  connect(FiltrLimitE, &QLineEdit::textEdited, this, &TVortaF::FiltrLimitEChange);
  connect(FiltrLimitUp, &QToolButton::clicked, this, [this] { FiltrLimitUpDownClick(true); });
  connect(FiltrLimitDown, &QToolButton::clicked, this, [this] { FiltrLimitUpDownClick(false); });
  connect(BurnoutE, &QComboBox::activated, this, &TVortaF::BurnoutEChange);
  connect(SiecE, &QComboBox::activated, this, &TVortaF::SiecEChange);
  connect(KodE, &QLineEdit::textEdited, this, &TVortaF::KodEChange);
  connect(OgolneE, &QLineEdit::textEdited, this, &TVortaF::OgolneEChange);
  connect(FiltrDobierz, &QPushButton::clicked, this, &TVortaF::FiltrDobierzClick);
}

bool TVortaF::EditorFocusOut(QObject* watched) {
  if (validating_) return false;
  if (watched == MinInputE) MinInputEExit();
  if (watched == MaxInputE) MaxInputEExit();
  if (watched == FiltrZakresE) FiltrZakresEExit();
  if (watched == FiltrCzasE) FiltrCzasEExit();
  if (watched == FiltrLimitE) FiltrLimitEExit();
  return false;
}

void TVortaF::ValidateFocusedField() {
  QWidget* focused = QApplication::focusWidget();
  if (focused) EditorFocusOut(focused);
}

void TVortaF::EditFailed(QWidget* field, BeepKind beep, const QString& text, int kind) {
  WindowFlags().EditError = true;
  if (!text.isEmpty()) {
    validating_ = true;
    if (beep != BeepKind::kDefault) MessageBeep(beep);
    MyMesM(text, kind, this);
    validating_ = false;
  }
  QTimer::singleShot(0, field, [field] { field->setFocus(); });
}

void TVortaF::RangeEExit(QLineEdit* field, bool minimum) {
  if (!field->isEnabled()) return;
  TParamSet& p = Param();
  WindowFlags().EditError = false;
  double& target = minimum ? p.P.MinInput : p.P.MaxInput;
  const double old = target;
  double value = 0.0;
  if (!docs::StrToNumber(field->text().toStdString(), value)) {
    EditFailed(field, BeepKind::kExclamation, Lt("Wrong format") + "!", kIconError);
  } else {
    target = value;
    const TRangeCheck check = InputEExit(sensors::SensorData(), value, docs::LangList());
    if (check.verdict != TRangeVerdict::kAccepted) {
      target = old;
      if (check.verdict == TRangeVerdict::kRejected) {
        EditFailed(field, check.beep ? BeepKind::kExclamation : BeepKind::kDefault, Q(check.message),
                   kIconWarning);
      } else {
        EditFailed(field, BeepKind::kDefault, Lt(minimum ? "Minimum out of range!" : "Maximum out of range!"),
                   kIconWarning);
      }
    }
  }
  ShowRangeFields();
}

void TVortaF::ShowRangeFields() {
  const TParamSet& p = Param();
  savedMin_ = Q(RangeText(p, sensors::SensorRangeTable(), p.P.MinInput));
  savedMax_ = Q(RangeText(p, sensors::SensorRangeTable(), p.P.MaxInput));
  for (auto [e, t] : {std::pair{MinInputE, savedMin_}, std::pair{MaxInputE, savedMax_}}) {
    const bool blocked = e->blockSignals(true);
    e->setText(t);
    e->blockSignals(blocked);
  }
}

void TVortaF::MinInputEExit() {
  RangeEExit(MinInputE, true);
}
void TVortaF::MaxInputEExit() {
  RangeEExit(MaxInputE, false);
}

void TVortaF::RangeEChange(QLineEdit* field, const QString& saved) {
  if (field->text() != saved) SetFieldLook(field, 3);
}

void TVortaF::FiltrZakresEExit() {
  if (!FiltrZakresE->isEnabled()) return;
  TParamSet& p = Param();
  WindowFlags().EditError = false;
  std::int32_t n = 0;
  bool ok = false;
  if (!ParseTenths(FiltrZakresE->text().toStdString(), n)) {
    EditFailed(FiltrZakresE, BeepKind::kExclamation, Lt("Wrong format") + "!", kIconError);
  } else if (n < 0 || n > 250) {
    EditFailed(FiltrZakresE, BeepKind::kExclamation, Lt("Out of range!"), kIconWarning);
  } else {
    p.P.FiltrZakres = n;
    ok = true;
  }
  FiltrZakresE->setText(Q(RoundedText(p.P.FiltrZakres * 0.1, 1)));
  if (ok) FiltrLimitEExit();  // its lower bound follows the filtration range
}

void TVortaF::FiltrCzasEExit() {
  if (!FiltrCzasE->isEnabled()) return;
  TParamSet& p = Param();
  WindowFlags().EditError = false;
  const double step = p.TimeStep();
  std::int32_t n = 0;
  if (!ParseTenths(FiltrCzasE->text().toStdString(), n)) {
    EditFailed(FiltrCzasE, BeepKind::kExclamation, Lt("Wrong format") + "!", kIconError);
  } else if (n < 0 || n > MaxFiltrCzas(step)) {
    EditFailed(FiltrCzasE, BeepKind::kExclamation, Lt("Out of range!"), kIconWarning);
  } else {
    p.P.FiltrCzas = n;
  }
  FiltrCzasToCount(p.P.FiltrCzas, step);
  FiltrCzasE->setText(Q(RoundedText(p.P.FiltrCzas * 0.1, 1)));
}

void TVortaF::FiltrLimitEExit() {
  if (!FiltrLimitE->isEnabled()) return;
  TParamSet& p = Param();
  WindowFlags().EditError = false;
  double r = 0.0;
  if (!docs::StrToNumber(FiltrLimitE->text().toStdString(), r)) {
    EditFailed(FiltrLimitE, BeepKind::kExclamation, Lt("Wrong format") + "!", kIconError);
  } else if (!FiltrLimitInRange(r)) {
    EditFailed(FiltrLimitE, BeepKind::kExclamation, Lt("Out of range!"), kIconWarning);
  } else {
    p.P.FiltrLimit = ThresholdFor(r, p.P.FiltrZakres);
  }
  FiltrLimitE->setText(QString::number(p.P.FiltrLimit));
}

void TVortaF::FiltrLimitEChange() {
  SetFieldLook(FiltrLimitE, 3);
  const QString text = FiltrLimitE->text();
  if (text.isEmpty()) return;
  double v = 0.0;
  if (!docs::StrToNumber(text.toStdString(), v)) {
    MessageBeep(BeepKind::kExclamation);
    MyMesM(Lt("Wrong format") + "!", kIconError, this);
    FiltrLimitE->setText(QString::number(Param().P.FiltrLimit));
    return;
  }
  Param().P.FiltrLimit = static_cast<std::int32_t>(RoundHalfEven(std::clamp(v, 0.0, 100.0)));
}

void TVortaF::FiltrLimitUpDownClick(bool up) {
  FiltrLimitE->setFocus();
  TParamSet& p = Param();
  p.P.FiltrLimit = ThresholdStep(p.P.FiltrLimit, p.P.FiltrZakres, up);
  FiltrLimitE->setText(QString::number(p.P.FiltrLimit));
  SetFieldLook(FiltrLimitE, 3);
}

void TVortaF::BurnoutEChange(int index) {
  Param().P.Burnout = index >= 0 && index < 3 ? index : 0;
  Reakcja->setText(Q(ReactionLabel(Param(), docs::LangList())));
  SetFieldLook(BurnoutE, 3);
}

void TVortaF::SiecEChange(int index) {
  Param().P.Siec = index == 1 ? 60 : 50;
  SetFieldLook(SiecE, 3);
}

void TVortaF::KodEChange() {
  SetText(Param().kod, KodE->text().toStdString(), kKodCap);
  SetFieldLook(KodE, 3);
}

void TVortaF::OgolneEChange() {
  SetText(Param().ogolne, OgolneE->text().toStdString(), kOgolneCap);
  SetFieldLook(OgolneE, 3);
}

void TVortaF::FiltrDobierzClick() {
  if (Param().noTab() && nietypo()) return;
  OptimalFilter(Param(), sensors::UserTable(), sensors::SensorRangeTable());
  FiltrZakresE->setText(Q(RoundedText(Param().P.FiltrZakres * 0.1, 1)));
  FiltrCzasE->setText(Q(RoundedText(Param().P.FiltrCzas * 0.1, 1)));
  SetFieldLook(FiltrZakresE, 3);
  SetFieldLook(FiltrCzasE, 3);
}

}  // namespace vorta::app
