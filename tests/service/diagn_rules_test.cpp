// Rules of the diagnostics window: selectors and captions, register, output and status texts,
// the output preset, memory addresses, read replies, write entries and the configuration summary.
#include "service/diagn_rules.h"

#include <gtest/gtest.h>

namespace vorta::service {
namespace {

TEST(DiagnRules, ItemsSelectTheirRegisterAndModelsNameThem) {
  EXPECT_EQ(SelectorOfItem(0), 0x01);
  EXPECT_EQ(SelectorOfItem(4), 0x10);
  EXPECT_EQ(SelectorOfItem(7), 0x80);
  EXPECT_EQ(RegisterCaptions(38)[1], "XInpu");
  EXPECT_EQ(RegisterCaptions(38)[3], "SInpu");
  EXPECT_EQ(RegisterCaptions(97)[1], "Freq");
  EXPECT_EQ(RegisterCaptions(97)[3], "Zcros");
  EXPECT_EQ(RegisterCaptions(47)[2], "TInpu");
  EXPECT_EQ(RegisterCaptions(47)[4], "Meas");
}

TEST(DiagnRules, RegistersOutputAndStatusAreShownAsTheirPanelsWant) {
  EXPECT_EQ(RegisterText(4, 3.14159, "mV"), "   3.14   ");
  EXPECT_EQ(RegisterText(5, -12.5, "mV"), " -12.50mV");
  EXPECT_EQ(RegisterText(6, 0.4567, "mV"), "  45.67 %   ");
  EXPECT_EQ(DiagnOutputText(12.34567), "12.346 mA   ");
  TStatusFlags f;
  EXPECT_EQ(StatusText(f), "");
  f.calMode = f.internalError = f.brokenSensor = f.largeError = true;
  EXPECT_EQ(StatusText(f), "Calibration mode\rInternal error\rLarge error");
  f = {};
  f.brokenSensor = f.outOfRange = f.newAverage = f.independentOutput = f.eepromError = true;
  EXPECT_EQ(StatusText(f), "Independent output\rEEPROM error\rBroken sensor\rOut of range\rNew average\r");
}

TEST(DiagnRules, PresetKeepsWithinThreeAndAHalfToTwentyTwoPointOne) {
  TPresetEntry e = CheckPreset("22.1");
  EXPECT_EQ(e.check, TPresetCheck::kOk);
  EXPECT_EQ(e.text, "22.100");
  EXPECT_EQ(e.word, 44200u);
  e = CheckPreset("22.2");
  EXPECT_EQ(e.check, TPresetCheck::kOutOfRange);
  EXPECT_EQ(e.text, "22.100");
  e = CheckPreset("1e0");
  EXPECT_EQ(e.check, TPresetCheck::kOutOfRange);
  EXPECT_EQ(e.text, "3.500");
  e = CheckPreset("4,25");
  EXPECT_EQ(e.word, 8500u);
  e = CheckPreset("+-");
  EXPECT_EQ(e.check, TPresetCheck::kWrongFormat);
  EXPECT_EQ(e.text, "12.000");
}

TEST(DiagnRules, ReadsAreAlignedToFourBytesAndCheckTheEchoedAddress) {
  TReadAddress a = ReadAddressOf(5, true);
  EXPECT_EQ(a.position, 4);
  EXPECT_EQ(a.address, 0x404u);
  a = ReadAddressOf(2752, false);
  EXPECT_EQ(a.address, 2752u);
  comm::TBuffer reply{};
  reply[0] = 7;
  reply[1] = 's';
  reply[2] = 0x04;
  reply[3] = 0x04;
  reply[4] = 0x00;
  reply[5] = 0x1A;
  reply[6] = 0xFF;
  reply[7] = 0x3C;
  EXPECT_EQ(MemoryReplyText(reply, 0x404), "00 1A FF 3C");
  EXPECT_EQ(MemoryReplyText(reply, 0x408), "");  // another address came back
  reply[0] = 5;
  EXPECT_EQ(MemoryReplyText(reply, 0x404), "");  // too short to hold four bytes
}

TEST(DiagnRules, WriteEntriesSayWhatGoesOut) {
  TMemoryWrite w = MemoryWriteOf("OAE9B0000", true, 0);
  EXPECT_EQ(w.kind, TWriteKind::kSpecial);
  EXPECT_EQ(w.letter, 'O');
  EXPECT_EQ(w.arg, 0xAE9B0000u);
  EXPECT_EQ(MemoryWriteOf("oae9b0000", true, 0).arg, 0xAE9B0000u);
  EXPECT_EQ(MemoryWriteOf("OAE9B000G", true, 0).kind, TWriteKind::kInvalid);
  EXPECT_EQ(MemoryWriteOf("AE9B0000", true, 0).kind, TWriteKind::kInvalid);
  w = MemoryWriteOf("7f", false, 0x20);
  EXPECT_EQ(w.kind, TWriteKind::kByte);
  EXPECT_EQ(w.letter, 'D');
  EXPECT_EQ(w.arg, 0x7F0020u);
  EXPECT_EQ(MemoryWriteOf("7f", false, 0x200).kind, TWriteKind::kNothing);  // not below 0x200
  EXPECT_EQ(MemoryWriteOf("Lxyz", false, 0x20).kind, TWriteKind::kNothing);
  EXPECT_EQ(MemoryWriteOf("7", false, 0x20).kind, TWriteKind::kInvalid);
  EXPECT_EQ(MemoryWriteOf("g0", false, 0x20).kind, TWriteKind::kInvalid);
}

TEST(DiagnRules, SummaryTellsInputRangeCorrectionsFilterAndDates) {
  app::TParamSet p;
  p.Code = {9, 6, 2, 0};  // a thermocouple with a fixed cold junction, linearised
  p.P.RoomT = 21.5;
  p.P.MinInput = 0;
  p.P.MaxInput = 600;
  p.P.Jednostki = 8;
  p.P.ZeroReg = 0.25;
  p.P.GainReg = -1.5;
  p.P.FiltrZakres = 25;
  p.P.FiltrCzas = 40;
  p.CalTemp = 16.0;  // not above 16: unknown
  p.CalDate = "15.03.2024";
  p.data = "01.02.2025";
  p.CodeVersion = "S1.4";
  sensors::TSensorRangeTable ranges;
  docs::TLangList lang;
  lang.BuildEnglish();
  const std::string s = ConfigSummary(p, ranges, lang);
  EXPECT_EQ(s.substr(0, 13), "Thermocouple ");
  EXPECT_NE(s.find(", CJ temp.: 21.5\xC2\xB0"
                   "C, linearization\r"),
            std::string::npos)
      << s;
  EXPECT_NE(s.find("\rZero:  0.25%   Gain:  -1.50%\r"), std::string::npos) << s;
  EXPECT_NE(s.find("\rFilter:  2.5%   4.0s   \r"), std::string::npos) << s;
  EXPECT_NE(s.find("\rCal. temperature: -- \r"), std::string::npos) << s;
  EXPECT_NE(s.find("\rCalibration date: 15.03.2024\rConfig. date:      01.02.2025\rInner code version: S1.4"),
            std::string::npos)
      << s;
  p.CalTemp = 23.0;
  p.Code = {5, 2, 4, 0};  // a resistance, converted
  const std::string r = ConfigSummary(p, ranges, lang);
  EXPECT_EQ(r.substr(0, 10), "Resistance");
  EXPECT_NE(r.find(", converted\r"), std::string::npos) << r;
  EXPECT_NE(r.find("Cal. temperature: 23.00\xC2\xB0"
                   "C\r"),
            std::string::npos)
      << r;
}

}  // namespace
}  // namespace vorta::service
