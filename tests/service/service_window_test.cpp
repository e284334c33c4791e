// The corrections and diagnostics windows against the simulated transmitter, opened as the user
// opens them: Corrections, the password prompt, the read when nothing was read, polling stopped
// for the visit and back afterwards.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "comm/frame.h"
#include "comm/record_layout.h"
#include "comm/ui/wiadomosc_window.h"
#include "service/ui/diagn_window.h"
#include "service/ui/regul_window.h"
#include "sim/sim_float.h"
#include "sim/sim_memory.h"
#include "tests/support/modal_script.h"
#include "tests/support/sim_window.h"

namespace vorta::service {
namespace {

using testing::ModalScript;
using testing::SimWindow;

void TypePassword(QWidget* prompt, const char* text) {
  auto* haslo = prompt->findChild<QLineEdit*>("Haslo");
  ASSERT_NE(haslo, nullptr);
  QTest::keyClicks(haslo, text);
  QTest::keyClick(haslo, Qt::Key_Return);
}

template <typename T>
T* Get(QWidget* w, const char* name) {
  T* c = w->findChild<T*>(name);
  EXPECT_NE(c, nullptr) << name;
  return c;
}

// The number at the start of a panel's text.
double Shown(QWidget* w, const char* panel) {
  return Get<QLabel>(w, panel)->text().trimmed().section(' ', 0, 0).remove('!').toDouble();
}

class ServiceWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(sw.TickUntilConnected()); }
  // Opens Corrections with a password and runs visit on the window that opens.
  void Visit(const char* password, const char* window, std::function<void(QWidget*)> visit) {
    script.Then("Wiadomosc", [password](QWidget* w) { TypePassword(w, password); });
    script.Then(window, [visit](QWidget* w) {
      visit(w);
      if (w->isVisible()) static_cast<QDialog*>(w)->reject();
    });
    sw.W().Regulacja1Click();
  }
  // The corrections the transmitter holds (stored byte-reversed, as every float of its memory).
  TCorrections Held() {
    const std::vector<std::uint8_t> m = sw.Tx().ReadMemory(sim::mem::kZeroCorrection, 8);
    return {sim::FloatFromBytes({m[3], m[2], m[1], m[0]}), sim::FloatFromBytes({m[7], m[6], m[5], m[4]})};
  }

  SimWindow sw;
  ModalScript script;
};

TEST_F(ServiceWindowTest, WrongPasswordOpensNothingAndUserPasswordOpensCorrections) {
  script.Then("Wiadomosc", [](QWidget* w) { TypePassword(w, "zor"); });
  sw.Child<QToolButton>("RegulacjaPic")->click();  // the picture beside the corrections asks too
  EXPECT_TRUE(script.Done());
  EXPECT_FALSE(app::WindowFlags().ConfigRead);  // nothing was read for a wrong password
  EXPECT_TRUE(sw.rec.messages.empty());
  bool polledDuringVisit = true;
  Visit("zorv", "RegulF", [&polledDuringVisit](QWidget*) { polledDuringVisit = comm::Comm().PollStarted; });
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(script.Seen(), (std::vector<std::string>{"Wiadomosc", "Wiadomosc", "RegulF"}));
  EXPECT_FALSE(polledDuringVisit);
  EXPECT_TRUE(app::WindowFlags().ConfigRead);  // read before the window opened
  EXPECT_TRUE(comm::Comm().PollStarted);       // and polling is back afterwards
  EXPECT_TRUE(sw.Tick());
}

TEST_F(ServiceWindowTest, ServicePasswordOpensDiagnosticsWhichEndsWithAReset) {
  const long restarts = sw.Tx().Stats().restarts;
  bool inService = false;
  Visit("@prufen", "DiagnF", [this, &inService](QWidget*) { inService = sw.Tx().InServiceState(); });
  EXPECT_TRUE(script.Done());
  EXPECT_TRUE(inService);  // identified on opening
  EXPECT_EQ(sw.Tx().Stats().restarts, restarts + 1);
  EXPECT_FALSE(comm::DiagnosticsRequested());
}

