// The parameter report: the 28 lines of the printed page composed from a parameter set in the
// user's language, how each line is drawn, and where the lines go on a page. Plain data; the
// printing window only draws what these give.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "app/param_set.h"
#include "docs/lang_list.h"

namespace vorta::docs {

// How a line is drawn: the title, a section heading (bold, under a ruled line), plain text, and the
// footer with the date of printing.
enum class TReportLineKind { kTitle, kPlain, kSection, kFooter };

struct TReportLine {
  TReportLineKind kind = TReportLineKind::kPlain;
  std::string text;  // UTF-8, numbers always with a decimal point; empty for an empty line
};

inline constexpr int kReportLineCount = 28;
using TReport = std::array<TReportLine, kReportLineCount>;

// The report of p in the language of lang. printedDate (the short date, "dd.mm.yyyy") ends the
// footer. A sensor type, mode or unit outside its table prints as "?"; every character of the
// free text is printed.
TReport ComposeReport(const app::TParamSet& p, const TLangList& lang, std::string_view printedDate);

// The print job's title: "Vorta-" and the language text of "Printing".
std::string ReportJobTitle(const TLangList& lang);

// The font of a kind of line: 14-point bold title, 12-point plain and bold section lines, 10-point
// italic footer. The face is the printer's default.
struct TReportFont {
  int points = 12;
  bool bold = false;
  bool italic = false;
};
TReportFont ReportFont(TReportLineKind kind);

// Where the lines go, in printer pixels, y being the top of a line's text: every line starts at
// left; the title at top, line i (1..26) two line steps further per line, the footer at the
// height of line 26; a section line's rule runs from left to ruleRight one line step above it.
struct TReportGeometry {
  int left = 0;       // a quarter of the page width
  int top = 0;        // a tenth of the page height
  int lineStep = 0;   // 12 points at the printer's resolution
  int ruleRight = 0;  // three quarters of the page width (3 x left)

  int LineTop(int line) const;
  int RuleY(int line) const;
};

// The geometry of a page of pageWidth x pageHeight pixels printed at dotsPerInch; negative sizes
// count as 0 and the resolution is held to 0..100000.
TReportGeometry ReportGeometry(int pageWidth, int pageHeight, int dotsPerInch);

}  // namespace vorta::docs
