// Makes every write past a few bytes fail with EFBIG for the lifetime of the object, as a full
// disk would, whoever runs the test (root is not exempt). Each test runs in a process of its own,
// so the process-wide limit touches nothing else.
#pragma once

#include <signal.h>
#include <sys/resource.h>

namespace vorta::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    old_handler_ = signal(SIGXFSZ, SIG_IGN);  // the write returns EFBIG instead of ending the process
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, old_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  sighandler_t old_handler_ = SIG_DFL;
};

}  // namespace vorta::testing
