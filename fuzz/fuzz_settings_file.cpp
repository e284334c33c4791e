// The settings file Vorta.ini: read, then composed again for the end of the run.
#include <string_view>

#include "app/settings.h"
#include "docs/line_buffer.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorta;
  docs::TLineBuffer lines;
  lines.SetText(std::string_view(reinterpret_cast<const char*>(data), size));
  app::TSettings s;
  app::ReadSettings(lines, app::TDesktop{0, 0, 1920, 1200}, s);
  docs::TLineBuffer out;
  app::ComposeSettings(s, out);
  app::TSettings again;
  app::ReadSettings(out, app::TDesktop{0, 0, 1920, 1200}, again);
  fuzz::Require(again.Language == s.Language && again.ComPort == s.ComPort, "settings read back as written");
  return 0;
}
