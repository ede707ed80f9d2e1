// Helpers shared by the tests that touch files: a scratch folder per test,
// removed afterwards, and whole-file reads and writes.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tralvin::testing_files {

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& prefix = "tralvin") {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            (prefix + "_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" +
             std::to_string(getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string Path() const { return path_.string(); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline void WriteText(const std::string& fileName, const std::string& text) {
  std::ofstream(fileName, std::ios::binary) << text;
}

inline std::string ReadText(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// Lets a test that needs file permissions to bind run as root too: while the
// scope lives, the effective user and group are "nobody" (65534) and the given
// folder belongs to them. Outside root it does nothing. Active() is false when
// the switch was refused, and the test should then be skipped.
class UnprivilegedScope {
 public:
  explicit UnprivilegedScope(const std::string& folder) {
    if (::geteuid() != 0) return;
    if (::chown(folder.c_str(), kNobody, kNobody) != 0 || ::setegid(kNobody) != 0) {
      active_ = false;
      return;
    }
    if (::seteuid(kNobody) != 0) {
      if (::setegid(0) != 0) std::abort();
      active_ = false;
      return;
    }
    switched_ = true;
  }
  ~UnprivilegedScope() {
    if (!switched_) return;
    if (::seteuid(0) != 0 || ::setegid(0) != 0) std::abort();
  }
  UnprivilegedScope(const UnprivilegedScope&) = delete;
  UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;

  bool Active() const { return active_; }

 private:
  static constexpr uid_t kNobody = 65534;
  bool active_ = true;
  bool switched_ = false;
};

}  // namespace tralvin::testing_files
