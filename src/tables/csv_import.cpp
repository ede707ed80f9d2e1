// The comma-separated text import of the import window.
#include "tables/csv_import.h"

#include "base/text_decode.h"
#include "tables/csv_line.h"
#include "tables/import_file_read.h"
#include "tables/import_file_types.h"

namespace tralvin {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

void ClearCells(StringGrid& grid) {
  for (int r = 0; r < grid.RowCount(); ++r) grid.ClearRow(r);
}

}  // namespace

ImportResult ReadCsvText(std::string_view bytes, StringGrid& preview) {
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) bytes.remove_prefix(kUtf8Bom.size());
  ClearCells(preview);
  ImportResult result;
  LineCursor lines(bytes);
  std::string_view line;
  int row = 0;
  while (lines.Next(line)) {
    if (row == kTextImportMaxLines) {
      result.message = kTextImportLineLimitNotice;
      break;
    }
    if (row >= preview.RowCount()) preview.SetRowCount(preview.RowCount() + kRowGrowth);
    const std::string valid = ReplaceInvalidUtf8(line);
    preview.SetRow(row, SplitCommaLine(valid, preview.ColCount(), kMaxCellChars));
    ++row;
  }
  return result;
}

ImportResult ReadCSVFile_utf8(const std::string& sFileName, StringGrid& preview) {
  std::string bytes;
  std::string error = ReadImportFile(sFileName, bytes);
  if (!error.empty()) return {false, std::move(error)};
  return ReadCsvText(bytes, preview);
}

}  // namespace tralvin