TEST_F(ServiceWindowTest, CorrectionsAreRefusedWhileBusyOrDisconnectedAndOnEepromError) {
  app::WindowFlags().Busy = true;
  sw.W().Regulacja1Click();
  app::WindowFlags().Busy = false;
  ASSERT_EQ(sw.rec.beeps.size(), 1u);
  EXPECT_EQ(sw.rec.beeps[0], app::BeepKind::kAsterisk);
  comm::Comm().Status.EepromError = true;
  sw.W().Regulacja1Click();
  comm::Comm().Status.EepromError = false;
  app::WindowFlags().Connected = false;
  sw.W().Regulacja1Click();
  ASSERT_EQ(sw.rec.messages.size(), 2u);
  EXPECT_EQ(sw.rec.messages[0].text, "EEPROM error!");
  EXPECT_EQ(sw.rec.messages[0].kind, app::kIconError);
  EXPECT_EQ(sw.rec.messages[1].text, "Transmitter has to be connected!");
  EXPECT_EQ(sw.rec.messages[1].kind, app::kIconInfo);
  EXPECT_TRUE(script.Seen().empty());
}

TEST_F(ServiceWindowTest, TrimSimulatedThenWrittenReachesTransmitterRecordAndParameters) {
  Visit("zorv", "RegulF", [this](QWidget* w) {
    auto* r = static_cast<TRegulF*>(w);
    r->Timer1Timer();
    EXPECT_NEAR(Shown(w, "PomiarP"), 50.0, 1e-6);
    Get<QScrollBar>(w, "ZeroS")->setValue(250);  // +0.50 % of the 100 mV span
    Get<QScrollBar>(w, "GainS")->setValue(300);  // +1.00 %
    EXPECT_EQ(Get<QLabel>(w, "ZeroP")->text(), "+0.50 ");
    Get<QCheckBox>(w, "SimulCB")->setChecked(true);
    r->Timer1Timer();
    // The transmitter's answer to the trial, shown with the one decimal of a 0..100 range.
    EXPECT_NEAR(Shown(w, "PomiarP"), 1.01 * 50 + 0.5, 0.051);
    EXPECT_EQ(Held().zero, 0.0);  // nothing written yet
    r->ZapiszBClick();
    EXPECT_TRUE(r->Written());
    EXPECT_FALSE(Get<QCheckBox>(w, "SimulCB")->isChecked());
    EXPECT_NEAR(Held().zero, 0.5, 1e-6);
    EXPECT_NEAR(Held().gain, 1.0, 1e-6);
    // The result register follows the new corrections at the transmitter's next sample (every
    // 0.2 s of its time), not at the next read: without this the check depended on where in its
    // sampling step the earlier traffic had left the transmitter.
    sw.Line().Advance(1000);
    r->Timer1Timer();
    EXPECT_NEAR(Shown(w, "PomiarP"), 1.01 * 50 + 0.5, 0.051);  // now applied by the transmitter itself
  });
  EXPECT_TRUE(script.Done());
  EXPECT_NEAR(app::Param().P.ZeroReg, 0.5, 1e-12);
  EXPECT_NEAR(app::Param().P.GainReg, 1.0, 1e-12);
  EXPECT_NEAR(comm::DeviceRecord().GetFloat(comm::rec::kZeroReg), 0.5, 1e-6);
  EXPECT_EQ(sw.Child<QLabel>("RegulZV")->text(), "0.50%");
  EXPECT_EQ(sw.Child<QLabel>("RegulGV")->text(), "1.00%");
}

// Polling stopped for the visit may have caught a poll after its frame went out: that reply, of
// another register, is still on its way when the window's first read goes out.
TEST_F(ServiceWindowTest, AReplyOfAnEarlierCommandIsNeverShownAsTheWindowsOwn) {
  Visit("zorv", "RegulF", [this](QWidget* w) {
    comm::TBuffer command{}, frame{};
    command[0] = 2;
    command[1] = 'm';
    command[2] = 0x04;  // the internal temperature, 25 C
    command[3] = 10;
    ASSERT_TRUE(comm::BuildFrame(command, frame));
    ASSERT_TRUE(sw.Line().Write(frame.data(), frame[255], 100));
    static_cast<TRegulF*>(w)->Timer1Timer();
    EXPECT_NEAR(Shown(w, "PomiarP"), 50.0, 1e-6);
  });
  EXPECT_TRUE(script.Done());
}

