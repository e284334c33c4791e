// JSON text.
#include "cli/cli_json.h"

#include <cmath>
#include <cstdio>

namespace vorta::cli {

std::string JsonString(std::string_view s) {
  std::string out = "\"";
  for (const char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u == 0x7F) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04x", u);
      out += esc;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string JsonNumber(double v) {
  if (!std::isfinite(v)) return "null";
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", v);
  return text;
}

void TJsonObject::Key(std::string_view key) {
  if (!body_.empty()) body_ += ",";
  body_ += JsonString(key) + ":";
}

TJsonObject& TJsonObject::Text(std::string_view key, std::string_view value) {
  return Raw(key, JsonString(value));
}

TJsonObject& TJsonObject::TextOrNull(std::string_view key, std::string_view value) {
  return Raw(key, value.empty() ? "null" : JsonString(value));
}

TJsonObject& TJsonObject::Number(std::string_view key, double value) {
  return Raw(key, JsonNumber(value));
}

TJsonObject& TJsonObject::Bool(std::string_view key, bool value) {
  return Raw(key, value ? "true" : "false");
}

TJsonObject& TJsonObject::Raw(std::string_view key, std::string_view json) {
  Key(key);
  body_ += json;
  return *this;
}

std::string JsonArray(const std::vector<std::string>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i];
  return out + "]";
}

}  // namespace vorta::cli
