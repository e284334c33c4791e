// Layout and behaviour of the table dialog.
#include "sensors/ui/tabl_window.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "app/param_set.h"
#include "app/ui/app_state.h"
#include "app/ui/file_dialogs.h"
#include "app/ui/message_box.h"
#include "docs/par_file.h"
#include "docs/ui/lang.h"
#include "sensors/catalogue.h"
#include "sensors/table_dialog_rules.h"
#include "sensors/table_file.h"
#include "sensors/ui/dialog_support.h"
#include "sensors/ui/sensor_state.h"

namespace vorta::sensors {

using docs::Lt;

namespace {

QLabel* Value(QWidget* parent, const char* name) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  l->setMinimumWidth(l->fontMetrics().horizontalAdvance("-0000.000"));
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return l;
}

QLabel* Named(QLabel* l, const char* name) {
  l->setObjectName(name);
  return l;
}

}  // namespace

TTablF::TTablF(QWidget* owner) : QDialog(owner), table_(std::make_unique<TUserTable>()) {
  FormCreate();
}

TTablF::TTablF(QWidget* owner, const std::string& file)
    : QDialog(owner), preload_(file), keepUnit_(true), table_(std::make_unique<TUserTable>()) {
  FormCreate();
}

TTablF::~TTablF() = default;

void TTablF::FormCreate() {
  setObjectName("TablF");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  dataDirCopy_ = app::Settings().DataDir;
  fileCopy_ = app::Param().File;
  Build();
  setWindowTitle(Lt("Table"));
  const int charTyp = app::Param().CharTyp;
  FillUnits(UnitsE, keepUnit_ ? app::Param().P.Jednostki : DefaultResultUnit(charTyp));
  UnitsE->setEnabled(false);
  InMinJ->setText(Q(InputUnitText(charTyp)));
  InMaxJ->setText(InMinJ->text());
  TablOKB->setEnabled(false);
  ClearValues();
  ShowLines(TableExampleLines(charTyp, docs::LT("Example")), -1);
  PlaceDialog(this, parentWidget(), 30, 30);
}

void TTablF::Build() {
  auto* column = new QVBoxLayout(this);
  auto* fileRow = new QHBoxLayout;
  InpFileT = Named(new QLabel(Lt("&File") + ":", this), "InpFileT");
  InpFileN = Named(new QLabel(this), "InpFileN");
  fileRow->addWidget(InpFileT);
  fileRow->addWidget(InpFileN, 1);
  column->addLayout(fileRow);

  auto* middle = new QHBoxLayout;
  InputG = new QGroupBox(GroupTitle("Input range"), this);
  InputG->setObjectName("InputG");
  auto* in = new QGridLayout(InputG);
  InMinV = Value(InputG, "InMinV");
  InMaxV = Value(InputG, "InMaxV");
  InMinJ = Named(new QLabel(InputG), "InMinJ");
  InMaxJ = Named(new QLabel(InputG), "InMaxJ");
  in->addWidget(new QLabel(Lt("Minimum"), InputG), 0, 0);
  in->addWidget(InMinV, 0, 1);
  in->addWidget(InMinJ, 0, 2);
  in->addWidget(new QLabel(Lt("Maximum"), InputG), 1, 0);
  in->addWidget(InMaxV, 1, 1);
  in->addWidget(InMaxJ, 1, 2);
  ResponseG = new QGroupBox(GroupTitle("Response"), this);
  ResponseG->setObjectName("ResponseG");
  auto* res = new QGridLayout(ResponseG);
  ResMinV = Value(ResponseG, "ResMinV");
  ResMaxV = Value(ResponseG, "ResMaxV");
  ResMinJ = Named(new QLabel(ResponseG), "ResMinJ");
  ResMaxJ = Named(new QLabel(ResponseG), "ResMaxJ");
  UnitsT = Named(new QLabel(Lt("Eng. units"), ResponseG), "UnitsT");
  UnitsE = new QComboBox(ResponseG);
  UnitsE->setObjectName("UnitsE");
  res->addWidget(new QLabel(Lt("Minimum"), ResponseG), 0, 0);
  res->addWidget(ResMinV, 0, 1);
  res->addWidget(ResMinJ, 0, 2);
  res->addWidget(new QLabel(Lt("Maximum"), ResponseG), 1, 0);
  res->addWidget(ResMaxV, 1, 1);
  res->addWidget(ResMaxJ, 1, 2);
  res->addWidget(UnitsT, 2, 0);
  res->addWidget(UnitsE, 2, 1, 1, 2);
  auto* buttons = new QVBoxLayout;
  TablLoadB = new QPushButton(Lt("Open"), this);
  TablLoadB->setObjectName("TablLoadB");
  InpFileT->setBuddy(TablLoadB);  // Alt+F goes to Open, and the label shows its mnemonic, not "&"
  TablOKB = new QPushButton("OK", this);
  TablOKB->setObjectName("TablOKB");
  TablExitB = new QPushButton(Lt("Cancel"), this);
  TablExitB->setObjectName("TablExitB");
  for (QPushButton* b : {TablLoadB, TablOKB, TablExitB}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  buttons->addStretch(1);
  middle->addWidget(InputG);
  middle->addWidget(ResponseG);
  middle->addLayout(buttons);
  column->addLayout(middle);

  PointsT = Named(new QLabel(this), "PointsT");
  column->addWidget(PointsT);
  RichEdit = new QPlainTextEdit(this);
  RichEdit->setObjectName("RichEdit");
  RichEdit->setReadOnly(true);
  RichEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
  RichEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  RichEdit->setMinimumHeight(RichEdit->fontMetrics().lineSpacing() * 10);
  column->addWidget(RichEdit, 1);

  connect(TablLoadB, &QPushButton::clicked, this, &TTablF::TablLoadBClick);
  connect(TablOKB, &QPushButton::clicked, this, &TTablF::TablOKBClick);
  connect(TablExitB, &QPushButton::clicked, this, &TTablF::TablExitBClick);
  connect(UnitsE, &QComboBox::currentIndexChanged, this, &TTablF::UnitsEChange);
}

void TTablF::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (painted_) return;
  painted_ = true;
  if (!preload_.empty()) LoadFile(preload_);
  if (TablOKB->isEnabled()) {
    TablOKB->setFocus();
  } else {
    TablLoadB->setFocus();
  }
}

