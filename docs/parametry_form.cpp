// Creation and destruction of the hidden parameters window.
#include "docs/parametry_form.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/message_box.h"
#include "app/model_list.h"
#include "app/settings.h"
#include "docs/lang_list.h"
#include "docs/language_file.h"

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

TParametryF::TParametryF(std::string programDir, QWidget* parent)
    : QWidget(parent), programDir_(std::move(programDir)) {
  setObjectName("ParametryF");
  setWindowTitle("Parametry");
  hide();
  gInstance = this;
  FormCreate();
}

TParametryF::~TParametryF() {
  FormDestroy();
  if (gInstance == this) gInstance = nullptr;
}

void TParametryF::FormCreate() {
  LangList().BuildEnglish();
  app::LoadSettingsFile(programDir_, VirtualDesktop(), app::Settings());
  LoadLanguage(programDir_, app::Settings().Language);
  app::ModelList().Build();
}

void TParametryF::FormDestroy() {
  gLastSave = app::SaveSettingsFile(programDir_, app::Settings());
  if (!gLastSave) {
    app::MyMesM(QString::fromUtf8("The settings could not be saved in %1/%2 (the folder is not writable).\n"
                                  "Nothing else is lost.")
                    .arg(QString::fromStdString(programDir_), app::kSettingsFileName),
                app::kIconWarning);
  }
}

bool TParametryF::LastSaveSucceeded() {
  return gLastSave;
}

TParametryF* ParametryF() {
  return gInstance;
}

}  // namespace vorta::docs
