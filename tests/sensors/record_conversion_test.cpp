// Conversion between the transmitter record and the parameter set: model groups, mode bytes,
// filter time steps, texts, characteristic kinds, checksum and the refusals of the encoder.
#include "app/record_conversion.h"

#include "sensors/sensor_range.h"
#include "test_support.h"

namespace vorta::app {
namespace {

using sensors::TCharStatus;
using sensors::testing::SensorTest;

constexpr int kDay = 45000;  // 15.03.2023

class RecordTest : public SensorTest {
 protected:
  comm::TDeviceRecord& rec() { return comm::DeviceRecord(); }
  // A Pt100 0 .. 100 degrees C, 3-wire, on the given model.
  void Pt100(const std::string& device) {
    Configure(1, 3, 2, 0, 100);
    p().Device = device;
    p().P.Siec = 50;
    p().P.Jednostki = 8;
  }
  sensors::TCharResult Encode(int connected = 0) { return EncodeRecord({connected, kDay}); }
  // The record as the transmitter gives it back: the same bytes with the transmitter's own type
  // number (the model of Device), decoded into a fresh set.
  void Decode() {
    if (p().ModelCode() != 0) rec().SetWord(16, static_cast<std::uint16_t>(p().ModelCode()));
    p().Clear();
    sensors::ResetSensorRangeTable();
    DecodeRecord();
  }
};

TEST_F(RecordTest, ModeByteElevenIsDifferenceInGroupAAndUnknownInGroupB) {
  rec()[2] = 0x0B;
  rec().SetWord(16, 39);
  rec()[2030] = 18;
  DecodeRecord();
  EXPECT_EQ(p().Code.Tryb, 9);
  rec().SetWord(16, 47);
  DecodeRecord();
  EXPECT_EQ(p().Code.Tryb, 1);
  rec().SetWord(16, 97);
  DecodeRecord();
  EXPECT_EQ(p().Code.Tryb, 5);
}

TEST_F(RecordTest, BurnoutLockAndFiftyHertzOnGroupBGiveModeByte84) {
  Pt100("VTX47");
  p().P.Burnout = 2;
  ASSERT_EQ(Encode().status, TCharStatus::kOk);
  EXPECT_EQ(rec()[2], 84);
  EXPECT_EQ(rec()[3], 84);
  Decode();
  EXPECT_EQ(p().Code.Tryb, 3);
  EXPECT_EQ(p().P.Siec, 50);
  EXPECT_EQ(p().P.Burnout, 2);
}

TEST_F(RecordTest, ModeBytesOfEveryGroupDecodeBackToTheirMode) {
  struct Case {
    std::string device;
    int typ, tryb, lin;
    double lo, hi;
    int mode;  // expected mode byte without the mains bit
  };
  const Case cases[] = {
      {"VTX39", 18, 8, 1, -5, 5, 9},     {"VTX39", 17, 9, 1, -20, 20, 10}, {"VTX60", 18, 10, 1, -5, 5, 13},
      {"VTX38", 17, 11, 1, -20, 20, 14}, {"VTX37", 17, 5, 1, -20, 20, 0},  {"VTX48", 1, 2, 2, 0, 100, 6},
      {"VTX48", 1, 4, 2, 0, 100, 5},     {"VTX49", 10, 6, 2, 0, 500, 1},   {"VTX49", 10, 7, 2, 0, 500, 2},
      {"VTX47", 16, 5, 1, 0, 100, 8},    {"VTX97", 18, 5, 1, 0, 100, 1},   {"VTX90", 18, 5, 1, 0, 10, 1},
  };
  for (const Case& c : cases) {
    Configure(c.typ, c.tryb, c.lin, c.lo, c.hi);
    p().Device = c.device;
    p().P.Siec = 60;
    sensors::ResetSensorRangeTable();
    sensors::SetModelRanges(p().ModelCode());
    ASSERT_EQ(Encode().status, TCharStatus::kOk) << c.device << " " << c.tryb;
    EXPECT_EQ(rec()[2], c.mode) << c.device << " Tryb " << c.tryb;
    Decode();
    EXPECT_EQ(p().Code.Tryb, c.tryb) << c.device;
    EXPECT_EQ(p().P.Siec, 60);
  }
}

TEST_F(RecordTest, OtherModelsAreWrittenWithModeZero) {
  Pt100("VTX7");  // not "VTX" and two digits: model code 0
  p().Code.Tryb = 2;
  ASSERT_EQ(Encode(48).status, TCharStatus::kOk);
  EXPECT_EQ(rec()[2] & 0x2F, 0);
  p().Device.clear();  // an empty Device takes the connected transmitter's model
  ASSERT_EQ(Encode(48).status, TCharStatus::kOk);
  EXPECT_EQ(rec()[2] & 0x0F, 6);
}

TEST_F(RecordTest, DeviceIsWrittenWithTwoDigits) {
  rec().SetWord(16, 7);
  DecodeRecord();
  EXPECT_EQ(p().Device, "VTX07");
  EXPECT_EQ(p().ModelCode(), 7);
  rec().SetWord(16, 1297);
  DecodeRecord();
  EXPECT_EQ(p().Device, "VTX97");
}

TEST_F(RecordTest, FilterTimeSurvivesWriteAndReadOnEveryModel) {
  for (const char* device :
       {"VTX37", "VTX38", "VTX39", "VTX47", "VTX48", "VTX49", "VTX60", "VTX90", "VTX97"}) {
    Pt100(device);
    const double step = p().TimeStep();
    for (int count = 0; count <= 250; count += 5) {
      Pt100(device);
      p().P.FiltrCzas = FiltrCzasFromCount(count, step);
      const std::int32_t written = p().P.FiltrCzas;
      for (int cycle = 0; cycle < 3; ++cycle) {
        ASSERT_EQ(Encode().status, TCharStatus::kOk) << device << " " << count;
        EXPECT_EQ(FiltrCzasFromCount(rec()[4], step), written) << device;
        Decode();
        EXPECT_EQ(p().P.FiltrCzas, written) << device << " count " << count << " cycle " << cycle;
      }
    }
  }
}

TEST_F(RecordTest, CountBeyondTheByteIsRefusedAndTheRecordKept) {
  Pt100("");
  p().P.FiltrCzas = 500;  // 250 counts of 0.2 s, 625 of the connected model 97's 0.08 s
  rec().b.fill(0x5A);
  const comm::TDeviceRecord before = rec();
  const auto r = Encode(97);
  EXPECT_EQ(r.status, TCharStatus::kInvalid);
  EXPECT_EQ(r.reason, "Time constant");
  EXPECT_EQ(rec(), before);
  p().P.FiltrCzas = -1;
  EXPECT_EQ(Encode(97).status, TCharStatus::kInvalid);
  p().P.FiltrCzas = 0;
  p().P.FiltrZakres = 300;
  EXPECT_EQ(Encode(97).reason, "Filtration range");
  p().P.FiltrZakres = 0;
  p().P.Jednostki = 16;
  EXPECT_EQ(Encode(97).reason, "Eng. units");
  EXPECT_EQ(rec(), before);
}

TEST_F(RecordTest, MissingCharacteristicOrSpanIsRefusedInsteadOfWritingGarbage) {
  rec().b.fill(0x5A);
  const comm::TDeviceRecord before = rec();
  Configure(16, 5, 2, 0, 100);  // table needed, none loaded
  EXPECT_EQ(Encode().reason, "No data available");
  Configure(19, 5, 1, 3, 3);
  EXPECT_EQ(Encode().status, TCharStatus::kInvalid);
  Configure(16, 5, 8, 0, 1e-5);
  SetTable({{0, 0}, {1e-5, 100}});
  p().TableLoaded = true;
  p().LinCoef = {0, 1e-7, 1e30, 0, 0, 0, 0, 0, 0, 0, 100};  // offsets beyond the float format
  EXPECT_EQ(Encode().status, TCharStatus::kArithmeticError);
  Configure(16, 5, 4, 0, 100);
  p().LinCoef = {0, 1, 0, 0, 0, 0, 0, 1e39, 0, 0, 100};
  EXPECT_EQ(Encode().status, TCharStatus::kInvalid);  // a coefficient the float format cannot hold
  Configure(1, 3, 2, 0, 1e39);
  EXPECT_EQ(Encode().status, TCharStatus::kInvalid);
  EXPECT_EQ(rec(), before);
}

TEST_F(RecordTest, RangeIsCheckedAgainBeforeEncoding) {
  rec().b.fill(0x5A);
  const comm::TDeviceRecord before = rec();
  Configure(6, 7, 2, 0, 40);  // 0.0 mV: the falling start of type B, no usable span
  p().Device = "VTX48";
  EXPECT_EQ(Encode().reason, "Input range too small!");
  Configure(1, 3, 2, 0, 30);  // 11.7 Ohm below the 12 Ohm of a resistance thermometer
  EXPECT_EQ(Encode().reason, "Input range too small!");
  EXPECT_EQ(rec(), before);
}

TEST_F(RecordTest, FiveCharacterTagIsPaddedWithFillerAndReadBack) {
  Pt100("VTX48");
  p().kod = "TAG01";
  p().ogolne = "free text";
  ASSERT_EQ(Encode().status, TCharStatus::kOk);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(rec()[kKodOffset + i], "TAG01"[i]);
  for (int i = 5; i < 16; ++i) EXPECT_EQ(rec()[kKodOffset + i], 255) << i;
  for (int i = 9; i < 64; ++i) EXPECT_EQ(rec()[kOgolneOffset + i], 255) << i;
  Decode();
  EXPECT_EQ(p().kod, "TAG01");
  EXPECT_EQ(p().ogolne, "free text");
}

TEST_F(RecordTest, TextsAreSingleByteInTheRecordAndUtf8InTheSet) {
  p().kod = "Z\xC3\xBCrich \xE2\x82\xAC\xC3\xBF";  // "Zürich €ÿ": the euro sign and y-diaeresis do not fit
  p().ogolne = std::string(70, 'x') + "\xC3\xA9";
  EncodeTexts();
  const std::uint8_t want[] = {'Z', 0xFC, 'r', 'i', 'c', 'h', ' ', '?', '?'};
  for (std::size_t i = 0; i < sizeof want; ++i) EXPECT_EQ(rec()[kKodOffset + i], want[i]) << i;
  EXPECT_EQ(rec()[kKodOffset + 9], 255);
  EXPECT_EQ(rec()[kOgolneOffset + 63], 'x');  // cut to 64 bytes
  rec()[kOgolneOffset] = '\n';
  rec()[kOgolneOffset + 1] = 0;
  Decode();
  EXPECT_EQ(p().kod, "Z\xC3\xBCrich ??");
  EXPECT_EQ(p().ogolne.substr(0, 3), "  x");  // control bytes read as blanks
  EXPECT_EQ(TextToRecordBytes("\xFF\x80z", 5), "??z");
}

TEST_F(RecordTest, LinearConversionKindRestoresCoefficientsAndUserRange) {
  Configure(16, 5, 4, 0, 100);
  p().Device = "VTX47";
  p().LinCoef = {-10, 1.6, 0, 0, 0, 0, 0, 0, 0, 0, 100};
  rec().b.fill(0x5A);
  ASSERT_EQ(Encode().status, TCharStatus::kOk);
  EXPECT_EQ(rec()[1792], 2);
  EXPECT_EQ(rec()[1793], 2);
  EXPECT_EQ(rec()[1794], 2);
  EXPECT_EQ(rec()[1795], 255);
  for (std::size_t i = 1840; i < 1856; ++i) EXPECT_EQ(rec()[i], 255) << i;
  EXPECT_EQ(rec()[1856], 0x5A);
  Decode();
  EXPECT_EQ(p().Code.Lin, 4);
  EXPECT_DOUBLE_EQ(p().LinCoef[0], -10.0);
  EXPECT_NEAR(p().LinCoef[1], 1.6, 1e-6);
  EXPECT_EQ(sensors::SensorRangeTable()[15].lo, 0);
  EXPECT_EQ(sensors::SensorRangeTable()[15].hi, 1000);
  EXPECT_NEAR(p().P.MaxInput, 100, 1e-5);
}

TEST_F(RecordTest, TableKindHoldsTheBareFileNameWithinTheKindArea) {
  Pt100("VTX47");
  Configure(5, 3, 2, 0, 100);
  SetTable({{0, 100}, {50, 119.4}, {100, 138.5}});
  p().TableLoaded = true;
  p().File = "/data/tables/pt_r\xC3\xA9sist.dat";
  rec().b.fill(0x5A);
  ASSERT_EQ(Encode().status, TCharStatus::kOk);
  EXPECT_EQ(rec()[1792] + rec()[1793] + rec()[1794], 3);
  EXPECT_EQ(rec()[1795], 'p');
  EXPECT_EQ(rec()[1795 + 4], 0xE9);
  EXPECT_EQ(rec()[1855], 255);
  EXPECT_EQ(rec()[1856], 0x5A);  // nothing written past the area
  EXPECT_EQ(rec()[1858], 0x5A);
  Decode();
  EXPECT_EQ(p().File, "pt_r\xC3\xA9sist.dat");
  p().File = "/d/" + std::string(61, 'n');
  p().TableLoaded = true;
  ASSERT_EQ(Encode().status, TCharStatus::kOk);
  EXPECT_EQ(rec()[1795], 255);  // a name longer than 60 is not written
}

TEST_F(RecordTest, KindAreaIsDefinedForEveryLin) {
  for (int lin : {0, 1, 8}) {
    Configure(16, 5, lin, 0, 100);
    p().Device = "VTX47";
    p().LinCoef = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 100};
    if (lin == 8) {
      SetTable({{0, 0}, {100, 100}});
      p().TableLoaded = true;
    }
    rec().b.fill(0x5A);
    ASSERT_EQ(Encode().status, TCharStatus::kOk) << lin;
    for (std::size_t i = 1792; i < 1856; ++i) {
      if (lin == 8 && i >= 1796 && i < 1840) continue;
      const int want = i < 1795 && lin > 0 ? (lin == 8 ? 3 : 1) : 255;
      EXPECT_EQ(rec()[i], want) << "Lin " << lin << " byte " << i;
    }
    EXPECT_EQ(rec()[1856], 0x5A);
  }
}

TEST_F(RecordTest, DecodedKindsSetOrClearFileAndCoefficients) {
  p().File = "keep.dat";
  p().LinCoef[2] = 5;
  for (std::size_t i = 0; i < 3; ++i) rec()[1792 + i] = 3;
  for (std::size_t i = 0; i < 11; ++i) rec().SetFloat(1796 + 4 * i, 2.0);
  DecodeRecord();
  EXPECT_TRUE(p().File.empty());  // power series: no file
  EXPECT_EQ(p().LinCoef[2], 2.0);
  for (std::size_t i = 0; i < 3; ++i) rec()[1792 + i] = 7;
  DecodeRecord();
  EXPECT_EQ(p().LinCoef[2], 0.0);
  for (std::size_t i = 0; i < 3; ++i) rec()[1792 + i] = 1;
  for (std::size_t i = 1795; i < 1856; ++i) rec()[i] = 'a';
  DecodeRecord();
  EXPECT_EQ(p().File, std::string(61, 'a'));  // at most 61 bytes
}

TEST_F(RecordTest, CurrentAndVoltageRangesComeFromTheRecordBeforeNormalisation) {
  rec().SetWord(16, 97);
  rec()[2030] = 17;
  rec()[2031] = 1;
  rec().SetFloat(88, 500);
  rec().SetFloat(92, 300);
  const std::int16_t ranges[] = {0, 10000, 0, 2500};
  for (std::size_t i = 0; i < 4; ++i) {
    rec()[2032 + 2 * i] = static_cast<std::uint8_t>(ranges[i] & 0xFF);
    rec()[2033 + 2 * i] = static_cast<std::uint8_t>(ranges[i] >> 8);
  }
  DecodeRecord();
  EXPECT_EQ(sensors::SensorRangeTable()[17].hi, 10000);
  EXPECT_EQ(p().P.MinInput, 500);
  EXPECT_EQ(p().P.MaxInput, 800);
  for (std::size_t i = 2032; i < 2040; ++i) rec()[i] = 0;
  rec().SetWord(16, 60);
  DecodeRecord();  // all zero: the model's own ranges, then the range falls back to row 17
  EXPECT_EQ(sensors::SensorRangeTable()[17].hi, 0);
  EXPECT_EQ(sensors::SensorRangeTable()[18].lo, -100);
  EXPECT_EQ(p().P.MinInput, 0);
}

TEST_F(RecordTest, NormalisationRunsBeforeTheTexts) {
  rec()[2030] = 99;
  rec()[2031] = 3;
  rec()[kKodOffset] = 'A';
  DecodeRecord();
  EXPECT_EQ(p().Code.Typ, 20);
  EXPECT_EQ(p().Code.Lin, 0);
  EXPECT_EQ(p().kod.substr(0, 1), "A");
}

TEST_F(RecordTest, DatesSerialAndVersionAreDecoded) {
  rec().SetWord(18, 0);
  rec().SetWord(2028, kDay);
  rec()[20] = 255;
  rec()[21] = 1;
  rec()[22] = 0;
  rec()[23] = 2;
  rec()[2048] = 'V';
  rec()[2049] = '1';
  rec()[2050] = 1;
  rec()[2051] = 255;
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

TEST_F(RecordTest, EncoderWritesTheFixedBytesFloatsDateAndChecksum) {
  Pt100("VTX48");
  p().P.RoomT = 21.5;
  p().P.ZeroReg = 0.25;
  p().P.GainReg = -0.5;
  p().P.FiltrZakres = 120;
  p().P.FiltrLimit = 30;
  rec().b.fill(0x5A);
  ASSERT_EQ(Encode().status, TCharStatus::kOk);
  EXPECT_EQ(rec()[0], 0x31);
  EXPECT_EQ(rec()[1], 0x55);
  EXPECT_EQ(rec()[5], 120);
  EXPECT_EQ(rec()[6], 30);
  EXPECT_EQ(rec()[7], 8);
  EXPECT_EQ(rec().GetWord(2028), kDay);
  EXPECT_EQ(rec()[2030], 1);
  EXPECT_EQ(rec()[2031], 2);
  EXPECT_EQ(rec().GetFloat(88), 0.0);
  EXPECT_NEAR(rec().GetFloat(92), 100.0, 1e-5);
  EXPECT_NEAR(rec().GetFloat(2016), 21.5, 1e-5);
  EXPECT_NEAR(rec().GetFloat(2024), -0.5, 1e-6);
  unsigned sum = rec()[2045];
  for (std::size_t i = 0; i < 8; ++i) sum += rec()[i];
  for (std::size_t i = 68; i < 1712; ++i) sum += rec()[i];
  EXPECT_EQ(sum % 256, 255u);
  EXPECT_EQ(rec()[2044], 0x5A);
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
