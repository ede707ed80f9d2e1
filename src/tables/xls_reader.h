// Reading legacy Excel workbooks (.xls, BIFF in a compound file) with
// libfreexl: worksheet names in workbook order and the cell texts of one
// worksheet. Password-protected files are refused.
#pragma once

#include <string>

#include "tables/import_workbook_data.h"

namespace tralvin {

// As ReadXlsxWorkbook, from a file. Throws WorkbookError.
void ReadXlsWorkbook(const std::string& fileName, int sheetIndex, int maxRows, int maxCols,
                     WorkbookSheetData& data);

}  // namespace tralvin
