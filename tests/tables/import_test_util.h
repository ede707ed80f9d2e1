// Shared helpers of the import and export tests: a scratch folder per test,
// file helpers and the fixture folder.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/test_files.h"

namespace tralvin::testing_import {

class ScratchFolder : public testing_files::ScratchFolder {
 public:
  ScratchFolder() : testing_files::ScratchFolder("tralvin_import") {}
};

using testing_files::ReadText;
using testing_files::WriteText;

inline std::string Fixture(const std::string& name) {
  return std::string(TRALVIN_TEST_DATA_DIR) + "/import/" + name;
}

}  // namespace tralvin::testing_import
