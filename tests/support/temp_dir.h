// For tests that touch the system: a folder of the test's own (mkdtemp), removed when the test
// ends however it ends, and waiting for a condition with a deadline that only a test that truly
// hangs reaches.
#pragma once

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>

namespace vorta::testing {

inline constexpr int kPatientMs = 20000;

class TempDir {
 public:
  TempDir() {
    std::string dir = (std::filesystem::temp_directory_path() / "vorta-test-XXXXXX").string();
    if (mkdtemp(dir.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = dir;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Polls until done() holds; false only when it still does not after kPatientMs.
template <typename F>
bool WaitUntil(F done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatientMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace vorta::testing
