// Sorting the stock and piece grids by a column.
#include "tables/grid_sort.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

#include "base/pubfunc.h"

namespace tralvin {

namespace {

// Converts every numeric key before any row moves, so a bad cell leaves the
// grid untouched. keys[i] belongs to row i + 1.
std::optional<GridFailure> NumericKeys(const StringGrid& grid, GridKind kind, int column,
                                       const TPubFunc& pubFunc, std::vector<int32_t>& keys) {
  keys.resize(static_cast<size_t>(grid.RowCount() - 1));
  for (int r = 1; r < grid.RowCount(); ++r) {
    try {
      keys[r - 1] = pubFunc.ExtStrToInt(FractionText(grid.Cell(column, r)));
    } catch (const ConversionError& e) {
      return GridFailure{kind, GridCell{column, r}, e.what()};
    }
  }
  return std::nullopt;
}

// The stable order of rows 1 .. n for the comparison `less` on key indexes.
template <typename Less>
std::vector<int> StableOrder(int dataRows, Less less) {
  std::vector<int> order(static_cast<size_t>(dataRows));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), less);
  for (int& i : order) ++i;
  return order;
}

std::optional<GridFailure> SortByClick(StringGrid& grid, GridKind kind, int column, int& sortIndex,
                                       bool& decSort, const TPubFunc& pubFunc) {
  if (column < 0 || column >= grid.ColCount()) return std::nullopt;
  if (column == sortIndex) decSort = !decSort;
  sortIndex = column;
  return SortGridRows(grid, kind, column, decSort, pubFunc);
}

}  // namespace

bool IsNumericSortColumn(int column) { return column >= 2 && column <= 4; }

std::optional<GridFailure> SortGridRows(StringGrid& grid, GridKind kind, int column,
                                        bool descending, const TPubFunc& pubFunc) {
  if (column < 0 || column >= grid.ColCount() || grid.RowCount() < 3) return std::nullopt;
  const int dataRows = grid.RowCount() - 1;
  std::vector<int> order;
  if (IsNumericSortColumn(column)) {
    std::vector<int32_t> keys;
    if (auto failure = NumericKeys(grid, kind, column, pubFunc, keys)) return failure;
    order = descending ? StableOrder(dataRows, [&](int a, int b) { return keys[a] > keys[b]; })
                       : StableOrder(dataRows, [&](int a, int b) { return keys[a] < keys[b]; });
  } else {
    // Byte order of UTF-8 text is code point order.
    auto text = [&](int i) -> const std::string& { return grid.Cell(column, i + 1); };
    order = descending ? StableOrder(dataRows, [&](int a, int b) { return text(a) > text(b); })
                       : StableOrder(dataRows, [&](int a, int b) { return text(a) < text(b); });
  }
  grid.ReorderRows(1, order);
  return std::nullopt;
}

std::optional<GridFailure> SortSheetsByColumn(StringGrid& sheets, int column, TableSortState& state,
                                              const TPubFunc& pubFunc) {
  return SortByClick(sheets, GridKind::Sheets, column, state.m_SheetsSortIndex,
                     state.m_SheetsDecSort, pubFunc);
}

std::optional<GridFailure> SortPartsByColumn(StringGrid& parts, int column, TableSortState& state,
                                             const TPubFunc& pubFunc) {
  return SortByClick(parts, GridKind::Parts, column, state.m_PartsSortIndex, state.m_PartsDecSort,
                     pubFunc);
}

}  // namespace tralvin
