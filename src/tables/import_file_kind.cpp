// Telling the import reader by the file's extension.
#include "tables/import_file_kind.h"

#include "base/ascii_case.h"

namespace tralvin {

ImportFileKind ImportKindOfName(std::string_view fileName) {
  const std::size_t slash = fileName.find_last_of('/');
  const std::string_view base =
      slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
  const std::size_t dot = base.find_last_of('.');
  if (dot == std::string_view::npos) return ImportFileKind::None;
  const std::string ext = AsciiLower(base.substr(dot + 1));
  if (ext == "csv" || ext == "txt") return ImportFileKind::Text;
  if (ext == "xlsx" || ext == "xls") return ImportFileKind::Workbook;
  return ImportFileKind::None;
}

}  // namespace tralvin
