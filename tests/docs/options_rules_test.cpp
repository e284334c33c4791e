// OK in the general options dialog: the password is checked first, nothing selected keeps the
// language, a new password is typed twice; and the manual page of every window for F1.
#include "docs/options_rules.h"

#include <gtest/gtest.h>

#include "docs/help_pages.h"

namespace vorta::docs {
namespace {

using V = TOptionsVerdict;
using W = TOptionsOutcome::TWhy;

struct TCase {
  const char* what;
  std::optional<std::string> selected;
  const char *oldTyped, *newTyped, *newAgain;
  V verdict;
  W why;
  const char *language, *password;
};

TEST(OptionsRules, PasswordFirstLanguageKeptWhenNothingIsSelected) {
  const TCase cases[] = {
      {"nothing asked", "English", "", "", "", V::kCancel, W::kNone, "English", "zorv"},
      {"new typed without the old one", "English", "", "abc", "abc", V::kCancel, W::kNone, "English", "zorv"},
      // More than ten files: nothing selected must not switch to a language of its own.
      {"nothing selected, password changed", std::nullopt, "zorv", "neu", "neu", V::kAccept, W::kNone,
       "English", "neu"},
      {"nothing selected, nothing typed", std::nullopt, "", "", "", V::kCancel, W::kNone, "English", "zorv"},
      {"language only", "Polski", "", "", "", V::kAccept, W::kNone, "Polski", "zorv"},
      {"wrong old password stops the language too", "Polski", "zorx", "", "", V::kStay, W::kWrongPassword,
       "Polski", "zorv"},
      {"old password in another case is wrong", "English", "ZORV", "a", "a", V::kStay, W::kWrongPassword,
       "English", "zorv"},
      {"new passwords differ", "Polski", "zorv", "abc", "abd", V::kStay, W::kNewPasswordsDiffer, "Polski",
       "zorv"},
      {"new password not repeated", "English", "zorv", "abc", "", V::kStay, W::kNewPasswordsDiffer, "English",
       "zorv"},
      {"new password with a control character", "English", "zorv", "a\tb", "a\tb", V::kStay,
       W::kNewPasswordInvalid, "English", "zorv"},
      {"right old password, no new one keeps it", "English", "zorv", "", "", V::kAccept, W::kNone, "English",
       "zorv"},
      {"both at once", "Polski", "zorv", "xy", "xy", V::kAccept, W::kNone, "Polski", "xy"},
  };
  for (const TCase& c : cases) {
    const TOptionsOutcome o =
        DecideOptions({"English", c.selected, "zorv", c.oldTyped, c.newTyped, c.newAgain});
    EXPECT_EQ(o.verdict, c.verdict) << c.what;
    EXPECT_EQ(o.why, c.why) << c.what;
    if (o.verdict == V::kAccept) {
      EXPECT_EQ(o.language, c.language) << c.what;
      EXPECT_EQ(o.password, c.password) << c.what;
    }
  }
}

TEST(OptionsRules, EveryWindowFindsItsPageAndUnknownOnesTheContents) {
  const struct {
    const char *cls, *object, *page;
  } cases[] = {
      {"vorta::app::TVortaF", "VortaF", "main_window.html"},
      {"vorta::app::TOgolneF", "OgolneF", "options.html"},
      {"vorta::sensors::TWyborRV", "", "sensors.html#resistance-millivolt"},
      {"TRegulF", "", "corrections.html"},
      {"vorta::service::TDiagnF", "", "diagnostics.html"},
      {"vorta::sim::TSymulF", "", "simulation.html"},
      {"QPrintPreviewDialog", "", "report.html#print"},
      {"QDialog", "Wykres", "chart.html"},  // a window without a class of its own: by its object name
      {"QMessageBox", "", "index.html"},
      {"", "", "index.html"},
  };
  for (const auto& c : cases) EXPECT_EQ(HelpPageOf(c.cls, c.object), c.page) << c.cls;
}

TEST(OptionsRules, OnlyPlainPageNamesOfTheManualAreOpened) {
  EXPECT_TRUE(ValidHelpPage("index.html"));
  EXPECT_TRUE(ValidHelpPage("main_window.html"));
  for (const char* bad :
       {"", ".html", "../x.html", "a/b.html", "a\\b.html", "x.htm", "index.html.sh", "..html"})
    EXPECT_FALSE(ValidHelpPage(bad)) << bad;
}

}  // namespace
}  // namespace vorta::docs
