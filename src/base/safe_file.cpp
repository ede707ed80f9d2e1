// Whole-file reading, replacing a file through a temporary file, and writing
// to streams named like files.
#include "base/safe_file.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace tralvin {

namespace {

std::error_code ErrorOf(int err) { return {err, std::generic_category()}; }
std::error_code LastError() { return ErrorOf(errno); }

// Writes all bytes at `offset` (or at the current position when offset < 0).
bool WriteAll(int fd, std::string_view bytes, off_t offset) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = offset < 0 ? ::write(fd, p, left) : ::pwrite(fd, p, left, offset);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN) {
        // A stream left non-blocking by whoever opened it: wait until it takes more.
        pollfd pfd{fd, POLLOUT, 0};
        if (::poll(&pfd, 1, -1) >= 0 || errno == EINTR) continue;
      }
      return false;
    }
    if (n == 0) {
      errno = EIO;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
    if (offset >= 0) offset += n;
  }
  return true;
}

bool WriteAllAndSync(int fd, std::string_view bytes) {
  return WriteAll(fd, bytes, -1) && ::fsync(fd) == 0;
}

// The file a write really goes to: the final target of a symbolic link.
std::string WriteTarget(const std::string& fileName) {
  struct stat st;
  if (::lstat(fileName.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return fileName;
  std::error_code ec;
  std::filesystem::path target = std::filesystem::weakly_canonical(fileName, ec);
  return ec ? fileName : target.string();
}

// A short name in the target's folder, so that a target name near the
// system's limit still has a temporary name.
std::string TempNameFor(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path path(target);
  std::string name =
      ".tv" + std::to_string(::getpid()) + "_" + std::to_string(counter.fetch_add(1)) + ".tmp";
  return (path.parent_path() / name).string();
}

// The descriptor number behind /dev/fd/N or /proc/self/fd/N (or this
// process's /proc/PID/fd/N); -1 for any other name.
int OwnDescriptorNumber(const std::string& name) {
  std::string_view rest;
  const std::string self = "/proc/" + std::to_string(::getpid()) + "/fd/";
  for (std::string_view prefix :
       {std::string_view("/dev/fd/"), std::string_view("/proc/self/fd/"), std::string_view(self)}) {
    if (std::string_view(name).starts_with(prefix))
      rest = std::string_view(name).substr(prefix.size());
  }
  if (rest.empty() || rest.size() > 9) return -1;
  int n = 0;
  for (char c : rest) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

struct StreamTarget {
  bool stream = false;
  int ownFd = -1;  // a descriptor of this process the name stands for
};

// Follows the chain of symbolic links by hand: a link inside /proc or /dev/fd
// is a process's descriptor, a stream whatever it is connected to.
StreamTarget FindStreamTarget(const std::string& fileName) {
  std::string p = fileName;
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st;
    if (::lstat(p.c_str(), &st) != 0) return {};
    if (!S_ISLNK(st.st_mode)) {
      if (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) return {};
      return {true, -1};
    }
    if (p.starts_with("/proc/") || p.starts_with("/dev/fd/")) return {true, OwnDescriptorNumber(p)};
    char buf[PATH_MAX];
    ssize_t n = ::readlink(p.c_str(), buf, sizeof buf - 1);
    if (n < 0) return {};
    std::filesystem::path next(std::string(buf, static_cast<size_t>(n)));
    if (next.is_relative()) next = std::filesystem::path(p).parent_path() / next;
    p = next.lexically_normal().string();
  }
  return {};
}

void WriteStream(const std::string& fileName, const StreamTarget& target, std::string_view bytes) {
  int fd = -1;
  if (target.ownFd >= 0) {
    fd = ::fcntl(target.ownFd, F_DUPFD_CLOEXEC, 0);
  } else {
    // Not blocking in open(): a pipe without a reader is a failure, not a wait.
    fd = ::open(fileName.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  }
  if (fd < 0) throw FileWriteError(fileName, LastError());
  bool ok = WriteAll(fd, bytes, -1);
  std::error_code ec = ok ? std::error_code() : LastError();
  if (::close(fd) != 0 && ok && errno != EINTR) ec = LastError();
  if (ec) throw FileWriteError(fileName, ec);
}

// Rewrites an existing file in place; used only when no temporary file can be
// created beside it. The part beyond the old size is written first, so that a
// full disk or a file size limit fails before any old byte is touched; the old
// bytes are put back when a later step fails. Returns 0 or the failure's errno.
int RewriteInPlace(const std::string& target, std::string_view bytes) {
  std::string old;
  if (ReadRegularFile(target, old) != FileReadStatus::Ok) return EACCES;
  int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  const off_t oldSize = static_cast<off_t>(old.size());
  int err = 0;
  if (bytes.size() > old.size() && !WriteAll(fd, bytes.substr(old.size()), oldSize)) {
    err = errno;
    if (::ftruncate(fd, oldSize) != 0) {
      // The old bytes themselves were not touched.
    }
    ::close(fd);
    return err;
  }
  const bool ok = WriteAll(fd, bytes.substr(0, std::min(bytes.size(), old.size())), 0) &&
                  ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
  if (!ok) {
    err = errno;
    if (WriteAll(fd, old, 0) && ::ftruncate(fd, oldSize) == 0) ::fsync(fd);
  }
  if (::close(fd) != 0 && err == 0 && errno != EINTR) err = errno;
  return err;
}

}  // namespace

FileWriteError::FileWriteError(const std::string& fileName, std::error_code code)
    : std::runtime_error("Unable to write to " + fileName), fileName_(fileName), code_(code) {}

std::string WriteFailureText(const FileWriteError& error) {
  std::string text = error.what();
  if (error.Code()) text += " (" + error.Code().message() + ")";
  return text;
}

FileReadStatus CheckRegularFile(const std::string& fileName) {
  struct stat st;
  if (::stat(fileName.c_str(), &st) != 0) {
    return errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing
                                               : FileReadStatus::Unreadable;
  }
  if (!S_ISREG(st.st_mode)) return FileReadStatus::NotRegular;
  if (static_cast<unsigned long long>(st.st_size) > kMaxReadFileBytes) {
    return FileReadStatus::TooLarge;
  }
  return FileReadStatus::Ok;
}

FileReadStatus ReadRegularFile(const std::string& fileName, std::string& bytes) {
  bytes.clear();
  if (FileReadStatus status = CheckRegularFile(fileName); status != FileReadStatus::Ok) {
    return status;
  }
  struct stat st;
  // Not blocking, in case the name was replaced by a pipe since the check.
  int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? FileReadStatus::Missing : FileReadStatus::Unreadable;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return FileReadStatus::NotRegular;
  }
  bytes.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      bytes.clear();
      return FileReadStatus::Unreadable;
    }
    if (n == 0) break;
    if (bytes.size() + static_cast<size_t>(n) > kMaxReadFileBytes) {
      ::close(fd);
      bytes.clear();
      bytes.shrink_to_fit();
      return FileReadStatus::TooLarge;
    }
    bytes.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return FileReadStatus::Ok;
}