TEST_F(ServiceWindowTest, ClosingRestoresWhatTheTransmitterHoldsEvenAfterAWrite) {
  Visit("zorv", "RegulF", [](QWidget* w) {
    Get<QScrollBar>(w, "ZeroS")->setValue(250);
    static_cast<TRegulF*>(w)->ZapiszBClick();
    Get<QScrollBar>(w, "ZeroS")->setValue(320);  // 1.20, tried but never written
    EXPECT_NEAR(app::Param().P.ZeroReg, 1.2, 1e-12);
  });
  EXPECT_NEAR(app::Param().P.ZeroReg, 0.5, 1e-12);
  EXPECT_NEAR(Held().zero, 0.5, 1e-6);
  EXPECT_EQ(sw.Child<QLabel>("RegulZV")->text(), "0.50%");
  Visit("zorv", "RegulF", [](QWidget* w) { Get<QScrollBar>(w, "GainS")->setValue(0); });
  EXPECT_NEAR(app::Param().P.GainReg, 0.0, 1e-12);  // moved without a write: as before
}

TEST_F(ServiceWindowTest, ForcedOutputIsShownIndependentUntilAReset) {
  Visit("zorv", "RegulF", [](QWidget* w) {
    auto* r = static_cast<TRegulF*>(w);
    Get<QLineEdit>(w, "SetOut")->setText("8");
    r->SetOutbuttClick();
    EXPECT_EQ(Get<QLineEdit>(w, "SetOut")->text(), "8.00");
    r->Timer1Timer();
    EXPECT_TRUE(comm::Comm().Status.IndependentOutput);
    EXPECT_EQ(Get<QLabel>(w, "Outputp")->text(), "  !8.00 mA");
    r->ResetBClick();
    // The transmitter restarts after the reset and answers again a second later.
    for (int i = 0; i < 20 && Get<QLabel>(w, "Outputp")->text() != "   12.00 mA"; ++i) r->Timer1Timer();
    EXPECT_FALSE(comm::Comm().Status.IndependentOutput);
    EXPECT_EQ(Get<QLabel>(w, "Outputp")->text(), "   12.00 mA");  // 50 of 0..100 mV drives it again
  });
  EXPECT_TRUE(script.Done());
}

TEST_F(ServiceWindowTest, OutputEntriesBeyondTheLimitsAreCorrected) {
  Visit("zorv", "RegulF", [this](QWidget* w) {
    auto* r = static_cast<TRegulF*>(w);
    Get<QLineEdit>(w, "SetOut")->setText("21.76");
    r->SetOutbuttClick();
    EXPECT_EQ(Get<QLineEdit>(w, "SetOut")->text(), "21.75");
    ASSERT_EQ(sw.rec.beeps.size(), 1u);
    EXPECT_EQ(sw.rec.beeps[0], app::BeepKind::kQuestion);
    Get<QLineEdit>(w, "SetOut")->setText("x");
    r->SetOutbuttClick();
    EXPECT_EQ(Get<QLineEdit>(w, "SetOut")->text(), "10.00");
    ASSERT_EQ(sw.rec.messages.size(), 1u);
    EXPECT_EQ(sw.rec.messages[0].text, "Wrong format!");
    r->Timer1Timer();
    EXPECT_FALSE(comm::Comm().Status.IndependentOutput);  // neither entry was sent
  });
}

TEST_F(ServiceWindowTest, ACloseDuringATickEndsTheTicksForGood) {
  Visit("zorv", "RegulF", [](QWidget* w) {
    auto* r = static_cast<TRegulF*>(w);
    auto* timer = Get<QTimer>(w, "Timer1");
    Get<QScrollBar>(w, "ZeroS")->setValue(300);
    QTimer::singleShot(0, r, [r] { r->ExitBClick(); });  // handled inside the tick's message processing
    r->Timer1Timer();
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(r->isVisible());
  });
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(app::Param().P.ZeroReg, 0.0);
  EXPECT_TRUE(sw.Tick());  // polling is back
}

