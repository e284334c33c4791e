// The line buffer shared by the parameter file, the settings file, the log header and the report:
// a list of text lines with load, save, find-by-key and value-by-key.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/result.h"

namespace vorta::docs {

class TLineBuffer {
 public:
  std::vector<std::string>& Lines() { return lines_; }
  const std::vector<std::string>& Lines() const { return lines_; }
  void Clear() { lines_.clear(); }
  void Add(std::string line) { lines_.push_back(std::move(line)); }

  // Splits text into lines at LF, dropping a CR before it.
  void SetText(std::string_view text);
  // Loads a file; false (buffer cleared) when it cannot be read or is larger than maxBytes, which
  // is checked before anything is read.
  bool LoadFromFile(const std::string& path, std::size_t maxBytes);
  // Writes every line followed by CR LF (LF alone when crlf is false) through WriteFileAtomically.
  TResult SaveToFile(const std::string& path, bool crlf = true) const;

  // Index of the first line whose part before the first "=" equals key regardless of letter case.
  std::optional<std::size_t> FindKey(std::string_view key) const;
  // Everything after that "=", untrimmed.
  std::optional<std::string> Value(std::string_view key) const;

 private:
  std::vector<std::string> lines_;
};

// Writes data to a temporary file of its own beside path and renames it into place, so a failed
// write leaves the previous file intact and two writers never collide. Fails with "Cannot open
// file" and the system's reason ("No space left on device", "Is a directory", ...) as detail.
TResult WriteFileAtomically(const std::string& path, std::string_view data);

}  // namespace vorta::docs
