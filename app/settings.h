// The program's own settings, kept in "Vorta.ini" in the program directory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/result.h"
#include "docs/line_buffer.h"

namespace vorta::app {

inline constexpr const char* kSettingsFileName = "Vorta.ini";
inline constexpr const char* kDefaultPassword = "zorv";
// Settings files are a few hundred bytes; anything larger than this is not read at all.
inline constexpr std::size_t kMaxSettingsBytes = 1024 * 1024;

struct TSettings {
  std::uint16_t ComPort = 1;
  bool RTPriority = false;
  std::int32_t MainLeft = 189;
  std::int32_t MainTop = 107;
  std::string Language = "English";
  std::string DataDir;  // the program directory unless the file says otherwise
  std::string Pass = kDefaultPassword;
  // Where the configuration history is kept; empty for history/ beside the settings file. Written
  // as a twelfth line only when set, so the usual file keeps its eleven lines.
  std::string HistoryDir;
};

// A history folder longer than this is not taken from the file.
inline constexpr std::size_t kMaxHistoryDirLength = 1024;

// The virtual desktop a saved window position must fit.
struct TDesktop {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Applies the settings found in lines to s, key by key; a key that is missing, no number, out of
// its range or of a wrong length leaves its value in s alone.
void ReadSettings(const docs::TLineBuffer& lines, const TDesktop& desktop, TSettings& s);
// Loads "Vorta.ini" from dir into s (defaults first, DataDir = dir); false when there was no file
// to read (s then holds the defaults).
bool LoadSettingsFile(const std::string& dir, const TDesktop& desktop, TSettings& s);

// The eleven lines of the settings file (and HistoryDir when it is set).
void ComposeSettings(const TSettings& s, docs::TLineBuffer& lines);
// Writes "Vorta.ini" into dir through a temporary file; the system's reason when it could not.
TResult SaveSettingsFile(const std::string& dir, const TSettings& s);

// The password as stored: character i is (password[i] XOR key[i]) + 31. Passwords are printable
// ASCII of at most 30 characters, so every stored byte lies in 31..158 and the text stays on one line.
std::string ScramblePassword(std::string_view password);
std::string UnscramblePassword(std::string_view stored);
// Whether text can be a password: 1..30 printable ASCII characters.
bool ValidPassword(std::string_view text);

}  // namespace vorta::app
