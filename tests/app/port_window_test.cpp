// The port dialog and the port of the main window against two simulated transmitters on
// pseudo-terminals linked as ports/COM1 and ports/COM2: the list, switching, refusals, the reasons
// a port will not open, and the line that comes back when the transmitter is restarted.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <filesystem>
#include <fstream>

#include "app/model_table.h"
#include "comm/ui/port_dialog.h"
#include "comm/ui/port_source.h"
#include "platform/port_trouble.h"
#include "tests/support/modal_script.h"
#include "tests/support/sim_window.h"
#include "tests/support/temp_dir.h"

namespace vorta::app {
namespace {

using testing::ModalScript;
using testing::SimWindow;

int ConnectedModel() {
  return ModelCodeOfTypeIndex(comm::Comm().Status.TypeIndex);
}

class PortWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ports = folder.Dir() + "/ports";
    std::filesystem::create_directory(ports);
    sim::TSimConfig second;
    second.modelCode = 38;
    tx2 = std::make_unique<sim::TSimTransmitter>(second);
    pty1 = std::make_unique<sim::TSimPty>(tx1);
    pty2 = std::make_unique<sim::TSimPty>(*tx2);
    ASSERT_TRUE(pty1->Start() && pty1->MakeLink(ports + "/COM1"));
    ASSERT_TRUE(pty2->Start() && pty2->MakeLink(ports + "/COM2"));
    std::filesystem::create_symlink("/dev/vorta-nowhere", ports + "/COM10");
    std::filesystem::create_symlink("/dev/vorta-nowhere", ports + "/COM123");
    comm::SetPortDeviceSource([] {
      return std::vector<comm::TPortDevice>{{"/dev/ttyUSB0", "FTDI", "FT232R USB UART", true},
                                            {"/dev/ttyS2", "", "", false}};
    });
    TVortaF::SetLineOpener({});  // the program's own opening, through ports/
    w = std::make_unique<TVortaF>(nullptr, false);
  }
  void TearDown() override {
    w.reset();
    comm::ResetComm();
    comm::SetPortDeviceSource({});
    platform::SetOpenErrorHook({});
  }
  bool Tick() {
    const bool polled = SimWindow::WaitForPoll();
    w->Timer1Timer();
    return polled;
  }
  bool TickUntilModel(int model) {
    for (int i = 0; i < 40; ++i) {
      Tick();
      if (WindowFlags().Connected && ConnectedModel() == model) return true;
    }
    return false;
  }
  QString PortPanel() { return w->findChild<QLabel*>("PortPanel")->text(); }
  static QComboBox* List(QWidget* d) { return d->findChild<QComboBox*>("ListaRS"); }
  static comm::TPortS* Dialog(QWidget* d) { return static_cast<comm::TPortS*>(d); }

  testing::ProgramFolder folder;  // first: everything else lives in it
  testing::MessageRecorder rec;
  std::string ports;
  sim::TSimTransmitter tx1;  // model 47
  std::unique_ptr<sim::TSimTransmitter> tx2;
  std::unique_ptr<sim::TSimPty> pty1, pty2;
  std::unique_ptr<TVortaF> w;
  ModalScript script;
};

TEST_F(PortWindowTest, ListsThePortsInNumericOrderAndSwitchesBetweenTwoTransmitters) {
  ASSERT_TRUE(TickUntilModel(47));
  EXPECT_EQ(PortPanel(), QString::fromStdString("COM1 " + pty1->SlavePath()));
  QStringList shown;
  script.Then("PortS", [&shown](QWidget* d) {
    for (int i = 0; i < List(d)->count(); ++i) shown << List(d)->itemText(i).section(' ', 0, 0);
    EXPECT_EQ(List(d)->currentIndex(), 0);  // the port in use
    List(d)->setCurrentIndex(1);
    Dialog(d)->OKbuttClick();
  });
  w->Komunikacja1Click();
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(shown, (QStringList{"COM1", "COM2", "COM3", "COM10", "COM17", "COM123"}));
  EXPECT_EQ(Settings().ComPort, 2);
  EXPECT_TRUE(rec.messages.empty());
  EXPECT_TRUE(TickUntilModel(38));
  EXPECT_EQ(PortPanel(), QString::fromStdString("COM2 " + pty2->SlavePath()));
}

TEST_F(PortWindowTest, OkWithThePortInUseKeepsTheLineAndStoresThePriority) {
  ASSERT_TRUE(TickUntilModel(47));
  const comm::TCommD* line = comm::Comm().Line.get();
  script.Then("PortS", [](QWidget* d) {
    d->findChild<QCheckBox*>("RelPriorB")->setChecked(true);
    Dialog(d)->OKbuttClick();
  });
  w->Komunikacja1Click();
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(comm::Comm().Line.get(), line);  // not reopened
  EXPECT_TRUE(Settings().RTPriority);
  EXPECT_TRUE(Tick());
}

