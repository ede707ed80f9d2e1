// Whole-file reading and replacing a file through a temporary file.
#include "base/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

namespace tralvin {

namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

// Writes all bytes to an open descriptor and flushes them to the disk.
bool WriteAllAndSync(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return ::fsync(fd) == 0;
}

// The file a write really goes to: the final target of a symbolic link.
std::string WriteTarget(const std::string& fileName) {
  struct stat st;
  if (::lstat(fileName.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return fileName;
  std::error_code ec;
  std::filesystem::path target = std::filesystem::weakly_canonical(fileName, ec);
  return ec ? fileName : target.string();
}

std::string TempNameFor(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path path(target);
  std::string name = "." + path.filename().string() + ".tmp" + std::to_string(::getpid()) + "_" +
                     std::to_string(counter.fetch_add(1));
  return (path.parent_path() / name).string();
}

// Rewrites an existing file in place; used only when no temporary file can be
// created beside it.
bool RewriteInPlace(const std::string& target, std::string_view bytes) {
  int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = WriteAllAndSync(fd, bytes);
  return ::close(fd) == 0 && ok;
}

}  // namespace

FileWriteError::FileWriteError(const std::string& fileName, std::error_code code)
    : std::runtime_error("Unable to write to " + fileName), fileName_(fileName), code_(code) {}

bool ReadFileBytes(const std::string& fileName, std::string& bytes) {
  bytes.clear();
  int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  bytes.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      bytes.clear();
      return false;
    }
    if (n == 0) break;
    bytes.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return true;
}

void WriteFileAtomically(const std::string& fileName, std::string_view bytes) {
  if (fileName.empty())
    throw FileWriteError(fileName, std::make_error_code(std::errc::invalid_argument));
  const std::string target = WriteTarget(fileName);
  struct stat old;
  bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) {
    throw FileWriteError(fileName, std::make_error_code(std::errc::is_a_directory));
  }

  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = TempNameFor(target);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    std::error_code ec = LastError();
    if (exists && (errno == EACCES || errno == EPERM) && RewriteInPlace(target, bytes)) return;
    throw FileWriteError(fileName, ec);
  }
  if (exists) {
    // Keep the replaced file's permissions (and owner, where allowed).
    ::fchmod(fd, old.st_mode & 07777);
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
      // Only the owner of the folder may give files away; the new file then stays ours.
    }
  }
  bool ok = WriteAllAndSync(fd, bytes);
  std::error_code ec = ok ? std::error_code() : LastError();
  if (::close(fd) != 0 && ok) {
    ok = false;
    ec = LastError();
  }
  if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
    ok = false;
    ec = LastError();
  }
  if (!ok) {
    ::unlink(temp.c_str());
    throw FileWriteError(fileName, ec);
  }
}

}  // namespace tralvin
