// Bounded part reading from an in-memory .xlsx archive (libzip).
#include "tables/xlsx_archive.h"

#include <zip.h>

#include <memory>
#include <vector>

#include "tables/import_workbook_data.h"

namespace tralvin {

namespace {

struct ZipFileCloser {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};

std::string ZipErrorText(zip_error_t* error) {
  const char* text = zip_error_strerror(error);
  return text != nullptr ? text : "unknown error";
}

}  // namespace

XlsxArchive::XlsxArchive(std::string_view bytes) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  if (source == nullptr) {
    const std::string text = ZipErrorText(&error);
    zip_error_fini(&error);
    throw WorkbookError("not a workbook archive: " + text);
  }
  archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
  if (archive_ == nullptr) {
    zip_source_free(source);
    const std::string text = ZipErrorText(&error);
    zip_error_fini(&error);
    throw WorkbookError("not a workbook archive: " + text);
  }
  zip_error_fini(&error);
}

XlsxArchive::~XlsxArchive() {
  if (archive_ != nullptr) zip_discard(archive_);
}

std::optional<std::string> XlsxArchive::Read(const std::string& partName,
                                             std::size_t maxBytes) const {
  const zip_int64_t index = zip_name_locate(archive_, partName.c_str(), ZIP_FL_NOCASE);
  if (index < 0) return std::nullopt;
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) == 0 &&
      (stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > maxBytes) {
    throw WorkbookError("part too large: " + partName);
  }
  std::unique_ptr<zip_file_t, ZipFileCloser> file(
      zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0));
  if (!file) throw WorkbookError("cannot open part: " + partName);
  std::string bytes;
  std::vector<char> buffer(65536);
  for (;;) {
    const zip_int64_t got = zip_fread(file.get(), buffer.data(), buffer.size());
    if (got < 0) throw WorkbookError("corrupt part: " + partName);
    if (got == 0) break;
    if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
      throw WorkbookError("part too large: " + partName);
    }
    bytes.append(buffer.data(), static_cast<std::size_t>(got));
  }
  return bytes;
}

std::string ResolvePartName(std::string_view baseFolder, std::string_view target) {
  std::string path;
  if (!target.empty() && target.front() == '/') {
    path = target.substr(1);
  } else {
    path = std::string(baseFolder) + std::string(target);
  }
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string segment = path.substr(start, end - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = end + 1;
  }
  std::string resolved;
  for (const auto& segment : segments) {
    if (!resolved.empty()) resolved += '/';
    resolved += segment;
  }
  return resolved;
}

}  // namespace tralvin
