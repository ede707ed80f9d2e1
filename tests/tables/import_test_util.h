// Shared helpers of the import and export tests: a scratch folder per test,
// file helpers and the fixture folder.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tralvin::testing_import {

class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("tralvin_import_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" +
             std::to_string(getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }
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

inline std::string Fixture(const std::string& name) {
  return std::string(TRALVIN_TEST_DATA_DIR) + "/import/" + name;
}

}  // namespace tralvin::testing_import
