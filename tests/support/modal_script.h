// Drives the modal windows a handler opens: each step waits for a modal window of its name to be
// active and then acts on it (types, clicks, calls its handlers, checks it). Steps run in order
// from a timer while the modal loops run; whatever is left when the script ends failed to appear.
//
//   vorta::testing::ModalScript script;
//   script.Then("Wiadomosc", [](QWidget* w) { TypePassword(w, "zorv"); });
//   script.Then("RegulF", [](QWidget* w) { ...; static_cast<QDialog*>(w)->reject(); });
//   window.Regulacja1Click();
//   EXPECT_TRUE(script.Done());
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vorta::testing {

class ModalScript {
 public:
  using Step = std::function<void(QWidget* modal)>;

  ModalScript() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  ModalScript& Then(std::string name, Step step) {
    steps_.emplace_back(std::move(name), std::move(step));
    return *this;
  }
  bool Done() const { return steps_.empty(); }
  // The names of the modal windows the steps acted on, in order.
  const std::vector<std::string>& Seen() const { return seen_; }

 private:
  void Poll() {
    if (steps_.empty() || running_) return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal->objectName().toStdString() != steps_.front().first) return;
    auto [name, step] = std::move(steps_.front());
    steps_.pop_front();
    seen_.push_back(name);
    running_ = true;  // a step may run modal loops of its own
    step(modal);
    running_ = false;
  }

  QTimer timer_;
  std::deque<std::pair<std::string, Step>> steps_;
  std::vector<std::string> seen_;
  bool running_ = false;
};

}  // namespace vorta::testing
