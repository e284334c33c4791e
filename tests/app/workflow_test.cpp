// The main window's workflows against the simulated transmitter: Read shows what the transmitter
// holds, Write sends it back unchanged but for the date, a text-only write, Verify, Reset, the
// checks before a write, the live display with its faults and silences, and transfers that lose
// the line half way.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "sensors/table_file.h"
#include "tests/support/dialog_keys.h"
#include "tests/support/modal_driver.h"
#include "tests/support/sim_window.h"
#include "tests/support/temp_dir.h"

namespace vorta::app {
namespace {

using testing::SimWindow;

// Linearised Pt100 in three-wire connection, -50..150 C, with every field away from its default.
TParamSet Pt100Set() {
  TParamSet p;
  p.Device = "VTX47";
  p.Code = {1, 3, 2, 0};  // linearised
  p.P.MinInput = -50;
  p.P.MaxInput = 150;
  p.P.FiltrZakres = 15;
  p.P.FiltrCzas = 24;
  p.P.FiltrLimit = 20;
  p.P.Burnout = 1;
  p.P.Siec = 60;
  p.P.Jednostki = 8;
  p.kod = "TT-101";
  p.ogolne = "Boiler room, return line";
  return p;
}

class WorkflowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sw.Seed(Pt100Set(), 46000));
    ASSERT_TRUE(sw.TickUntilConnected());
  }
  template <typename T>
  T* Child(const char* name) {
    return sw.Child<T>(name);
  }
  QString Text(const char* name) {
    if (auto* e = sw.W().findChild<QLineEdit*>(name)) return e->text();
    return Child<QLabel>(name)->text();
  }
  QString Look(const char* name) { return Child<QWidget>(name)->property("look").toString(); }
  bool Enabled(const char* action) { return Child<QAction>(action)->isEnabled(); }
  void Read() {
    sw.W().OdczytajTClick();
    ASSERT_TRUE(WindowFlags().ConfigRead) << sw.W().StatusText().toStdString();
  }
  std::vector<QString> Messages() const {
    std::vector<QString> m;
    for (const auto& r : sw.rec.messages) m.push_back(r.text);
    return m;
  }

  SimWindow sw;
};

TEST_F(WorkflowTest, ReadShowsTheTransmittersConfigurationFieldByField) {
  Read();
  EXPECT_EQ(sw.W().StatusText(), "Information complete");
  EXPECT_EQ(sw.W().windowTitle().contains("VTX47"), true) << sw.W().windowTitle().toStdString();
  EXPECT_EQ(Child<QGroupBox>("SensorG")->title(), " Sensor type ");
  EXPECT_EQ(Text("SensorT"), "Pt100 (0.00385), 3-wire, linearization");
  // Pt100 spans -200..850 C: one decimal for the range fields.
  EXPECT_EQ(Text("MinInputE"), "-50.0");
  EXPECT_EQ(Text("MaxInputE"), "150.0");
  EXPECT_EQ(Text("JednostkiE"), QString::fromUtf8("°C"));
  EXPECT_EQ(Text("FiltrZakresE"), "1.5");
  EXPECT_EQ(Text("FiltrCzasE"), "2.4");
  EXPECT_EQ(Text("FiltrCzasTxt"), "Time constant (0-50s)");
  EXPECT_EQ(Text("FiltrLimitE"), "20");
  EXPECT_EQ(Child<QComboBox>("BurnoutE")->currentIndex(), 1);
  EXPECT_EQ(Child<QComboBox>("SiecE")->currentIndex(), 1);
  EXPECT_EQ(Text("Reakcja"), "Output reaction to sensor burnout:");
  EXPECT_EQ(Text("SerialE"), "47001");
  EXPECT_EQ(Text("DataE"), "09.12.2025");
  EXPECT_FALSE(Child<QLabel>("SerialE")->isHidden());  // hidden while no parameters are shown
  EXPECT_FALSE(Child<QLabel>("DataE")->isHidden());
  EXPECT_EQ(Text("KodE"), "TT-101");
  EXPECT_EQ(Text("OgolneE"), "Boiler room, return line");
  for (const char* f : {"MinInputE", "MaxInputE", "FiltrZakresE", "FiltrCzasE", "FiltrLimitE", "BurnoutE",
                        "SiecE", "KodE", "OgolneE"}) {
    EXPECT_EQ(Look(f), "white") << f;
    EXPECT_TRUE(Child<QWidget>(f)->isEnabled()) << f;
  }
  EXPECT_TRUE(Messages().empty());
  // Verify waits for a write since the read.
  sw.Tick();
  EXPECT_FALSE(Enabled("Weryfikuj1"));
  EXPECT_TRUE(Enabled("Odczytaj1"));
}

