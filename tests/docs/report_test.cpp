// The 28 report lines for every sensor group, in English and in a made-up language, the free-text
// split, the numbers, invalid table indexes, and the page geometry.
#include "docs/report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorta::docs {
namespace {

const TLangList& English() {
  static const TLangList list = [] {
    TLangList l;
    l.BuildEnglish();
    return l;
  }();
  return list;
}

// A made-up translation of the keys the report uses: a text that skips the list shows up English.
const TLangList& MadeUp() {
  static const TLangList list = [] {
    TLangList l;
    const std::string_view lines =
        "Parameters  of=Parametry  przetwornika\nID Tag=Etykieta\nUser info=Informacje\n"
        "Configuration date=Data konfiguracji\nSerial number=Numer seryjny\nInput=Wejście\nSensor=Czujnik\n"
        "Thermocouple type=Termopara typu\nResistance=Rezystancja\nVoltage=Napięcie\nCurrent=Prąd\n"
        "external CJ=zewnętrzna SO\nlinearization=linearyzacja\nconversion=przeliczenie\n"
        "source file=plik źródłowy\ntable defined=tabela zdefiniowana\nlinear=liniowe\n"
        "power series=szereg potęgowy\nInput range=Zakres wejścia\nto=do\nOutput range=Zakres wyjścia\n"
        "below 4mA=poniżej 4mA\nabove 20mA=powyżej 20mA\nOutput locked=Wyjście zablokowane\n"
        "Internal failure sygnalization=Sygnalizacja awarii\nOutput reaction to sensor burnout=Reakcja\n"
        "Corrections=Korekcje\nZero=Początek\nGain=Wzmocnienie\nFilter settings=Ustawienia filtru\n"
        "Input filter=Filtr wejściowy\nFiltration range=Zakres filtracji\nTime constant=Stała czasowa\n"
        "Spurious error threshold=Próg błędu\nNet filter=Filtr sieciowy\nFrequency=Częstotliwość\n"
        "Printed=Wydrukowano\nPrinting=Drukowanie\n4-wire=4-przewodowe\n2-wire=2-przewodowe\nCJC=KSO";
    for (std::size_t start = 0; start < lines.size();) {
      const std::size_t end = std::min(lines.find('\n', start), lines.size());
      l.AddLine(lines.substr(start, end - start));
      start = end + 1;
    }
    return l;
  }();
  return list;
}

std::vector<std::string> Texts(const TReport& r) {
  std::vector<std::string> out;
  for (const TReportLine& l : r) out.push_back(l.text);
  return out;
}

app::TParamSet Set(int typ, int tryb, int lin) {
  app::TParamSet p;
  p.Code = {static_cast<std::uint8_t>(typ), static_cast<std::uint8_t>(tryb), static_cast<std::uint8_t>(lin),
            0};
  p.P.RoomT = 23.5;
  p.P.Siec = 50;
  p.P.Jednostki = 8;
  return p;
}

TEST(Report, KThermocoupleInEnglishLineByLine) {
  app::TParamSet p = Set(10, 7, 2);
  p.Device = "VTX47";
  p.kod = "TT-101";
  p.ogolne = "Boiler house north1 feedwater outlet-2AB";  // blanks at 7, 13, 20 and 30
  p.data = "12.03.2024";
  p.serial = "123456";
  p.P = {0, 0, -50, 1200.5, 23.5, 0.25, -0.1, 10, 250, 45, 1, 50, 8};
  const TReport r = ComposeReport(p, English(), "05.06.2025");
  EXPECT_EQ(Texts(r), (std::vector<std::string>{"Parameters  of  VTX47",
                                                "",
                                                "ID Tag:  TT-101",
                                                "",
                                                "User info:",
                                                "   Boiler house north1 feedwater ",
                                                "   outlet-2AB",
                                                "Configuration date: 12.03.2024",
                                                "Serial number: 123456",
                                                "",
                                                "Sensor:  Thermocouple type K",
                                                "   CJC, linearization",
                                                "",
                                                "Input range: -50.00 to 1200.50 °C",
                                                "Output range: 4 - 20 mA",
                                                "Output reaction to sensor burnout: above 20mA",
                                                "Corrections:  +0.25% (Zero), -0.10% (Gain)",
                                                "",
                                                "Filter settings:",
                                                "   Input filter:",
                                                "      Filtration range=25.0 %",
                                                "      Time constant=4.5 s",
                                                "      Spurious error threshold=10 %",
                                                "   Net filter:",
                                                "      Frequency=50 Hz",
                                                "",
                                                "",
                                                "Printed: 05.06.2025"}));
  for (int i = 0; i < kReportLineCount; ++i) {
    const TReportLineKind want = i == 0                                    ? TReportLineKind::kTitle
                                 : i == 27                                 ? TReportLineKind::kFooter
                                 : i == 4 || i == 10 || i == 18 || i == 26 ? TReportLineKind::kSection
                                                                           : TReportLineKind::kPlain;
    EXPECT_EQ(r[static_cast<std::size_t>(i)].kind, want) << "line " << i;
  }
}

TEST(Report, MillivoltTableInAMadeUpLanguageLineByLine) {
  app::TParamSet p = Set(16, 5, 2);
  p.Device = "VTX48";  // a model the program does not name
  p.data = "never";
  p.TableLoaded = true;
  p.File = "C:\\Tabele\\MV.DAT";
  p.P = {0, 0, 0, 150, 25, 0, 1.5, 0, 5, 0, 2, 60, 11};
  EXPECT_EQ(Texts(ComposeReport(p, MadeUp(), "05.06.2025")),
            (std::vector<std::string>{"Parametry  przetwornika  ?",
                                      "",
                                      "Etykieta:  ",
                                      "",
                                      "Informacje:",
                                      "",
                                      "",
                                      "Data konfiguracji: never",
                                      "Numer seryjny: ",
                                      "",
                                      "Wejście:  Napięcie",
                                      "   przeliczenie:  tabela zdefiniowana (mv.dat)",
                                      "",
                                      "Zakres wejścia: 0.00 do 150.00 m3/h",
                                      "Zakres wyjścia: 4 - 20 mA",
                                      "Wyjście zablokowane:    I=4mA",
                                      "Korekcje:  0.00% (Początek), +1.50% (Wzmocnienie)",
                                      "",
                                      "Ustawienia filtru:",
                                      "   Filtr wejściowy:",
                                      "      Zakres filtracji=0.5 %",
                                      "      Stała czasowa=0.0 s",
                                      "      Próg błędu=0 %",
                                      "   Filtr sieciowy:",
                                      "      Częstotliwość=60 Hz",
                                      "",
                                      "",
                                      "Wydrukowano: 05.06.2025"}));
  EXPECT_EQ(ReportJobTitle(MadeUp()), "Vorta-Drukowanie");
  EXPECT_EQ(ReportJobTitle(English()), "Vorta-Printing");
}

struct SensorCase {
  bool madeUp;
  int typ, tryb, lin;
  bool loaded;
  const char* file;
  const char *line10, *line11, *line12;
};

TEST(Report, SensorAndModeLinesOfEveryGroup) {
  const SensorCase cases[] = {
      {false, 1, 2, 1, false, "", "Sensor:  Pt100 (0.00385)", "   2-wire", ""},
      {false, 2, 3, 2, false, "", "Sensor:  Pt100 (0.00392)", "   3-wire, linearization", ""},
      {true, 3, 4, 2, false, "", "Czujnik:  Ni100", "   4-przewodowe, linearyzacja", ""},
      {false, 9, 6, 2, false, "", "Sensor:  Thermocouple type J", "   external CJ (23.50°C), linearization",
       ""},
      {true, 6, 6, 1, false, "", "Czujnik:  Termopara typu B", "   zewnętrzna SO (23.50°C)", ""},
      {false, 14, 5, 1, false, "", "Sensor:  Thermocouple type T", "   differential", ""},
      {true, 13, 7, 1, false, "", "Czujnik:  Termopara typu S", "   KSO", ""},
      {false, 15, 5, 1, false, "C:\\Tables\\MY_TC.DAT", "Sensor:  Thermocouple type X",
       "   differential, source file: my_tc.dat", ""},
      {false, 15, 7, 2, true, "/home/u/Boiler.dat", "Sensor:  Thermocouple type X",
       "   CJC, linearization, source file: boiler.dat", ""},
      {false, 15, 7, 2, false, "b.dat", "Sensor:  Thermocouple type X", "   CJC, linearization", ""},
      {false, 5, 3, 1, false, "", "Input:  Resistance", "   3-wire", ""},
      {true, 5, 2, 4, false, "", "Wejście:  Rezystancja", "   2-przewodowe, przeliczenie:  liniowe", ""},
      {false, 16, 5, 2, true, "/data/PT.dat", "Input:  Voltage", "   conversion:  table defined (pt.dat)",
       ""},
      {false, 16, 5, 2, true, "Calibration_curve_22.dat", "Input:  Voltage", "   conversion:  table defined ",
       "   (calibration_curve_22.dat)"},
      {true, 16, 5, 2, true, "żółć_123.dat", "Wejście:  Napięcie",  // 49 characters, 53 bytes
       "   przeliczenie:  tabela zdefiniowana (żółć_123.dat)", ""},
      {true, 16, 5, 2, true, "żółć_1234.dat", "Wejście:  Napięcie", "   przeliczenie:  tabela zdefiniowana ",
       "   (żółć_1234.dat)"},
      {false, 16, 5, 2, false, "pt.dat", "Input:  Voltage", "   conversion:  ", ""},
      {false, 17, 5, 8, false, "", "Input:  Current", "   conversion:  power series", ""},
      {true, 17, 8, 1, false, "", "Wejście:  Prąd", "   ", ""},
      {false, 18, 9, 4, false, "", "Input:  Voltage", "   conversion:  linear", ""},
      {false, 20, 1, 2, false, "", "Input:  ", "   conversion:  ", ""},
      {false, 10, 7, 0, false, "", "Sensor:  Thermocouple type K", "   ", ""},
      {false, 1, 0, 1, false, "", "Sensor:  Pt100 (0.00385)", "   ?", ""},
      {false, 1, 13, 2, false, "", "Sensor:  Pt100 (0.00385)", "   ?, linearization", ""},
      {false, 0, 2, 1, false, "", "Sensor:  ?", "   2-wire", ""},
      {false, 21, 2, 1, false, "", "Sensor:  ?", "   2-wire", ""},
  };
  for (const SensorCase& c : cases) {
    app::TParamSet p = Set(c.typ, c.tryb, c.lin);
    p.TableLoaded = c.loaded;
    p.File = c.file;
    const TReport r = ComposeReport(p, c.madeUp ? MadeUp() : English(), "");
    EXPECT_EQ(r[10].text, c.line10) << c.typ << "/" << c.tryb << "/" << c.lin;
    EXPECT_EQ(r[11].text, c.line11) << c.typ << "/" << c.tryb << "/" << c.lin << " " << c.file;
    EXPECT_EQ(r[12].text, c.line12) << c.typ << "/" << c.tryb << "/" << c.lin << " " << c.file;
  }
}

TEST(Report, FreeTextBreaksAtABlankAndPrintsAllSixtyFourCharacters) {
  const std::string sixtyFour = "Line A of the record text " + std::string(34, 'x') + "WXYZ";
  const struct {
    std::string text, line5, line6;
  } cases[] = {
      {"", "", ""},
      {"short", "   short", "   "},
      {std::string(30, 'a'), "   " + std::string(30, 'a'), "   "},  // shorter than the break
      {std::string(40, 'b'), "   " + std::string(35, 'b'), "   bbbbb"},
      {std::string(25, 'c') + " tail", "   " + std::string(25, 'c') + " ", "   tail"},
      {sixtyFour, "   Line A of the record text ", "   " + std::string(34, 'x') + "WXYZ"},
      {sixtyFour + "beyond", "   Line A of the record text ", "   " + std::string(34, 'x') + "WXYZ"},
      {std::string(20, 'd') + " " + std::string(9, 'e') + " f",
       "   " + std::string(20, 'd') + " " + std::string(9, 'e') + " ", "   f"},
      {[] {
         std::string s;
         for (int i = 0; i < 40; ++i) s += "ż";
         return s;
       }(),
       [] {
         std::string s = "   ";
         for (int i = 0; i < 35; ++i) s += "ż";
         return s;
       }(),
       "   żżżżż"},
  };
  for (const auto& c : cases) {
    app::TParamSet p = Set(1, 2, 1);
    p.ogolne = c.text;
    const TReport r = ComposeReport(p, English(), "");
    EXPECT_EQ(r[5].text, c.line5) << c.text;
    EXPECT_EQ(r[6].text, c.line6) << c.text;
  }
}

TEST(Report, TitleRangeBurnoutAndCorrectionLines) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  const struct {
    const char* device;
    int typ, unit, burnout;
    double lo, hi, zero, gain;
    const char *title, *range, *burnoutLine, *corrections;
  } cases[] = {
      {"VTX47", 1, 0, 0, 0, 5, 0, 0, "Parameters  of  VTX47", "Input range: 0.00 to 5.00  ",
       "Output reaction to sensor burnout: below 4mA", "Corrections:  0.00% (Zero), 0.00% (Gain)"},
      {"VTX48", 17, 5, 1, -1.5, 12345.678, 1.5, -0.25, "Parameters  of  ?",
       "Input range: -1.50 to 12345.68 Ohm", "Internal failure sygnalization: above 20mA",
       "Corrections:  +1.50% (Zero), -0.25% (Gain)"},
      {"", 10, 16, 2, nan, inf, -0.0, 0.001, "Parameters  of  ?", "Input range:    ? to    ? ?",
       "Output locked:    I=4mA", "Corrections:  0.00% (Zero), +0.00% (Gain)"},
      {"VTX12", 20, -1, 3, 1e6, -2e-3, -1.25, 1.9999, "Parameters  of  ?",
       "Input range: 1000000.00 to -0.00 ?",
       "Internal failure sygnalization: ", "Corrections:  -1.25% (Zero), +2.00% (Gain)"},
  };
  for (const auto& c : cases) {
    app::TParamSet p = Set(c.typ, 5, 1);
    p.Device = c.device;
    p.P.Jednostki = c.unit;
    p.P.Burnout = c.burnout;
    p.P.MinInput = c.lo;
    p.P.MaxInput = c.hi;
    p.P.ZeroReg = c.zero;
    p.P.GainReg = c.gain;
    const TReport r = ComposeReport(p, English(), "");
    EXPECT_EQ(r[0].text, c.title);
    EXPECT_EQ(r[13].text, c.range);
    EXPECT_EQ(r[15].text, c.burnoutLine);
    EXPECT_EQ(r[16].text, c.corrections);
  }
}

