// Editing aids and row operations of the stock and piece grids: moving on
// with Enter, fill-down and the pop-up editors when the current cell changes,
// swapping rows, Delete This Record, Delete All Records and Delete Empty.
// Every operation works on the grid model only and returns what the window
// has to do next (cell to make current, editors to show, totals to redo).
#pragma once

#include <string>
#include <string_view>

#include "tables/table_grids.h"

namespace tralvin {

// Enter in a grid: the cell to make current (column first, then row).
struct EnterMove {
  GridCell next;
  bool rowsAdded = false;        // 10 rows were added at the end first
  bool recomputeTotals = false;  // the move wrapped to column 0
};
// Moves to the next cell in reading order; adds 10 rows first when that cell
// lies in the last row or beyond it.
EnterMove MoveOnEnter(StringGrid& grid, GridKind kind, GridCell current);

// What the window does after the current cell changed.
struct CellEntered {
  bool filledDown = false;          // the cell got the text of the cell above
  bool showTypeEditor = false;      // material type column: the type editor over the cell
  std::string typeEditorText;       // its text: the cell's trimmed text
  bool showPriorityEditor = false;  // stock priority column: ComboBoxPriority over the cell
  int priorityItem = 0;             // item to select: 0..9; -1 = none (integer out of 0..9)
};
// Fill-down: from row 2 on, an empty (after trimming) cell takes the text of
// the cell directly above it. Then decides which pop-up editor to show.
CellEntered OnCurrentCellChanged(StringGrid& grid, GridKind kind, GridCell current);

// The priority editor lost the focus: its trimmed text replaces the cell.
void WritePriorityBack(StringGrid& sheets, GridCell current, std::string_view editorText);

// Swap the texts of rows I and J, column by column.
void ExchangeSheetsRow(StringGrid& sheets, int I, int J);
void ExchangePartsRow(StringGrid& parts, int I, int J);

// Delete This Record on `row`: the rows below move up and the grid loses one
// row, but never goes below 2 rows (the only data row is cleared instead).
// Returns false (nothing done) when `row` is not a data row. The caller
// recomputes the totals afterwards.
bool DeleteThisRecord(StringGrid& grid, int row);

// Delete All Records: clears every data cell; the row count stays. The caller
// recomputes the totals afterwards.
void DeleteAllRecords(StringGrid& grid);

// Delete Empty: removes every data row whose trimmed quantity (column 3) is
// "0" or empty, keeping at least 2 rows. Returns the row to make current: the
// one current before, or the last row when the grid became shorter.
// Runs in linear time.
int DeleteEmpty(StringGrid& grid, int currentRow);

}  // namespace tralvin
