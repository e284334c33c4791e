// Conversion between the transmitter record and the parameter set: model groups, mode bytes, filter time
// steps, texts, characteristic kinds, checksum and the refusals of the encoder.
#include "app/record_conversion.h"

#include <functional>

#include "comm/record_layout.h"
#include "sensors/sensor_range.h"
#include "test_support.h"

namespace vorta::app {
namespace {

namespace rec = comm::rec;
constexpr int kDay = 45000;  // 15.03.2023

class RecordConversionTest : public sensors::testing::SensorTest {
 protected:
  // A Pt100 0 .. 100 degrees C, 3-wire, on the given model.
  void Pt100(const std::string& device) {
    Configure(1, 3, 2, 0, 100);
    p().Device = device;
    p().P.Siec = 50;
    p().P.Jednostki = 8;
  }
  TResult Encode(int connected = 0) { return EncodeRecord(p(), table(), ranges(), {connected, kDay}, rec()); }
  void DecodeRecord() { app::DecodeRecord(rec(), p(), ranges()); }
  // The record as the transmitter gives it back: the same bytes with the transmitter's own type number (the
  // model of Device), decoded into a fresh set.
  void Decode() {
    if (p().ModelCode() != 0) rec().SetWord(rec::kDeviceWord, static_cast<std::uint16_t>(p().ModelCode()));
    p().Clear();
    ranges() = sensors::TSensorRangeTable{};
    DecodeRecord();
  }
};

TEST_F(RecordConversionTest, ModeBytesOfEveryGroupDecodeBackToTheirMode) {
  struct Case {
    std::string device;
    int typ, tryb, lin;
    double lo, hi;
    int burnout, siec, mode;  // mode: the expected mode byte
  };
  const Case cases[] = {
      {"VTX39", 18, 8, 1, -5, 5, 0, 60, 9},   {"VTX39", 17, 9, 1, -20, 20, 0, 60, 10},
      {"VTX60", 18, 10, 1, -5, 5, 0, 60, 13}, {"VTX38", 17, 11, 1, -20, 20, 0, 60, 14},
      {"VTX37", 17, 5, 1, -20, 20, 0, 60, 0}, {"VTX48", 1, 2, 2, 0, 100, 0, 60, 6},
      {"VTX48", 1, 4, 2, 0, 100, 0, 60, 5},   {"VTX49", 10, 6, 2, 0, 500, 0, 60, 1},
      {"VTX49", 10, 7, 2, 0, 500, 0, 60, 2},  {"VTX47", 16, 5, 1, 0, 100, 0, 60, 8},
      {"VTX97", 18, 5, 1, 0, 100, 0, 60, 1},  {"VTX90", 18, 5, 1, 0, 10, 0, 60, 1},
      {"VTX47", 1, 3, 2, 0, 100, 2, 50, 84},   // burnout lock and 50 Hz
      {"VTX39", 18, 8, 1, -5, 5, 1, 60, 137},  // burnout above 20 mA
  };
  for (const Case& c : cases) {
    Configure(c.typ, c.tryb, c.lin, c.lo, c.hi);
    p().Device = c.device;
    p().P.Siec = c.siec;
    p().P.Burnout = c.burnout;
    ranges() = sensors::TSensorRangeTable{};
    ranges().SetModelRanges(p().ModelCode());
    ASSERT_TRUE(Encode().ok) << c.device << " " << c.tryb;
    EXPECT_EQ(rec()[rec::kModeByte], c.mode) << c.device << " Tryb " << c.tryb;
    EXPECT_EQ(rec()[rec::kModeByte + 1], c.mode) << c.device << " Tryb " << c.tryb;
    Decode();
    EXPECT_EQ(p().Code.Tryb, c.tryb) << c.device;
    EXPECT_EQ(p().P.Siec, c.siec) << c.device;
    EXPECT_EQ(p().P.Burnout, c.burnout) << c.device;
  }
  for (const auto& [model, tryb] : {std::pair{39, 9}, {47, 1}, {97, 5}}) {  // 11: difference in group A
    rec()[rec::kModeByte] = 0x0B;
    rec().SetWord(rec::kDeviceWord, static_cast<std::uint16_t>(model));
    rec()[rec::kTyp] = 18;
    DecodeRecord();
    EXPECT_EQ(p().Code.Tryb, tryb) << model;
  }
}

TEST_F(RecordConversionTest, OtherModelsAreWrittenWithModeZeroAndDeviceWithTwoDigits) {
  Pt100("VTX7");  // not "VTX" and two digits: model code 0
  p().Code.Tryb = 2;
  ASSERT_TRUE(Encode(48).ok);
  EXPECT_EQ(rec()[rec::kModeByte] & 0x2F, 0);
  p().Device.clear();  // an empty Device takes the connected transmitter's model
  ASSERT_TRUE(Encode(48).ok);
  EXPECT_EQ(rec()[rec::kModeByte] & 0x0F, 6);
  rec().SetWord(rec::kDeviceWord, 7);
  DecodeRecord();
  EXPECT_EQ(p().Device, "VTX07");
  EXPECT_EQ(p().ModelCode(), 7);
  rec().SetWord(rec::kDeviceWord, 1297);
  DecodeRecord();
  EXPECT_EQ(p().Device, "VTX97");
}

TEST_F(RecordConversionTest, FilterTimeSurvivesWriteAndReadOnEveryModel) {
  for (const char* device :
       {"VTX37", "VTX38", "VTX39", "VTX47", "VTX48", "VTX49", "VTX60", "VTX90", "VTX97"}) {
    for (int count = 0; count <= 250; count += 5) {
      Pt100(device);
      p().P.FiltrCzas = FiltrCzasFromCount(count, p().TimeStep());
      const std::int32_t written = p().P.FiltrCzas;
      for (int cycle = 0; cycle < 3; ++cycle) {
        ASSERT_TRUE(Encode().ok) << device << " " << count;
        EXPECT_NEAR(rec()[rec::kFilterCount], count, 1) << device;  // tenths of a second hold no finer
        Decode();
        EXPECT_EQ(p().P.FiltrCzas, written) << device << " count " << count << " cycle " << cycle;
      }
    }
  }
}

TEST_F(RecordConversionTest, EveryCountReadIsWrittenBackExactlyUntilTheTimeConstantIsChanged) {
  // 245 counts of 0.09 s are 22.05 s, shown as 22.0 s: the count, not the tenths, goes back.
  for (const char* device : {"VTX39", "VTX97", "VTX47"}) {
    for (int count = 0; count <= 255; ++count) {
      p().Clear();
      Pt100(device);
      ASSERT_TRUE(Encode().ok);
      rec()[rec::kFilterCount] = static_cast<std::uint8_t>(count);
      Decode();
      ASSERT_TRUE(Encode().ok);
      EXPECT_EQ(rec()[rec::kFilterCount], count) << device;
    }
  }
  p().Clear();
  Pt100("VTX39");
  ASSERT_TRUE(Encode().ok);
  rec()[rec::kFilterCount] = 245;
  Decode();
  p().P.FiltrCzas = 100;  // the user typed 10.0 s: 111 counts of 0.09 s
  ASSERT_TRUE(Encode().ok);
  EXPECT_EQ(rec()[rec::kFilterCount], 111);
}

TEST_F(RecordConversionTest, RefusedEncodingNamesTheReasonAndKeepsRecordAndSet) {
  struct Case {
    const char* what;
    std::function<void()> setUp;
    int connected;
    std::string key;
  };
  const Case cases[] = {
      {"250 counts of 0.2 s, 625 of model 97's 0.08 s", [&] { p().P.FiltrCzas = 500; }, 97, "Time constant"},
      {"negative time constant", [&] { p().P.FiltrCzas = -1; }, 97, "Time constant"},
      {"filtration range", [&] { p().P.FiltrZakres = 300; }, 97, "Filtration range"},
      {"threshold", [&] { p().P.FiltrLimit = 256; }, 97, "Spurious error threshold"},
      {"units", [&] { p().P.Jednostki = 16; }, 97, "Eng. units"},
      {"table needed, none loaded", [&] { Configure(16, 5, 2, 0, 100); }, 0, "No data available"},
      {"no signal span", [&] { Configure(19, 5, 1, 3, 3); }, 0, "Input range too small!"},
      {"the falling start of type B", [&] { Configure(6, 7, 2, 0, 40); }, 48, "Input range too small!"},
      {"11.7 Ohm below 12 Ohm", [&] { Configure(1, 3, 2, 0, 30); }, 0, "Input range too small!"},
      {"offsets beyond the float format",
       [&] {
         Configure(16, 5, 8, 0, 1e-5);
         SetTable({{0, 0}, {1e-5, 100}});
         p().TableLoaded = true;
         p().LinCoef = {0, 1e-7, 1e30, 0, 0, 0, 0, 0, 0, 0, 100};
       },
       0, "Transfer function"},
      {"coefficient beyond the float format",
       [&] {
         Configure(16, 5, 4, 0, 100);
         p().LinCoef = {0, 1, 0, 0, 0, 0, 0, 1e39, 0, 0, 100};
       },
       0, "Out of range!"},
      {"input span beyond the float format", [&] { Configure(1, 3, 2, 0, 1e39); }, 0, "Out of range!"},
  };
  rec().b.fill(0x5A);
  const comm::TDeviceRecord before = rec();
  for (const Case& c : cases) {
    p().Clear();
    SetTable({});
    Pt100("");
    c.setUp();
    p().P.ResultLow = p().P.ResultHigh = -7;
    const TResult r = Encode(c.connected);
    EXPECT_FALSE(r.ok) << c.what;
    EXPECT_EQ(r.key, c.key) << c.what;
    EXPECT_EQ(rec(), before) << c.what;
    EXPECT_EQ(p().P.ResultLow + p().P.ResultHigh, -14) << c.what;
  }
}

TEST_F(RecordConversionTest, TextsAreSingleByteAndPaddedInTheRecordAndUtf8InTheSet) {
  Pt100("VTX48");
  p().kod = "TAG01";
  p().ogolne = "free text";
  ASSERT_TRUE(Encode().ok);
  for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(rec()[rec::kKod + i], i < 5 ? "TAG01"[i] : 255) << i;
  for (std::size_t i = 9; i < 64; ++i) EXPECT_EQ(rec()[rec::kOgolne + i], 255) << i;
  Decode();
  EXPECT_EQ(p().kod, "TAG01");
  EXPECT_EQ(p().ogolne, "free text");
  p().kod = "Z\xC3\xBCrich \xE2\x82\xAC\xC3\xBF";  // "Zürich €ÿ": the euro sign and y-diaeresis do not fit
  p().ogolne = std::string(70, 'x') + "\xC3\xA9";
  EncodeTexts(p(), rec());
  const std::uint8_t want[] = {'Z', 0xFC, 'r', 'i', 'c', 'h', ' ', '?', '?', 255};
  for (std::size_t i = 0; i < sizeof want; ++i) EXPECT_EQ(rec()[rec::kKod + i], want[i]) << i;
  EXPECT_EQ(rec()[rec::kOgolne + 63], 'x');  // cut to 64 bytes
  rec()[rec::kOgolne] = '\n';
  rec()[rec::kOgolne + 1] = 0;
  Decode();
  EXPECT_EQ(p().kod, "Z\xC3\xBCrich ??");
  EXPECT_EQ(p().ogolne.substr(0, 3), "  x");  // control bytes read as blanks
  EXPECT_EQ(TextToRecordBytes("\xFF\x80z", 5), "??z");
}

TEST_F(RecordConversionTest, KindAreaIsDefinedForEveryLin) {
  for (int lin : {0, 1, 2, 4, 8}) {
    Configure(16, 5, lin, 0, 100);
    p().Device = "VTX47";
    p().LinCoef = {-10, 1.6, 0, 0, 0, 0, 0, 0, 0, 0, 100};
    SetTable({{0, -10}, {100, 150}});
    p().TableLoaded = lin == 2 || lin == 8;
    rec().b.fill(0x5A);
    ASSERT_TRUE(Encode().ok) << lin;
    const int kind = lin == 0 ? 255 : lin <= 2 ? 1 : lin == 4 ? 2 : 3;
    for (std::size_t i = rec::kKind; i < rec::kKind + 64; ++i) {
      if (lin >= 4 && i >= rec::kCoefficients && i < rec::kCoefficients + 44) continue;
      EXPECT_EQ(rec()[i], i < rec::kKind + 3 ? kind : 255) << "Lin " << lin << " byte " << i;
    }
    EXPECT_EQ(rec()[rec::kKind + 64], 0x5A) << lin;
  }
  // A linear conversion restores its coefficients and the user range.
  Configure(16, 5, 4, 0, 100);
  ASSERT_TRUE(Encode().ok);
  Decode();
  EXPECT_EQ(p().Code.Lin, 4);
  EXPECT_DOUBLE_EQ(p().LinCoef[0], -10.0);
  EXPECT_NEAR(p().LinCoef[1], 1.6, 1e-6);
  EXPECT_EQ(ranges()[15], (sensors::TRangeRow{0, 1000}));
  EXPECT_NEAR(p().P.MaxInput, 100, 1e-5);
}

TEST_F(RecordConversionTest, TableKindHoldsTheBareFileNameWithinTheKindArea) {
  Configure(5, 3, 2, 0, 100);
  p().Device = "VTX47";
  SetTable({{0, 100}, {50, 119.4}, {100, 138.5}});
  p().TableLoaded = true;
  p().File = "/data/tables/pt_r\xC3\xA9sist.dat";
  rec().b.fill(0x5A);
  ASSERT_TRUE(Encode().ok);
  EXPECT_EQ(rec()[rec::kKind + 3], 'p');
  EXPECT_EQ(rec()[rec::kKind + 7], 0xE9);
  EXPECT_EQ(rec()[rec::kKind + 63], 255);
  EXPECT_EQ(rec()[rec::kKind + 64], 0x5A);  // nothing written past the area
  EXPECT_EQ(rec()[rec::kKind + 66], 0x5A);
  Decode();
  EXPECT_EQ(p().File, "pt_r\xC3\xA9sist.dat");
  p().File = "/d/" + std::string(61, 'n');
  p().TableLoaded = true;
  ASSERT_TRUE(Encode().ok);
  EXPECT_EQ(rec()[rec::kKind + 3], 255);  // a name longer than 60 is not written
}

TEST_F(RecordConversionTest, DecodedKindsSetOrClearFileAndCoefficients) {
  p().File = "keep.dat";
  p().LinCoef[2] = 5;
  for (std::size_t i = 0; i < 3; ++i) rec()[rec::kKind + i] = 3;
  for (std::size_t i = 0; i < 11; ++i) rec().SetFloat(rec::kCoefficients + 4 * i, 2.0);
  DecodeRecord();
  EXPECT_TRUE(p().File.empty());  // power series: no file
  EXPECT_EQ(p().LinCoef[2], 2.0);
  for (std::size_t i = 0; i < 3; ++i) rec()[rec::kKind + i] = 7;
  DecodeRecord();
  EXPECT_EQ(p().LinCoef[2], 0.0);
  for (std::size_t i = 0; i < 3; ++i) rec()[rec::kKind + i] = 1;
  for (std::size_t i = rec::kKind + 3; i < rec::kKind + 64; ++i) rec()[i] = 'a';
  DecodeRecord();
  EXPECT_EQ(p().File, std::string(61, 'a'));  // at most 61 bytes
}

TEST_F(RecordConversionTest, CurrentAndVoltageRangesComeFromTheRecordBeforeNormalisation) {
  rec().SetWord(rec::kDeviceWord, 97);
  rec()[rec::kTyp] = 17;
  rec()[rec::kLin] = 1;
  rec().SetFloat(rec::kMinInput, 500);
  rec().SetFloat(rec::kInputSpan, 300);
  const std::uint8_t words[] = {0, 0, 0x10, 0x27, 0, 0, 0xC4, 0x09};  // 0, 10000, 0, 2500, low byte first
  std::copy(std::begin(words), std::end(words), rec().b.begin() + rec::kInputRanges);
  DecodeRecord();
  EXPECT_EQ(ranges()[17].hi, 10000);
  EXPECT_EQ(p().P.MinInput, 500);
  EXPECT_EQ(p().P.MaxInput, 800);
  for (std::size_t i = 0; i < 8; ++i) rec()[rec::kInputRanges + i] = 0;
  rec().SetWord(rec::kDeviceWord, 60);
  DecodeRecord();  // all zero: the model's own ranges, then the range falls back to row 17
  EXPECT_EQ(ranges()[17].hi, 0);
  EXPECT_EQ(ranges()[18].lo, -100);
  EXPECT_EQ(p().P.MinInput, 0);
  rec()[rec::kTyp] = 99;  // normalisation runs before the texts are read
  rec()[rec::kLin] = 3;
  rec()[rec::kKod] = 'A';
  DecodeRecord();
  EXPECT_EQ(p().Code.Typ, 20);
  EXPECT_EQ(p().Code.Lin, 0);
  EXPECT_EQ(p().kod.substr(0, 1), "A");
}

TEST_F(RecordConversionTest, DatesSerialAndVersionAreDecoded) {
  rec().SetWord(rec::kCalDate, 0);
  rec().SetWord(rec::kConfigDate, kDay);
  const std::uint8_t bytes[] = {255, 1, 0, 2};  // calibration temperature, serial 65538
  std::copy(std::begin(bytes), std::end(bytes), rec().b.begin() + rec::kCalTemp);
  const std::uint8_t version[] = {'V', '1', 1, 255};
  std::copy(std::begin(version), std::end(version), rec().b.begin() + rec::kCodeVersion);
  DecodeRecord();
  EXPECT_EQ(p().CalDate, "never");
  EXPECT_EQ(p().data, "15.03.2023");
  EXPECT_DOUBLE_EQ(p().CalTemp, 31.9375);
  EXPECT_EQ(p().serial, "65538");
  EXPECT_EQ(p().CodeVersion, "V1 ");
  EXPECT_EQ(DayNumberText(1), "31.12.1899");
  EXPECT_EQ(DayNumberText(36526), "01.01.2000");
  EXPECT_GT(TodayDayNumber(), 45000);
}

TEST_F(RecordConversionTest, EncoderWritesTheFixedBytesFloatsDateAndChecksum) {
  Pt100("VTX48");
  p().P.RoomT = 21.5;
  p().P.ZeroReg = 0.25;
  p().P.GainReg = -0.5;
  p().P.FiltrZakres = 120;
  p().P.FiltrLimit = 30;
  rec().b.fill(0x5A);
  ASSERT_TRUE(Encode().ok);
  const std::uint8_t config[] = {0x31, 0x55, 68, 68, 0, 120, 30, 8};  // 3-wire 4, + 64 for 50 Hz
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(rec()[i], config[i]) << i;
  EXPECT_EQ(rec().GetWord(rec::kConfigDate), kDay);
  EXPECT_EQ(rec()[rec::kTyp], 1);
  EXPECT_EQ(rec()[rec::kLin], 2);
  EXPECT_EQ(rec().GetFloat(rec::kMinInput), 0.0);
  EXPECT_NEAR(rec().GetFloat(rec::kInputSpan), 100.0, 1e-5);
  EXPECT_NEAR(rec().GetFloat(rec::kRoomT), 21.5, 1e-5);
  EXPECT_NEAR(rec().GetFloat(rec::kGainReg), -0.5, 1e-6);
  unsigned sum = rec()[rec::kChecksum];
  for (std::size_t i = 0; i < 8; ++i) sum += rec()[i];
  for (std::size_t i = 68; i < 1712; ++i) sum += rec()[i];
  EXPECT_EQ(sum % 256, 255u);
  EXPECT_EQ(rec()[rec::kChecksum - 1], 0x5A);
  EXPECT_NEAR(p().P.ResultLow, 100.00272, 1e-4);  // the signal bounds written
  EXPECT_NEAR(p().P.ResultHigh, 138.497, 1e-3);
  Decode();
  EXPECT_EQ(p().P.FiltrZakres, 120);
  EXPECT_EQ(p().P.FiltrLimit, 30);
  EXPECT_EQ(p().P.Jednostki, 8);
  EXPECT_NEAR(p().P.ZeroReg, 0.25, 1e-6);
  EXPECT_NEAR(p().P.ResultLow, 100.00272, 1e-4);
  EXPECT_NEAR(p().P.ResultHigh, 138.497, 1e-3);
}

}  // namespace
}  // namespace vorta::app
