// Whole-file reading and safe whole-file writing: a file is replaced by
// writing a temporary file beside it, flushing it to the disk and renaming it
// over the old one, so a failed or interrupted write never leaves the file
// half-written. Shared by every writer and reader of program files.
#pragma once

#include <cstddef>
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

// "Unable to write to <file>" followed by the reason in parentheses.
std::string WriteFailureText(const FileWriteError& error);

// The largest file the program reads whole (tables, options, types, captions).
inline constexpr std::size_t kMaxReadFileBytes = std::size_t{64} << 20;

enum class FileReadStatus { Ok, Missing, NotRegular, TooLarge, Unreadable };

// Reads a whole regular file into `bytes` (empty unless Ok). A folder, pipe,
// device or socket is refused before it is opened, so a read never waits for
// a writer; a file over kMaxReadFileBytes is refused as well.
FileReadStatus ReadRegularFile(const std::string& fileName, std::string& bytes);

// What ReadRegularFile would say about the file, without opening it: Ok for a
// regular file within the limit.
FileReadStatus CheckRegularFile(const std::string& fileName);

// The message for a refused read, naming the file; empty for Ok and Missing.
std::string FileReadRefusal(const std::string& fileName, FileReadStatus status);

// The whole content of a file; false (and `bytes` empty) when it is missing,
// not a regular file, too large or cannot be read.
bool ReadFileBytes(const std::string& fileName, std::string& bytes);

// True when the name designates a stream rather than a file to replace: a
// character device, pipe or socket, or a standard stream (/dev/stdout,
// /dev/stderr, /dev/fd/N, /proc/self/fd/N), even when the stream itself is
// redirected to a regular file.
bool IsStreamTarget(const std::string& fileName);

// Replaces (or creates) the file with `bytes`. The new file keeps the
// permissions of the one it replaces, and a symbolic link is followed so that
// the link stays. When the folder does not allow the temporary file but the
// existing file itself is writable, the file is rewritten in place instead;
// when that write fails, the old bytes are put back. A stream target (see
// IsStreamTarget) is written in order, without temporary file or rename.
// Throws FileWriteError with the system's reason; on failure the old content
// of a regular file is left as it was.
void WriteFileAtomically(const std::string& fileName, std::string_view bytes);

}  // namespace tralvin