TEST_F(PortWindowTest, APortThatWillNotOpenSaysWhyAndLeavesThePortSettingAlone) {
  ASSERT_TRUE(TickUntilModel(47));
  bool stayedOpen = false;
  script.Then("PortS", [&stayedOpen](QWidget* d) {
    List(d)->setCurrentIndex(3);  // COM10, a link to nothing
    Dialog(d)->OKbuttClick();
    stayedOpen = d->isVisible();
    Dialog(d)->CancelbuttClick();
  });
  w->Komunikacja1Click();
  EXPECT_TRUE(stayedOpen);
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text, QString::fromStdString("COM10 initialization failed!\nThe device " + ports +
                                                         "/COM10 does not exist."));
  ASSERT_EQ(rec.beeps.size(), 1u);
  EXPECT_EQ(rec.beeps[0], BeepKind::kAsterisk);
  EXPECT_EQ(Settings().ComPort, 1);
  EXPECT_EQ(PortPanel(), "COM1 closed");
}

TEST_F(PortWindowTest, APortMissingFromTheListIsNotForgottenOnCancel) {
  Settings().ComPort = 7;
  script.Then("PortS", [](QWidget* d) {
    EXPECT_EQ(List(d)->currentIndex(), 0);  // the first entry is offered
    Dialog(d)->CancelbuttClick();
  });
  w->Komunikacja1Click();
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(Settings().ComPort, 7);  // not 0, which no start could open
}

TEST_F(PortWindowTest, NoSwitchWhileATransferRuns) {
  WindowFlags().Busy = true;
  w->Komunikacja1Click();
  WindowFlags().Busy = false;
  ASSERT_EQ(rec.beeps.size(), 1u);
  EXPECT_EQ(rec.beeps[0], BeepKind::kAsterisk);
  EXPECT_TRUE(script.Seen().empty());
}

TEST_F(PortWindowTest, TheLineComesBackWhenTheTransmitterIsRestarted) {
  ASSERT_TRUE(TickUntilModel(47));
  pty1->Stop();  // the adapter unplugged: the device hangs up and its link goes
  ASSERT_TRUE(testing::WaitUntil([] { return comm::LineGone(); }));
  w->Timer1Timer();
  EXPECT_TRUE(w->LineLost());
  EXPECT_FALSE(comm::LineOpen());  // let go at once
  EXPECT_EQ(PortPanel(), "COM1 lost...");
  EXPECT_TRUE(w->findChild<QLabel*>("PortPanel")
                  ->toolTip()
                  .startsWith(QString::fromStdString("COM1 " + pty1->SlavePath())));
  for (int i = 0; i < 13; ++i) w->Timer1Timer();  // six seconds without the transmitter
  EXPECT_EQ(w->findChild<QLabel*>("Wynikp")->text(), "???        ");
  ASSERT_TRUE(pty1->Start() && pty1->MakeLink(ports + "/COM1"));  // a new pseudo-terminal behind COM1
  for (int i = 0; i < 8 && w->LineLost(); ++i) w->Timer1Timer();
  EXPECT_FALSE(w->LineLost());
  EXPECT_TRUE(TickUntilModel(47));
  EXPECT_EQ(PortPanel(), QString::fromStdString("COM1 " + pty1->SlavePath()));
}

TEST(PortWindowStart, APortThatWillNotOpenAtStartSaysWhyAndOpensTheDialog) {
  testing::ProgramFolder folder;
  testing::MessageRecorder rec;
  TVortaF::SetLineOpener({});
  std::ofstream(folder.IniPath()) << "ComPort=60\n";
  ModalScript script;
  script.Then("PortS", [](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
  auto w = std::make_unique<TVortaF>(nullptr, false);
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text, QString::fromStdString("COM60 initialization failed!\nThe device " +
                                                         folder.Dir() + "/ports/COM60 does not exist."));
  EXPECT_TRUE(testing::WaitUntil([&script] {
    QApplication::processEvents();
    return script.Done();
  }));
  EXPECT_EQ(w->findChild<QLabel*>("PortPanel")->text(), "COM60 closed");
  w.reset();
  comm::ResetComm();
}

TEST(PortWindowStart, RefusedPermissionNamesTheGroupAndTheCommand) {
  testing::ProgramFolder folder;
  testing::MessageRecorder rec;
  TVortaF::SetLineOpener({});
  sim::TSimTransmitter tx;
  sim::TSimPty pty(tx);
  std::filesystem::create_directory(folder.Dir() + "/ports");
  ASSERT_TRUE(pty.Start() && pty.MakeLink(folder.Dir() + "/ports/COM1"));
  platform::SetOpenErrorHook([](const std::string&) { return EACCES; });
  ModalScript script;
  script.Then("PortS", [](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
  auto w = std::make_unique<TVortaF>(nullptr, false);
  platform::SetOpenErrorHook({});
  ASSERT_EQ(rec.messages.size(), 1u);
  const std::string group = platform::ClassifyOpenError(pty.SlavePath(), EACCES).group;
  ASSERT_FALSE(group.empty());
  EXPECT_EQ(rec.messages[0].text,
            QString::fromStdString("COM1 initialization failed!\nPermission denied on " + folder.Dir() +
                                   "/ports/COM1 (group " + group + "): sudo usermod -aG " + group +
                                   " $USER, then log in again."));
  EXPECT_TRUE(testing::WaitUntil([&script] {
    QApplication::processEvents();
    return script.Done();
  }));
  w.reset();
  comm::ResetComm();
}

}  // namespace
}  // namespace vorta::app