void TTablF::ClearValues() {
  for (QLabel* l : {InMinV, InMaxV, ResMinV, ResMaxV, PointsT}) l->clear();
  for (QLabel* l : {InMinJ, InMaxJ, ResMinJ, ResMaxJ}) l->hide();
}

void TTablF::ShowLines(const std::vector<std::string>& lines, int selected) {
  QStringList text;
  for (const std::string& l : lines)
    text.append(QString::fromUtf8(l.data(), static_cast<qsizetype>(l.size())));
  RichEdit->setPlainText(text.join('\n'));
  if (selected < 0) return;
  // The line the file failed at, selected so that the user sees it.
  const QTextBlock block = RichEdit->document()->findBlockByNumber(selected);
  if (!block.isValid()) return;
  QTextCursor cursor(block);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  RichEdit->setTextCursor(cursor);
  RichEdit->centerCursor();
}

void TTablF::TablLoadBClick() {
  const std::string& file = path_.empty() ? app::Param().File : path_;
  QString start = Q(app::Settings().DataDir);
  if (!file.empty()) start += (start.isEmpty() ? "" : "/") + Q(BareFileName(file));
  const QString filter = Lt("Tables") + " (*.dat);;" + Lt("All files") + " (*)";
  const QString chosen = app::FileDialogs().OpenFile(this, start, filter);
  if (chosen.isEmpty()) return;
  LoadFile(chosen.toStdString());
}

bool TTablF::LoadFile(const std::string& path) {
  path_ = path;
  loaded_ = false;
  TablOKB->setEnabled(false);
  TablLoadB->setFocus();
  ClearValues();
  app::Settings().DataDir = docs::DataDirOf(path);
  setWindowTitle(QFileInfo(Q(path)).absolutePath());
  InpFileN->setText(Q(BareFileName(path)));
  const int charTyp = app::Param().CharTyp;
  std::vector<std::string> lines;
  TTableParse parse;
  const bool read = ReadTableLines(path, lines);
  const bool parsed = read && ParseTableFile(lines, charTyp, SensorRangeTable(), *table_, parse);
  ShowLines(lines, parsed ? -1 : LineToSelect(parse.line));
  if (!parsed) {
    QString text = Lt("Corrupted or wrong data file") + "!";
    if (!parse.reason.empty()) text += "\n(" + Lt(parse.reason) + ".)";
    app::MyMesM(text, app::kIconError, this);
    return false;
  }
  ShowTable();
  if (!TableSpanSufficient(*table_, charTyp)) {
    app::MyMesM(Lt("Input range too small!"), app::kIconWarning, this);
    return false;
  }
  loaded_ = true;
  TablOKB->setEnabled(true);
  TablOKB->setFocus();
  return true;
}

void TTablF::ShowTable() {
  const TTableSummary s = SummariseTable(*table_);
  InMinV->setText(Q(s.inMin));
  InMaxV->setText(Q(s.inMax));
  ResMinV->setText(Q(s.resMin));
  ResMaxV->setText(Q(s.resMax));
  PointsT->setText(Q(docs::LTOrKey("Points")) + ": " + QString::number(s.count) + "     " +
                   Q(PointText(s.first)) + "  ...  " + Q(PointText(s.last)));
  for (QLabel* l : {InMinJ, InMaxJ, ResMinJ, ResMaxJ}) l->show();
  UnitsEChange();
  UnitsE->setEnabled(!keepUnit_ && ResultUnitSelectable(app::Param().CharTyp, app::Param().ModelCode()));
}

void TTablF::UnitsEChange() {
  ResMinJ->setText(UnitsE->currentText());
  ResMaxJ->setText(UnitsE->currentText());
}

void TTablF::TablOKBClick() {
  if (!loaded_) {
    TablExitBClick();
    return;
  }
  app::TParamSet& p = app::Param();
  UserTable() = *table_;
  SetTableLimits(UserTable(), SensorRangeTable());
  p.File = path_;
  p.TableLoaded = true;
  if (!keepUnit_) {
    p.P.Jednostki = UnitsE->currentIndex();
    p.Code.CharModified = 1;
  }
  done(1);
}

void TTablF::TablExitBClick() {
  app::Settings().DataDir = dataDirCopy_;
  app::Param().File = fileCopy_;
  done(2);
}

void TTablF::reject() {
  TablExitBClick();
}

}  // namespace vorta::sensors
