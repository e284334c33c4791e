// Language files as they come: complete, damaged, hostile, and the shipped Polish one; the list
// of languages; the port message without a format.
#include "docs/language_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "docs/lang_keys.h"
#include "docs/lang_list.h"
#include "tests/support/temp_dir.h"

namespace vorta::docs {
namespace {

// A complete file: every key translated as "<key>#", the port message with its number.
std::string CompleteFile(std::string_view eol = "\r\n") {
  std::string s;
  for (std::string_view key : LangKeys()) {
    const std::string k(key);
    s += k + "=" + (key == "COM%d initialization failed" ? "Port COM%d nie działa" : k + "#") +
         std::string(eol);
  }
  return s;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

class LanguageFile : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir.File(name), std::ios::binary) << text;
  }
  // Loads the language of that name; the list starts as a stale non-English one.
  bool Load(std::string name) {
    list.Clear();
    list.AddLine("Cancel=stale");
    language = std::move(name);
    return LoadLanguage(dir.Path().string(), language, list);
  }
  bool English() const { return language == "English" && list.Value("Cancel") == "Cancel"; }

  testing::TempDir dir;
  std::string language;
  TLangList list;
};

TEST_F(LanguageFile, CompleteFileWithAnyLineEndIsLoaded) {
  for (std::string_view eol : {"\r\n", "\n", "\r"}) {
    Write("Xx.lan", CompleteFile(eol));
    EXPECT_TRUE(Load("Xx")) << "line end " << static_cast<int>(eol[0]) << eol.size();
    EXPECT_EQ(language, "Xx");
    EXPECT_EQ(list.Value("Cancel"), "Cancel#");
    EXPECT_EQ(list.Value("Select type of transmitter"), "Select type of transmitter#");
  }
}

TEST_F(LanguageFile, DamagedFilesGiveTheEnglishListAndSettingWithoutACrash) {
  const std::string full = CompleteFile();
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"empty", ""},
      {"truncated", full.substr(0, full.size() / 2)},
      {"binary", std::string("\x00\xFF\x01=\x02\xFE\r\n\x7F", 9) + std::string(5000, '\0')},
      {"one key missing", Replaced(full, "Cancel=Cancel#\r\n", "")},
      {"one empty translation", Replaced(full, "Cancel=Cancel#", "Cancel=")},
      {"port text without %d", Replaced(full, "COM%d nie", "COM nie")},
      {"port text with two %d", Replaced(full, "COM%d nie", "COM%d%d nie")},
      {"port text with %s", Replaced(full, "COM%d nie", "COM%s nie")},
  };
  for (const auto& c : cases) {
    Write("Xx.lan", c.text);
    EXPECT_FALSE(Load("Xx")) << c.what;
    EXPECT_TRUE(English()) << c.what;
  }
  EXPECT_FALSE(Load("Missing"));
  EXPECT_TRUE(English());
}

TEST_F(LanguageFile, OversizedFilesAreRefused) {
  // 10 MB, and a file under the byte limit with far more lines than a language has.
  Write("Big.lan", CompleteFile() + std::string(10 * 1024 * 1024, 'x'));
  EXPECT_FALSE(Load("Big"));
  EXPECT_TRUE(English());
  Write("Lines.lan", CompleteFile() + std::string(kMaxLanguageFileLines, '\n'));
  EXPECT_FALSE(Load("Lines"));
  EXPECT_TRUE(English());
}

TEST_F(LanguageFile, DuplicateKeysFirstWinsAndAnyLetterCaseMatches) {
  Write("Xx.lan", "cANCEL=Anuluj\r\n" + CompleteFile() + "Cancel=later\r\nrubbish line\r\n");
  ASSERT_TRUE(Load("Xx"));
  EXPECT_EQ(list.Value("Cancel"), "Anuluj");
  EXPECT_EQ(list.Value("CANCEL"), "Anuluj");
}

