// The hidden window that lives for the whole run: it creates the language list, loads the
// settings and the language, owns the shared line buffer, and writes the settings file at the end.
#pragma once

#include <QWidget>
#include <string>

#include "app/result.h"
#include "docs/line_buffer.h"

namespace vorta::docs {

class TParametryF : public QWidget {
  Q_OBJECT
 public:
  // programDir is where the language files live, settingsDir where "Vorta.ini" lives.
  TParametryF(std::string programDir, std::string settingsDir, QWidget* parent = nullptr);
  ~TParametryF() override;

  TLineBuffer& Buffer() { return buffer_; }
  const std::string& ProgramDir() const { return programDir_; }
  const std::string& SettingsDir() const { return settingsDir_; }
  // Writes the settings file now; the window that ends the program shows a failure. Destroying the
  // hidden window writes it silently when this was not called.
  TResult SaveSettings();
  // Whether the settings file was written at the end (checked by tests after destruction).
  static bool LastSaveSucceeded();

 private:
  void FormCreate();

  std::string programDir_;
  std::string settingsDir_;
  TLineBuffer buffer_;
  bool saved_ = false;
};

// The one hidden window, while it exists.
TParametryF* ParametryF();

}  // namespace vorta::docs
