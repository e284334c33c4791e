// Layout, contents and search of the help window.
#include "docs/ui/help_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include "docs/help_pages.h"
#include "docs/language_file.h"
#include "docs/ui/lang.h"

namespace vorta::docs {
namespace {

QPointer<THelpF> gHelp;

// A page of the manual is a few kilobytes; a bigger file is no page of it.
constexpr qint64 kMaxPageBytes = 1024 * 1024;

QString ReadPage(const QString& path) {
  QFile f(path);
  if (f.size() > kMaxPageBytes || !f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll());
}

QString TitleOf(const QString& html, const QString& fallback) {
  const QRegularExpressionMatch m = QRegularExpression("<title>([^<]*)</title>").match(html);
  if (!m.hasMatch()) return fallback;
  QTextDocument doc;
  doc.setHtml(m.captured(1));
  return doc.toPlainText().trimmed();
}

QString PlainText(const QString& html) {
  QTextDocument doc;
  doc.setHtml(html);
  return doc.toPlainText();
}

}  // namespace

THelpF::THelpF(QWidget* parent, std::string programDir)
    : QDialog(parent), programDir_(std::move(programDir)) {
  setObjectName("HelpF");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::Window);
  SpisT = new QLabel(this);
  Spis = new QListWidget(this);
  Spis->setObjectName("Spis");
  Spis->setMinimumWidth(Spis->fontMetrics().averageCharWidth() * 36);  // the titles of the pages
  SzukajT = new QLabel(this);
  SzukajE = new QLineEdit(this);
  SzukajE->setObjectName("SzukajE");
  SzukajE->setMaxLength(100);
  Wyniki = new QListWidget(this);
  Wyniki->setObjectName("Wyniki");
  Strona = new QTextBrowser(this);
  Strona->setObjectName("Strona");
  Strona->setOpenExternalLinks(true);
  auto* side = new QVBoxLayout;
  side->addWidget(SpisT);
  side->addWidget(Spis, 2);
  side->addWidget(SzukajT);
  side->addWidget(SzukajE);
  side->addWidget(Wyniki, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(side, 1);
  layout->addWidget(Strona, 3);
  const auto openItem = [this](QListWidgetItem* item) {
    if (!item) return;
    Open(item->data(Qt::UserRole).toString().toStdString());
    if (item->listWidget() == Wyniki) Strona->find(SzukajE->text());
  };
  connect(Spis, &QListWidget::itemActivated, this, openItem);
  connect(Spis, &QListWidget::itemClicked, this, openItem);
  connect(Wyniki, &QListWidget::itemActivated, this, openItem);
  connect(Wyniki, &QListWidget::itemClicked, this, openItem);
  connect(SzukajE, &QLineEdit::returnPressed, this, [this] { Search(SzukajE->text()); });
  connect(Strona, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
    page_ = url.fileName().toStdString() + (url.hasFragment() ? "#" + url.fragment().toStdString() : "");
  });
  resize(900, 650);
  FormLang();
}

QString THelpF::Folder() const {
  const QString dir = QString::fromStdString(programDir_) + "/";
  const std::string name = LT("VortaEN");
  if (ValidLanguageName(name) && QFileInfo(dir + QString::fromStdString(name) + "/index.html").isFile())
    return dir + QString::fromStdString(name);
  return dir + "VortaEN";
}

bool THelpF::Open(const std::string& page) {
  const std::size_t hash = page.find('#');
  const std::string file = page.substr(0, hash);
  if (!ValidHelpPage(file) || !QFileInfo(Folder() + "/" + QString::fromStdString(file)).isFile())
    return false;
  QUrl url = QUrl::fromLocalFile(Folder() + "/" + QString::fromStdString(file));
  if (hash != std::string::npos) url.setFragment(QString::fromStdString(page.substr(hash + 1)));
  Strona->setSource(url);
  page_ = page;
  return true;
}

void THelpF::FormLang() {
  setWindowTitle(QString::fromStdString(LT("&Help")).remove('&'));
  SpisT->setText(QString::fromStdString(LTOrKey("Contents")) + ":");
  SzukajT->setText(QString::fromStdString(LTOrKey("Search")) + ":");
  FillContents();
  Wyniki->clear();
  if (!Open(page_)) Open("index.html");
}

void THelpF::FillContents() {
  Spis->clear();
  const QString index = ReadPage(Folder() + "/index.html");
  Spis->addItem(TitleOf(index, "index.html"));
  Spis->item(0)->setData(Qt::UserRole, "index.html");
  // The contents are the pages the index links to, in its order.
  QStringList seen{"index.html"};
  auto links = QRegularExpression(R"re(<li><a href="([a-z_]+\.html)">([^<]*)</a>)re").globalMatch(index);
  while (links.hasNext()) {
    const QRegularExpressionMatch m = links.next();
    if (seen.contains(m.captured(1))) continue;
    seen << m.captured(1);
    auto* item = new QListWidgetItem(PlainText(m.captured(2)), Spis);
    item->setData(Qt::UserRole, m.captured(1));
  }
}

int THelpF::Search(const QString& text) {
  Wyniki->clear();
  const QString term = text.trimmed();
  if (term.isEmpty()) return 0;
  const QStringList pages = QDir(Folder()).entryList({"*.html"}, QDir::Files, QDir::Name);
  for (const QString& name : pages) {
    const QString html = ReadPage(Folder() + "/" + name);
    if (!PlainText(html).contains(term, Qt::CaseInsensitive)) continue;
    auto* item = new QListWidgetItem(TitleOf(html, name), Wyniki);
    item->setData(Qt::UserRole, name);
  }
  return Wyniki->count();
}

bool ShowHelp(QWidget* front, const std::string& programDir, const std::string& page) {
  // A window behind a modal one takes no input: the help window then belongs to the modal one.
  if (gHelp && gHelp->parentWidget() != front) delete gHelp.data();
  if (!gHelp) gHelp = new THelpF(front, programDir);
  if (!gHelp->Open(page) && !gHelp->Open("index.html")) {
    delete gHelp.data();
    return false;
  }
  gHelp->show();
  gHelp->raise();
  gHelp->activateWindow();
  return true;
}

THelpF* HelpWindow() {
  return gHelp;
}

}  // namespace vorta::docs