TEST_F(LanguageFile, LanguageNamesThatLeaveTheProgramFolderAreNeverRead) {
  // A complete file one folder up: only a name that climbs out of the folder reaches it.
  std::filesystem::create_directory(dir / "prog");
  std::ofstream(dir.File("evil.lan"), std::ios::binary) << CompleteFile();
  std::ofstream(dir.File("prog/Ok.lan"), std::ios::binary) << CompleteFile();
  const std::string prog = dir.File("prog");
  for (const std::string& name : std::vector<std::string>{"../evil", "..", "/tmp/x", "a\\b", "O\nk"}) {
    language = name;
    EXPECT_FALSE(LoadLanguage(prog, language, list)) << name;
    EXPECT_EQ(language, "English") << name;
  }
  language = "Ok";
  EXPECT_TRUE(LoadLanguage(prog, language, list));
}

TEST_F(LanguageFile, EnglishIsBuiltInEvenWithAFileOfThatName) {
  Write("English.lan", Replaced(CompleteFile(), "Cancel=Cancel#", "Cancel=Wrong"));
  EXPECT_TRUE(Load("English"));
  EXPECT_TRUE(English());
}

TEST_F(LanguageFile, EightBitFileIsReadAsLatin1) {
  Write("Xx.lan", Replaced(CompleteFile(), "Cancel=Cancel#", "Cancel=Abbrechen \xE4"));
  ASSERT_TRUE(Load("Xx"));
  EXPECT_EQ(list.Value("Cancel"), "Abbrechen \xC3\xA4");
}

TEST_F(LanguageFile, ShippedPolishFileIsCompleteAndItsMarkersDropWholeLetters) {
  language = "Polski";
  ASSERT_TRUE(LoadLanguage(std::string(VORTA_TEST_DATA_DIR) + "/../../docs/lang", language, list));
  EXPECT_EQ(list.Value("Cancel"), "Anuluj");
  EXPECT_EQ(list.Value("VortaEN"), "VortaPL");
  EXPECT_EQ(list.Value1("Result1"), "Wynik");
  EXPECT_EQ(list.ValueOrKey("Vorta Transmitter"), "Przetwornik Vorta");
  EXPECT_EQ(PortFailedText(list, 3), "Błąd inicjalizacji portu COM3");
  TLangList marked;
  marked.AddLine("Other1=Inneś");  // a marker of two bytes leaves valid UTF-8
  EXPECT_EQ(marked.Value1("Other1"), "Inne");
}

TEST_F(LanguageFile, PortNumberGoesInAsTextAndABadTranslationGivesTheEnglishText) {
  const struct {
    const char* translation;
    const char* shown;
  } cases[] = {
      {"Port COM%d zajęty", "Port COM12 zajęty"},
      {"%s%n%d%d", "COM12 initialization failed"},
      {"kein Port", "COM12 initialization failed"},
      {"", "COM12 initialization failed"},
      {"100% COM%d", "100% COM12"},
  };
  for (const auto& c : cases) {
    TLangList one;
    one.AddLine(std::string("COM%d initialization failed=") + c.translation);
    EXPECT_EQ(PortFailedText(one, 12), c.shown) << c.translation;
  }
}

TEST_F(LanguageFile, ListHoldsEnglishAndAtMostTenFilesWithKeepableNames) {
  std::vector<std::string> names = {"untouched"};
  EXPECT_FALSE(ListLanguages(dir.Path().string(), names));
  EXPECT_EQ(names, std::vector<std::string>{"untouched"});
  for (const char* n : {"x", "ThirteenChars"}) std::ofstream(dir.File(std::string(n) + ".lan")) << "";
  EXPECT_FALSE(ListLanguages(dir.Path().string(), names));
  for (int i = 0; i < 11; ++i) std::ofstream(dir.File("L" + std::to_string(10 + i) + ".lan")) << "";
  ASSERT_TRUE(ListLanguages(dir.Path().string(), names));
  ASSERT_EQ(names.size(), 11u);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  EXPECT_NE(std::find(names.begin(), names.end(), "English"), names.end());
  for (const std::string& n : names) EXPECT_TRUE(ValidLanguageName(n)) << n;
}

}  // namespace
}  // namespace vorta::docs
