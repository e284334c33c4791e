// Test seam for modal dialogs: a handler that opens dialogs with exec() runs inside Run(), and
// each scripted step waits for the dialog with its object name to be the active modal widget, then
// acts on it (keys, clicks, a button), which may open the next dialog. A dialog nobody scripted, or
// a step whose dialog does not come, fails the run and closes what is open, so a test never hangs.
//
//   testing::ModalDriver d;
//   d.Then("Wybor", [](QDialog* w) { Click(w, "ThK"); Click(w, "OKButt"); });
//   EXPECT_TRUE(d.Run([&] { window.SenSelClick(); })) << d.failure;
#pragma once

#include <QApplication>
#include <QDialog>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace vorta::testing {

class ModalDriver {
 public:
  using Action = std::function<void(QDialog*)>;

  ModalDriver& Then(std::string name, Action action) {
    steps_.push_back({std::move(name), std::move(action)});
    return *this;
  }
  // Runs body, which opens the dialogs; true when every step ran and nothing unscripted opened.
  bool Run(const std::function<void()>& body) {
    finished_ = false;
    deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatientMs);
    Schedule(0);
    body();
    finished_ = true;
    if (!steps_.empty() && failure.empty()) failure = "the dialog " + steps_.front().name + " never opened";
    return failure.empty();
  }

  std::vector<std::string> seen;  // the dialogs driven, in order
  std::string failure;

 private:
  struct Step {
    std::string name;
    Action action;
  };

  void Schedule(int ms) {
    QTimer::singleShot(ms, context_.get(), [this] { Poll(); });
  }
  void Fail(const std::string& why) {
    if (failure.empty()) failure = why;
    steps_.clear();
  }
  void Poll() {
    if (finished_) return;
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    const std::string name = modal ? modal->objectName().toStdString() : std::string();
    const bool acting = std::find(acting_.begin(), acting_.end(), modal) != acting_.end();
    if (modal && !failure.empty()) {
      modal->done(2);  // closing down after a failure
    } else if (acting) {
      // A dialog whose step still runs (waiting for one it opened, or back from it).
    } else if (modal && modal->isVisible() && !steps_.empty() && steps_.front().name == name) {
      Step step = std::move(steps_.front());
      steps_.pop_front();
      seen.push_back(name);
      Schedule(0);  // the action may open the next dialog and wait in its loop
      acting_.push_back(modal);
      step.action(modal);
      acting_.pop_back();
      return;
    } else if (modal && modal->isVisible() && steps_.empty()) {
      Fail("unscripted dialog " + name);
    } else if (std::chrono::steady_clock::now() > deadline_) {
      Fail("waited in vain for " + (steps_.empty() ? std::string("nothing") : steps_.front().name) +
           (modal ? " while " + name + " was open" : std::string()));
    }
    Schedule(1);
  }

  std::deque<Step> steps_;
  std::vector<QDialog*> acting_;
  bool finished_ = true;
  std::chrono::steady_clock::time_point deadline_{};
  std::unique_ptr<QObject> context_ = std::make_unique<QObject>();
};

}  // namespace vorta::testing
