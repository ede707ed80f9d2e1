// Exporting the stock or piece table as an .xlsx workbook with one worksheet
// ("panels" for stocks, "parts" for pieces). Every cell is written as its
// untrimmed text. With titles, table row i goes to worksheet row i + 1;
// without, data row i goes to worksheet row i. Table column j goes to
// worksheet column j + 1. The workbook is built in a temporary file and then
// replaces the target, so a failed export leaves an existing file as it was.
#pragma once

#include <string>
#include <string_view>

#include "tables/export_result.h"
#include "tables/string_grid.h"

namespace tralvin {

ExportResult WriteTableExcelFile(const StringGrid& table, const std::string& sFilename,
                                 bool bIncludeTitle, std::string_view sheetName);
ExportResult WriteSheetsExcelFile(const StringGrid& sheets, const std::string& sFilename,
                                  bool bIncludeTitle);
ExportResult WritePartsExcelFile(const StringGrid& parts, const std::string& sFilename,
                                 bool bIncludeTitle);

}  // namespace tralvin
