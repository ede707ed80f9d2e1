// Sorting a grid by a clicked column title. The first click on a column sorts
// it descending, the next ascending, and so on. All data rows take part, blank
// rows included; equal rows keep their order. Length, quantity and cost (or
// maximum quantity) columns compare as numbers (an empty cell is 0), the other
// columns by their texts' bytes, case-sensitively.
#pragma once

#include <optional>

#include "tables/table_grids.h"

namespace tralvin {

class TPubFunc;

// The window's sort state per grid: the column sorted last (-1 at start) and
// whether the next sort of that column is descending (true at start).
struct TableSortState {
  int m_SheetsSortIndex = -1;
  int m_PartsSortIndex = -1;
  bool m_SheetsDecSort = true;
  bool m_PartsDecSort = true;
};

// True for the columns that sort as numbers: 2, 3 and 4 in both grids.
bool IsNumericSortColumn(int column);

// Sorts the rows 1 .. RowCount - 1 of `grid` by `column`. Numeric cells are
// converted once, before anything moves: a cell that does not convert is
// returned as the failure (with the conversion error text) and the rows stay
// exactly as they were. A column outside the grid does nothing.
std::optional<GridFailure> SortGridRows(StringGrid& grid, GridKind kind, int column,
                                        bool descending, const TPubFunc& pubFunc);

// A click on the title of `column` (-1 when the click hit no title: nothing
// happens). Inverts the direction when the column is the one sorted last,
// remembers the column, then sorts.
std::optional<GridFailure> SortSheetsByColumn(StringGrid& sheets, int column, TableSortState& state,
                                              const TPubFunc& pubFunc);
std::optional<GridFailure> SortPartsByColumn(StringGrid& parts, int column, TableSortState& state,
                                             const TPubFunc& pubFunc);

}  // namespace tralvin
