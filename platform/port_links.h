// The port links of the folder ports/ (COMn names the simulated transmitter and users make) and
// the device a port path finally stands for.
#pragma once

#include <string>
#include <vector>

namespace vorta::platform {

struct TPortLinkInfo {
  std::string name;    // the entry's name, e.g. "COM1"
  std::string target;  // the device behind it; the link text itself when that is gone
};

// The entries of dir whose names start with "COM", in no particular order; none when dir is missing.
std::vector<TPortLinkInfo> ListPortLinks(const std::string& dir);
// The device a path stands for: a link followed to its end, otherwise the path itself.
std::string DeviceBehind(const std::string& path);

}  // namespace vorta::platform