std::string FileReadRefusal(const std::string& fileName, FileReadStatus status) {
  const std::string head = "Cannot read file \"" + fileName + "\". ";
  switch (status) {
    case FileReadStatus::Ok:
    case FileReadStatus::Missing:
      return {};
    case FileReadStatus::NotRegular:
      return head + "Not a regular file";
    case FileReadStatus::TooLarge:
      return head + "The file is larger than the limit of " +
             std::to_string(kMaxReadFileBytes >> 20) + " MiB";
    case FileReadStatus::Unreadable:
      break;
  }
  return head + "The file cannot be read";
}

bool ReadFileBytes(const std::string& fileName, std::string& bytes) {
  return ReadRegularFile(fileName, bytes) == FileReadStatus::Ok;
}

bool IsStreamTarget(const std::string& fileName) { return FindStreamTarget(fileName).stream; }

void WriteFileAtomically(const std::string& fileName, std::string_view bytes) {
  if (fileName.empty())
    throw FileWriteError(fileName, std::make_error_code(std::errc::invalid_argument));
  if (StreamTarget stream = FindStreamTarget(fileName); stream.stream) {
    WriteStream(fileName, stream, bytes);
    return;
  }
  const std::string target = WriteTarget(fileName);
  struct stat old;
  bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) {
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
    if (exists && (errno == EACCES || errno == EPERM || errno == EROFS)) {
      const int err = RewriteInPlace(target, bytes);
      if (err == 0) return;
      // The in-place write's own failure is the cause, unless that file was
      // not writable either.
      if (err != EACCES && err != EPERM) ec = ErrorOf(err);
    }
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
