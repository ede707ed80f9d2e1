// Whole-file reading and safe whole-file writing: a file is replaced by
// writing a temporary file beside it, flushing it to the disk and renaming it
// over the old one, so a failed or interrupted write never leaves the file
// half-written. Shared by every writer of program files.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace tralvin {

// A file that could not be written. what() is "Unable to write to <file name>".
class FileWriteError : public std::runtime_error {
 public:
  FileWriteError(const std::string& fileName, std::error_code code);
  const std::string& FileName() const { return fileName_; }
  // The reason the system gave (e.g. permission denied, no space left).
  std::error_code Code() const { return code_; }

 private:
  std::string fileName_;
  std::error_code code_;
};

// The whole content of a file; false (and `bytes` empty) when it is missing,
// not a regular file or cannot be read.
bool ReadFileBytes(const std::string& fileName, std::string& bytes);

// Replaces (or creates) the file with `bytes`. The new file keeps the
// permissions of the one it replaces, and a symbolic link is followed so that
// the link stays. When the folder does not allow the temporary file but the
// existing file itself is writable, the file is rewritten in place instead.
// Throws FileWriteError; on failure the old content is left as it was.
void WriteFileAtomically(const std::string& fileName, std::string_view bytes);

}  // namespace tralvin
