// The help window: the user manual in the program's language, with its contents and a search over
// all its pages. The manual is the folder LT("VortaEN") of HTML pages beside the program.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QListWidget;
class QTextBrowser;
class QLabel;

namespace vorta::docs {

class THelpF : public QDialog {
  Q_OBJECT
 public:
  THelpF(QWidget* parent, std::string programDir);

  // Shows page ("sensors.html#linear"); false when the manual has no such file.
  bool Open(const std::string& page);
  // The folder of the manual in the current language; English's when that one is missing.
  QString Folder() const;
  // Captions, the contents and the page shown, in the current language.
  Q_INVOKABLE void FormLang();
  // Fills the result list with the pages that hold text (any letter case); their number.
  int Search(const QString& text);

 private:
  void FillContents();

  std::string programDir_;
  std::string page_ = "index.html";
  QLabel *SpisT = nullptr, *SzukajT = nullptr;
  QListWidget* Spis = nullptr;
  QLineEdit* SzukajE = nullptr;
  QListWidget* Wyniki = nullptr;
  QTextBrowser* Strona = nullptr;
};

// Opens the manual at page in the help window, which stays open beside the program's windows; it
// is made a child of the modal window in front, if any, so that it can be used while that is open.
// False (and no window) when the manual's page is missing.
bool ShowHelp(QWidget* front, const std::string& programDir, const std::string& page);
// The help window while it is open.
THelpF* HelpWindow();

}  // namespace vorta::docs
