// The search for a characteristic's table file.
#include "app/table_search.h"

#include <filesystem>
#include <system_error>

namespace vorta::app {
namespace {

namespace fs = std::filesystem;

bool HasFile(const fs::path& dir, std::string_view name) {
  std::error_code ec;
  return !name.empty() && fs::is_regular_file(dir / name, ec);
}

bool IsFolder(const fs::path& dir) {
  std::error_code ec;
  return fs::is_directory(dir, ec);
}

}  // namespace

TTableSearch FindTableFile(std::string_view name, const std::string& lastDir, const std::string& programDir) {
  fs::path dir = lastDir;
  if (!HasFile(dir, name)) {
    dir = programDir;
    if (!HasFile(dir, name)) {
      if (IsFolder(dir / "Tables")) {
        dir /= "Tables";
      } else if (IsFolder(dir / "Tablice")) {
        dir /= "Tablice";
      }
    }
  }
  return {HasFile(dir, name) ? (dir / name).string() : std::string(), dir.string()};
}

}  // namespace vorta::app
