// Reading a plain comma-separated text table straight into the stock or piece
// table, as the start-up switches "-stock:" and "-piece:" do.
#pragma once

#include <string>
#include <string_view>

#include "tables/import_result.h"
#include "tables/string_grid.h"

namespace tralvin {

class CaptionTable;

// Empties the table's data rows, then line i of the text fills table row
// i + 1, cut at commas into at most as many cells as the table has columns.
// The text is taken as UTF-8 where it is valid and as Windows-1252 elsewhere.
// The row count becomes the number of lines + 1 (at least 2, so the table
// keeps a data row). At most kTextImportMaxLines lines are read.
ImportResult ReadTextTable(std::string_view bytes, StringGrid& table);

// Reads the file with ReadTextTable. When the file cannot be read the table is
// left empty and the message is "[" + the failure + "]" + the text of
// MSG_CANT_READ_IMPORT_TXT_FILE. On success the window disables the table's
// Save button and shows the file name in its file name box.
ImportResult ReadSheetsTXTFile(StringGrid& sheets, const std::string& filename,
                               const CaptionTable& captions);
ImportResult ReadPartsTXTFile(StringGrid& parts, const std::string& filename,
                              const CaptionTable& captions);

}  // namespace tralvin
