// Exporting the stock or piece table as comma-separated UTF-8 text.
#pragma once

#include <string>

#include "tables/export_result.h"
#include "tables/string_grid.h"

namespace tralvin {

// The file content: a UTF-8 byte-order mark, then one line per table row
// (row 0, the titles, only when bIncludeTitle is set), each line ended by
// CR LF. A line holds every cell, left to right, without its leading and
// trailing blanks and followed by ","; nothing is quoted or escaped.
std::string TableToCsvText(const StringGrid& table, bool bIncludeTitle);

// Writes TableToCsvText to the file, replacing it through a temporary file,
// so a failed export leaves an existing file as it was.
ExportResult WriteTableTxtFile(const StringGrid& table, const std::string& sFilename,
                               bool bIncludeTitle);
ExportResult WriteSheetsTxtFile(const StringGrid& sheets, const std::string& sFilename,
                                bool bIncludeTitle);
ExportResult WritePartsTxtFile(const StringGrid& parts, const std::string& sFilename,
                               bool bIncludeTitle);

}  // namespace tralvin