TEST(Report, NumbersKeepADecimalPointUnderACommaLocale) {
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale here";
  app::TParamSet p = Set(1, 2, 1);
  p.P.MinInput = -1.5;
  p.P.FiltrCzas = 45;
  const TReport r = ComposeReport(p, English(), "");
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(r[13].text, "Input range: -1.50 to 0.00 °C");
  EXPECT_EQ(r[21].text, "      Time constant=4.5 s");
}

TEST(Report, PageGeometryAndFonts) {
  const TReportGeometry a4 = ReportGeometry(4960, 7016, 600);
  EXPECT_EQ(a4.left, 1240);
  EXPECT_EQ(a4.top, 701);
  EXPECT_EQ(a4.lineStep, 100);
  EXPECT_EQ(a4.ruleRight, 3720);
  EXPECT_EQ(a4.LineTop(0), 701);
  EXPECT_EQ(a4.LineTop(1), 901);
  EXPECT_EQ(a4.RuleY(4), 1401);
  EXPECT_EQ(a4.LineTop(26), 5901);
  EXPECT_EQ(a4.LineTop(27), 5901);
  for (const auto& [dpi, step] :
       {std::pair{75, 12}, std::pair{81, 14}, std::pair{96, 16}, std::pair{-5, 0}}) {
    EXPECT_EQ(ReportGeometry(100, 100, dpi).lineStep, step) << dpi;
  }
  const TReportGeometry none = ReportGeometry(-8, -8, 300);
  EXPECT_EQ(none.left + none.top + none.ruleRight, 0);
  EXPECT_EQ(ReportFont(TReportLineKind::kTitle).points, 14);
  EXPECT_TRUE(ReportFont(TReportLineKind::kTitle).bold);
  EXPECT_TRUE(ReportFont(TReportLineKind::kSection).bold);
  EXPECT_FALSE(ReportFont(TReportLineKind::kPlain).bold);
  EXPECT_EQ(ReportFont(TReportLineKind::kFooter).points, 10);
  EXPECT_TRUE(ReportFont(TReportLineKind::kFooter).italic);
}

}  // namespace
}  // namespace vorta::docs
