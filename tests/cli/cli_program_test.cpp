// The vorta-cli program itself against vorta-sim programs on pseudo-terminals, both copied into a
// folder of the test's own (its ports/, history/ and memory files land there): a script programs
// three transmitters in a row, the exit codes, and Ctrl+C in the middle of a write.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "sim/sim_memory.h"
#include "sim/sim_models.h"
#include "tests/cli/cli_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace vorta::cli {
namespace {

namespace fs = std::filesystem;
using vorta::testing::ChildProcess;
using vorta::testing::TempDir;
using vorta::testing::WaitUntil;

// A model 47 transmitter's memory file with its own serial number.
std::string MemoryFile(const TempDir& dir, int serial) {
  sim::TSimMemory m = sim::DefaultMemory(*sim::FindSimModel(47));
  m.SetByte(sim::mem::kSerial, static_cast<std::uint8_t>(serial >> 16));
  m.SetByte(sim::mem::kSerial + 1, static_cast<std::uint8_t>(serial >> 8));
  m.SetByte(sim::mem::kSerial + 2, static_cast<std::uint8_t>(serial));
  m.UpdateChecksums();
  const std::string path = dir.File("tx" + std::to_string(serial) + ".mem");
  EXPECT_TRUE(m.Save(path));
  return path;
}

// vorta-sim serving COMn from the memory file, printing every frame.
std::unique_ptr<ChildProcess> Transmitter(const TempDir& dir, int n, const std::string& memory) {
  const std::string port = "COM" + std::to_string(n);
  auto tx = std::make_unique<ChildProcess>(
      dir.Path(), VORTA_SIM_PROGRAM, "vorta-sim",
      std::vector<std::string>{"--port", port, "--memory", memory, "--no-control", "--verbose"});
  EXPECT_TRUE(tx->Printed(port + " -> "));
  return tx;
}

std::vector<std::uint8_t> WrittenAreas(const std::string& memoryFile) {
  sim::TSimMemory m;
  EXPECT_TRUE(m.Load(memoryFile));
  std::vector<std::uint8_t> bytes;
  for (unsigned a = 0x010; a < 0x0D0; ++a) bytes.push_back(m.Byte(a));
  for (unsigned a = 0x440; a < 0xAC0; ++a) bytes.push_back(m.Byte(a));
  return bytes;
}

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    names.push_back(it->path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(CliProgram, AScriptProgramsThreeTransmittersInARowEachVerifiedWithItsHistory) {
  TempDir dir;
  const std::string file = dir.File("plant.par");
  std::ofstream(file, std::ios::binary) << testing::KFile("VTX47", "TT-4711");
  std::vector<std::string> memories;
  std::vector<std::unique_ptr<ChildProcess>> transmitters;
  for (int n = 1; n <= 3; ++n) {
    memories.push_back(MemoryFile(dir, 310000 + n));
    transmitters.push_back(Transmitter(dir, n, memories.back()));
  }
  for (int n = 1; n <= 3; ++n) {
    ChildProcess cli(dir.Path(), VORTA_CLI_PROGRAM, "vorta-cli",
                     {"write", "--port", "COM" + std::to_string(n), file, "--json"});
    ASSERT_EQ(cli.Wait(), 0) << cli.Errors();
    EXPECT_NE(cli.Output().find("\"verified\":true"), std::string::npos) << cli.Output();
    EXPECT_NE(cli.Errors().find("Verification successful"), std::string::npos);
  }
  for (int n = 1; n <= 3; ++n) {
    const std::vector<std::string> kept = Entries(dir / "history" / std::to_string(310000 + n));
    ASSERT_EQ(kept.size(), 2u) << n;
    EXPECT_NE(kept[0].find("_read.par"), std::string::npos);
    EXPECT_NE(kept[1].find("_written.par"), std::string::npos);
  }
  transmitters.clear();  // the memory files are saved by now
  for (const std::string& m : memories) {
    const std::vector<std::uint8_t> areas = WrittenAreas(m);
    EXPECT_EQ(areas, WrittenAreas(memories.front()));
    EXPECT_EQ(std::string(areas.begin() + 0x70, areas.begin() + 0x77), "TT-4711");  // the tag at 0x080
  }
}

TEST(CliProgram, ExitCodesWithoutATransmitter) {
  TempDir dir;
  const struct {
    std::vector<std::string> args;
    int code;
  } cases[] = {{{"--help"}, 0},
               {{}, 64},
               {{"write", "--port", "COM1"}, 64},
               {{"write", "--port", "COM1", dir.File("missing.par")}, 3},
               {{"read", "--port", "COM60"}, 2}};
  for (const auto& c : cases) {
    ChildProcess cli(dir.Path(), VORTA_CLI_PROGRAM, "vorta-cli", c.args);
    EXPECT_EQ(cli.Wait(), c.code) << (c.args.empty() ? "" : c.args.front()) << cli.Errors();
  }
  EXPECT_FALSE(fs::exists(dir / "Vorta.ini"));  // read, never written
}

TEST(CliProgram, CtrlCInTheMiddleOfAWriteSendsTheOwedResetAndExitsWith130) {
  TempDir dir;
  const std::string file = dir.File("plant.par");
  std::ofstream(file, std::ios::binary) << testing::KFile();
  auto tx = Transmitter(dir, 4, MemoryFile(dir, 310004));
  ChildProcess cli(dir.Path(), VORTA_CLI_PROGRAM, "vorta-cli", {"write", "--port", "COM4", file});
  auto blocksWritten = [&] {
    const std::string trace = tx->Output();
    std::size_t count = 0;
    for (const char* head : {"<- 44 10 ", "<- C4 10 "})
      for (std::size_t at = trace.find(head); at != std::string::npos; at = trace.find(head, at + 1)) ++count;
    return count;
  };
  ASSERT_TRUE(WaitUntil([&] { return blocksWritten() >= 10; }));
  cli.Signal(SIGINT);
  EXPECT_EQ(cli.Wait(), 130);
  EXPECT_NE(cli.Errors().find("Interrupted: the transmitter was reset"), std::string::npos) << cli.Errors();
  EXPECT_LT(blocksWritten(), 116u);
  EXPECT_TRUE(tx->Printed("<- 72\n")) << tx->Output();    // the owed reset ('r')
  EXPECT_EQ(Entries(dir / "history/310004").size(), 1u);  // as read; nothing as written
}

}  // namespace
}  // namespace vorta::cli
