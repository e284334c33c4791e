// Line buffer file input and output.
#include "docs/line_buffer.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace vorta::docs {
namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

void TLineBuffer::SetText(std::string_view text) {
  lines_.clear();
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.emplace_back(line);
    start = end + 1;
  }
}

bool TLineBuffer::LoadFromFile(const std::string& path, std::size_t maxBytes) {
  lines_.clear();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || size > maxBytes) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string data(static_cast<std::size_t>(size), '\0');
  in.read(data.data(), static_cast<std::streamsize>(size));
  data.resize(static_cast<std::size_t>(in.gcount()));
  SetText(data);
  return true;
}

bool TLineBuffer::SaveToFile(const std::string& path, bool crlf) const {
  std::string data;
  for (const auto& line : lines_) {
    data += line;
    data += crlf ? "\r\n" : "\n";
  }
  return WriteFileAtomically(path, data);
}

std::optional<std::size_t> TLineBuffer::FindKey(std::string_view key) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto eq = lines_[i].find('=');
    if (eq != std::string::npos && EqualNoCase(std::string_view(lines_[i]).substr(0, eq), key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> TLineBuffer::Value(std::string_view key) const {
  const auto i = FindKey(key);
  if (!i) return std::nullopt;
  return lines_[*i].substr(lines_[*i].find('=') + 1);
}

bool WriteFileAtomically(const std::string& path, std::string_view data) {
  const std::string tmp = path + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    out.flush();
    if (!out) {
      out.close();
      std::remove(tmp.c_str());
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(tmp, path, ec);
  if (ec) {
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}

}  // namespace vorta::docs
