// Reading a worksheet of a workbook (.xlsx or .xls, told apart by content,
// not by name) into the import preview, with the row and stop rules of the
// import window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tables/import_result.h"
#include "tables/import_workbook_data.h"
#include "tables/string_grid.h"

namespace tralvin {

class CaptionTable;

// Puts the cells into the preview: worksheet row r, column c (c = 1..11) goes
// to preview column c - 1, row r - 1, untrimmed. A row holds data when one of
// its cells is not empty after trimming; the read stops after the 21st row in
// a row without data or after row 10000. The preview then has one row more
// than the last data row, so data after blank rows inside the table is kept.
void FillPreviewFromWorkbook(const WorkbookSheetData& data, StringGrid& preview);

// Empties sheetNames and the preview cells, then reads the worksheet with the
// zero-based index of the workbook file. sheetNames receives the worksheet
// names in workbook order. When the file cannot be opened or read the result
// is not ok, its message is the text of MSG_NEED_EXCEL and its detail says why.
struct WorkbookImportResult : ImportResult {
  std::string detail;
};
WorkbookImportResult ReadExcelFile(const std::string& sFileName, int m_excel_sheet_index,
                                   StringGrid& preview, std::vector<std::string>& sheetNames,
                                   const CaptionTable& captions);
// The same for an .xlsx workbook held in memory.
WorkbookImportResult ReadExcelBytes(std::string_view bytes, int m_excel_sheet_index,
                                    StringGrid& preview, std::vector<std::string>& sheetNames,
                                    const CaptionTable& captions);

}  // namespace tralvin
