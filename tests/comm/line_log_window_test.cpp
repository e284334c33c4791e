// The line log window against the simulated transmitter: opened from the View menu, it shows every
// poll with its bytes, the retries while a third of the replies are lost, counters since it
// opened; pause holds the list, clear empties it, and save writes what it shows.
#include "comm/ui/line_log_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <fstream>
#include <sstream>

#include "app/ui/file_dialogs.h"
#include "tests/support/scripted_file_dialogs.h"
#include "tests/support/sim_window.h"
#include "tests/support/temp_dir.h"

namespace vorta::comm {
namespace {

class LineLogWindowTest : public ::testing::Test {
 protected:
  // Opens the log as the View menu does and takes the ring until pred holds for it.
  template <typename Pred>
  bool ShowUntil(Pred pred, int timeoutMs = 20000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
      testing::SimWindow::WaitForPoll();
      Log().Timer1Timer();
      if (pred(Log())) return true;
    }
    return false;
  }
  TLineLogWindow& Log() { return *sw.W().LineLogWindow(); }

  testing::SimWindow sw;
};

TEST_F(LineLogWindowTest, ShowsEveryPollAndTheRetriesWhileAThirdOfTheRepliesAreLostAndSavesThem) {
  ASSERT_TRUE(sw.TickUntilConnected());
  QAction* entry = sw.W().findChild<QAction*>("LineLog1");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->text().toStdString(), "&Line log");
  entry->trigger();
  ASSERT_NE(sw.W().LineLogWindow(), nullptr);
  EXPECT_TRUE(Log().isVisible());
  entry->trigger();  // the open window comes to the front; no second one
  EXPECT_EQ(sw.W().findChildren<TLineLogWindow*>().size(), 1);

  ASSERT_TRUE(ShowUntil([](TLineLogWindow& w) { return w.Counters().polls >= 3; }));
  const std::string plain = Log().findChild<QPlainTextEdit*>("LogM")->toPlainText().toStdString();
  EXPECT_NE(plain.find("poll     m measure              good" + std::string(34, ' ') +
                       "> C9 02 6D 20 72  < C9 02 6D 20 72 C0 0A 6D 20"),
            std::string::npos)
      << plain.substr(0, 400);

  ASSERT_TRUE(sw.Tx().SetKnob("lose", "0.33"));
  ASSERT_TRUE(ShowUntil([](TLineLogWindow& w) { return w.Counters().retries >= 3; }));
  const TLogCounters& c = Log().Counters();
  EXPECT_GE(c.outcomes[static_cast<std::size_t>(TLogOutcome::kTimedOut)], 3u);
  EXPECT_EQ(c.Failures(), c.outcomes[static_cast<std::size_t>(TLogOutcome::kTimedOut)]);
  const std::string counters = Log().findChild<QLabel*>("CountersL")->text().toStdString();
  EXPECT_NE(counters.find("Retries: " + std::to_string(c.retries)), std::string::npos) << counters;
  EXPECT_NE(counters.find("no reply " + std::to_string(c.Failures())), std::string::npos) << counters;

  testing::TempDir dir;
  const std::string path = dir.File("line.txt");
  {
    testing::ScriptedFileDialogs dialogs;
    dialogs.answers << QString::fromStdString(path);
    Log().findChild<QPushButton*>("SaveB")->click();
  }
  std::ifstream in(path);
  std::stringstream saved;
  saved << in.rdbuf();
  EXPECT_EQ(saved.str(), Log().LogText());
  // A lost reply, then its retry.
  EXPECT_NE(saved.str().find("no reply within 250 ms" + std::string(16, ' ') +
                             "> C9 02 6D 20 72  < C9 02 6D 20 72\n"),
            std::string::npos);
  EXPECT_NE(saved.str().find("good; retry 1 of 2" + std::string(20, ' ') + "> C9"), std::string::npos);
  EXPECT_NE(saved.str().find("Transactions: "), std::string::npos);
}

TEST_F(LineLogWindowTest, OpensAsWideAsAPollLineButNeverLargerThanTheScreen) {
  sw.W().LineLog1Click();
  ASSERT_NE(sw.W().LineLogWindow(), nullptr);
  const QSize room = Log().screen()->availableGeometry().size();
  EXPECT_LE(Log().width(), room.width());
  EXPECT_LE(Log().height(), room.height());
  const QFontMetrics fm(Log().findChild<QPlainTextEdit*>("LogM")->font());
  EXPECT_GE(Log().width(), std::min(room.width() * 8 / 10, fm.horizontalAdvance(QString(150, 'x'))));
}

TEST_F(LineLogWindowTest, PauseHoldsTheListAndClearEmptiesListAndCounters) {
  ASSERT_TRUE(sw.TickUntilConnected());
  sw.W().LineLog1Click();
  ASSERT_TRUE(ShowUntil([](TLineLogWindow& w) { return w.Counters().polls >= 2; }));
  auto* list = Log().findChild<QPlainTextEdit*>("LogM");
  Log().findChild<QPushButton*>("PauseB")->click();
  const QString held = list->toPlainText();
  const std::uint64_t before = Log().Counters().transactions;
  ASSERT_TRUE(ShowUntil([before](TLineLogWindow& w) { return w.Counters().transactions >= before + 2; }));
  EXPECT_EQ(list->toPlainText(), held);  // counted, not listed
  Log().findChild<QPushButton*>("ClearB")->click();
  EXPECT_TRUE(list->toPlainText().isEmpty());
  EXPECT_EQ(Log().Counters().transactions, 0u);
  Log().findChild<QPushButton*>("PauseB")->click();
  ASSERT_TRUE(ShowUntil([](TLineLogWindow& w) { return w.Counters().polls >= 1; }));
  EXPECT_FALSE(list->toPlainText().isEmpty());
  Log().close();  // the window goes, and with it the recording
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(sw.W().LineLogWindow(), nullptr);
  EXPECT_FALSE(LineLog().Recording());
}

}  // namespace
}  // namespace vorta::comm
