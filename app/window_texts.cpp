// The main window's text table.
#include "app/window_texts.h"

#include "app/rounding.h"

namespace vorta::app {
namespace {

struct TRow {
  std::string_view control;
  TTextKind kind;
  std::string_view key;
  std::string_view before;  // added in front of the translation
  std::string_view after;   // added behind it
};

constexpr TTextKind C = TTextKind::kText;
constexpr TTextKind H = TTextKind::kHint;

constexpr TRow kRows[] = {
    // Menus and their entries.
    {"Plik1", C, "&File", "", ""},
    {"Nowy1", C, "&New", "", ""},
    {"Otworz1", C, "&Open", "", "..."},
    {"Zachowaj1", C, "&Save", "", ""},
    {"Zapiszjako1", C, "Save as", "", "..."},
    {"Drukuj1", C, "&Print", "", "..."},
    {"PrintSetup1", C, "P&rint setup", "", "..."},
    {"Exit1", C, "E&xit", "", ""},
    {"Konfig1", C, "&Configuration", "", ""},
    {"Ustawienia1", C, "&Setup", "", ""},
    {"Odswierz1", C, "R&efresh", "", ""},
    {"Odczytaj1", C, "&Read", "", ""},
    {"Zapisz1", C, "&Write", "", ""},
    {"Weryfikuj1", C, "&Verify", "", ""},
    {"Czujniki1", C, "Se&nsors", "", ""},
    {"Reset1", C, "&Reset", "", ""},
    {"Regulacja1", C, "&Corrections", "", ""},
    {"Widok1", C, "&View", "", ""},
    {"Symulacja1", C, "Simulation", "&", ""},
    {"Pasek1", C, "&Toolbar", "", ""},
    {"Status1", C, "S&tatus", "", ""},
    {"Wykres1", C, "&Diagram", "", ""},
    {"MonOnly1", C, "&Monitor only", "", ""},
    {"Opcje1", C, "&Options", "", ""},
    {"Ogolne1", C, "&General", "", ""},
    {"Komunikacja1", C, "&Communication", "", ""},
    {"Autoread1", C, "&Automatic read", "", ""},
    {"Pomoc1", C, "&Help", "", ""},
    {"Info1", C, "&Info", "", ""},
    {"Wersja1", C, "&Version", "", ""},
    {"Danetech1", C, "&Help", "", ""},
    // Captions and labels.
    {"SenSel", C, "Select", "", ""},
    {"ParametryG", C, "Parameters", " ", " "},
    {"ZakresTxt", C, "Range", " ", ":"},
    {"Minimum", C, "Minimum", " ", ":"},
    {"Maksimum", C, "Maximum", " ", ":"},
    {"Filtry", C, "Signal filter", " ", ""},
    {"FiltrZakresTxt", C, "Range", "", " (0-25%)"},
    {"FiltrLimitTxt", C, "Spurious error threshold", "", " (0-100%)"},
    {"FiltrDobierz", C, "Optimal", "", ""},
    {"SiecTxt", C, "Net filter freq.", "", ":"},
    {"RegulT", C, "User corrections", " ", ":"},
    {"RegulZT", C, "Zero", "", ":  "},
    {"RegulGT", C, "Gain", "", ":  "},
    {"Info", C, "Info", " ", " "},
    {"KodTxt", C, "User ID Tag", "", ""},
    {"SerialTxt", C, "Serial No", "", ":"},
    {"DataTxt", C, "Last config. date", "", ":"},
    {"OgolneTxt", C, "Other", "", ""},
    {"nResult", C, "Result", "", ""},
    {"nOutput", C, "Output", "", ""},
    {"StopScalingCB", C, "Stop scaling", "", ""},
    {"WykresStartB", C, "Stop", "", ""},
    {"WykresClearB", C, "Clear", "", ""},
    {"NewAvT", C, "new average", "", ""},
    {"LargeErT", C, "spurious error", "", ""},
    {"ShowFilterCB", C, "Filter limits", "", ""},
    {"WykresExitB", C, "Exit", "", ""},
    {"WykresIntT", C, "Interval", "", " [s]:"},
    // Hints.
    {"NowyT", H, "New", "", ""},
    {"OtworzT", H, "Open", "", ""},
    {"ZachowajT", H, "Save", "", ""},
    {"DrukujT", H, "Print", "", ""},
    {"OdczytajT", H, "Read settings", "", ""},
    {"ZapiszT", H, "Write settings", "", ""},
    {"KomunikacjaT", H, "Communication", "", ""},
    {"RegulacjaT", H, "Corrections", "", ""},
    {"RegulacjaPic", H, "Corrections", "", ""},
    {"Wykres1T", H, "Show diagram", "", ""},
    {"SenSel", H, "Select sensor", "", ""},
    {"MinInputE", H, "Enter the minimum value", "", ""},
    {"MaxInputE", H, "Enter the maximum value", "", ""},
    {"FiltrZakresE", H, "Set filtration range", "", ""},
    {"FiltrCzasE", H, "Set time constant", "", ""},
    {"FiltrLimitE", H, "Set spurious error threshold", "", ""},
    {"FiltrLimitUp", H, "Set spurious error threshold", "", ""},
    {"FiltrLimitDown", H, "Set spurious error threshold", "", ""},
    {"BurnoutE", H, "Choose expected reaction", "", ""},
    {"SiecE", H, "Choose net frequency", "", ""},
    {"KodE", H, "Write down ID tag", "", ""},
    {"OgolneE", H, "Write down any information", "", ""},
    {"WykresClearB", H, "Clear diagram", "", ""},
    {"ShowFilterCB", H, "Show filter limits", "", ""},
    {"WykresIntT", H, "Preset plotting time interval", "", ""},
    {"WykresIntUD", H, "Preset plotting time interval", "", ""},
    {"SavingI", H, "Double-click to stop saving data", "", ""},
};

}  // namespace

std::vector<TControlText> MainWindowTexts(const docs::TLangList& lang, double timeStep) {
  std::vector<TControlText> texts;
  texts.reserve(std::size(kRows) + 3);
  for (const TRow& r : kRows)
    texts.push_back({r.control, r.kind, std::string(r.before) + lang.Value(r.key) + std::string(r.after)});
  texts.push_back({"FiltrDobierz", H, lang.Value("Optimal settings") + "\n(" + lang.Value("no noise") + ")"});
  // Not one of the table's texts: a language file may add it as an extra line.
  texts.push_back({"ZapiszPdf1", C, lang.ValueOrKey("Save report as PDF") + "..."});
  texts.push_back(
      {"FiltrCzasTxt", C,
       lang.Value("Time constant") + " (0-" + std::to_string(RoundHalfEven(250 * timeStep)) + "s)"});
  // Not a key of the language table: a language file may still name it.
  texts.push_back({"Compare1", C, lang.ValueOrKey("Co&mpare") + "..."});
  return texts;
}

}  // namespace vorta::app
