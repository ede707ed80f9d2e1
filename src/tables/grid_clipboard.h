// Blocks of cells as tab-separated text, the way spreadsheets put them on the
// clipboard: one line per row, cells separated by tabs.
#pragma once

#include <string>
#include <string_view>

#include "tables/table_grids.h"

namespace tralvin {

// The texts of the data cells in the rectangle from `first` to `last`
// (inclusive, any corner order), tabs between cells, "\n" after each row.
std::string CopyBlock(const StringGrid& grid, GridCell first, GridCell last);

// The cells a paste wrote: from `first` to `last` inclusive; `rowsAdded` rows
// were added at the end of the grid to hold them.
struct PastedBlock {
  GridCell first;
  GridCell last;
  int rowsAdded = 0;
  bool empty = true;  // nothing was pasted
};

// Writes tab-separated `text` into the grid with its top-left cell at `at`
// (a data cell). Lines end at LF or CR LF; a final line end adds no row. A
// cell in double quotes may hold tabs and line ends ("" is one quote).
// Cells right of the last column are dropped. When the block reaches the last
// row, the grid grows so that one empty row stays below it.
PastedBlock PasteBlock(StringGrid& grid, GridCell at, std::string_view text);

}  // namespace tralvin