TEST_F(WorkflowTest, WriteOfAnUneditedSetChangesOnlyTheDateAndVerifies) {
  Read();
  const std::vector<std::uint8_t> before = sw.WrittenAreas();
  sw.W().ZapiszTClick();
  EXPECT_EQ(sw.W().StatusText(), "Transmitter programmed");
  EXPECT_TRUE(Messages().empty());
  const std::vector<std::uint8_t> after = sw.WrittenAreas();
  ASSERT_EQ(before.size(), after.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    const unsigned address = i < 0xC0 ? 0x010 + i : 0x440 + (i - 0xC0);
    // The configuration date (0x018..0x019) and the checksum over it (0x0FD) may change.
    if (address == 0x018 || address == 0x019 || address == 0x0FD) continue;
    EXPECT_EQ(before[i], after[i]) << "address 0x" << std::hex << address;
  }
  EXPECT_EQ(Text("DataE"), QDate::currentDate().toString("dd.MM.yyyy"));

  sw.Tick();
  EXPECT_TRUE(Enabled("Weryfikuj1"));
  // Record byte 2044 is not part of what the transmitter holds: a difference there is no error.
  comm::DeviceRecord()[2044] ^= 0xFF;
  const comm::TDeviceRecord kept = comm::DeviceRecord();
  sw.W().Weryfikuj1Click();
  EXPECT_EQ(sw.W().StatusText(), "Verification successful");
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(comm::DeviceRecord(), kept);
}

