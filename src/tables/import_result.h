// The outcome of reading a file into the import preview or a table.
#pragma once

#include <string>

namespace tralvin {

struct ImportResult {
  // False when the file could not be read (completely).
  bool ok = true;
  // Text for the user; empty when there is nothing to say. A successful read
  // may carry a notice (e.g. that only the first lines were read).
  std::string message;
};

}  // namespace tralvin
