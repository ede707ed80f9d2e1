// A table of cell texts, held exactly as typed: the model behind the stock
// grid, the piece grid and the import preview. Row 0 is the title row.
// Cells are addressed (column, row), as in the grids' Cells[col, row].
#pragma once

#include <string>
#include <vector>

namespace tralvin {

class StringGrid {
 public:
  StringGrid(int colCount = 0, int rowCount = 0);

  int ColCount() const { return colCount_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Growing adds empty rows at the end; shrinking drops rows from the end.
  void SetRowCount(int rowCount);
  void SetColCount(int colCount);

  // Out-of-range reads give the empty text; out-of-range writes are ignored.
  const std::string& Cell(int col, int row) const;
  void SetCell(int col, int row, std::string text);

  const std::vector<std::string>& Row(int row) const { return rows_.at(row); }
  void SetRow(int row, std::vector<std::string> cells);
  void ClearRow(int row);
  // Removes one row; the rows below move up.
  void DeleteRow(int row);
  // Inserts an empty row before `row`.
  void InsertRow(int row);
  void SwapRows(int a, int b);
  // Makes every data row (1..RowCount-1) empty, keeping the row count.
  void ClearData();
  // True when every cell of the row is empty.
  bool RowIsEmpty(int row) const;
  // Rows first .. first + n - 1 become the former rows sourceRows[0 .. n - 1]
  // (a permutation of that range); texts are moved, not copied.
  void ReorderRows(int first, const std::vector<int>& sourceRows);
  // Removes the rows whose flag is set, in one pass; the others keep their order.
  void EraseRows(const std::vector<bool>& remove);

 private:
  int colCount_;
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace tralvin
