// The list of serial ports: links in ports/ and the system's devices under their COM names.
#include "platform/port_list.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace vorta::platform {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxComNumber = 65535;  // the ComPort setting is a 16-bit number
constexpr int kFamilySize = 16;

// n of a decimal text of digits only, without a leading zero, in 1..max; 0 otherwise.
int PlainNumber(std::string_view digits, int max) {
  if (digits.empty() || digits.size() > 5 || digits[0] == '0') return 0;
  int n = 0;
  const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  if (r.ec != std::errc{} || r.ptr != digits.data() + digits.size() || n < 1 || n > max) return 0;
  return n;
}

// What a link in ports/ leads to: the system port it names, a pseudo-terminal, or nothing.
TPortEntry LinkEntry(int com, const fs::path& link, const std::vector<TSystemPort>& system) {
  TPortEntry e{com, link.string(), "", true};
  std::error_code ec;
  const fs::path target = fs::read_symlink(link, ec);
  if (!ec) e.device = target.string();
  if (!fs::exists(link, ec)) {
    e.description = "missing";
    return e;
  }
  const auto known =
      std::find_if(system.begin(), system.end(), [&](const TSystemPort& s) { return s.device == e.device; });
  if (known != system.end())
    e.description = known->description;
  else if (e.device.rfind("/dev/pts/", 0) == 0)
    e.description = "pseudo-terminal";
  return e;
}

std::vector<TPortEntry> Links(const std::vector<TSystemPort>& system, const std::string& portsDir) {
  std::vector<TPortEntry> links;
  std::error_code ec;
  for (fs::directory_iterator it(portsDir, ec), end; !ec && it != end; it.increment(ec)) {
    const int com = ComNumberOfName(it->path().filename().string());
    if (com != 0) links.push_back(LinkEntry(com, it->path(), system));
  }
  return links;
}

}  // namespace

std::string ComName(int n) {
  return "COM" + std::to_string(n);
}

int ComNumberOfName(std::string_view name) {
  if (name.substr(0, 3) != "COM") return 0;
  return PlainNumber(name.substr(3), kMaxComNumber);
}

int ComNumberOfDevice(std::string_view device) {
  static constexpr std::string_view kFamilies[] = {"/dev/ttyS", "/dev/ttyUSB", "/dev/ttyACM"};
  for (int f = 0; f < 3; ++f) {
    if (device.substr(0, kFamilies[f].size()) != kFamilies[f]) continue;
    const std::string_view rest = device.substr(kFamilies[f].size());
    // "0" is a device number of its own; PlainNumber refuses it as a leading zero.
    const int index = rest == "0" ? 0 : PlainNumber(rest, kFamilySize - 1);
    if (rest != "0" && index == 0) return 0;
    return f * kFamilySize + index + 1;
  }
  return 0;
}

std::vector<TPortEntry> ListPorts(const std::vector<TSystemPort>& system, const std::string& portsDir) {
  std::vector<TPortEntry> ports = Links(system, portsDir);
  for (const TSystemPort& s : system) {
    const int com = ComNumberOfDevice(s.device);
    // A device a link leads to is listed under the link's name only.
    const bool taken = std::any_of(ports.begin(), ports.end(), [&](const TPortEntry& p) {
      return (com != 0 && p.com == com) || p.device == s.device;
    });
    if (!taken) ports.push_back({com, s.device, s.description, false});
  }
  std::sort(ports.begin(), ports.end(), [](const TPortEntry& a, const TPortEntry& b) {
    if ((a.com == 0) != (b.com == 0)) return b.com == 0;
    return a.com != b.com ? a.com < b.com : a.device < b.device;
  });
  return ports;
}

}  // namespace vorta::platform
