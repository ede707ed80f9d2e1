// Shared helpers of the settings tests: a scratch folder per test and small
// file helpers.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/test_files.h"

namespace tralvin::testing_settings {

class ScratchFolder : public testing_files::ScratchFolder {
 public:
  ScratchFolder() : testing_files::ScratchFolder("tralvin_settings") {}
};

using testing_files::ReadText;
using testing_files::WriteText;

}  // namespace tralvin::testing_settings
