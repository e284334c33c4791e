// Line buffer file input and output.
#include "docs/line_buffer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

TResult TLineBuffer::SaveToFile(const std::string& path, bool crlf) const {
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

TResult WriteFileAtomically(const std::string& path, std::string_view data) {
  // A temporary file of its own beside the target: two writers never share it, and the rename
  // stays within one file system.
  const std::filesystem::path target(path);
  const std::filesystem::path dir = target.has_parent_path() ? target.parent_path() : ".";
  std::string tmp = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = mkstemp(tmp.data());
  if (fd < 0) return TResult::Fail("Cannot open file", std::strerror(errno));
  std::size_t done = 0;
  int error = 0;
  while (done < data.size()) {
    const ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : EIO;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  if (error == 0 && fsync(fd) != 0) error = errno;
  // mkstemp makes the file private; the program's files get the usual permissions.
  const mode_t mask = umask(0);
  umask(mask);
  if (error == 0 && fchmod(fd, 0666 & ~mask) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(tmp.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    std::remove(tmp.c_str());
    return TResult::Fail("Cannot open file", std::strerror(error));
  }
  return TResult::Ok();
}

}  // namespace vorta::docs