TEST_F(WorkflowTest, ShortcutsWriteAndVerifyEvenFromInsideAField) {
  Read();
  sw.W().show();
  sw.W().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&sw.W()));
  auto* limit = Child<QLineEdit>("FiltrLimitE");
  limit->setFocus();
  limit->selectAll();
  QTest::keyClicks(limit, "40");
  // Ctrl+Z is undo to the field; here it writes, after the field was validated.
  QTest::keyClick(limit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(sw.W().StatusText(), "Transmitter programmed");
  EXPECT_EQ(limit->text(), "40");
  EXPECT_EQ(sw.Tx().ReadMemory(0x016, 1), std::vector<std::uint8_t>{40});
  sw.Tick();
  sw.W().activateWindow();  // the offscreen platform leaves activation with the closed busy banner
  ASSERT_TRUE(QTest::qWaitForWindowActive(&sw.W()));
  QTest::keyClick(limit, Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(sw.W().StatusText(), "Verification successful");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(WorkflowTest, VerifyReportsADifferenceInTheCharacteristicAndKeepsTheRecord) {
  Read();
  sw.W().ZapiszTClick();
  ASSERT_EQ(sw.W().StatusText(), "Transmitter programmed");
  const TParamSet shown = Param();
  const comm::TDeviceRecord kept = comm::DeviceRecord();
  // A cold-junction coefficient changed behind the program's back, checksums made good again.
  std::vector<std::uint8_t> cj = sw.Tx().ReadMemory(0xAA4, 1);
  cj[0] ^= 0x10;
  sw.Tx().WriteMemory(0xAA4, cj);
  sw.Tx().UpdateChecksums();
  sw.Tick();
  sw.W().Weryfikuj1Click();
  EXPECT_EQ(Messages(), std::vector<QString>{"Errors have been found!"});
  EXPECT_EQ(sw.W().StatusText(), "Verification ended with errors");
  EXPECT_EQ(comm::DeviceRecord(), kept);
  EXPECT_EQ(Param().P.MaxInput, shown.P.MaxInput);
  EXPECT_EQ(Param().kod, shown.kod);
}

TEST_F(WorkflowTest, OnlyAChangedTagIsSentAsATextWrite) {
  Read();
  const std::vector<std::uint8_t> before = sw.WrittenAreas();
  auto* kod = Child<QLineEdit>("KodE");
  kod->setFocus();
  kod->selectAll();
  QTest::keyClicks(kod, "TT-102");
  QTest::keyClick(kod, Qt::Key_Return);
  EXPECT_EQ(Look("KodE"), "aqua");
  EXPECT_EQ(Look("MinInputE"), "white");
  sw.W().ZapiszTClick();
  EXPECT_EQ(sw.W().StatusText(), "Transmitter programmed");
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Look("KodE"), "white");
  const std::vector<std::uint8_t> after = sw.WrittenAreas();
  for (std::size_t i = 0; i < before.size(); ++i) {
    const unsigned address = i < 0xC0 ? 0x010 + i : 0x440 + (i - 0xC0);
    if (address >= 0x080 && address < 0x090) continue;  // the tag
    EXPECT_EQ(before[i], after[i]) << "address 0x" << std::hex << address;
  }
  const std::vector<std::uint8_t> tag = sw.Tx().ReadMemory(0x080, 7);
  EXPECT_EQ(std::string(tag.begin(), tag.begin() + 6), "TT-102");
  EXPECT_EQ(tag[6], 0xFF);
  // The date belongs to a full write only.
  EXPECT_EQ(Text("DataE"), "09.12.2025");
}

TEST_F(WorkflowTest, WriteToAnotherModelIsRefusedAndKeepsTheDate) {
  Read();
  const std::vector<std::uint8_t> before = sw.WrittenAreas();
  Param().Device = "VTX48";
  sw.W().ZapiszTClick();
  EXPECT_EQ(Messages(), std::vector<QString>{"Type of transmitter inconsistency!"});
  EXPECT_EQ(Text("DataE"), "09.12.2025");
  EXPECT_EQ(Param().data, "09.12.2025");
  EXPECT_EQ(sw.WrittenAreas(), before);
}

TEST_F(WorkflowTest, APowerSeriesThatTurnsBackIsReportedWhenShown) {
  Read();
  // y = x - x^2/100 over 0..100 mV has its maximum at 50 mV.
  Param().Code = {16, 1, 8, 0};
  Param().P.MinInput = 0;
  Param().P.MaxInput = 20;
  Param().P.Jednostki = 9;
  Param().LinCoef = {0, 1, -0.01, 0, 0, 0, 0, 0, 0, 0, 100};
  Param().TableLoaded = false;
  sw.W().pokaz(2);
  EXPECT_EQ(Messages(), std::vector<QString>{"Transfer function is not monotonic"});
  EXPECT_EQ(sw.W().StatusText(), "Information incomplete");
  EXPECT_FALSE(Param().TableLoaded);
}

// A resistance input converted by the user table resistance.dat, seeded into the transmitter,
// which then names the table's file; nothing else in memory holds the table.
void SeedResistanceTable(SimWindow& sw) {
  TParamSet p;
  p.Device = "VTX47";
  p.Code = {5, 3, 2, 0};
  p.P.MinInput = 0;
  p.P.MaxInput = 100;
  p.P.Jednostki = 8;
  p.P.Siec = 50;
  p.File = VORTA_TEST_DATA_DIR "/resistance.dat";
  sensors::TTableParse parse;
  ASSERT_EQ(sensors::LoadTableForParams(p.File, p, sensors::UserTable(), sensors::SensorRangeTable(), parse),
            sensors::TTableLoad::kLoaded)
      << parse.reason;
  ASSERT_TRUE(sw.Seed(p, 46000));
  sensors::UserTable() = sensors::TUserTable{};  // nothing in memory holds the table
}

TEST(WorkflowTextOnlyTest, ATextWriteNeverPassesForAWriteOfAChangedNonTextField) {
  SimWindow sw;
  SeedResistanceTable(sw);
  ASSERT_TRUE(sw.TickUntilConnected());
  // The transmitter names its table file, which is nowhere to be found here: data incomplete.
  sw.W().OdczytajTClick();
  ASSERT_EQ(sw.W().StatusText(), "Information incomplete");
  ASSERT_EQ(sw.rec.messages.size(), 1u);
  EXPECT_TRUE(sw.rec.messages[0].text.startsWith("User defined sensor or conversion!"));
  const std::vector<std::uint8_t> modeBefore = sw.Tx().ReadMemory(0x010, 8);

  auto* burnout = sw.Child<QComboBox>("BurnoutE");
  burnout->setFocus();
  QTest::keyClick(burnout, Qt::Key_Down);  // the user picks "above 20 mA"
  ASSERT_EQ(burnout->currentIndex(), 1);
  ASSERT_EQ(sw.Child<QWidget>("BurnoutE")->property("look").toString(), "aqua");
  auto* kod = sw.Child<QLineEdit>("KodE");
  kod->setFocus();
  QTest::keyClicks(kod, "TX-9");
  QTest::keyClick(kod, Qt::Key_Return);
  sw.rec.messages.clear();
  sw.W().ZapiszTClick();
  ASSERT_FALSE(sw.rec.messages.empty());
  EXPECT_EQ(sw.rec.messages.back().text, "Information incomplete: only the tag and the text were written.");
  EXPECT_EQ(sw.W().StatusText(), "Information incomplete");
  EXPECT_EQ(sw.Child<QWidget>("BurnoutE")->property("look").toString(), "aqua");
  EXPECT_EQ(sw.Child<QWidget>("KodE")->property("look").toString(), "white");
  EXPECT_FALSE(WindowFlags().Written);
  const std::vector<std::uint8_t> tag = sw.Tx().ReadMemory(0x080, 4);
  EXPECT_EQ(std::string(tag.begin(), tag.end()), "TX-9");
  EXPECT_EQ(sw.Tx().ReadMemory(0x010, 8), modeBefore);  // the burnout reaction was not sent
}

TEST(WorkflowTableTest, TheNamedTableIsLookedForHereThenInTheProgramsTablesFolder) {
  namespace fs = std::filesystem;
  testing::TempDir here;
  SimWindow sw;
  const fs::path tables = fs::path(sw.Folder().Dir()) / "Tables";
  fs::create_directories(tables);
  sw.W().SetTableDir(here.Path().string());
  SeedResistanceTable(sw);
  ASSERT_TRUE(sw.TickUntilConnected());
  const QString question =
      "User defined sensor or conversion!\nNo data available.\nRead source file resistance.dat?";
  // Yes opens the table dialog on the file found; the user accepts it with OK or leaves with Cancel.
  auto readWith = [&sw](int answer, const char* button = nullptr) {
    sw.W().Nowy1Click();  // forget the table loaded before
    sw.rec.messages.clear();
    sw.rec.answers = {answer};
    testing::ModalDriver d;
    if (button) {
      d.Then("TablF", [button](QDialog* w) {
        EXPECT_EQ(testing::Text(w, "InpFileN"), "resistance.dat");
        testing::Click(w, button);
      });
    }
    EXPECT_TRUE(d.Run([&sw] { sw.W().OdczytajTClick(); })) << d.failure;
  };
  const std::string workingFolder = fs::current_path().string();

  // In the folder the search starts in.
  fs::copy_file(VORTA_TEST_DATA_DIR "/resistance.dat", here.Path() / "resistance.dat");
  readWith(kResultYes, "TablOKB");
  ASSERT_EQ(sw.rec.messages.size(), 1u);
  EXPECT_EQ(sw.rec.messages[0].text, question);
  EXPECT_EQ(sw.W().StatusText(), "Information complete");
  EXPECT_TRUE(Param().TableLoaded);
  // A Read that names the same file keeps the table without asking.
  sw.rec.messages.clear();
  sw.W().OdczytajTClick();
  EXPECT_TRUE(sw.rec.messages.empty());
  EXPECT_TRUE(Param().TableLoaded);

  // Not there, not beside the program: in its Tables folder.
  fs::remove(here.Path() / "resistance.dat");
  fs::copy_file(VORTA_TEST_DATA_DIR "/resistance.dat", tables / "resistance.dat");
  readWith(kResultNo);
  EXPECT_EQ(sw.rec.messages.size(), 1u);
  EXPECT_EQ(sw.W().StatusText(), "Information incomplete");
  readWith(kResultYes, "TablOKB");
  EXPECT_EQ(sw.W().StatusText(), "Information complete");

  // A damaged file says why, and the dialog can only be left.
  {
    std::ofstream f(tables / "resistance.dat", std::ios::trunc);
    f << "0 100\n50 90\n";
  }
  readWith(kResultYes, "TablExitB");
  ASSERT_EQ(sw.rec.messages.size(), 2u);
  EXPECT_EQ(sw.rec.messages[1].text, "Corrupted or wrong data file!\n(Values should rise.)");
  EXPECT_EQ(sw.W().StatusText(), "Information incomplete");
  EXPECT_FALSE(Param().TableLoaded);
  // The search never moved the process's working folder.
  EXPECT_EQ(fs::current_path().string(), workingFolder);
}

TEST_F(WorkflowTest, NoSecondTransferStartsWhileOneRuns) {
  bool busySeen = false;
  std::size_t beepsBefore = 0, beepsAfter = 0;
  const std::vector<std::uint8_t> memoryBefore = sw.WrittenAreas();
  QTimer::singleShot(0, [&] {
    busySeen = WindowFlags().Busy;
    beepsBefore = sw.rec.beeps.size();
    sw.W().ZapiszTClick();
    sw.W().Weryfikuj1Click();
    sw.W().OdczytajTClick();
    sw.W().Odswierz1Click();
    sw.W().Reset1Click();
    beepsAfter = sw.rec.beeps.size();
  });
  Read();
  EXPECT_TRUE(busySeen);
  EXPECT_EQ(beepsAfter - beepsBefore, 5u);
  // Only the running read touched the line: nothing was written, nothing reset.
  EXPECT_EQ(sw.WrittenAreas(), memoryBefore);
  EXPECT_EQ(sw.Tx().Stats().restarts, 0);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(sw.W().StatusText(), "Information complete");
}

TEST_F(WorkflowTest, ResetGoesThroughThePollingThread) {
  sw.W().Reset1Click();
  sw.WaitForPoll();
  sw.WaitForPoll();
  EXPECT_EQ(sw.Tx().Stats().restarts, 1);
  sw.Line().Advance(2000);
  EXPECT_TRUE(sw.TickUntilConnected());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(WorkflowTest, AQueuedCommandThatFailedIsReportedOnceByTheNextTick) {
  // What the polling thread leaves after a queued command failed all its attempts.
  comm::Comm().CommandResult = false;
  sw.Tick();
  EXPECT_EQ(Messages(), std::vector<QString>{"Command failed!"});
  EXPECT_EQ(sw.rec.messages.back().kind, kIconError);
  EXPECT_EQ(sw.rec.beeps, std::vector<BeepKind>{BeepKind::kExclamation});
  sw.Tick();
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(WorkflowTest, ReadThatLosesTheLineLeavesTheSetAndPollingComesBack) {
  Read();
  const TParamSet shown = Param();
  Param().P.FiltrLimit = 33;  // an edit not yet written
  ASSERT_TRUE(sw.Tx().SetKnob("silent-in-block", "5"));
  sw.W().OdczytajTClick();
  EXPECT_EQ(Messages(), std::vector<QString>{"Transmission unsuccessful!"});
  EXPECT_EQ(Param().P.FiltrLimit, 33);
  EXPECT_EQ(Param().kod, shown.kod);
  EXPECT_EQ(Param().P.MinInput, shown.P.MinInput);
  EXPECT_TRUE(comm::Comm().PollStarted);
  EXPECT_FALSE(WindowFlags().Busy);
  ASSERT_TRUE(sw.Tx().SetKnob("silent-in-block", "-1"));
  ASSERT_TRUE(sw.Tx().SetKnob("silent", "0"));
  EXPECT_TRUE(sw.TickUntilConnected());
}

TEST_F(WorkflowTest, WriteThatLosesTheLineIsReportedAndTheTransmitterIsReset) {
  Read();
  Param().P.FiltrLimit = 30;
  // The silent transmitter carries out nothing, so the restart command is counted on the wire.
  std::mutex lock;
  int resets = 0;
  sw.Line().SetTrace([&](const std::string& line) {
    std::lock_guard g(lock);
    if (line.rfind("<- 72", 0) == 0 || line.rfind("<- F2", 0) == 0) ++resets;
  });
  ASSERT_TRUE(sw.Tx().SetKnob("silent-in-block", "20"));
  sw.W().ZapiszTClick();
  EXPECT_EQ(Messages(), std::vector<QString>{"Transmission unsuccessful!"});
  EXPECT_NE(sw.W().StatusText(), "Transmitter programmed");
  EXPECT_FALSE(WindowFlags().Written);
  sw.WaitForPoll(300);
  sw.Line().SetTrace({});
  EXPECT_EQ(resets, 1);
  EXPECT_TRUE(comm::Comm().PollStarted);
}

TEST_F(WorkflowTest, LiveDisplayShowsFaultsByPriorityAndAnIndependentOutput) {
  Read();
  sw.Tx().SetLevel(109.73);  // about 25 C
  sw.Line().Advance(2000);   // the transmitter samples every 0.2 s of line time
  sw.Tick();
  sw.Tick();
  // 24.99 C with the configured range -50..150: one decimal in seven places, the unit, two blanks.
  EXPECT_EQ(Text("Wynikp"), QString::fromUtf8("   25.0 °C  "));
  EXPECT_TRUE(Text("Outputp").contains("color:black")) << Text("Outputp").toStdString();
  ASSERT_TRUE(sw.Tx().SetKnob("broken-sensor", "1"));
  sw.Line().Advance(500);
  sw.Tick();
  sw.Tick();
  EXPECT_EQ(Text("Wynikp"), "Broken sensor");
  ASSERT_TRUE(sw.Tx().SetKnob("internal-error", "1"));
  sw.Line().Advance(500);
  sw.Tick();
  sw.Tick();
  EXPECT_EQ(Text("Wynikp"), "Internal error");
  ASSERT_TRUE(sw.Tx().SetKnob("calibration-mode", "1"));
  sw.Line().Advance(500);
  sw.Tick();
  sw.Tick();
  EXPECT_EQ(Text("Wynikp"), "Cal mode");
  for (const char* k : {"broken-sensor", "internal-error", "calibration-mode"})
    ASSERT_TRUE(sw.Tx().SetKnob(k, "0"));

  // 12 mA driven independently of the measurement: the unit turns red with its mark.
  ASSERT_TRUE(comm::QueueCommandWait('o', 24000, [] {}));
  sw.Tick();
  sw.Tick();
  EXPECT_TRUE(Child<QLabel>("Outputp")->property("independent").toBool());
  EXPECT_TRUE(Text("Outputp").contains("12.00")) << Text("Outputp").toStdString();
  EXPECT_TRUE(Text("Outputp").contains("color:red")) << Text("Outputp").toStdString();
  EXPECT_TRUE(Text("Outputp").contains("mA&nbsp;&nbsp;!")) << Text("Outputp").toStdString();

  // An EEPROM error disables the reading commands and refuses Read.
  ASSERT_TRUE(sw.Tx().SetKnob("eeprom-error", "1"));
  sw.Tick();
  sw.Tick();
  EXPECT_EQ(Text("Wynikp"), "EEPROM error");
  EXPECT_FALSE(Enabled("OdczytajT"));
  EXPECT_FALSE(Enabled("RegulacjaT"));
  EXPECT_TRUE(Enabled("ZapiszT"));
  sw.W().OdczytajTClick();
  EXPECT_EQ(Messages(), std::vector<QString>{"EEPROM error!"});
}

TEST_F(WorkflowTest, SilenceEmptiesThePanelsThenShowsQuestionMarksAndAutoReadReadsAgain) {
  Read();
  sw.W().Autoread1Click();
  ASSERT_TRUE(sw.Tx().SetKnob("silent", "1"));
  sw.MissTick();
  EXPECT_TRUE(Text("Wynikp").isEmpty());
  EXPECT_TRUE(Text("Outputp").isEmpty());
  EXPECT_FALSE(WindowFlags().Connected);
  EXPECT_FALSE(Enabled("OdczytajT"));
  EXPECT_FALSE(Enabled("ZapiszT"));
  EXPECT_FALSE(Enabled("Reset1"));
  EXPECT_TRUE(WindowFlags().ConfigRead);  // one missed tick keeps the configuration
  sw.MissTick();
  EXPECT_FALSE(WindowFlags().ConfigRead);
  for (int i = 2; i < 12; ++i) sw.MissTick();
  EXPECT_TRUE(Text("Wynikp").isEmpty());
  sw.MissTick();  // the twelfth tick without data: 6 s at 500 ms
  EXPECT_EQ(Text("Wynikp"), "???        ");
  EXPECT_EQ(Text("Outputp"), "???        ");
  for (int i = 0; i < 14; ++i) sw.MissTick();
  EXPECT_TRUE(Messages().empty());  // the polling thread lives: no warning at 12 s

  // Another transmitter answers: the next measurement enables the commands and reads again.
  sw.Tx().WriteMemory(0x405, {0x01, 0x02, 0x03});
  sw.Tx().UpdateChecksums();
  ASSERT_TRUE(sw.Tx().SetKnob("silent", "0"));
  const long framesBefore = sw.Tx().Stats().frames;
  ASSERT_TRUE(sw.TickUntilConnected());
  EXPECT_TRUE(WindowFlags().ConfigRead);
  EXPECT_GT(sw.Tx().Stats().frames - framesBefore, 13);  // a whole read went over the line
  EXPECT_EQ(sw.W().StatusText(), "Information complete");
  sw.Tick();
  EXPECT_TRUE(Enabled("OdczytajT"));
  EXPECT_FALSE(Text("Wynikp").isEmpty());
  EXPECT_TRUE(Messages().empty());
}

// A line whose driver fails in a way the link does not expect: the polling thread ends by it.
class TBrokenDriverLine final : public platform::ISerialLine {
 public:
  bool Configure(int) override { return true; }
  void Purge() override {}
  bool Write(const std::uint8_t*, std::size_t, int) override { return true; }
  int Read(std::uint8_t*, std::size_t, int) override { throw std::runtime_error("driver gone"); }
  void Interrupt() override {}
};

TEST_F(WorkflowTest, PollingThreadThatDiedIsReportedOnceAfterTwelveSeconds) {
  ASSERT_TRUE(comm::OpenLineOn(std::make_unique<TBrokenDriverLine>(), 4));
  for (int i = 0; i < 200 && !comm::Comm().PollFailed; ++i) QThread::msleep(5);
  ASSERT_TRUE(comm::Comm().PollFailed);
  for (int i = 0; i < 24; ++i) sw.MissTick();
  EXPECT_TRUE(Messages().empty());  // 23 ticks: not yet
  sw.MissTick();                    // the 24th tick without data: 12 s at 500 ms
  EXPECT_EQ(Messages(), std::vector<QString>{"No communication with device!"});
  for (int i = 0; i < 30; ++i) sw.MissTick();
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(WorkflowTest, AnotherModelOnTheLineAsksAgainUntilTheUserLetsItRead) {
  Read();
  Param().Device = "VTX38";
  sw.rec.answers = {kResultCancel};
  sw.Tick();
  ASSERT_EQ(sw.rec.messages.size(), 1u);
  EXPECT_TRUE(
      sw.rec.messages[0].text.startsWith("Type of transmitter inconsistency! New data will be read."));
  EXPECT_EQ(Param().Device, "VTX38");
  sw.rec.answers = {kResultOk};
  sw.Tick();
  EXPECT_EQ(sw.rec.messages.size(), 2u);
  EXPECT_EQ(Param().Device, "VTX47");
  EXPECT_EQ(Text("KodE"), "TT-101");
  EXPECT_EQ(sw.W().FileName(), "No_name");
}

// The whole way once at the line's real speed: the window opens COM1, a pseudo-terminal served by
// the simulated transmitter at 9600 baud, reads, writes and verifies.
TEST(WorkflowOnPtyTest, ReadWriteAndVerifyAtNineSixHundredBaud) {
  SimWindow sw({}, true);
  ASSERT_TRUE(sw.Seed(Pt100Set(), 46000));
  ASSERT_TRUE(sw.TickUntilConnected(5000));
  sw.W().OdczytajTClick();
  ASSERT_TRUE(WindowFlags().ConfigRead);
  EXPECT_EQ(sw.Child<QLineEdit>("MaxInputE")->text(), "150.0");
  Param().P.FiltrLimit = 25;
  sw.W().ZapiszTClick();
  EXPECT_EQ(sw.W().StatusText(), "Transmitter programmed");
  EXPECT_EQ(sw.Tx().ReadMemory(0x016, 1), std::vector<std::uint8_t>{25});
  ASSERT_TRUE(sw.TickUntilConnected(5000));
  sw.W().Weryfikuj1Click();
  EXPECT_EQ(sw.W().StatusText(), "Verification successful");
  EXPECT_TRUE(sw.rec.messages.empty());
}

}  // namespace
}  // namespace vorta::app
