// Window to manual page.
#include "docs/help_pages.h"

#include <array>
#include <utility>

namespace vorta::docs {
namespace {

using TRow = std::pair<std::string_view, std::string_view>;

// Class names of the windows, and the object names of the few windows that have no class of their
// own (Qt's print preview, a chart view built as a plain widget).
constexpr std::array kPages = {
    TRow{"TVortaF", "main_window.html"},
    TRow{"TWybor", "sensors.html"},
    TRow{"TWyborRV", "sensors.html#resistance-millivolt"},
    TRow{"TWyborIV", "sensors.html#current-voltage"},
    TRow{"TLinaF", "sensors.html#linear"},
    TRow{"TPowerF", "sensors.html#power-series"},
    TRow{"TTablF", "sensors.html#table-files"},
    TRow{"TRoomF", "sensors.html#cold-junction"},
    TRow{"TTransdF", "sensors.html#transmitter-type"},
    TRow{"TRegulF", "corrections.html"},
    TRow{"TDiagnF", "diagnostics.html"},
    TRow{"TSymulF", "simulation.html"},
    TRow{"TCommD", "connecting.html#communication-dialog"},
    TRow{"TPortS", "connecting.html#communication-dialog"},
    TRow{"TWykresF", "chart.html"},
    TRow{"Wykres", "chart.html"},
    TRow{"TOgolneF", "options.html"},
    TRow{"TProgwerF", "options.html#help"},
    TRow{"TInfoF", "report.html#info"},
    TRow{"QPrintPreviewDialog", "report.html#print"},
    TRow{"QPageSetupDialog", "report.html#print-setup"},
    TRow{"QPrintDialog", "report.html#print"},
    TRow{"TWiadomosc", "troubleshooting.html#messages"},
};

std::string_view LastPart(std::string_view name) {
  const std::size_t colon = name.rfind("::");
  return colon == std::string_view::npos ? name : name.substr(colon + 2);
}

}  // namespace

std::string HelpPageOf(std::string_view className, std::string_view objectName) {
  for (const std::string_view name : {LastPart(className), objectName})
    for (const TRow& row : kPages)
      if (!name.empty() && row.first == name) return std::string(row.second);
  return "index.html";
}

bool ValidHelpPage(std::string_view name) {
  constexpr std::string_view kExt = ".html";
  if (name.size() <= kExt.size() || name.substr(name.size() - kExt.size()) != kExt) return false;
  for (const char c : name)
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) return false;
  return name.find("..") == std::string_view::npos;
}

}  // namespace vorta::docs
