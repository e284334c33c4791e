// The result of a core routine that can fail: a success flag and, on failure, the English
// language-list key of what failed with an optional detail (a file name, a line number). Windows
// translate the key and show the message; core routines never show anything themselves.
#pragma once

#include <string>
#include <utility>

namespace vorta {

struct TResult {
  bool ok = true;
  std::string key;     // English language-list key; empty on success
  std::string detail;  // untranslated addition (file name, line, field), may be empty

  static TResult Ok() { return {}; }
  static TResult Fail(std::string key, std::string detail = {}) {
    return {false, std::move(key), std::move(detail)};
  }
  explicit operator bool() const { return ok; }
};

}  // namespace vorta
