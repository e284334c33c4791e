// Naming and keeping the entries of the configuration history.
#include "app/config_history.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "comm/record_layout.h"
#include "docs/par_file.h"

namespace vorta::app {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxCopies = 1000;  // entries of one serial number, second and event

TResult CannotKeep(const std::string& reason) {
  return TResult::Fail("Cannot open file", reason);
}

// An empty file of a unique name in dir, which the entry is written over before it gets its name.
bool MakePlaceholder(const fs::path& dir, std::string& path, std::string& why) {
  path = (dir / ".keeping-XXXXXX").string();
  const int fd = mkstemp(path.data());
  if (fd < 0) {
    why = std::strerror(errno);
    return false;
  }
  close(fd);
  return true;
}

// Gives the complete file its name: a hard link fails rather than replace an existing entry.
THistoryEntry LinkFirstFree(const fs::path& dir, const std::string& placeholder, std::string_view serial,
                            const THistoryTime& t, THistoryEvent event) {
  for (int copy = 1; copy <= kMaxCopies; ++copy) {
    const fs::path target = dir / fs::path(HistoryEntryName(serial, t, event, copy)).filename();
    std::error_code ec;
    fs::create_hard_link(placeholder, target, ec);
    if (!ec) return {TResult::Ok(), target.string()};
    if (ec != std::errc::file_exists) return {CannotKeep(ec.message()), {}};
  }
  return {CannotKeep(std::strerror(EEXIST)), {}};
}

}  // namespace

THistoryTime HistoryTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string HistoryDirOf(const TSettings& s, const std::string& settingsDir) {
  if (s.HistoryDir.empty()) return settingsDir + "/history";
  if (s.HistoryDir.front() == '/') return s.HistoryDir;
  return settingsDir + "/" + s.HistoryDir;
}

std::string SerialOfRecord(const comm::TDeviceRecord& rec) {
  namespace r = comm::rec;
  return std::to_string(rec[r::kSerial] << 16 | rec[r::kSerial + 1] << 8 | rec[r::kSerial + 2]);
}

std::string SerialFolderName(std::string_view serial) {
  std::string name;
  for (const char c : serial.substr(0, kSerialCap)) {
    const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-';
    name += plain ? c : '_';
  }
  return name.empty() ? "unknown" : name;
}

std::string HistoryEntryName(std::string_view serial, const THistoryTime& t, THistoryEvent event, int copy) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  std::string name =
      SerialFolderName(serial) + "/" + stamp + (event == THistoryEvent::kRead ? "_read" : "_written");
  if (copy > 1) name += "_" + std::to_string(copy);
  return name + ".par";
}

THistoryEntry KeepInHistory(const std::string& historyDir, const TParamSet& p, std::string_view serial,
                            const THistoryTime& t, THistoryEvent event) {
  const fs::path dir = fs::path(historyDir) / SerialFolderName(serial);
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) return {CannotKeep(ec.message()), {}};
  std::string placeholder, why;
  if (!MakePlaceholder(dir, placeholder, why)) return {CannotKeep(why), {}};

  TParamSet kept = p;
  SetText(kept.serial, serial, kSerialCap);
  docs::TLineBuffer lines;
  docs::ComposeParFile(kept, lines, docs::LocaleDecimalSeparator());
  THistoryEntry entry;
  if (const TResult written = lines.SaveToFile(placeholder); !written)
    entry = {written, {}};
  else
    entry = LinkFirstFree(dir, placeholder, serial, t, event);
  std::remove(placeholder.c_str());
  return entry;
}

}  // namespace vorta::app
