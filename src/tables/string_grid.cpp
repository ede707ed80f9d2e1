// The cell-text table model.
#include "tables/string_grid.h"

#include <algorithm>
#include <utility>

namespace tralvin {

namespace {
const std::string kEmpty;
}

StringGrid::StringGrid(int colCount, int rowCount) : colCount_(std::max(colCount, 0)) {
  rows_.assign(static_cast<size_t>(std::max(rowCount, 0)), std::vector<std::string>(colCount_));
}

void StringGrid::SetRowCount(int rowCount) {
  rows_.resize(static_cast<size_t>(std::max(rowCount, 0)), std::vector<std::string>(colCount_));
}

void StringGrid::SetColCount(int colCount) {
  colCount_ = std::max(colCount, 0);
  for (auto& row : rows_) row.resize(colCount_);
}

const std::string& StringGrid::Cell(int col, int row) const {
  if (row < 0 || row >= RowCount() || col < 0 || col >= colCount_) return kEmpty;
  return rows_[row][col];
}

void StringGrid::SetCell(int col, int row, std::string text) {
  if (row < 0 || row >= RowCount() || col < 0 || col >= colCount_) return;
  rows_[row][col] = std::move(text);
}

void StringGrid::SetRow(int row, std::vector<std::string> cells) {
  if (row < 0 || row >= RowCount()) return;
  cells.resize(colCount_);
  rows_[row] = std::move(cells);
}

void StringGrid::ClearRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  for (auto& cell : rows_[row]) cell.clear();
}

void StringGrid::DeleteRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  rows_.erase(rows_.begin() + row);
}

void StringGrid::InsertRow(int row) {
  row = std::clamp(row, 0, RowCount());
  rows_.insert(rows_.begin() + row, std::vector<std::string>(colCount_));
}

void StringGrid::SwapRows(int a, int b) {
  if (a < 0 || b < 0 || a >= RowCount() || b >= RowCount()) return;
  std::swap(rows_[a], rows_[b]);
}

void StringGrid::ClearData() {
  for (int r = 1; r < RowCount(); ++r) ClearRow(r);
}

bool StringGrid::RowIsEmpty(int row) const {
  if (row < 0 || row >= RowCount()) return true;
  return std::all_of(rows_[row].begin(), rows_[row].end(),
                     [](const std::string& c) { return c.empty(); });
}

void StringGrid::ReorderRows(int first, const std::vector<int>& sourceRows) {
  const int n = static_cast<int>(sourceRows.size());
  if (first < 0 || first + n > RowCount()) return;
  std::vector<std::vector<std::string>> moved;
  moved.reserve(n);
  for (int src : sourceRows) {
    if (src < first || src >= first + n) return;
  }
  for (int src : sourceRows) moved.push_back(std::move(rows_[src]));
  for (int i = 0; i < n; ++i) rows_[first + i] = std::move(moved[i]);
}

void StringGrid::EraseRows(const std::vector<bool>& remove) {
  size_t kept = 0;
  for (size_t r = 0; r < rows_.size(); ++r) {
    if (r < remove.size() && remove[r]) continue;
    if (kept != r) rows_[kept] = std::move(rows_[r]);
    ++kept;
  }
  rows_.resize(kept);
}

}  // namespace tralvin
