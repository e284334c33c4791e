// Parameter files: the exact listing, the number format under both separators, the reading rules
// and damaged files.
#include "docs/par_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "docs/str_to_number.h"
#include "sensors/sensor_range.h"

namespace vorta::docs {
namespace {

namespace fs = std::filesystem;

TEST(GeneralFloat, ShortestFormWithFifteenDigitsAndExponentsAtTheEnds) {
  EXPECT_EQ(FormatGeneralFloat(12.5, '.'), "12.5");
  EXPECT_EQ(FormatGeneralFloat(12.5, ','), "12,5");
  EXPECT_EQ(FormatGeneralFloat(-150, '.'), "-150");
  EXPECT_EQ(FormatGeneralFloat(0.1 + 0.2, '.'), "0.3");
  EXPECT_EQ(FormatGeneralFloat(0.00001, '.'), "0.00001");
  EXPECT_EQ(FormatGeneralFloat(0.0000012, '.'), "1.2E-6");
  EXPECT_EQ(FormatGeneralFloat(123456789012345.0, '.'), "123456789012345");
  EXPECT_EQ(FormatGeneralFloat(1e15, '.'), "1E+15");
  EXPECT_EQ(FormatGeneralFloat(-2.5e20, ','), "-2,5E+20");
  EXPECT_EQ(FormatGeneralFloat(1.0 / 3.0, '.'), "0.333333333333333");
  EXPECT_EQ(FormatGeneralFloat(0.0, '.'), "0");
  EXPECT_EQ(FormatGeneralFloat(1e-300, '.'), "1E-300");
}

TEST(GeneralFloat, EveryFormReadsBackUnchangedToFifteenDigits) {
  for (double v : {3.14159265358979, -0.000123456, 6.02214076e23, 1e-12, 999999999999999.0, 0.5, 100.0}) {
    double back = 0;
    ASSERT_TRUE(StrToNumber(FormatGeneralFloat(v, ','), back)) << v;
    EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << v;
  }
}

app::TParamSet FullSet() {
  app::TParamSet p;
  p.Device = "VTX39";
  p.Code = {16, 5, 4, 0};
  p.P.MinInput = -12.5;
  p.P.MaxInput = 1234.125;
  p.P.RoomT = 23.5;
  p.P.ZeroReg = -0.75;
  p.P.GainReg = 1.25;
  p.P.FiltrZakres = 125;
  p.P.FiltrCzas = 45;
  p.P.FiltrLimit = 40;
  p.P.Burnout = 1;
  p.P.Siec = 60;
  p.P.Jednostki = 11;
  p.serial = "123456";
  p.data = "07.12.2026";
  p.kod = "TT-101 boiler";
  p.ogolne = std::string(30, 'a') + std::string(30, 'b') + "cdef";
  for (int i = 0; i < app::kLinCoefCount; ++i)
    p.LinCoef[static_cast<std::size_t>(i)] = (i + 1) * 1.5e-3 - 0.004;
  p.LinCoef[9] = -20.0;
  p.LinCoef[10] = 1500.0;
  return p;
}

class ParFileTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    old_ = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, GetParam())) GTEST_SKIP() << GetParam() << " is not installed";
    std::string dir = (fs::temp_directory_path() / "vorta-par-XXXXXX").string();
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    dir_ = dir;
  }
  void TearDown() override {
    std::setlocale(LC_ALL, old_.c_str());
    std::error_code ec;
    if (!dir_.empty()) fs::remove_all(dir_, ec);
  }
  std::string Path(const char* name = "set.par") const { return (dir_ / name).string(); }
  std::string Slurp(const std::string& p) const {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  void Write(const std::string& text, const char* name = "set.par") const {
    std::ofstream(Path(name), std::ios::binary) << text;
  }
  std::string old_;
  fs::path dir_;
  sensors::TSensorRangeTable ranges;
};

