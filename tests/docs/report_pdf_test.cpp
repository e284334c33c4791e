// The printed report as a page: the PDF has one page with every line where the layout puts it,
// in English and in Polish, and a PDF that cannot be written leaves nothing behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "docs/language_file.h"
#include "docs/report.h"
#include "docs/ui/lang.h"
#include "docs/ui/report_painter.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/pdf_text.h"
#include "tests/support/temp_dir.h"

namespace vorta::docs {
namespace {

namespace fs = std::filesystem;
using testing::PdfText;

constexpr double kMm = 72.0 / 25.4;

app::TParamSet KThermocouple() {
  app::TParamSet p;
  p.Device = "VTX47";
  p.Code = {10, 7, 2, 0};
  p.kod = "TT-101";
  p.ogolne = "Kocioł 2, zasilanie";
  p.data = "12.03.2024";
  p.serial = "47001";
  p.P = {0, 0, -50, 1200.5, 23.5, 0.25, -0.1, 10, 250, 45, 1, 50, 8};
  return p;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class ReportPage : public ::testing::Test {
 protected:
  std::string WritePdf(const TReport& r, const QPageLayout& layout = DefaultReportLayout()) {
    const std::string path = dir.File("report.pdf");
    EXPECT_TRUE(SaveReportPdf(path, r, layout, "Vorta-Printing").ok);
    return path;
  }
  const testing::TPdfWord* Word(const std::vector<testing::TPdfWord>& words, const std::string& text) {
    for (const auto& w : words)
      if (w.text == text) return &w;
    ADD_FAILURE() << "no word " << text;
    return nullptr;
  }

  testing::TempDir dir;
};

TEST_F(ReportPage, PdfHoldsOnePageWithEveryLine) {
  const TReport r = ComposeReport(KThermocouple(), LangList(), "05.06.2025");
  const std::string path = WritePdf(r);
  EXPECT_EQ(testing::PdfPages(path), 1);
  const std::string text = PdfText(path);
  for (const TReportLine& line : r) {
    if (line.text.empty()) continue;
    // pdftotext gives the words of a line with its own spacing: compare word by word.
    std::istringstream words(line.text);
    for (std::string w; words >> w;) EXPECT_NE(text.find(w), std::string::npos) << w;
  }
  EXPECT_NE(text.find("Parameters of VTX47"), std::string::npos);
  EXPECT_NE(text.find("Printed: 05.06.2025"), std::string::npos);
  EXPECT_NE(text.find("Kocioł 2, zasilanie"), std::string::npos);  // Central European letters survive
}

TEST_F(ReportPage, LinesStandWhereTheLayoutPutsThem) {
  // A4 with 15 mm margins: the paintable area starts 15 mm in; a quarter of its width to the
  // left of every line, a tenth of its height above the title, 12-point steps, the footer at
  // 52 steps below the title.
  const TReport r = ComposeReport(KThermocouple(), LangList(), "05.06.2025");
  const auto words = testing::PdfWords(WritePdf(r));
  const double left = 15 * kMm + (210 - 30) * kMm / 4, top = 15 * kMm + (297 - 30) * kMm / 10;
  const struct {
    const char* word;
    double y;  // top of the line
  } rows[] = {{"Parameters", top},
              {"ID", top + 2 * 2 * 12},
              {"Filter", top + 18 * 2 * 12},
              {"Printed:", top + 52 * 12}};
  for (const auto& row : rows) {
    const testing::TPdfWord* w = Word(words, row.word);
    if (!w) continue;
    EXPECT_NEAR(w->xMin, left, 2.0) << row.word;
    // The text's top lies at the line's top, within the font's leading.
    EXPECT_NEAR(w->yMin, row.y, 3.0) << row.word;
  }
  const testing::TPdfWord* title = Word(words, "Parameters");
  const testing::TPdfWord* footer = Word(words, "Printed:");
  ASSERT_TRUE(title && footer);
  EXPECT_GT(title->yMax - title->yMin, footer->yMax - footer->yMin);  // 14 points against 10
}

TEST_F(ReportPage, PolishReportIsPrintedInPolish) {
  std::string language = "Polski";
  TLangList polish;
  ASSERT_TRUE(LoadLanguage(std::string(VORTA_TEST_DATA_DIR) + "/../../docs/lang", language, polish));
  const std::string text = PdfText(WritePdf(ComposeReport(KThermocouple(), polish, "05.06.2025")));
  EXPECT_NE(text.find(polish.Value("Printed") + ": 05.06.2025"), std::string::npos) << text;
  EXPECT_NE(text.find(polish.Value("Filter settings")), std::string::npos);
  EXPECT_NE(text.find(polish.Value("Thermocouple type")), std::string::npos);
}

TEST_F(ReportPage, UnwritablePdfLeavesNoFileAndTheOldOneIntact) {
  const TReport r = ComposeReport(KThermocouple(), LangList(), "05.06.2025");
  const TResult missing = SaveReportPdf(dir.File("no/such/folder/r.pdf"), r, DefaultReportLayout(), "t");
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.key, "Cannot open file");
  EXPECT_FALSE(fs::exists(dir / "no"));

  std::ofstream(dir.File("old.pdf")) << "previous report";
  {
    testing::FileSizeLimit full(512);  // the PDF is a few kilobytes: the disk is full halfway
    EXPECT_FALSE(SaveReportPdf(dir.File("old.pdf"), r, DefaultReportLayout(), "t").ok);
  }
  EXPECT_EQ(ReadAll(dir.File("old.pdf")), "previous report");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace vorta::docs
