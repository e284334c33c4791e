// The main window tried as a technician tries it, against the simulated transmitter: Verify after a
// text write, the automatic read of a transmitter that comes back, text the transmitter cannot hold,
// changes that would be lost, the status while the transmitter is silent, a menu opened while a
// number is half typed.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "tests/support/sim_window.h"

namespace vorta::app {
namespace {

using testing::SimWindow;

TParamSet Pt100Set() {
  TParamSet p;
  p.Device = "VTX47";
  p.Code = {1, 3, 2, 0};
  p.P.MinInput = 0;
  p.P.MaxInput = 100;
  p.P.FiltrZakres = 10;
  p.P.FiltrCzas = 20;
  p.P.Siec = 50;
  p.P.Jednostki = 8;
  p.kod = "TT-1";
  p.ogolne = "boiler";
  return p;
}

class TechnicianTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sw.Seed(Pt100Set()));
    ASSERT_TRUE(sw.TickUntilConnected());
    sw.W().OdczytajTClick();
    ASSERT_TRUE(WindowFlags().ConfigRead);
    sw.W().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sw.W()));
  }
  QLineEdit* E(const char* name) { return sw.Child<QLineEdit>(name); }
  // Typed into a field key by key, any character: stored and marked changed.
  void Type(const char* name, const QString& text) {
    QLineEdit* e = E(name);
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(e, &press);
    }
  }
  QStringList Texts() const {
    QStringList t;
    for (const auto& m : sw.rec.messages) t << m.text;
    return t;
  }
  // The transmitter silent long enough to count as newly connected when it answers again.
  void Silence() {
    ASSERT_TRUE(sw.Tx().SetKnob("silent", "1"));
    sw.MissTick();
    sw.MissTick();
    ASSERT_FALSE(WindowFlags().ConfigRead);
    ASSERT_TRUE(sw.Tx().SetKnob("silent", "0"));
  }
  void OtherSerial() {
    sw.Tx().WriteMemory(0x405, {0x00, 0x30, 0x39});  // 12345
    sw.Tx().UpdateChecksums();
  }

  SimWindow sw;
};

TEST_F(TechnicianTest, VerifyAfterATextWriteComparesTheTextsAndSaysSo) {
  Type("KodE", "TT-2");
  sw.W().ZapiszTClick();
  ASSERT_EQ(sw.W().StatusText(), "Transmitter programmed");
  sw.Tick();
  sw.W().Weryfikuj1Click();
  EXPECT_TRUE(sw.rec.messages.empty()) << Texts().join(" | ").toStdString();
  EXPECT_EQ(sw.W().StatusText(), "Verification successful (texts only)");
  // A tag the transmitter lost is found.
  sw.Tx().WriteMemory(0x081, {'X'});
  sw.W().Weryfikuj1Click();
  EXPECT_EQ(Texts(), QStringList{"Errors have been found! (texts only)"});
  EXPECT_EQ(sw.W().StatusText(), "Verification ended with errors");
}

TEST_F(TechnicianTest, VerifyAfterAFullWriteAndATextWriteComparesEverythingThatWasSent) {
  Type("MaxInputE", "90");
  QTest::keyClick(E("MaxInputE"), Qt::Key_Return);
  sw.W().ZapiszTClick();
  ASSERT_EQ(sw.W().StatusText(), "Transmitter programmed");
  Type("OgolneE", "return line");
  sw.W().ZapiszTClick();
  ASSERT_EQ(sw.W().StatusText(), "Transmitter programmed");
  sw.Tick();
  sw.W().Weryfikuj1Click();
  EXPECT_TRUE(sw.rec.messages.empty()) << Texts().join(" | ").toStdString();
  EXPECT_EQ(sw.W().StatusText(), "Verification successful");
  // The characteristic written by the full write still counts.
  std::vector<std::uint8_t> slot = sw.Tx().ReadMemory(0x500, 1);
  slot[0] ^= 1;
  sw.Tx().WriteMemory(0x500, slot);
  sw.W().Weryfikuj1Click();
  EXPECT_EQ(Texts(), QStringList{"Errors have been found!"});
}

TEST_F(TechnicianTest, TheSameTransmitterBackAfterASilenceKeepsTheChanges) {
  sw.W().Autoread1Click();
  Type("KodE", "TT-9");
  Silence();
  ASSERT_TRUE(sw.TickUntilConnected());
  sw.Tick();
  EXPECT_TRUE(sw.rec.messages.empty()) << Texts().join(" | ").toStdString();
  EXPECT_EQ(E("KodE")->text(), "TT-9");
  EXPECT_EQ(Param().kod, "TT-9");
  EXPECT_TRUE(WindowFlags().ConfigRead);  // as before the silence
}

TEST_F(TechnicianTest, AnotherTransmitterIsReadOnlyWhenTheUserGivesUpTheChanges) {
  sw.W().Autoread1Click();
  Type("KodE", "TT-9");
  OtherSerial();
  Silence();
  ASSERT_TRUE(sw.TickUntilConnected());
  ASSERT_EQ(
      Texts(),
      QStringList{"A transmitter has been connected.\nRead its configuration and discard the changes?"});
  EXPECT_EQ(sw.rec.messages[0].kind, kIconQuestion | kButtonsYesNo);
  EXPECT_EQ(Param().kod, "TT-9");  // No: kept, and not asked again while it answers
  sw.Tick();
  sw.Tick();
  EXPECT_EQ(sw.rec.messages.size(), 1u);
  EXPECT_EQ(E("KodE")->text(), "TT-9");

  sw.rec.answers.push_back(kResultYes);
  Silence();
  ASSERT_TRUE(sw.TickUntilConnected());
  EXPECT_EQ(sw.rec.messages.size(), 2u);
  EXPECT_EQ(E("KodE")->text(), "TT-1");
  EXPECT_EQ(Param().serial, "12345");
  EXPECT_TRUE(WindowFlags().ConfigRead);
}