TEST_P(ParFileTest, WritesFortyThreeLinesWithTheLocaleSeparator) {
  ASSERT_TRUE(SaveParFile(Path(), FullSet()));
  const std::string text = Slurp(Path());
  TLineBuffer lines;
  lines.SetText(text);
  ASSERT_EQ(lines.Lines().size(), 43u);
  EXPECT_EQ(text.substr(0, 36), "Parametry przetwornika serii Vorta\r\n");
  const std::string sep(1, LocaleDecimalSeparator());
  EXPECT_EQ(lines.Lines()[2], "Device=VTX39");
  EXPECT_EQ(lines.Lines()[8], "");  // no table loaded: no file name
  EXPECT_EQ(lines.Lines()[11], "MinInput=-12" + sep + "5");
  EXPECT_EQ(lines.Lines()[17], "FiltrCzas=45");
  EXPECT_EQ(lines.Lines()[29], "ogolne=" + std::string(30, 'a'));
  EXPECT_EQ(lines.Lines()[30], "ogolne1=" + std::string(30, 'b') + "cdef");
  EXPECT_EQ(lines.Lines()[32].rfind("LinA=", 0), 0u);
  EXPECT_EQ(lines.Lines()[42], "LinK=1500");
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST_P(ParFileTest, RoundTripKeepsEveryFieldIncludingTheWholeFreeText) {
  const app::TParamSet original = FullSet();
  ASSERT_TRUE(SaveParFile(Path(), original));
  app::TParamSet back;
  back.New();
  ASSERT_TRUE(LoadParFile(Path(), back, ranges));
  EXPECT_EQ(back.Device, original.Device);
  EXPECT_EQ(back.Code.Typ, 16);
  EXPECT_EQ(back.Code.Tryb, 5);
  EXPECT_EQ(back.Code.Lin, 4);
  EXPECT_DOUBLE_EQ(back.P.MinInput, -12.5);
  EXPECT_DOUBLE_EQ(back.P.MaxInput, 1234.125);
  EXPECT_DOUBLE_EQ(back.P.RoomT, 23.5);
  EXPECT_DOUBLE_EQ(back.P.ZeroReg, -0.75);
  EXPECT_DOUBLE_EQ(back.P.GainReg, 1.25);
  EXPECT_EQ(back.P.FiltrZakres, 125);
  EXPECT_EQ(back.P.FiltrCzas, 45);
  EXPECT_EQ(back.P.FiltrLimit, 40);
  EXPECT_EQ(back.P.Burnout, 1);
  EXPECT_EQ(back.P.Siec, 60);
  EXPECT_EQ(back.P.Jednostki, 11);
  EXPECT_EQ(back.serial, "123456");
  EXPECT_EQ(back.data, "07.12.2026");
  EXPECT_EQ(back.kod, "TT-101 boiler");
  EXPECT_EQ(back.ogolne, original.ogolne);  // all 64 characters survive
  for (std::size_t i = 0; i < 11; ++i) EXPECT_DOUBLE_EQ(back.LinCoef[i], original.LinCoef[i]) << i;
  EXPECT_EQ(ranges[15].lo, -200);  // from LinJ and LinK
  EXPECT_EQ(ranges[15].hi, 15000);
}

TEST_P(ParFileTest, TableCharacteristicKeepsItsFileNameAndPowerSeriesItsCoefficients) {
  app::TParamSet p = FullSet();
  p.Code = {15, 7, 2, 0};
  p.File = "/some/where/Tables/MyCurve.dat";
  p.TableLoaded = true;
  p.P.MinInput = 0;
  p.P.MaxInput = 100;
  ASSERT_TRUE(SaveParFile(Path(), p));
  TLineBuffer lines;
  lines.SetText(Slurp(Path()));
  EXPECT_EQ(lines.Lines()[8], "File=MyCurve.dat");
  {
    // A file name without its table in memory is not written: the file would claim a table.
    app::TParamSet without = p;
    without.TableLoaded = false;
    ASSERT_TRUE(SaveParFile(Path("without.par"), without));
    TLineBuffer w;
    w.SetText(Slurp(Path("without.par")));
    EXPECT_EQ(w.Lines()[8], "");
  }
  EXPECT_EQ(lines.Lines()[32], "");  // Lin 2: the coefficient lines stay empty
  app::TParamSet back = p;           // the same table is still in memory
  ASSERT_TRUE(LoadParFile(Path(), back, ranges));
  EXPECT_TRUE(back.TableLoaded);
  back.File = "other.dat";  // another table in memory is not this file's
  ASSERT_TRUE(LoadParFile(Path(), back, ranges));
  EXPECT_FALSE(back.TableLoaded);
  EXPECT_EQ(back.File, "MyCurve.dat");

  p.Code = {17, 5, 8, 0};
  ASSERT_TRUE(SaveParFile(Path(), p));
  app::TParamSet series;
  ASSERT_TRUE(LoadParFile(Path(), series, ranges));
  EXPECT_EQ(series.Code.Lin, 8);
  EXPECT_DOUBLE_EQ(series.LinCoef[4], p.LinCoef[4]);
}

INSTANTIATE_TEST_SUITE_P(Locales, ParFileTest, ::testing::Values("C", "de_DE.UTF-8"));

class ParFileReading : public ParFileTest {};

const char* kCanonical =
    "Parametry przetwornika serii "
    "Vorta\r\n\r\nDevice=VTX39\r\n\r\nCzujnik:\r\nTyp=10\r\nTryb=7\r\nLin=2\r\n\r\n\r\n"
    "Parametry:\r\nMinInput=0\r\nMaxInput=500\r\nRoomT=25\r\nZeroReg=0\r\nGainReg=0\r\nFiltrZakres=10\r\n"
    "FiltrCzas=9\r\nFiltrLimit=20\r\nBurnout=0\r\nSiec=50\r\nJednostki=8\r\n\r\nInformacje:\r\nFactory:\r\n"
    "serial=42\r\ndata=01.02.2026\r\nUser:\r\nkod=TAG\r\nogolne=text\r\nogolne1=\r\n\r\n";

// Replaces the line that starts with key= by replacement (empty: the line is removed).
std::string Edit(std::string text, const std::string& key, const std::string& replacement) {
  const auto at = text.find("\n" + key + "=");
  if (at == std::string::npos) return text;
  const auto end = text.find('\n', at + 1);
  text.replace(at + 1, end - at, replacement.empty() ? "" : replacement + "\r\n");
  return text;
}

TEST_P(ParFileReading, KeysInAnyOrderAndCaseFirstOccurrenceHalvesToEven) {
  std::string text = kCanonical;
  text = Edit(text, "Device", "DEVICE=VTX39\r\ndevice=VTX97");
  text = Edit(text, "Typ", "Typ=9,5");  // halves to even: 10
  text = "extra line\r\nSiec=60\r\n" + Edit(text, "Siec", "");
  Write(text);
  app::TParamSet p;
  ASSERT_TRUE(LoadParFile(Path(), p, ranges));
  EXPECT_EQ(p.Device, "VTX39");
  EXPECT_EQ(p.Code.Typ, 10);
  EXPECT_EQ(p.P.Siec, 60);
  EXPECT_EQ(p.P.FiltrLimit, 20);
  Write(Edit(kCanonical, "Typ", "Typ=4.5"));
  ASSERT_TRUE(LoadParFile(Path(), p, ranges));
  EXPECT_EQ(p.Code.Typ, 4);
}

TEST_P(ParFileReading, OptionalKeysHaveTheirDefaults) {
  Write(Edit(kCanonical, "FiltrLimit", ""));
  app::TParamSet p;
  p.File = "old.dat";
  ASSERT_TRUE(LoadParFile(Path(), p, ranges));
  EXPECT_EQ(p.P.FiltrLimit, 0);
  EXPECT_EQ(p.File, "");
  Write(Edit(kCanonical, "FiltrLimit", "FiltrLimit=abc"));
  ASSERT_TRUE(LoadParFile(Path(), p, ranges));
  EXPECT_EQ(p.P.FiltrLimit, 0);
}

TEST_P(ParFileReading, TheModelsInputRangesHoldBeforeTheRangeIsNormalised) {
  std::string text = Edit(kCanonical, "Device", "Device=VTX97");
  text = Edit(text, "Typ", "Typ=17");
  text = Edit(text, "Lin", "Lin=1");
  text = Edit(text, "MaxInput", "MaxInput=1000");  // a model 97 current input reaches 1000 mA
  Write(text);
  app::TParamSet p;
  ASSERT_TRUE(LoadParFile(Path(), p, ranges));
  EXPECT_DOUBLE_EQ(p.P.MaxInput, 1000.0);
}

TEST_P(ParFileReading, DamagedFilesFailAndLeaveTheSetUntouched) {
  const std::vector<std::pair<const char*, std::function<std::string()>>> cases = {
      {"empty", [] { return std::string(); }},
      {"binary",
       [] {
         std::string b;
         for (int i = 0; i < 5000; ++i) b += static_cast<char>((i * 131) & 0xFF);
         return b;
       }},
      {"ten megabytes", [] { return std::string(kCanonical) + std::string(10 * 1024 * 1024, 'x'); }},
      {"both separators", [] { return Edit(kCanonical, "MinInput", "MinInput=1.000,5"); }},
      {"nan", [] { return Edit(kCanonical, "MaxInput", "MaxInput=NaN"); }},
      {"infinity", [] { return Edit(kCanonical, "RoomT", "RoomT=inf"); }},
      {"1e400", [] { return Edit(kCanonical, "ZeroReg", "ZeroReg=1e400"); }},
      {"code beyond a byte", [] { return Edit(kCanonical, "Typ", "Typ=256"); }},
      {"integer beyond 32 bits", [] { return Edit(kCanonical, "Siec", "Siec=4294967296"); }},
      {"threshold beyond 32 bits", [] { return Edit(kCanonical, "FiltrLimit", "FiltrLimit=1e10"); }},
      {"long line", [] { return Edit(kCanonical, "MinInput", "MinInput=" + std::string(100000, '1')); }},
      {"missing coefficient", [] { return Edit(kCanonical, "Lin", "Lin=4"); }},
  };
  for (const auto& [name, make] : cases) {
    Write(make());
    app::TParamSet p;
    p.kod = "unchanged";
    p.Code.Typ = 3;
    EXPECT_FALSE(LoadParFile(Path(), p, ranges)) << name;
    EXPECT_EQ(p.kod, "unchanged") << name;
    EXPECT_EQ(p.Code.Typ, 3) << name;
  }
  for (const char* key :
       {"Device", "serial", "data", "kod", "ogolne", "ogolne1", "Typ", "Tryb", "Lin", "MinInput", "MaxInput",
        "RoomT", "ZeroReg", "GainReg", "FiltrZakres", "FiltrCzas", "Burnout", "Siec", "Jednostki"}) {
    Write(Edit(kCanonical, key, ""));
    app::TParamSet p;
    p.kod = "unchanged";
    EXPECT_FALSE(LoadParFile(Path(), p, ranges)) << "without " << key;
    EXPECT_EQ(p.kod, "unchanged") << key;
  }
}

TEST_P(ParFileReading, LongLinesOddKeysAndLateFailuresLoadWholeOrNotAtAll) {
  const std::string coefs =
      "LinA=0\r\nLinB=1\r\nLinC=0\r\nLinD=0\r\nLinE=0\r\nLinF=0\r\nLinG=0\r\nLinH=0\r\n"
      "LinI=0\r\nLinJ=-5\r\n";
  const struct {
    const char* name;
    std::string text;
    bool loads;
    const char* kod;  // the tag afterwards
  } cases[] = {
      {"extra line of 100000 characters", std::string(kCanonical) + std::string(100000, 'x') + "\r\n", true,
       "TAG"},
      {"tag of 100000 characters", Edit(kCanonical, "kod", "kod=" + std::string(100000, 'k')), true,
       "kkkkkkkkkkkkkkkk"},
      {"number keys in any case", Edit(Edit(kCanonical, "Typ", "tYP=10"), "MaxInput", "MAXINPUT=400"), true,
       "TAG"},
      {"first of two values unreadable", Edit(kCanonical, "MinInput", "MinInput=abc\r\nMinInput=5"), false,
       "unchanged"},
      {"comma before the point", Edit(kCanonical, "MaxInput", "MaxInput=1,000.5"), false, "unchanged"},
      {"negative infinity", Edit(kCanonical, "GainReg", "GainReg=-inf"), false, "unchanged"},
      {"-1e400", Edit(kCanonical, "RoomT", "RoomT=-1e400"), false, "unchanged"},
      {"empty value", Edit(kCanonical, "Jednostki", "Jednostki="), false, "unchanged"},
      {"LinK missing", Edit(kCanonical, "Lin", "Lin=4") + coefs, false, "unchanged"},
      {"all coefficients", Edit(kCanonical, "Lin", "Lin=4") + coefs + "LinK=900\r\n", true, "TAG"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ranges = {};
    Write(c.text);
    app::TParamSet p;
    p.kod = "unchanged";
    p.Code.Typ = 3;
    p.P.MinInput = -7;
    EXPECT_EQ(LoadParFile(Path(), p, ranges).ok, c.loads);
    EXPECT_EQ(p.kod, c.kod);
    // Nothing of a failed file is kept, the user range included; a loaded one is whole.
    EXPECT_EQ(p.Code.Typ, c.loads ? 10 : 3);
    EXPECT_EQ(p.P.MinInput, c.loads ? 0.0 : -7.0);
    const sensors::TRangeRow user = ranges[15];
    const bool withCoefs = c.loads && c.text.find("LinK=") != std::string::npos;
    EXPECT_EQ(user.lo, withCoefs ? -50 : 0);
    EXPECT_EQ(user.hi, withCoefs ? 9000 : 0);
  }
}

TEST_P(ParFileReading, TextsAreCutToTheirCapacityAndKeptOnOneLine) {
  std::string text = Edit(kCanonical, "kod", "kod=" + std::string(20, 'k'));
  text = Edit(text, "Device", "Device=VTX3999");
  Write(text);
  app::TParamSet p;
  ASSERT_TRUE(LoadParFile(Path(), p, ranges));
  EXPECT_EQ(p.kod, std::string(16, 'k'));
  EXPECT_EQ(p.Device, "VTX39");
  p.kod = "a\rb\nc";
  ASSERT_TRUE(SaveParFile(Path("tag.par"), p));
  TLineBuffer lines;
  lines.SetText(Slurp(Path("tag.par")));
  EXPECT_EQ(lines.Lines().size(), 43u);
  EXPECT_EQ(lines.Lines()[28], "kod=a b c");
}

INSTANTIATE_TEST_SUITE_P(Locales, ParFileReading, ::testing::Values("C", "de_DE.UTF-8"));

TEST(ParFileNames, DataDirIsTheFolderUnlessTooLong) {
  EXPECT_EQ(DataDirOf("/home/u/x.par"), "/home/u");
  EXPECT_EQ(DataDirOf("/" + std::string(61, 'd') + "/x.par"), "");
  EXPECT_EQ(BareFileName("C:\\tab\\K.dat"), "K.dat");
  EXPECT_EQ(BareFileName("/a/b/K.dat"), "K.dat");
}

}  // namespace
}  // namespace vorta::docs
