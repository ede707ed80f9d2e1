// The .xlsx export through libxlsxwriter.
#include "tables/export_xlsx.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/safe_file.h"
#include "tables/import_file_types.h"

namespace tralvin {

namespace {

// A unique temporary file name, removed again when the object ends.
class TempFile {
 public:
  TempFile() {
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec) folder = "/tmp";
    std::string pattern = (folder / "tralvin-export-XXXXXX").string();
    const int fd = mkstemp(pattern.data());
    if (fd >= 0) {
      close(fd);
      name_ = pattern;
    }
  }
  ~TempFile() {
    if (!name_.empty()) unlink(name_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Workbook readers turn "_xHHHH_" into the character HHHH. A text that holds
// such a sequence literally gets its "_" written as "_x005F_" so it reads
// back unchanged (the writer escapes control characters itself).
std::string ProtectLiteralEscapes(const std::string& text) {
  if (text.find("_x") == std::string::npos) return text;
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool escape = text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' &&
                        IsHexDigit(text[i + 2]) && IsHexDigit(text[i + 3]) &&
                        IsHexDigit(text[i + 4]) && IsHexDigit(text[i + 5]) && text[i + 6] == '_';
    if (escape) {
      out += "_x005F_";
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string LxwFailure(const std::string& fileName, lxw_error error) {
  return "Unable to write to " + fileName + " (" + lxw_strerror(error) + ")";
}

}  // namespace

ExportResult WriteTableExcelFile(const StringGrid& table, const std::string& sFilename,
                                 bool bIncludeTitle, std::string_view sheetName) {
  const TempFile temp;
  if (temp.Name().empty()) return {false, "Unable to write to " + sFilename};
  lxw_workbook* workbook = workbook_new(temp.Name().c_str());
  if (workbook == nullptr) return {false, "Unable to write to " + sFilename};
  const std::string name(sheetName);
  lxw_worksheet* worksheet = workbook_add_worksheet(workbook, name.c_str());
  lxw_error error = worksheet == nullptr ? LXW_ERROR_MEMORY_MALLOC_FAILED : LXW_NO_ERROR;
  const int first = bIncludeTitle ? 0 : 1;
  for (int r = first; error == LXW_NO_ERROR && r < table.RowCount(); ++r) {
    for (int c = 0; c < table.ColCount(); ++c) {
      const std::string text = ProtectLiteralEscapes(table.Cell(c, r));
      if (text.empty()) continue;
      error = worksheet_write_string(worksheet, static_cast<lxw_row_t>(r - first),
                                     static_cast<lxw_col_t>(c), text.c_str(), nullptr);
      if (error != LXW_NO_ERROR) break;
    }
  }
  if (error != LXW_NO_ERROR) {
    // Closing writes the file; the temporary file is removed afterwards anyway.
    workbook_close(workbook);
    return {false, LxwFailure(sFilename, error)};
  }
  error = workbook_close(workbook);
  if (error != LXW_NO_ERROR) return {false, LxwFailure(sFilename, error)};

  std::string bytes;
  if (!ReadFileBytes(temp.Name(), bytes)) return {false, "Unable to write to " + sFilename};
  try {
    WriteFileAtomically(sFilename, bytes);
  } catch (const FileWriteError& e) {
    return {false, WriteFailureText(e)};
  }
  return {};
}

ExportResult WriteSheetsExcelFile(const StringGrid& sheets, const std::string& sFilename,
                                  bool bIncludeTitle) {
  return WriteTableExcelFile(sheets, sFilename, bIncludeTitle, kStockSheetName);
}

ExportResult WritePartsExcelFile(const StringGrid& parts, const std::string& sFilename,
                                 bool bIncludeTitle) {
  return WriteTableExcelFile(parts, sFilename, bIncludeTitle, kPieceSheetName);
}

}  // namespace tralvin
