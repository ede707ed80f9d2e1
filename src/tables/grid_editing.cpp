// Editing aids and row operations of the stock and piece grids.
#include "tables/grid_editing.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/pubfunc.h"

namespace tralvin {

EnterMove MoveOnEnter(StringGrid& grid, GridKind kind, GridCell current) {
  const int cols = GridColumnCount(kind);
  const long long position = static_cast<long long>(current.row) * cols + current.col + 1;
  EnterMove move;
  move.next.row = static_cast<int>(position / cols);
  move.next.col = static_cast<int>(position % cols);
  if (move.next.row >= grid.RowCount() - 1) {
    grid.SetRowCount(grid.RowCount() + kGridGrowRows);
    move.rowsAdded = true;
  }
  move.recomputeTotals = move.next.col == 0;
  return move;
}

CellEntered OnCurrentCellChanged(StringGrid& grid, GridKind kind, GridCell current) {
  CellEntered entered;
  if (current.row >= 2 && Trim(grid.Cell(current.col, current.row)).empty()) {
    grid.SetCell(current.col, current.row, grid.Cell(current.col, current.row - 1));
    entered.filledDown = true;
  }
  // The type column is 1 in both grids.
  if (current.col == kSheetColType) {
    entered.showTypeEditor = true;
    entered.typeEditorText = Trim(grid.Cell(current.col, current.row));
  }
  if (kind == GridKind::Sheets && current.col == kSheetColPriority) {
    entered.showPriorityEditor = true;
    int32_t value = 0;
    if (!TryStrToInt(grid.Cell(current.col, current.row), value)) {
      entered.priorityItem = 0;
    } else {
      entered.priorityItem = (value >= 0 && value <= 9) ? value : -1;
    }
  }
  return entered;
}

void WritePriorityBack(StringGrid& sheets, GridCell current, std::string_view editorText) {
  sheets.SetCell(current.col, current.row, Trim(editorText));
}

void ExchangeSheetsRow(StringGrid& sheets, int I, int J) { sheets.SwapRows(I, J); }

void ExchangePartsRow(StringGrid& parts, int I, int J) { parts.SwapRows(I, J); }

bool DeleteThisRecord(StringGrid& grid, int row) {
  const int last = grid.RowCount() - 1;
  if (row < 1 || row > last) return false;
  if (grid.RowCount() > 2) {
    grid.DeleteRow(row);
  } else {
    grid.ClearRow(row);
  }
  return true;
}

void DeleteAllRecords(StringGrid& grid) { grid.ClearData(); }

int DeleteEmpty(StringGrid& grid, int currentRow) {
  const int rows = grid.RowCount();
  if (rows < 2) return currentRow;
  std::vector<bool> remove(static_cast<size_t>(rows), false);
  int kept = 0;
  for (int r = 1; r < rows; ++r) {
    const std::string qty = Trim(grid.Cell(kSheetColQty, r));  // column 3 in both grids
    remove[r] = qty.empty() || qty == "0";
    if (!remove[r]) ++kept;
  }
  if (kept == 0) {
    // Deleting one by one stops at the last data row, which is cleared.
    remove[1] = false;
    grid.EraseRows(remove);
    grid.ClearRow(1);
  } else {
    grid.EraseRows(remove);
  }
  return std::min(currentRow, grid.RowCount() - 1);
}

}  // namespace tralvin
