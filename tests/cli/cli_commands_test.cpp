// vorta-cli's subcommands against the in-process simulated transmitter: what they print, their
// exit codes, what the transmitter holds afterwards, the history they keep, and the faults.
#include <gtest/gtest.h>

#include <regex>

#include "app/param_set.h"
#include "cli/cli_session.h"
#include "docs/par_file.h"
#include "platform/port_names.h"
#include "sensors/sensor_range.h"
#include "tests/cli/cli_fixture.h"

namespace vorta::cli {
namespace {

using testing::CliRun;
using testing::KFile;
namespace fs = std::filesystem;

std::string TagInMemory(CliRun& run) {
  const std::vector<std::uint8_t> tag = run.Tx().ReadMemory(0x080, 16);
  std::string s;
  for (std::uint8_t b : tag)
    if (b != 0xFF) s += static_cast<char>(b);
  return s;
}

app::TParamSet Load(const std::string& path) {
  app::TParamSet p;
  sensors::TSensorRangeTable ranges;
  EXPECT_TRUE(docs::LoadParFile(path, p, ranges)) << path;
  return p;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(CliRead, PrintsTheParameterFileAndKeepsTheSameInTheHistory) {
  CliRun run;
  ASSERT_EQ(run({"read", "--port", "COM1"}), kExitDone) << run.Err();
  const std::string out = run.Out();
  EXPECT_EQ(out.rfind("Parametry przetwornika serii Vorta\r\n", 0), 0u);
  EXPECT_TRUE(Has(out, "\r\nDevice=VTX47\r\n"));
  EXPECT_TRUE(Has(out, "\r\nserial=47001\r\n"));
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 43);
  ASSERT_EQ(run.HistoryFiles(), std::vector<std::string>{"47001/2026-12-07_153001_read.par"});
  std::ifstream kept(run.Dir() / "history/47001/2026-12-07_153001_read.par", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), out);
}

TEST(CliRead, WritesTheFileItIsGivenAndAnswersInJson) {
  CliRun run;
  const std::string file = (run.Dir() / "out.par").string();
  ASSERT_EQ(run({"read", "-o", file, "--json", "--port=COM1"}), kExitDone) << run.Err();
  EXPECT_EQ(Load(file).serial, "47001");
  const std::string json = run.Out();
  EXPECT_EQ(json.front(), '{');
  EXPECT_TRUE(Has(json, "\"serial\":\"47001\""));
  EXPECT_TRUE(Has(json, "\"output\":\"" + file + "\""));
  EXPECT_TRUE(Has(json, "\"range\":\"0 to 100 mV\""));
  EXPECT_FALSE(Has(json, "\"par\":"));
}

TEST(CliWrite, ProgramsVerifiesAndKeepsTheAsReadAndAsWrittenSets) {
  CliRun run;
  const std::string file = run.File("k.par", KFile());
  ASSERT_EQ(run({"write", "--port", "COM1", file}), kExitDone) << run.Err();
  EXPECT_TRUE(Has(run.Err(), "Transmitter programmed\nVerification successful\n"));
  EXPECT_EQ(TagInMemory(run), "TAG-7");
  ASSERT_EQ(run.HistoryFiles(), (std::vector<std::string>{"47001/2026-12-07_153001_read.par",
                                                          "47001/2026-12-07_153002_written.par"}));
  const app::TParamSet asRead = Load((run.Dir() / "history/47001/2026-12-07_153001_read.par").string());
  const app::TParamSet asWritten = Load((run.Dir() / "history/47001/2026-12-07_153002_written.par").string());
  EXPECT_EQ(asRead.Code.Typ, 16);
  EXPECT_EQ(asWritten.Code.Typ, 10);
  EXPECT_EQ(asWritten.serial, "47001");  // the transmitter's, not the file's 42
  EXPECT_DOUBLE_EQ(asWritten.P.MaxInput, 500);

  // What the transmitter now holds reads back as the file.
  ASSERT_EQ(run({"read", "--port", "COM1"}), kExitDone);
  for (const char* line : {"Typ=10\r\n", "Tryb=7\r\n", "Lin=2\r\n", "MaxInput=500\r\n", "kod=TAG-7\r\n"})
    EXPECT_TRUE(Has(run.Out(), line)) << line;
}

TEST(CliWrite, NoVerifyLeavesOutTheReadBack) {
  CliRun run;
  int blockReads = 0;
  run.SetTrace([&blockReads](const std::string& line) { blockReads += line.rfind("<- F3", 0) == 0; });
  const std::string file = run.File("k.par", KFile());
  ASSERT_EQ(run({"write", "--port", "COM1", file}), kExitDone);
  const int withVerify = blockReads;
  blockReads = 0;
  ASSERT_EQ(run({"write", "--port", "COM1", file, "--no-verify", "--json"}), kExitDone);
  EXPECT_FALSE(Has(run.Err(), "Verification"));
  EXPECT_TRUE(Has(run.Out(), "\"verified\":null"));
  EXPECT_EQ(withVerify - blockReads, 116);  // the 1856 written bytes in blocks of 16
}

TEST(CliWrite, AFileForAnotherModelIsRefusedAndNothingIsWritten) {
  CliRun run;
  const std::vector<std::uint8_t> before = run.WrittenAreas();
  ASSERT_EQ(run({"write", "--port", "COM1", run.File("k.par", KFile("VTX48"))}), kExitRefused);
  EXPECT_TRUE(Has(run.Err(), "Type of transmitter inconsistency! "));
  EXPECT_TRUE(Has(run.Err(), "VTX48, COM1: VTX47"));
  EXPECT_EQ(run.WrittenAreas(), before);
  EXPECT_EQ(run.HistoryFiles(), std::vector<std::string>{"47001/2026-12-07_153001_read.par"});
}

// A resistance input converted by the user table resistance.dat.
std::string TableFile() {
  std::string text = KFile();
  text.replace(text.find("Typ=10\r\nTryb=7\r\nLin=2\r\n\r\n"), 25,
               "Typ=5\r\nTryb=3\r\nLin=2\r\nFile=resistance.dat\r\n");
  text.replace(text.find("MaxInput=500"), 12, "MaxInput=100");
  return text;
}

TEST(CliWrite, ATableIsTakenFromTableOrFoundAsTheWindowFindsItAndOtherwiseRefused) {
  CliRun run;
  const std::string file = run.File("r.par", TableFile());
  ASSERT_EQ(run({"write", "--port", "COM1", file}), kExitRefused);
  EXPECT_TRUE(
      Has(run.Err(), "User defined sensor or conversion! No data available. (source file: resistance.dat)"));
  ASSERT_EQ(run({"write", "--port", "COM1", file, "--table", VORTA_TEST_DATA_DIR "/resistance.dat"}),
            kExitDone)
      << run.Err();
  fs::copy_file(VORTA_TEST_DATA_DIR "/resistance.dat", run.Dir() / "resistance.dat");
  ASSERT_EQ(run({"verify", "--port", "COM1", file}), kExitDone) << run.Err();
  const std::string falling = run.File("falling.dat", "0 100\n50 90\n");
  ASSERT_EQ(run({"write", "--port", "COM1", file, "--table", falling}), kExitBadFile);
  EXPECT_TRUE(Has(run.Err(), "Corrupted or wrong data file!\n" + falling + " ("));
}

TEST(CliWrite, BadFilesAreRefusedBeforeTheLineIsTouched) {
  CliRun run;
  int opened = 0;
  const auto open = run.Env().openLine;
  run.Env().openLine = [&](int port) {
    ++opened;
    return open(port);
  };
  std::string damaged = KFile();
  damaged.erase(damaged.find("MaxInput=500\r\n"), 14);
  std::string binary(4096, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 37);
  const std::vector<std::string> files{
      (run.Dir() / "missing.par").string(), run.File("damaged.par", damaged), run.File("binary.par", binary),
      run.File("huge.par", KFile() + std::string(10 << 20, 'x')), run.Dir().string()};
  for (const std::string& f : files) {
    for (const char* command : {"write", "verify"}) {
      EXPECT_EQ(run({command, "--port", "COM1", f}), kExitBadFile) << command << " " << f;
      EXPECT_TRUE(Has(run.Err(), f)) << run.Err();
    }
    EXPECT_EQ(run({"diff", f, f}), kExitBadFile) << f;
  }
  EXPECT_EQ(opened, 0);
  EXPECT_TRUE(run.HistoryFiles().empty());
}

TEST(CliVerify, NamesTheFieldThatDiffersAndTheTransmittersDateIsNoDifference) {
  CliRun run;
  const std::string file = run.File("k.par", KFile());
  ASSERT_EQ(run({"write", "--port", "COM1", file, "--no-verify"}), kExitDone);
  run.Tx().WriteMemory(0x018, {0x10, 0x00});  // another configuration date
  run.Tx().UpdateChecksums();
  ASSERT_EQ(run({"verify", "--port", "COM1", file}), kExitDone) << run.Err();
  EXPECT_TRUE(Has(run.Err(), "Verification successful"));
  run.Tx().WriteMemory(0x080, {'T', 'A', 'G', '-', '8'});
  run.Tx().UpdateChecksums();
  ASSERT_EQ(run({"verify", "--port", "COM1", file, "--json"}), kExitDiffers);
  EXPECT_TRUE(Has(run.Err(), "ID Tag: TAG-8  ->  TAG-7\n"));
  EXPECT_TRUE(Has(run.Err(), "Errors have been found! Verification ended with errors"));
  EXPECT_TRUE(Has(run.Out(), "\"differences\":[{\"field\":\"tag\"")) << run.Out();
  // Bytes no field explains are the transfer function's.
  run.Tx().WriteMemory(0x500, {0x12});
  run.Tx().WriteMemory(0x080, {'T', 'A', 'G', '-', '7'});
  run.Tx().UpdateChecksums();
  ASSERT_EQ(run({"verify", "--port", "COM1", file}), kExitDiffers);
  EXPECT_TRUE(Has(run.Err(), "Transfer function\n")) << run.Err();
}

TEST(CliDiff, TheFieldsThatDifferByTheirReportNames) {
  CliRun run;
  const std::string a = run.File("a.par", KFile()), b = run.File("b.par", KFile("VTX47", "TAG-9", "400"));
  ASSERT_EQ(run({"diff", a, b}), kExitDiffers);
  EXPECT_EQ(run.Out(),
            "Input range: 0 to 500 \xC2\xB0"
            "C  ->  0 to 400 \xC2\xB0"
            "C\nID Tag: TAG-7  ->  TAG-9\n");
  ASSERT_EQ(run({"diff", a, a, "--json"}), kExitDone);
  EXPECT_TRUE(Has(run.Out(), "\"differences\":[]"));
  ASSERT_EQ(run({"diff", "--port", "COM1", a}), kExitDiffers);
  EXPECT_TRUE(Has(run.Out(), "Sensor: Voltage  ->  Thermocouple type K\n"));
  EXPECT_EQ(run.HistoryFiles().size(), 1u);  // the transmitter was read
}

TEST(CliMonitor, PrintsLogLinesWithTheStatusFlags) {
  CliRun run;
  run.Tx().SetKnob("broken-sensor", "1");
  ASSERT_EQ(run({"monitor", "--port", "COM1", "--count", "3", "--interval", "0"}), kExitDone) << run.Err();
  std::istringstream lines(run.Out());
  std::string line;
  std::vector<std::string> all;
  while (std::getline(lines, line)) all.push_back(line);
  ASSERT_EQ(all.size(), 7u);
  EXPECT_EQ(all[0], "Vorta series module measurements\r");
  EXPECT_EQ(all[3], "Time [s]\tResult [mV]\tOutput [mA]\r");
  EXPECT_EQ(all[4].rfind("+0.00\t", 0), 0u);
  const std::regex sample(R"(\+\d+\.\d\d\t[+-][0-9.E+-]+\t[+-] ?\d+\.\d{4}\t.*Broken sensor.*\r)");
  for (std::size_t i = 4; i < 7; ++i) EXPECT_TRUE(std::regex_match(all[i], sample)) << all[i];
  ASSERT_EQ(run({"monitor", "--port", "COM1", "--count", "2", "--interval", "0", "--json"}), kExitDone);
  const std::string json = run.Out();
  EXPECT_EQ(std::count(json.begin(), json.end(), '\n'), 2);
  EXPECT_TRUE(Has(json, "\"flags\":[\"broken_sensor\"]"));
}

TEST(CliFaults, APortThatCannotBeOpenedOrATransmitterThatIsSilentIsALineFailure) {
  CliRun run;
  ASSERT_EQ(run({"read", "--port", "COM2"}), kExitLine);
  EXPECT_TRUE(Has(run.Err(), "COM2 initialization failed!\n"));
  run.Unplug();
  ASSERT_EQ(run({"read", "--port", "COM1", "--json"}), kExitLine);
  EXPECT_TRUE(Has(run.Out(), "{\"command\":\"read\",\"exit\":2,\"error\":\"COM1 initialization failed!\\n"));
  CliRun silent;
  silent.Tx().SetKnob("silent", "1");
  silent.Env().connectTimeoutMs = 300;
  ASSERT_EQ(silent({"read", "--port", "COM1"}), kExitLine);
  EXPECT_EQ(silent.Err(), "No communication with transmitter!\n");
  CliRun eeprom;
  eeprom.Tx().SetKnob("eeprom-error", "1");
  ASSERT_EQ(eeprom({"read", "--port", "COM1"}), kExitLine);
  EXPECT_EQ(eeprom.Err(), "EEPROM error!\n");
  EXPECT_TRUE(silent.HistoryFiles().empty());
  EXPECT_TRUE(eeprom.HistoryFiles().empty());
}

TEST(CliFaults, ATransmitterThatStopsHalfwayLeavesNoWrittenEntry) {
  CliRun run;
  run.Tx().SetKnob("silent-in-block", "30");
  ASSERT_EQ(run({"write", "--port", "COM1", run.File("k.par", KFile())}), kExitLine);
  EXPECT_TRUE(Has(run.Err(), "Transmission unsuccessful!"));
  EXPECT_EQ(run.HistoryFiles(), std::vector<std::string>{"47001/2026-12-07_153001_read.par"});
}

TEST(CliFaults, CtrlCDuringAWriteSendsTheOwedResetAndSaysSo) {
  CliRun run;
  int blocks = 0;
  bool reset = false;
  run.SetTrace([&](const std::string& line) {
    if (line.rfind("<- C4", 0) == 0 || line.rfind("<- 44", 0) == 0) {
      if (++blocks == 20) run.Interrupted() = true;
    }
    if (line.rfind("<- 72", 0) == 0) reset = true;  // 'r'
  });
  ASSERT_EQ(run({"write", "--port", "COM1", run.File("k.par", KFile())}), kExitInterrupted);
  EXPECT_TRUE(Has(run.Err(), "Interrupted: the transmitter was reset"));
  EXPECT_TRUE(reset);
  EXPECT_LT(blocks, 116);
  EXPECT_EQ(run.HistoryFiles(), std::vector<std::string>{"47001/2026-12-07_153001_read.par"});
}

TEST(CliFaults, AHistoryThatCannotBeKeptWarnsOnceAndTheWriteGoesOn) {
  CliRun run;
  std::ofstream(run.Dir() / "history") << "a file where the folder should be";
  ASSERT_EQ(run({"write", "--port", "COM1", run.File("k.par", KFile())}), kExitDone) << run.Err();
  const std::string err = run.Err();
  const std::string warning = "The configuration history was not kept";
  ASSERT_TRUE(Has(err, warning));
  EXPECT_EQ(err.find(warning), err.rfind(warning));
  EXPECT_EQ(TagInMemory(run), "TAG-7");
}

TEST(CliSettings, ThePortComesFromVortaIniWhichIsNeverWritten) {
  CliRun run;
  const std::string ini = "Vorta initial parameters:\r\n\r\nComPort=1\r\n";
  run.File("Vorta.ini", ini);
  ASSERT_EQ(run({"read"}), kExitDone) << run.Err();
  run.File("Vorta.ini", "ComPort=2\r\nHistoryDir=kept\r\n");
  ASSERT_EQ(run({"read"}), kExitLine);
  EXPECT_TRUE(Has(run.Err(), "COM2 initialization failed!"));
  ASSERT_EQ(run({"read", "--port", "COM1"}), kExitDone);
  EXPECT_TRUE(fs::exists(run.Dir() / "kept/47001"));
  std::ifstream f(run.Dir() / "Vorta.ini", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(f), {}), "ComPort=2\r\nHistoryDir=kept\r\n");
}

