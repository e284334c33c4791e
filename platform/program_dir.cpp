// Program directory from /proc/self/exe.
#include "platform/program_dir.h"

#include <unistd.h>

#include <array>

namespace vorta::platform {

std::string ProgramDir() {
  std::array<char, 4096> buf{};
  const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return ".";
  std::string path(buf.data(), static_cast<std::size_t>(n));
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace vorta::platform
