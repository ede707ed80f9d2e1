// Reading Office Open XML workbooks (.xlsx) from memory: the worksheet names
// in workbook order and the cell texts of one worksheet (shared strings,
// inline strings, numbers, booleans, errors and the cached values of
// formulas). Every archive part read is capped at kWorkbookMaxPartBytes
// uncompressed, so a corrupt or hostile file ends with WorkbookError.
#pragma once

#include <string_view>

#include "tables/import_workbook_data.h"

namespace tralvin {

// Fills data.sheetNames as soon as they are known (also when the worksheet
// itself then fails), then the cells of the worksheet with the zero-based
// index sheetIndex in rows 1..maxRows and columns 1..maxCols. Throws WorkbookError.
void ReadXlsxWorkbook(std::string_view bytes, int sheetIndex, int maxRows, int maxCols,
                      WorkbookSheetData& data);

}  // namespace tralvin