TEST_F(ServiceWindowTest, UnpluggedDuringTheVisitShowsUnknownAndNothingHangs) {
  Visit("zorv", "RegulF", [this](QWidget* w) {
    auto* r = static_cast<TRegulF*>(w);
    sw.Line().Close();
    for (int i = 0; i < 13; ++i) r->Timer1Timer();
    EXPECT_EQ(Get<QLabel>(w, "PomiarP")->text(), "???        ");
    EXPECT_FALSE(app::WindowFlags().ConfigRead);
    EXPECT_FALSE(Get<QCheckBox>(w, "SimulCB")->isEnabled());
  });
  EXPECT_TRUE(script.Done());
  // The main window lets the dead line go and opens the port again: the display comes back.
  for (int i = 0; i < 8 && (sw.W().LineLost() || !comm::LineOpen() || comm::LineGone()); ++i)
    sw.W().Timer1Timer();
  EXPECT_FALSE(sw.W().LineLost());
  EXPECT_TRUE(sw.TickUntilConnected());
}

TEST_F(ServiceWindowTest, DiagnosticsReadsAndWritesSingleBytesAndTheServiceWord) {
  Visit("@prufen", "DiagnF", [this](QWidget* w) {
    auto* d = static_cast<TDiagnF*>(w);
    Get<QSpinBox>(w, "EEaUpDn")->setValue(0x20);
    Get<QLineEdit>(w, "MessTxt")->setText("7f");
    d->EEwriteBClick();
    EXPECT_EQ(sw.Tx().ReadMemory(0x20, 1)[0], 0x7F);
    Get<QLineEdit>(w, "MessTxt")->setText("??");
    Get<QSpinBox>(w, "EEaUpDn")->setValue(0x21);  // read from the start of its four bytes
    d->ReadEEBClick();
    EXPECT_EQ(Get<QSpinBox>(w, "EEaUpDn")->value(), 0x20);
    const std::vector<std::uint8_t> m = sw.Tx().ReadMemory(0x20, 4);
    EXPECT_EQ(Get<QLineEdit>(w, "MessTxt")->text(),
              QString::asprintf("%02X %02X %02X %02X", m[0], m[1], m[2], m[3]));
    EXPECT_TRUE(Get<QLineEdit>(w, "MessTxt")->text().startsWith("7F "));
    Get<QRadioButton>(w, "FlashRB")->setChecked(true);
    Get<QLineEdit>(w, "MessTxt")->setText("OAE9B0000");
    d->EEwriteBClick();
    EXPECT_EQ(sw.Tx().ReadMemory(sim::mem::kServiceWord, 4),
              (std::vector<std::uint8_t>{0x00, 0x00, 0xAE, 0x9B}));
    EXPECT_TRUE(sw.rec.beeps.empty());
    Get<QLineEdit>(w, "MessTxt")->setText("7f");  // not a flash entry
    d->EEwriteBClick();
    EXPECT_EQ(sw.rec.beeps.size(), 1u);
  });
  EXPECT_TRUE(script.Done());
}

TEST_F(ServiceWindowTest, DiagnosticsShowsTheChosenRegisterAndPresetsTheOutput) {
  Visit("@prufen", "DiagnF", [this](QWidget* w) {
    auto* d = static_cast<TDiagnF*>(w);
    d->Timer1Timer();
    EXPECT_EQ(Get<QLabel>(w, "PomiarP")->text(), "  50.00   ");  // register 0x10 at opening
    Get<QRadioButton>(w, "Rejestry5")->setChecked(true);
    d->RejestryClick(5);
    EXPECT_EQ(d->Selector(), 0x20);
    d->Timer1Timer();
    EXPECT_EQ(Get<QLabel>(w, "WynikP")->text(), "  50.00mV");
    Get<QLineEdit>(w, "SetOutM")->setText("22.2");
    d->SetOutbuttClick();
    EXPECT_EQ(Get<QLineEdit>(w, "SetOutM")->text(), "22.100");
    Get<QLineEdit>(w, "SetOutM")->setText("8");
    d->SetOutbuttClick();
    d->Timer1Timer();
    EXPECT_EQ(Get<QLabel>(w, "Outputp")->text(), "8.000 mA   ");
    EXPECT_TRUE(Get<QLabel>(w, "StatusL")->text().contains("Independent output"));
  });
  EXPECT_TRUE(script.Done());
}

}  // namespace
}  // namespace vorta::service
