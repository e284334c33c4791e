// Machine-readable output of vorta-cli: JSON objects and arrays built as text, one value at a time.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorta::cli {

// s as a JSON string: quotes, backslashes and control characters escaped.
std::string JsonString(std::string_view s);
// A number; null when it is no finite number.
std::string JsonNumber(double v);

class TJsonObject {
 public:
  TJsonObject& Text(std::string_view key, std::string_view value);
  // The text, or null when it is empty.
  TJsonObject& TextOrNull(std::string_view key, std::string_view value);
  TJsonObject& Number(std::string_view key, double value);
  TJsonObject& Bool(std::string_view key, bool value);
  // A value already in JSON (an object or an array).
  TJsonObject& Raw(std::string_view key, std::string_view json);
  std::string Str() const { return "{" + body_ + "}"; }

 private:
  void Key(std::string_view key);
  std::string body_;
};

// The items (each already JSON) as an array.
std::string JsonArray(const std::vector<std::string>& items);

}  // namespace vorta::cli
