// Memory map, default contents per model, checksums and the memory file of the simulator.
#include "sim/sim_memory.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/temp_dir.h"
#include "tests/sim/host_frames.h"

namespace vorta::sim::test {
namespace {

using vorta::testing::TempDir;
namespace fs = std::filesystem;

TEST(SimMemory, EveryModelStartsWithItsTypeNumberRangesAndTypeIndex) {
  const int order[] = {47, 48, 49, 37, 38, 39, 60, 90, 97};  // type indexes 0..8 of the host's model table
  EXPECT_EQ(SimModels().size(), std::size(order));
  for (int index = 0; index < 9; ++index) {
    const TSimModel* model = FindSimModel(order[index]);
    ASSERT_NE(model, nullptr) << order[index];
    const TSimMemory m = DefaultMemory(*model);
    const auto word = [&](unsigned a) { return static_cast<std::int16_t>(m.Byte(a) | m.Byte(a + 1) << 8); };
    EXPECT_EQ(word(mem::kTypeNumber), 2000 + order[index]);
    EXPECT_TRUE(m.ChecksumsGood()) << order[index];
    for (unsigned i = 0; i < 2; ++i) {
      EXPECT_EQ(word(mem::kInputRanges + 2 * i), model->currentRange[i]);
      EXPECT_EQ(word(mem::kInputRanges + 4 + 2 * i), model->voltageRange[i]);
    }
    EXPECT_EQ(m.Byte(mem::kModeComplement), static_cast<std::uint8_t>(~m.Byte(mem::kModeByte)));
    TSimConfig config;
    config.modelCode = order[index];
    TSimTransmitter tx(config);
    TSimLine line(tx);
    EXPECT_EQ(Exchange(line, {'m', 0x20}).data.value_or(TBytes(10, 0xFF))[9] & 0x0F, index) << order[index];
  }
  TSimConfig unknown;
  unknown.modelCode = 12;
  EXPECT_EQ(TSimTransmitter(unknown).ModelCode(), 47);
}

TEST(SimMemory, FactoryFieldsSitWhereTheMapSays) {
  const TSimMemory m = DefaultMemory(*FindSimModel(97));
  EXPECT_EQ(m.Byte(mem::kConfigBytes) << 8 | m.Byte(mem::kConfigBytes + 1), '1' << 8 | 'U');
  EXPECT_EQ(m.Word(mem::kCalDate), 45366u);  // 15.03.2024
  EXPECT_EQ(m.Byte(mem::kCalTemperature) / 16.0 + 16.0, 23.0);
  EXPECT_EQ(m.Byte(mem::kSerial) << 16 | m.Word(mem::kSerial + 1), 97001u);
  EXPECT_EQ(m.Byte(mem::kSensorType), 16);
  EXPECT_EQ(m.Byte(mem::kUnitIndex), 2);
  EXPECT_EQ(m.Float(mem::kSignalStep), 0.5);
  EXPECT_EQ(m.Byte(mem::kTag), 0xFF);
}

TEST(SimMemory, ChangedByteBreaksItsChecksum) {
  for (unsigned a : {0x010u, 0x05Fu, 0x06Bu, 0x400u, 0x43Eu, 0x440u, 0xABBu}) {
    TSimMemory m = DefaultMemory(*FindSimModel(47));
    m.SetByte(a, static_cast<std::uint8_t>(m.Byte(a) + 1));
    EXPECT_FALSE(m.ChecksumsGood()) << std::hex << a;
    m.UpdateChecksums();
    EXPECT_TRUE(m.ChecksumsGood());
  }
  TSimMemory m = DefaultMemory(*FindSimModel(47));
  m.SetByte(0x0D0, 0x12);  // not covered by any checksum
  EXPECT_TRUE(m.ChecksumsGood());
}

TEST(SimMemory, FileRoundTripLeavesNothingElseAndForeignFilesChangeNothing) {
  TempDir dir;
  const std::string path = (dir / "sim.mem").string();
  TSimMemory m = DefaultMemory(*FindSimModel(38));
  m.SetByte(0x080, 'X');
  ASSERT_TRUE(m.Save(path));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
  TSimMemory back;
  ASSERT_TRUE(back.Load(path));
  EXPECT_EQ(back.Raw(), m.Raw());
  EXPECT_FALSE(m.Save((dir / "missing/sim.mem").string()));

  std::ofstream(path, std::ios::trunc) << "not a memory file";
  TSimMemory untouched;
  std::string why;
  EXPECT_FALSE(untouched.Load(path, &why));
  EXPECT_FALSE(why.empty());
  fs::resize_file(path, 0);
  EXPECT_FALSE(untouched.Load(path));
  EXPECT_FALSE(untouched.Load(path + ".missing"));
  EXPECT_EQ(untouched.Raw(), TSimMemory().Raw());
}

TEST(SimMemory, WritesPersistAndAFileOfAnotherModelIsReplacedUnlessTheFileDecides) {
  TempDir dir;
  TSimConfig config;
  config.modelCode = 39;
  config.memoryFile = (dir / "sim.mem").string();
  {
    TSimTransmitter tx(config);
    TSimLine line(tx);
    ASSERT_TRUE(Exchange(line, {'D', 3, 0x00, 0x80, 'A', 'B', 'C'}).data.has_value());
  }
  TSimTransmitter again(config);
  EXPECT_EQ(again.ReadMemory(0x080, 3), (TBytes{'A', 'B', 'C'}));
  EXPECT_NE(again.StartNote().find("loaded"), std::string::npos);

  config.modelCode = 48;
  EXPECT_EQ(TSimTransmitter(config).ModelCode(), 48);
  EXPECT_EQ(TSimTransmitter(config).Memory().ModelCode(), 48);
  config.modelFromMemory = true;
  const TSimTransmitter fromFile(config);
  EXPECT_EQ(fromFile.ModelCode(), 39);
  EXPECT_EQ(fromFile.ReadMemory(0x080, 3), (TBytes{'A', 'B', 'C'}));
}

}  // namespace
}  // namespace vorta::sim::test
