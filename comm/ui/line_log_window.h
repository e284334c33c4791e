// The line log window (View > "Line log"): every transaction the program makes on the line, newest
// at the bottom, with counters since the window opened; pause, clear and save as a text file. It
// reads the link's ring on its own timer; recording runs only while the window exists.
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "comm/line_log.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace vorta::comm {

class TLineLogWindow : public QWidget {
  Q_OBJECT
 public:
  // ring: the link's ring (another one in tests).
  explicit TLineLogWindow(QWidget* owner, TLineLogRing& ring = LineLog());
  ~TLineLogWindow() override;

  // Takes what the ring holds now and shows it (the timer does this every 200 ms).
  void Timer1Timer();
  void PauseBClick();
  void ClearBClick();
  void SaveBClick();
  // The log as saved: the counters, then one line per transaction.
  std::string LogText() const;
  const TLogCounters& Counters() const { return counters_; }

 private:
  void ShowCounters();
  std::string CountersText() const;

  TLineLogReader reader_;
  TLogCounters counters_;
  std::uint64_t startNs_ = 0;
  std::uint64_t lastNs_ = 0;
  std::vector<std::string> lines_;
  std::vector<TLogEntry> fresh_;
  bool paused_ = false;
  QLabel* CountersL = nullptr;
  QPlainTextEdit* LogM = nullptr;
  QPushButton *PauseB = nullptr, *ClearB = nullptr, *SaveB = nullptr;
  QTimer* Timer1 = nullptr;
};

}  // namespace vorta::comm
