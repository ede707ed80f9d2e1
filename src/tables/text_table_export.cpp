// The comma-separated text export.
#include "tables/text_table_export.h"

#include "base/pubfunc.h"
#include "base/safe_file.h"

namespace tralvin {

std::string TableToCsvText(const StringGrid& table, bool bIncludeTitle) {
  std::string text = "\xEF\xBB\xBF";
  for (int r = bIncludeTitle ? 0 : 1; r < table.RowCount(); ++r) {
    for (int c = 0; c < table.ColCount(); ++c) {
      text += Trim(table.Cell(c, r));
      text += ',';
    }
    text += "\r\n";
  }
  return text;
}

ExportResult WriteTableTxtFile(const StringGrid& table, const std::string& sFilename,
                               bool bIncludeTitle) {
  try {
    WriteFileAtomically(sFilename, TableToCsvText(table, bIncludeTitle));
  } catch (const FileWriteError& e) {
    return {false, WriteFailureText(e)};
  }
  return {};
}

ExportResult WriteSheetsTxtFile(const StringGrid& sheets, const std::string& sFilename,
                                bool bIncludeTitle) {
  return WriteTableTxtFile(sheets, sFilename, bIncludeTitle);
}

ExportResult WritePartsTxtFile(const StringGrid& parts, const std::string& sFilename,
                               bool bIncludeTitle) {
  return WriteTableTxtFile(parts, sFilename, bIncludeTitle);
}

}  // namespace tralvin
