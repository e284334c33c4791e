// The line log window: the ring read on a timer into a text list and counters.
#include "comm/ui/line_log_window.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>
#include <cstdio>

#include "app/ui/file_dialogs.h"
#include "app/ui/message_box.h"
#include "docs/line_buffer.h"
#include "docs/ui/lang.h"

namespace vorta::comm {
namespace {

constexpr int kTimerMs = 200;
constexpr int kShownLines = 5000;
// A poll's line: time, source, command, outcome and the bytes both ways, with the margins.
constexpr int kLineChars = 172;
// The lines kept for saving; past this the older half goes.
constexpr std::size_t kKeptLines = 200000;

std::uint64_t NowNs() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

// A text of the language list, or the English words when the list has no such key.
QString Text(std::string_view key) {
  return QString::fromStdString(docs::LTOrKey(key));
}

}  // namespace

TLineLogWindow::TLineLogWindow(QWidget* owner, TLineLogRing& ring)
    : QWidget(owner, Qt::Window), reader_(ring), startNs_(NowNs()), lastNs_(startNs_) {
  setObjectName("LineLogF");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(Text("Line log"));
  CountersL = new QLabel(this);
  CountersL->setObjectName("CountersL");
  CountersL->setWordWrap(true);
  LogM = new QPlainTextEdit(this);
  LogM->setObjectName("LogM");
  LogM->setReadOnly(true);
  LogM->setLineWrapMode(QPlainTextEdit::NoWrap);
  LogM->setMaximumBlockCount(kShownLines);
  LogM->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  PauseB = new QPushButton(Text("Pause"), this);
  PauseB->setObjectName("PauseB");
  PauseB->setCheckable(true);
  ClearB = new QPushButton(Text("Clear"), this);
  ClearB->setObjectName("ClearB");
  SaveB = new QPushButton(Text("Save as") + "...", this);
  SaveB->setObjectName("SaveB");
  connect(PauseB, &QPushButton::clicked, this, &TLineLogWindow::PauseBClick);
  connect(ClearB, &QPushButton::clicked, this, &TLineLogWindow::ClearBClick);
  connect(SaveB, &QPushButton::clicked, this, &TLineLogWindow::SaveBClick);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(PauseB);
  buttons->addWidget(ClearB);
  buttons->addWidget(SaveB);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(CountersL);
  layout->addWidget(LogM, 1);
  layout->addLayout(buttons);
  // Wide enough for a poll with its whole reply in view, but never past the screen.
  const QFontMetrics fm(LogM->font());
  QSize size(fm.horizontalAdvance(QString(kLineChars, 'x')), fm.height() * 30);
  if (const QScreen* shown = owner ? owner->screen() : QGuiApplication::primaryScreen())
    size = size.boundedTo(shown->availableGeometry().size() * 0.9);
  resize(size);

  Timer1 = new QTimer(this);
  connect(Timer1, &QTimer::timeout, this, &TLineLogWindow::Timer1Timer);
  Timer1->start(kTimerMs);
  ShowCounters();
}

TLineLogWindow::~TLineLogWindow() = default;

void TLineLogWindow::Timer1Timer() {
  fresh_.clear();
  reader_.Read(fresh_);
  lastNs_ = NowNs();
  QString shown;
  for (const TLogEntry& e : fresh_) {
    counters_.Add(e);
    if (paused_) continue;
    lines_.push_back(LogLine(e, startNs_));
    if (!shown.isEmpty()) shown += '\n';
    shown += QString::fromStdString(lines_.back());
  }
  if (lines_.size() > kKeptLines) lines_.erase(lines_.begin(), lines_.begin() + kKeptLines / 2);
  if (!shown.isEmpty()) LogM->appendPlainText(shown);
  ShowCounters();
}

void TLineLogWindow::PauseBClick() {
  paused_ = !paused_;
  PauseB->setChecked(paused_);
}

void TLineLogWindow::ClearBClick() {
  LogM->clear();
  lines_.clear();
  counters_ = TLogCounters{};
  startNs_ = lastNs_ = NowNs();
  ShowCounters();
}

void TLineLogWindow::SaveBClick() {
  const QString path =
      app::FileDialogs().SaveFile(this, QString(), "linelog.txt", Text("Text files") + " (*.txt)", "txt");
  if (path.isEmpty()) return;
  const TResult r = docs::WriteFileAtomically(path.toStdString(), LogText());
  if (!r) app::MyMesM(docs::Lt("Cannot open file") + ":\r" + path, app::kIconWarning, this);
}

std::string TLineLogWindow::CountersText() const {
  const TLogCounters& c = counters_;
  auto n = [&c](TLogOutcome o) { return std::to_string(c.outcomes[static_cast<std::size_t>(o)]); };
  char rate[32];
  std::snprintf(rate, sizeof rate, "%.1f", c.PollsPerSecond(startNs_, lastNs_));
  std::string s =
      "Transactions: " + std::to_string(c.transactions) + "   Retries: " + std::to_string(c.retries) +
      "   Polls per second: " + rate + "\nFailures: " + std::to_string(c.Failures()) + " (bad checksum " +
      n(TLogOutcome::kBadChecksum) + ", wrong length " + n(TLogOutcome::kWrongLength) + ", no frame end " +
      n(TLogOutcome::kNoFrameEnd) + ", no reply " + n(TLogOutcome::kTimedOut) + ", wrong echo " +
      n(TLogOutcome::kWrongEcho) + ", write failed " + n(TLogOutcome::kWriteFailed) + ", stopped " +
      n(TLogOutcome::kStopped) + ")";
  if (reader_.Lost() > 0) s += "   Not shown (too many at once): " + std::to_string(reader_.Lost());
  return s;
}

void TLineLogWindow::ShowCounters() {
  CountersL->setText(QString::fromStdString(CountersText()));
}

std::string TLineLogWindow::LogText() const {
  std::string s = CountersText() + "\n\n";
  for (const std::string& line : lines_) s += line + "\n";
  return s;
}

}  // namespace vorta::comm
