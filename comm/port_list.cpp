// The port list and the port trouble lines.
#include "comm/port_list.h"

#include <algorithm>
#include <map>

namespace vorta::comm {

namespace {

struct TFamily {
  std::string_view prefix;
  int first;
};
constexpr TFamily kFamilies[] = {{"/dev/ttyS", 1}, {"/dev/ttyUSB", 17}, {"/dev/ttyACM", 33}};
constexpr int kFamilySize = 16;

// A number of 1..maxDigits digits and nothing else; -1 otherwise.
long DigitsValue(std::string_view s, std::size_t maxDigits) {
  if (s.empty() || s.size() > maxDigits) return -1;
  long v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return -1;
    v = 10 * v + (c - '0');
  }
  return v;
}

std::string AboutOf(const TPortDevice& d) {
  if (!d.usb) return "built-in";
  std::string about = d.maker;
  if (!d.product.empty()) about += (about.empty() ? "" : " ") + d.product;
  return about.empty() ? "USB" : about;
}

}  // namespace

int ComNumberOf(std::string_view name) {
  if (name.substr(0, 3) != "COM") return 0;
  const long v = DigitsValue(name.substr(3), 5);
  return v >= 1 && v <= kMaxComNumber ? static_cast<int>(v) : 0;
}

int ComNumberOfDevice(std::string_view location) {
  for (const TFamily& f : kFamilies) {
    if (location.substr(0, f.prefix.size()) != f.prefix) continue;
    const long index = DigitsValue(location.substr(f.prefix.size()), 2);
    if (index >= 0 && index < kFamilySize) return f.first + static_cast<int>(index);
  }
  return 0;
}

std::vector<TPortEntry> BuildPortList(const std::vector<TPortDevice>& devices,
                                      const std::vector<platform::TPortLinkInfo>& links) {
  std::map<int, TPortEntry> byNumber;  // ordered by the whole number: COM2 before COM10
  for (const TPortDevice& d : devices) {
    const int n = ComNumberOfDevice(d.location);
    if (n > 0) byNumber[n] = {n, "COM" + std::to_string(n), d.location, AboutOf(d)};
  }
  for (const platform::TPortLinkInfo& l : links) {
    const int n = ComNumberOf(l.name);
    if (n > 0) byNumber[n] = {n, "COM" + std::to_string(n), l.target, "link in ports/", true};
  }
  std::vector<TPortEntry> list;
  list.reserve(byNumber.size());
  for (auto& [n, e] : byNumber) list.push_back(std::move(e));
  return list;
}

int PortIndexOf(const std::vector<TPortEntry>& list, int port) {
  const auto it =
      std::find_if(list.begin(), list.end(), [port](const TPortEntry& e) { return e.number == port; });
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

std::string PortEntryText(const TPortEntry& e) {
  std::string text = e.name + "  " + e.path;
  if (!e.about.empty()) text += "  " + e.about;
  return text;
}

std::string PortInUseText(int port, const std::string& device) {
  std::string text = "COM" + std::to_string(port);
  if (!device.empty()) text += " " + device;
  return text;
}

TTroubleLine PortTroubleLine(const platform::TPortOpenError& e) {
  using platform::PortTrouble;
  switch (e.trouble) {
    case PortTrouble::kNone:
      return {};
    case PortTrouble::kMissing:
      return {"The device %s does not exist", e.path, {}};
    case PortTrouble::kPermission:
      if (e.group.empty()) return {"Permission denied on %s", e.path, {}};
      return {"Permission denied on %s (group %g): sudo usermod -aG %g $USER, then log in again", e.path,
              e.group};
    case PortTrouble::kBusy:
      return {"%s is held by another program", e.path, {}};
    case PortTrouble::kNotSerial:
      return {"%s is not a serial port", e.path, {}};
    case PortTrouble::kOther:
      break;
  }
  return {"%s cannot be opened", e.path, {}};
}

}  // namespace vorta::comm
