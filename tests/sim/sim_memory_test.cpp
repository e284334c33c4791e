// Memory map, default contents per model, checksums and the memory file of the simulator.
#include "sim/sim_memory.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/sim/host_frames.h"

namespace vorta::sim::test {
namespace {

namespace fs = std::filesystem;

std::string TempFile(const char* name) {
  return (fs::temp_directory_path() / (std::string(name) + "-" + std::to_string(getpid()))).string();
}

TEST(SimMemory, DefaultsCarryModelTypeNumberAndRanges) {
  for (const TSimModel& model : SimModels()) {
    const TSimMemory m = DefaultMemory(model);
    EXPECT_EQ(m.ModelCode(), model.code);
    EXPECT_TRUE(m.ChecksumsGood()) << model.code;
    const auto low = [&](unsigned a) { return static_cast<std::int16_t>(m.Byte(a) | m.Byte(a + 1) << 8); };
    EXPECT_EQ(low(mem::kInputRanges), model.currentRange[0]);
    EXPECT_EQ(low(mem::kInputRanges + 2), model.currentRange[1]);
    EXPECT_EQ(low(mem::kInputRanges + 4), model.voltageRange[0]);
    EXPECT_EQ(low(mem::kInputRanges + 6), model.voltageRange[1]);
    EXPECT_EQ(m.Byte(mem::kModeComplement), static_cast<std::uint8_t>(~m.Byte(mem::kModeByte)));
  }
}

TEST(SimMemory, TypeIndexFollowsModelCodeTable) {
  const int order[] = {47, 48, 49, 37, 38, 39, 60, 90, 97};
  for (int index = 0; index < 9; ++index) {
    TSimConfig config;
    config.modelCode = order[index];
    TSimTransmitter tx(config);
    TSimLine line(tx);
    const TExchange x = Exchange(line, {'m', 0x20});
    ASSERT_TRUE(x.data.has_value());
    EXPECT_EQ((*x.data)[9] & 0x0F, index) << order[index];
  }
}

TEST(SimMemory, UnknownModelFallsBackTo47) {
  TSimConfig config;
  config.modelCode = 12;
  EXPECT_EQ(TSimTransmitter(config).ModelCode(), 47);
}

TEST(SimMemory, FactoryFieldsSitWhereTheMapSays) {
  const TSimMemory m = DefaultMemory(*FindSimModel(97));
  EXPECT_EQ(m.Word(mem::kCalDate), 45366u);  // 15.03.2024
  EXPECT_EQ(m.Byte(mem::kCalTemperature) / 16.0 + 16.0, 23.0);
  EXPECT_EQ(m.Byte(mem::kSerial) << 16 | m.Word(mem::kSerial + 1), 97001u);
  EXPECT_EQ(m.Byte(mem::kSensorType), 16);
  EXPECT_EQ(m.Byte(mem::kUnitIndex), 2);
  EXPECT_EQ(m.Float(mem::kSignalStep), 0.5);
  EXPECT_EQ(m.Byte(mem::kTag), 0xFF);
}

TEST(SimMemory, OnlyConfigurationAndDataAreasAreHostWritable) {
  EXPECT_TRUE(TSimMemory::HostWritable(0x000));
  EXPECT_TRUE(TSimMemory::HostWritable(0x0FF));
  EXPECT_FALSE(TSimMemory::HostWritable(0x100));
  EXPECT_FALSE(TSimMemory::HostWritable(0x3FF));
  EXPECT_TRUE(TSimMemory::HostWritable(0x400));
  EXPECT_TRUE(TSimMemory::HostWritable(0xABF));
  EXPECT_FALSE(TSimMemory::HostWritable(0xAC0));
  EXPECT_FALSE(TSimMemory::HostWritable(mem::kFirmware));
}

TEST(SimMemory, ChangedByteBreaksItsChecksum) {
  for (unsigned a : {0x010u, 0x05Fu, 0x06Bu, 0x43Eu, 0x440u, 0xABBu}) {
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

TEST(SimMemory, FileRoundTripAndRejectsForeignFiles) {
  const std::string path = TempFile("vorta-sim-mem");
  TSimMemory m = DefaultMemory(*FindSimModel(38));
  m.SetByte(0x080, 'X');
  ASSERT_TRUE(m.Save(path));
  EXPECT_FALSE(fs::exists(path + ".tmp"));
  TSimMemory back;
  ASSERT_TRUE(back.Load(path));
  EXPECT_EQ(back.Raw(), m.Raw());

  std::ofstream(path, std::ios::trunc) << "not a memory file";
  TSimMemory untouched;
  std::string why;
  EXPECT_FALSE(untouched.Load(path, &why));
  EXPECT_FALSE(why.empty());
  EXPECT_EQ(untouched.Raw(), TSimMemory().Raw());
  fs::resize_file(path, 0);
  EXPECT_FALSE(untouched.Load(path));
  EXPECT_FALSE(untouched.Load(path + ".missing"));
  fs::remove(path);
}

TEST(SimMemory, WritesPersistBetweenRuns) {
  const std::string path = TempFile("vorta-sim-persist");
  fs::remove(path);
  TSimConfig config;
  config.modelCode = 39;
  config.memoryFile = path;
  {
    TSimTransmitter tx(config);
    TSimLine line(tx);
    ASSERT_TRUE(Exchange(line, {'D', 3, 0x00, 0x80, 'A', 'B', 'C'}).data.has_value());
  }
  TSimTransmitter again(config);
  EXPECT_EQ(again.ReadMemory(0x080, 3), (TBytes{'A', 'B', 'C'}));
  EXPECT_NE(again.StartNote().find("loaded"), std::string::npos);
  fs::remove(path);
}

TEST(SimMemory, FileOfAnotherModelIsReplacedUnlessTheFileDecides) {
  const std::string path = TempFile("vorta-sim-model");
  DefaultMemory(*FindSimModel(90)).Save(path);
  TSimConfig config;
  config.modelCode = 48;
  config.memoryFile = path;
  EXPECT_EQ(TSimTransmitter(config).ModelCode(), 48);
  EXPECT_EQ(TSimTransmitter(config).Memory().ModelCode(), 48);
  config.modelFromMemory = true;
  EXPECT_EQ(TSimTransmitter(config).ModelCode(), 90);
  fs::remove(path);
}

}  // namespace
}  // namespace vorta::sim::test
