// The outcome of exporting a table to a file.
#pragma once

#include <string>

namespace tralvin {

class FileWriteError;

struct ExportResult {
  bool ok = true;
  // The failure text for the window's warning box; empty on success.
  std::string message;
};

// "Unable to write to <file>" followed by the reason in parentheses.
std::string WriteFailureText(const FileWriteError& error);

}  // namespace tralvin
