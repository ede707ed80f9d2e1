// The outcome of exporting a table to a file.
#pragma once

#include <string>

namespace tralvin {

struct ExportResult {
  bool ok = true;
  // The failure text for the window's warning box; empty on success.
  std::string message;
};

}  // namespace tralvin
