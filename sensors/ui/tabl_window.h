// The table dialog: loads a table characteristic file (*.dat), shows the file, its signal and
// result ranges, its number of points with the first and the last, and lets the user pick the
// unit of the result. A file is read into a table of the dialog's own; only OK installs it as the
// user table, so Cancel leaves the table in use as it was.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "sensors/user_table.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vorta::sensors {

class TTablF : public QDialog {
  Q_OBJECT
 public:
  // The selection's use: the user opens a file for the input type CharTyp and picks the unit.
  explicit TTablF(QWidget* owner);
  // The main window's use: the file a configuration names, loaded when the dialog opens; the
  // configuration's unit stays.
  TTablF(QWidget* owner, const std::string& file);
  ~TTablF() override;

  void TablLoadBClick();
  void TablOKBClick();
  void TablExitBClick();
  void UnitsEChange();
  // Reads path into the dialog's table and shows it; true when it was accepted.
  bool LoadFile(const std::string& path);

  QLabel *InpFileT = nullptr, *InpFileN = nullptr;
  QGroupBox *InputG = nullptr, *ResponseG = nullptr;
  QLabel *InMinV = nullptr, *InMaxV = nullptr, *InMinJ = nullptr, *InMaxJ = nullptr;
  QLabel *ResMinV = nullptr, *ResMaxV = nullptr, *ResMinJ = nullptr, *ResMaxJ = nullptr, *UnitsT = nullptr;
  QLabel* PointsT = nullptr;
  QComboBox* UnitsE = nullptr;
  QPushButton *TablLoadB = nullptr, *TablOKB = nullptr, *TablExitB = nullptr;
  QPlainTextEdit* RichEdit = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  void reject() override;

 private:
  void FormCreate();
  void Build();
  void ClearValues();
  void ShowLines(const std::vector<std::string>& lines, int selected);
  void ShowTable();

  std::string dataDirCopy_;
  std::string fileCopy_;
  std::string preload_;    // the file to load on opening; empty for the selection's use
  bool keepUnit_ = false;  // the configuration's unit stays
  std::string path_;       // the file shown
  bool loaded_ = false;    // the file shown was accepted
  bool painted_ = false;
  std::unique_ptr<TUserTable> table_;
};

}  // namespace vorta::sensors
