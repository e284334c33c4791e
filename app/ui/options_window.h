// The general options dialog: the language of the program and the user password.
#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vorta::app {

class TOgolneF : public QDialog {
  Q_OBJECT
 public:
  // programDir holds the language files offered.
  TOgolneF(QWidget* owner, std::string programDir);

  // Every caption from the language list.
  Q_INVOKABLE void FormLang();
  void OKbuttClick();

 private:
  void Place(QWidget* owner);

  std::string programDir_;
  QGroupBox *JezykG = nullptr, *HasloG = nullptr;
  QLabel *Wybierz = nullptr, *StareT = nullptr, *NoweT = nullptr, *PowtorzT = nullptr;
  QComboBox* ListaLang = nullptr;
  QLineEdit *StareE = nullptr, *NoweE = nullptr, *PowtorzE = nullptr;
  QPushButton *OKbutt = nullptr, *Cancelbutt = nullptr;
};

}  // namespace vorta::app
