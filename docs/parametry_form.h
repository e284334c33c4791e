// The hidden window that lives for the whole run: it creates the language list, loads the
// settings and the language, builds the model list, owns the shared line buffer, and writes the
// settings file when it is destroyed at the end.
#pragma once

#include <QWidget>
#include <string>

#include "docs/line_buffer.h"

namespace vorta::docs {

class TParametryF : public QWidget {
  Q_OBJECT
 public:
  // programDir is where "Vorta.ini" and the language files live.
  explicit TParametryF(std::string programDir, QWidget* parent = nullptr);
  ~TParametryF() override;

  TLineBuffer& Buffer() { return buffer_; }
  const std::string& ProgramDir() const { return programDir_; }
  // Whether the settings file was written at the end (checked by tests after destruction).
  static bool LastSaveSucceeded();

 private:
  void FormCreate();
  void FormDestroy();

  std::string programDir_;
  TLineBuffer buffer_;
};

// The one hidden window, while it exists.
TParametryF* ParametryF();

}  // namespace vorta::docs
