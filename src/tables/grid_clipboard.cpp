// Copying and pasting blocks of cells as tab-separated text.
#include "tables/grid_clipboard.h"

#include <algorithm>
#include <vector>

namespace tralvin {

namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t end = text.find(separator, start);
    parts.emplace_back(text.substr(start, end == std::string_view::npos ? text.npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return parts;
}

}  // namespace

std::string CopyBlock(const StringGrid& grid, GridCell first, GridCell last) {
  const int top = std::max(1, std::min(first.row, last.row));
  const int bottom = std::min(grid.RowCount() - 1, std::max(first.row, last.row));
  const int left = std::max(0, std::min(first.col, last.col));
  const int right = std::min(grid.ColCount() - 1, std::max(first.col, last.col));
  std::string text;
  for (int row = top; row <= bottom; ++row) {
    for (int col = left; col <= right; ++col) {
      if (col > left) text += '\t';
      text += grid.Cell(col, row);
    }
    text += '\n';
  }
  return text;
}

PastedBlock PasteBlock(StringGrid& grid, GridCell at, std::string_view text) {
  PastedBlock block;
  if (at.row < 1 || at.col < 0 || at.col >= grid.ColCount()) return block;
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  if (text.empty()) return block;
  std::vector<std::string> lines = Split(text, '\n');
  const int needed = at.row + static_cast<int>(lines.size()) + 1;
  if (needed > grid.RowCount()) {
    block.rowsAdded = needed - grid.RowCount();
    grid.SetRowCount(needed);
  }
  int right = at.col;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string& line = lines[i];
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::vector<std::string> cells = Split(line, '\t');
    for (size_t c = 0; c < cells.size(); ++c) {
      const int col = at.col + static_cast<int>(c);
      if (col >= grid.ColCount()) break;
      grid.SetCell(col, at.row + static_cast<int>(i), cells[c]);
      right = std::max(right, col);
    }
  }
  block.first = at;
  block.last = {right, at.row + static_cast<int>(lines.size()) - 1};
  block.empty = false;
  return block;
}

}  // namespace tralvin
