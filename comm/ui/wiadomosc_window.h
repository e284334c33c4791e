// The message window: modeless, the busy banner shown while a transfer runs; modal, the password
// prompt in front of the corrections and diagnostics windows. It stays on top and has no border.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QFrame;

namespace vorta::comm {

inline constexpr const char* kServicePassword = "@prufen";

// Set by the password prompt when the service password was typed; cleared after the diagnostics
// window was shown.
bool& DiagnosticsRequested();

class TWiadomosc : public QDialog {
  Q_OBJECT
 public:
  // userPassword is the password of the corrections window.
  explicit TWiadomosc(QWidget* owner, QString userPassword = QString());
  // The busy banner: shown without blocking; the caller hides and frees it.
  void ShowBusy();
  // The password prompt: OK when a password matched (DiagnosticsRequested then says which).
  int ExecPassword();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  void HasloReturn();

  QString userPassword_;
  bool modal_ = false;
  QFrame* Panel3 = nullptr;
  QLabel* Wiadomosc1 = nullptr;
  QLabel* Wiadomosc2 = nullptr;
  QLineEdit* Haslo = nullptr;
};

}  // namespace vorta::comm
