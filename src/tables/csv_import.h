// Reading a comma-separated UTF-8 text file into the import preview.
#pragma once

#include <string>
#include <string_view>

#include "tables/import_result.h"
#include "tables/string_grid.h"

namespace tralvin {

// Empties every preview cell (the row count stays), then line i of the text
// fills preview row i, cut at commas (no quoting, no trimming) into at most
// one cell per preview column. The row count grows by 10 whenever a line
// falls past it and never shrinks. A UTF-8 byte-order mark is skipped and
// malformed bytes become U+FFFD. At most kTextImportMaxLines lines are read;
// a longer text gives a notice in the result.
ImportResult ReadCsvText(std::string_view bytes, StringGrid& preview);

// Reads the file with ReadCsvText. A file that cannot be read leaves the
// preview unchanged and gives ok = false with the failure text.
ImportResult ReadCSVFile_utf8(const std::string& sFileName, StringGrid& preview);

}  // namespace tralvin