TEST(CliSettings, MessagesInTheLanguageChosen) {
  CliRun run;
  fs::copy_file(VORTA_SOURCE_DIR "/docs/lang/Polski.lan", run.Dir() / "Polski.lan");
  run.Tx().SetKnob("silent", "1");
  run.Env().connectTimeoutMs = 300;
  ASSERT_EQ(run({"read", "--port", "COM1", "--language", "Polski"}), kExitLine);
  EXPECT_EQ(run.Err(), "Brak komunikacji z przetwornikiem!\n");
  ASSERT_EQ(run({"read", "--port", "COM1", "--language", "Klingon"}), kExitLine);
  EXPECT_TRUE(
      Has(run.Err(), "Klingon.lan cannot be used; English is used.\nNo communication with transmitter!"));
}

TEST(CliPorts, ListsWhatThePortDialogLists) {
  CliRun run;
  fs::create_directories(run.Dir() / "ports");
  fs::create_symlink("/dev/null", run.Dir() / "ports/COM3");
  platform::SetPortsDir((run.Dir() / "ports").string());
  run.Env().systemPorts = [] {
    return std::vector<comm::TPortDevice>{{"/dev/ttyUSB0", "FTDI", "FT232R USB UART", true},
                                          {"/dev/ttyAMA0", "", "", false},  // no COM name
                                          {"/dev/ttyS0", "", "", false}};
  };
  ASSERT_EQ(run({"ports"}), kExitDone);
  EXPECT_EQ(run.Out(),
            "COM1  /dev/ttyS0  built-in\n"
            "COM3  /dev/null  link in ports/\n"
            "COM17  /dev/ttyUSB0  FTDI FT232R USB UART\n");
  ASSERT_EQ(run({"ports", "--json"}), kExitDone);
  EXPECT_TRUE(Has(run.Out(),
                  "{\"port\":\"COM17\",\"device\":\"/dev/ttyUSB0\",\"description\":\"FTDI FT232R USB "
                  "UART\",\"link\":false}"));
  EXPECT_TRUE(Has(run.Out(),
                  "{\"port\":\"COM3\",\"device\":\"/dev/null\",\"description\":\"link in "
                  "ports/\",\"link\":true}"));
  platform::SetPortsDir("");
}

}  // namespace
}  // namespace vorta::cli
