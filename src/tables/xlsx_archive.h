// The zip archive of an .xlsx workbook, opened from memory. Parts are looked
// up without regard to letter case and read with a cap on their uncompressed
// size, which the actual bytes read are checked against (so a zip bomb or a
// lying size field cannot exhaust memory).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct zip;

namespace tralvin {

class XlsxArchive {
 public:
  // Throws WorkbookError when the bytes are not a readable zip archive. The
  // bytes must stay alive as long as the archive.
  explicit XlsxArchive(std::string_view bytes);
  ~XlsxArchive();
  XlsxArchive(const XlsxArchive&) = delete;
  XlsxArchive& operator=(const XlsxArchive&) = delete;

  // The part's uncompressed bytes, nullopt when there is no such part. Throws
  // WorkbookError when the part is corrupt or larger than maxBytes.
  std::optional<std::string> Read(const std::string& partName, std::size_t maxBytes) const;

 private:
  struct zip* archive_ = nullptr;
};

// A relationship target resolved against the folder of the part that names
// it ("worksheets/sheet1.xml" from "xl/" gives "xl/worksheets/sheet1.xml";
// "/xl/x.xml" is absolute; "." and ".." are folded).
std::string ResolvePartName(std::string_view baseFolder, std::string_view target);

}  // namespace tralvin
