// Listing of the port links.
#include "platform/port_links.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorta::platform {

std::string DeviceBehind(const std::string& path) {
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved) != nullptr) return resolved;
  // A dangling link still says where it pointed.
  const ssize_t n = readlink(path.c_str(), resolved, sizeof resolved - 1);
  if (n > 0) return std::string(resolved, static_cast<std::size_t>(n));
  return path;
}

std::vector<TPortLinkInfo> ListPortLinks(const std::string& dir) {
  std::vector<TPortLinkInfo> links;
  DIR* d = opendir(dir.c_str());
  if (d == nullptr) return links;
  while (const dirent* e = readdir(d)) {
    const std::string name = e->d_name;
    if (name.rfind("COM", 0) != 0) continue;
    links.push_back({name, DeviceBehind(dir + "/" + name)});
  }
  closedir(d);
  return links;
}

}  // namespace vorta::platform
