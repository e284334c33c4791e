// The measurement log's lines and its file writes.
#include "app/chart_log.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "docs/line_buffer.h"

namespace vorta::app {
namespace {

constexpr const char* kEol = "\r\n";
constexpr const char* kCannotOpen = "Cannot open file";

std::string WithSeparator(std::string s, char sep) {
  std::replace(s.begin(), s.end(), '.', sep);
  return s;
}

// Seconds with exactly two decimals from whole milliseconds, rounded to the hundredth (half up).
std::string Seconds(std::int64_t ms, char sep) {
  const long long cs = (std::max<std::int64_t>(ms, 0) + 5) / 10;
  char buf[40];
  std::snprintf(buf, sizeof buf, "+%lld.%02lld", cs / 100, cs % 100);
  return WithSeparator(buf, sep);
}

}  // namespace

std::string LogHeaderText(const TLogHeader& h) {
  std::string s = "Vorta series module measurements";
  s += kEol;
  s += "Date: " + h.date + "   Time: " + h.time + kEol;
  s += kEol;
  s += h.timeLabel + " [s]\t" + h.resultLabel + " [" + h.unit + "]\t" + h.outputLabel + " [mA]" + kEol;
  return s;
}

std::string LogLineText(std::int64_t elapsedMs, double value, double current, char sep) {
  if (value == 0) value = 0;  // no "-0"
  char v[40], c[40];
  std::snprintf(v, sizeof v, "%s%.4G", value >= 0 ? "+" : "", value);
  std::snprintf(c, sizeof c, "%s%6.4f", current >= 0 ? "+" : "", current);
  return Seconds(elapsedMs, sep) + "\t" + WithSeparator(v, sep) + "\t" + WithSeparator(c, sep) + kEol;
}

TResult WriteLogHeader(const std::string& path, const TLogHeader& h) {
  return docs::WriteFileAtomically(path, LogHeaderText(h));
}

TResult AppendLogLine(const std::string& path, std::string_view text) {
  // No O_CREAT: a log that was deleted while logging stops the logging instead of starting anew.
  const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) return TResult::Fail(kCannotOpen, std::strerror(errno));
  // A line the disk had no room for is taken back whole, so the log never ends in half a line.
  struct stat before {};
  const bool sized = fstat(fd, &before) == 0;
  int error = 0;
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : EIO;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  if (error != 0 && done > 0 && sized && ftruncate(fd, before.st_size) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error != 0) return TResult::Fail(kCannotOpen, std::strerror(error));
  return TResult::Ok();
}

}  // namespace vorta::app