TEST_F(TechnicianTest, AnotherTransmitterWithoutChangesIsReadWithoutAQuestion) {
  sw.W().Autoread1Click();
  OtherSerial();
  Silence();
  ASSERT_TRUE(sw.TickUntilConnected());
  EXPECT_TRUE(sw.rec.messages.empty()) << Texts().join(" | ").toStdString();
  EXPECT_EQ(Param().serial, "12345");
  EXPECT_TRUE(WindowFlags().ConfigRead);
}

TEST_F(TechnicianTest, TagAndTextRefuseCharactersTheTransmitterCannotHold) {
  for (const char* name : {"KodE", "OgolneE"}) {
    sw.rec.beeps.clear();
    Type(name, QString::fromUtf8("Zaż€é"));
    EXPECT_EQ(E(name)->text(), QString::fromUtf8("Zaé")) << name;
    EXPECT_EQ(sw.rec.beeps, (std::vector<BeepKind>{BeepKind::kExclamation, BeepKind::kExclamation})) << name;
  }
  EXPECT_EQ(Param().kod, "Za\xC3\xA9");
  sw.W().ZapiszTClick();
  sw.Tick();
  EXPECT_EQ(sw.Tx().ReadMemory(0x080, 4), (std::vector<std::uint8_t>{'Z', 'a', 0xE9, 0xFF}));
  sw.W().Weryfikuj1Click();
  EXPECT_TRUE(sw.rec.messages.empty()) << Texts().join(" | ").toStdString();
}

TEST_F(TechnicianTest, NewAndExitAskBeforeChangesAreLostAndNotAfterAWrite) {
  Type("KodE", "TT-9");
  QTest::keyClick(E("KodE"), Qt::Key_Tab);
  sw.W().Nowy1Click();  // No
  ASSERT_EQ(Texts(), QStringList{"Discard the changes?"});
  EXPECT_EQ(sw.rec.messages[0].kind, kIconQuestion | kButtonsYesNo);
  EXPECT_TRUE(WindowFlags().Shown);
  EXPECT_FALSE(sw.W().close());  // No again: the window stays
  EXPECT_EQ(sw.rec.messages.size(), 2u);
  EXPECT_EQ(Param().kod, "TT-9");

  sw.W().ZapiszTClick();
  ASSERT_EQ(sw.W().StatusText(), "Transmitter programmed");
  sw.W().Nowy1Click();
  EXPECT_EQ(sw.rec.messages.size(), 2u);
  EXPECT_FALSE(WindowFlags().Shown);
}

TEST_F(TechnicianTest, StatusSaysWhenTheTransmitterStopsAnsweringAndWhatIsTrueAfterwards) {
  sw.W().ZapiszTClick();
  ASSERT_EQ(sw.W().StatusText(), "Transmitter programmed");
  ASSERT_TRUE(sw.Tx().SetKnob("silent", "1"));
  for (int i = 0; i <= 12; ++i) sw.MissTick();
  EXPECT_EQ(sw.W().StatusText(), "No communication with transmitter");
  ASSERT_TRUE(sw.Tx().SetKnob("silent", "0"));
  ASSERT_TRUE(sw.TickUntilConnected());
  EXPECT_EQ(sw.W().StatusText(), "Information complete");

  // A write cut short does not leave the status of the last good one.
  sw.W().ZapiszTClick();
  ASSERT_EQ(sw.W().StatusText(), "Transmitter programmed");
  ASSERT_TRUE(sw.Tx().SetKnob("silent-in-block", "20"));
  Type("MaxInputE", "90");
  QTest::keyClick(E("MaxInputE"), Qt::Key_Return);
  sw.W().ZapiszTClick();
  EXPECT_EQ(Texts().back(), "Transmission unsuccessful!");
  EXPECT_EQ(sw.W().StatusText(), "Information complete");
}

TEST_F(TechnicianTest, AMenuOpenedOverAHalfTypedNumberDoesNotValidateItButWriteDoes) {
  Type("MaxInputE", "9e");
  QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
  QApplication::sendEvent(E("MaxInputE"), &popup);
  QFocusEvent menuBar(QEvent::FocusOut, Qt::MenuBarFocusReason);
  QApplication::sendEvent(E("MaxInputE"), &menuBar);
  EXPECT_TRUE(sw.rec.messages.empty()) << Texts().join(" | ").toStdString();
  EXPECT_EQ(E("MaxInputE")->text(), "9e");
  sw.W().findChild<QAction*>("Zapisz1")->trigger();
  EXPECT_EQ(Texts(), QStringList{"Wrong format!"});
  EXPECT_TRUE(WindowFlags().EditError);
  EXPECT_EQ(sw.Tx().ReadMemory(0x080, 4), (std::vector<std::uint8_t>{'T', 'T', '-', '1'}));
}

}  // namespace
}  // namespace vorta::app
