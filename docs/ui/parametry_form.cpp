// Creation and destruction of the hidden parameters window.
#include "docs/ui/parametry_form.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/ui/app_state.h"
#include "docs/language_file.h"
#include "docs/ui/lang.h"

namespace vorta::docs {
namespace {

TParametryF* gInstance = nullptr;
bool gLastSave = false;

app::TDesktop VirtualDesktop() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {0, 0, 1024, 768};
  const QRect r = screen->virtualGeometry();
  return {r.left(), r.top(), r.width(), r.height()};
}

}  // namespace

TParametryF::TParametryF(std::string programDir, std::string settingsDir, QWidget* parent)
    : QWidget(parent), programDir_(std::move(programDir)), settingsDir_(std::move(settingsDir)) {
  setObjectName("ParametryF");
  setWindowTitle("Parametry");
  hide();
  gInstance = this;
  FormCreate();
}

TParametryF::~TParametryF() {
  if (!saved_) SaveSettings();
  if (gInstance == this) gInstance = nullptr;
}

void TParametryF::FormCreate() {
  LangList().BuildEnglish();
  app::LoadSettingsFile(settingsDir_, VirtualDesktop(), app::Settings());
  LoadLanguage(programDir_, app::Settings().Language, LangList());
}

TResult TParametryF::SaveSettings() {
  const TResult r = app::SaveSettingsFile(settingsDir_, app::Settings());
  gLastSave = r.ok;
  saved_ = true;
  return r;
}

bool TParametryF::LastSaveSucceeded() {
  return gLastSave;
}

TParametryF* ParametryF() {
  return gInstance;
}

}  // namespace vorta::docs
