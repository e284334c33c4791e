// The English language list and its lookup rules.
#include "docs/lang_list.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "docs/lang_keys.h"

namespace vorta::docs {
namespace {

TEST(LangKeys, HoldsTheTableInOrderWithoutDuplicates) {
  const auto& keys = LangKeys();
  EXPECT_EQ(keys.front(), "Vorta Transmitters");
  EXPECT_EQ(keys[2], "VortaEN");
  EXPECT_EQ(keys[66], "COM%d initialization failed");
  EXPECT_EQ(keys[208], "Result1");
  EXPECT_EQ(keys.back(), "Select type of transmitter");
  std::set<std::string_view> unique(keys.begin(), keys.end());
  EXPECT_EQ(unique.size(), kLangKeyCount);
}

TEST(LangList, EnglishMapsEveryKeyToItself) {
  TLangList list;
  list.BuildEnglish();
  EXPECT_EQ(list.Size(), kLangKeyCount);
  for (std::string_view key : LangKeys()) EXPECT_EQ(list.Value(key), key);
}

TEST(LangList, LookupIgnoresCaseTakesTheFirstMatchAndSplitsAtTheFirstEquals) {
  TLangList list;
  list.AddLine("cancel=Abbrechen");
  list.AddLine("Cancel=Second");
  list.AddLine("a=b=c");
  list.AddLine("no equals sign");
  EXPECT_EQ(list.Value("Cancel"), "Abbrechen");
  EXPECT_EQ(list.Value("A"), "b=c");
  EXPECT_EQ(list.Value("Missing"), "");
  EXPECT_FALSE(list.Has("Missing"));
  EXPECT_TRUE(list.Has("CANCEL"));
}

TEST(LangList, MarkerCharacterAndTextsOutsideTheTable) {
  TLangList list;
  list.BuildEnglish();
  list.AddLine("Other1=Inne1");
  EXPECT_EQ(list.Value1("Result1"), "Result");
  EXPECT_EQ(list.Value("Vorta Transmitter"), "");  // not a key: an empty text
  EXPECT_EQ(list.Value1("not a key"), "");
  EXPECT_EQ(list.ValueOrKey("No communication with device"), "No communication with device");
  EXPECT_EQ(list.ValueOrKey("Cancel"), "Cancel");
}

}  // namespace
}  // namespace vorta::docs
