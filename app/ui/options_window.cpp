// Layout and rules of the general options dialog.
#include "app/ui/options_window.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/app_state.h"
#include "app/ui/message_box.h"
#include "docs/language_file.h"
#include "docs/options_rules.h"
#include "docs/ui/lang.h"

namespace vorta::app {

using docs::Lt;

namespace {

constexpr int kMaxPasswordLength = 30;

QLineEdit* PasswordEdit(QWidget* parent, const char* name) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setEchoMode(QLineEdit::Password);
  e->setMaxLength(kMaxPasswordLength);
  return e;
}

QLabel* NamedLabel(QWidget* parent, const char* name) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  return l;
}

}  // namespace

TOgolneF::TOgolneF(QWidget* owner, std::string programDir)
    : QDialog(owner), programDir_(std::move(programDir)) {
  setObjectName("OgolneF");
  JezykG = new QGroupBox(this);
  JezykG->setObjectName("JezykG");
  Wybierz = NamedLabel(JezykG, "Wybierz");
  ListaLang = new QComboBox(JezykG);
  ListaLang->setObjectName("ListaLang");
  auto* lang = new QHBoxLayout(JezykG);
  lang->addWidget(Wybierz);
  lang->addWidget(ListaLang, 1);

  HasloG = new QGroupBox(this);
  HasloG->setObjectName("HasloG");
  StareT = NamedLabel(HasloG, "StareT");
  NoweT = NamedLabel(HasloG, "NoweT");
  PowtorzT = NamedLabel(HasloG, "PowtorzT");
  StareE = PasswordEdit(HasloG, "StareE");
  NoweE = PasswordEdit(HasloG, "NoweE");
  PowtorzE = PasswordEdit(HasloG, "PowtorzE");
  auto* pass = new QFormLayout(HasloG);
  pass->addRow(StareT, StareE);
  pass->addRow(NoweT, NoweE);
  pass->addRow(PowtorzT, PowtorzE);

  OKbutt = new QPushButton("OK", this);
  OKbutt->setObjectName("OKbutt");
  OKbutt->setDefault(true);
  Cancelbutt = new QPushButton(this);
  Cancelbutt->setObjectName("Cancelbutt");
  connect(OKbutt, &QPushButton::clicked, this, &TOgolneF::OKbuttClick);
  connect(Cancelbutt, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OKbutt);
  buttons->addWidget(Cancelbutt);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(JezykG);
  layout->addWidget(HasloG);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  std::vector<std::string> names;
  if (docs::ListLanguages(programDir_, names)) {
    for (const std::string& n : names) ListaLang->addItem(QString::fromStdString(n));
  } else {
    ListaLang->addItem("English");
    MyMesM("No optional language (*.lan) files found!", kIconInfo, owner);
  }
  ListaLang->setCurrentIndex(ListaLang->findText(QString::fromStdString(Settings().Language)));
  FormLang();
  Place(owner);
}

void TOgolneF::FormLang() {
  setWindowTitle(Lt("Options"));
  JezykG->setTitle(" " + Lt("language") + " ");
  Wybierz->setText(Lt("Select") + ":");
  HasloG->setTitle(" " + Lt("Password").toLower() + " ");
  StareT->setText(Lt("Old") + ":");
  NoweT->setText(QString::fromStdString(docs::LT1("New1")) + ":");
  PowtorzT->setText(QString::fromStdString(docs::LTOrKey("Repeat")) + ":");
  Cancelbutt->setText(Lt("Cancel"));
}

void TOgolneF::Place(QWidget* owner) {
  if (!owner) return;
  adjustSize();
  const double scale = owner->logicalDpiX() / 96.0;
  move(owner->x() + static_cast<int>((515 - 377) / 2 * scale), owner->y() + static_cast<int>(122 * scale));
}

void TOgolneF::OKbuttClick() {
  using TWhy = docs::TOptionsOutcome::TWhy;
  docs::TOptionsInput in;
  in.language = Settings().Language;
  if (ListaLang->currentIndex() >= 0) in.selected = ListaLang->currentText().toStdString();
  in.password = Settings().Pass;
  in.oldTyped = StareE->text().toStdString();
  in.newTyped = NoweE->text().toStdString();
  in.newAgain = PowtorzE->text().toStdString();
  const docs::TOptionsOutcome out = docs::DecideOptions(in);
  if (out.verdict == docs::TOptionsVerdict::kCancel) return reject();
  if (out.verdict == docs::TOptionsVerdict::kStay) {
    MessageBeep(BeepKind::kExclamation);
    if (out.why == TWhy::kWrongPassword) {
      MyMesM(Lt("Wrong") + " " + Lt("Password").toLower() + "!", kIconError, this);
      StareE->clear();
      StareE->setFocus();
    } else {
      MyMesM(QString::fromStdString(docs::LTOrKey(out.why == TWhy::kNewPasswordsDiffer
                                                      ? "The new passwords differ"
                                                      : "A password is 1 to 30 letters, digits or signs")) +
                 "!",
             kIconError, this);
      NoweE->clear();
      PowtorzE->clear();
      NoweE->setFocus();
    }
    return;
  }
  Settings().Pass = out.password;
  if (out.language != Settings().Language) {
    const std::string old = Settings().Language;
    Settings().Language = out.language;
    if (!docs::LoadLanguage(programDir_, Settings().Language, docs::LangList())) {
      MessageBeep(BeepKind::kExclamation);
      MyMesM(QString::fromStdString(out.language) + ".lan " + Lt("file is invalid") + "!", kIconError, this);
      Settings().Language = old;
      docs::LoadLanguage(programDir_, Settings().Language, docs::LangList());
    }
  }
  accept();
}

}  // namespace vorta::app
