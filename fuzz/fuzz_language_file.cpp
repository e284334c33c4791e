// A language file (*.lan) as the Options window loads it: valid only when it holds every key.
#include "docs/lang_keys.h"
#include "docs/language_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorta;
  fuzz::WriteInput("Fuzz.lan", data, size);
  std::string language = "Fuzz";
  docs::TLangList list;
  if (docs::LoadLanguage(fuzz::ScratchDir(), language, list)) {
    fuzz::Require(language == "Fuzz", "a loaded language keeps its name");
    fuzz::Require(!list.Value("Out of range!").empty(), "a loaded language has every text");
  }
  return 0;
}
