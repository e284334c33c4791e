// Test seam for MyMesM and the beeps: records every message box and beep and answers from a script.
#pragma once

#include <QString>
#include <deque>
#include <ostream>
#include <vector>

#include "app/ui/message_box.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace vorta::testing {

struct RecordedMessage {
  QString text;
  QString caption;
  int kind = 0;
};

class MessageRecorder : public app::IMessageSink, public app::IBeeper {
 public:
  MessageRecorder() {
    oldSink_ = app::SetMessageSink(this);
    oldBeeper_ = app::SetBeeper(this);
  }
  ~MessageRecorder() override {
    app::SetMessageSink(oldSink_);
    app::SetBeeper(oldBeeper_);
  }
  int Show(QWidget*, const QString& text, const QString& caption, int kind) override {
    messages.push_back({text, caption, kind});
    if (answers.empty()) return (kind & 0x0F) == app::kButtonsYesNo ? app::kResultNo : app::kResultOk;
    const int a = answers.front();
    answers.pop_front();
    return a;
  }
  void Beep(app::BeepKind kind) override { beeps.push_back(kind); }

  std::vector<RecordedMessage> messages;
  std::vector<app::BeepKind> beeps;
  std::deque<int> answers;  // scripted button results, in order

 private:
  app::IMessageSink* oldSink_ = nullptr;
  app::IBeeper* oldBeeper_ = nullptr;
};

}  // namespace vorta::testing
