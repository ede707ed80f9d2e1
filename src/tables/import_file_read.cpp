// Bounded whole-file reading for the imports.
#include "tables/import_file_read.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "tables/import_file_types.h"

namespace tralvin {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string OpenFailure(const std::string& fileName, int err) {
  return "Cannot open file \"" + fileName + "\". " + std::strerror(err);
}

}  // namespace

std::string CheckImportFile(const std::string& fileName) {
  struct stat info;
  if (stat(fileName.c_str(), &info) != 0) return OpenFailure(fileName, errno);
  // A folder, pipe or device is refused before opening: reading a pipe could
  // wait forever.
  if (S_ISDIR(info.st_mode)) return OpenFailure(fileName, EISDIR);
  if (!S_ISREG(info.st_mode)) return "Cannot open file \"" + fileName + "\". Not a regular file";
  return {};
}

std::string ReadImportFile(const std::string& fileName, std::string& bytes) {
  bytes.clear();
  if (std::string error = CheckImportFile(fileName); !error.empty()) return error;
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
  if (!file) return OpenFailure(fileName, errno != 0 ? errno : ENOENT);
  char buffer[65536];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    if (got > 0) {
      if (bytes.size() + got > kImportMaxFileBytes) {
        bytes.clear();
        return kImportFileTooLarge;
      }
      bytes.append(buffer, got);
    }
    if (got < sizeof buffer) break;
  }
  if (std::ferror(file.get())) {
    const int err = errno != 0 ? errno : EIO;
    bytes.clear();
    return "Cannot read file \"" + fileName + "\". " + std::strerror(err);
  }
  return {};
}

}  // namespace tralvin
