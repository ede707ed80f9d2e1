// Copying and pasting blocks of cells as tab-separated text.
#include "tables/grid_clipboard.h"

#include <algorithm>
#include <vector>

namespace tralvin {

namespace {

// Splits tab-separated text into rows of cells. A cell that starts with a
// double quote is quoted the way spreadsheets quote cells holding tabs, line
// ends or quotes: it runs to the closing quote, and "" stands for one quote.
std::vector<std::vector<std::string>> ParseBlock(std::string_view text) {
  std::vector<std::vector<std::string>> rows(1);
  std::string cell;
  bool quoted = false, atCellStart = true;
  const auto endCell = [&] {
    rows.back().push_back(std::move(cell));
    cell.clear();
    atCellStart = true;
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        cell += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        cell += c;
      }
      continue;
    }
    if (c == '"' && atCellStart) {
      quoted = true;
      atCellStart = false;
    } else if (c == '\t') {
      endCell();
    } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      if (c == '\r') ++i;
      endCell();
      rows.emplace_back();
    } else {
      cell += c;
      atCellStart = false;
    }
  }
  endCell();
  // A final line end adds no row.
  if (rows.size() > 1 && rows.back().size() == 1 && rows.back()[0].empty()) rows.pop_back();
  return rows;
}

// A cell holding a tab, a line end or a leading quote goes in quotes.
std::string QuoteCell(const std::string& cell) {
  if (cell.find_first_of("\t\r\n") == std::string::npos && (cell.empty() || cell[0] != '"')) {
    return cell;
  }
  std::string quoted = "\"";
  for (char c : cell) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
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
      text += QuoteCell(grid.Cell(col, row));
    }
    text += '\n';
  }
  return text;
}

PastedBlock PasteBlock(StringGrid& grid, GridCell at, std::string_view text) {
  PastedBlock block;
  if (at.row < 1 || at.col < 0 || at.col >= grid.ColCount()) return block;
  if (text.empty()) return block;
  const std::vector<std::vector<std::string>> rows = ParseBlock(text);
  const int needed = at.row + static_cast<int>(rows.size()) + 1;
  if (needed > grid.RowCount()) {
    block.rowsAdded = needed - grid.RowCount();
    grid.SetRowCount(needed);
  }
  int right = at.col;
  for (size_t i = 0; i < rows.size(); ++i) {
    for (size_t c = 0; c < rows[i].size(); ++c) {
      const int col = at.col + static_cast<int>(c);
      if (col >= grid.ColCount()) break;
      grid.SetCell(col, at.row + static_cast<int>(i), rows[i][c]);
      right = std::max(right, col);
    }
  }
  block.first = at;
  block.last = {right, at.row + static_cast<int>(rows.size()) - 1};
  block.empty = false;
  return block;
}

}  // namespace tralvin
