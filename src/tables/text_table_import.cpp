// The plain text table import of the start-up switches.
#include "tables/text_table_import.h"

#include <algorithm>

#include "base/text_decode.h"
#include "tables/csv_line.h"
#include "tables/import_file_read.h"
#include "tables/import_file_types.h"
#include "texts/caption_table.h"

namespace tralvin {

namespace {

ImportResult ReadTableFile(StringGrid& table, const std::string& filename,
                           const CaptionTable& captions) {
  table.ClearData();
  std::string bytes;
  const std::string error = ReadImportFile(filename, bytes);
  if (!error.empty()) {
    return {false, "[" + error + "]" + captions.Text("MSG_CANT_READ_IMPORT_TXT_FILE")};
  }
  return ReadTextTable(bytes, table);
}

}  // namespace

ImportResult ReadTextTable(std::string_view bytes, StringGrid& table) {
  table.ClearData();
  const std::string text = DecodeText(bytes);
  ImportResult result;
  LineCursor lines(text);
  std::string_view line;
  int count = 0;
  while (lines.Next(line)) {
    if (count == kTextImportMaxLines) {
      result.message = kTextImportLineLimitNotice;
      break;
    }
    const int row = count + 1;
    if (row >= table.RowCount()) table.SetRowCount(table.RowCount() + kRowGrowth);
    table.SetRow(row, SplitCommaLine(line, table.ColCount(), kMaxCellChars));
    ++count;
  }
  table.SetRowCount(std::max(count + 1, 2));
  return result;
}

ImportResult ReadSheetsTXTFile(StringGrid& sheets, const std::string& filename,
                               const CaptionTable& captions) {
  return ReadTableFile(sheets, filename, captions);
}

ImportResult ReadPartsTXTFile(StringGrid& parts, const std::string& filename,
                              const CaptionTable& captions) {
  return ReadTableFile(parts, filename, captions);
}

}  // namespace tralvin
