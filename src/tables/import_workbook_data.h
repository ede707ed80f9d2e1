// What the workbook readers deliver: the worksheet names in workbook order and
// the cell texts of one worksheet, limited to the rows and columns asked for.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tralvin {

// A workbook that cannot be opened or read; what() tells why.
class WorkbookError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct WorkbookSheetData {
  std::vector<std::string> sheetNames;
  // rows[r][c] is the text of worksheet row r + 1, column c + 1. The list ends
  // with the last row holding a cell text; every row has maxCols cells.
  std::vector<std::vector<std::string>> rows;
};

// Where a worksheet cell goes; false when it lies outside the limits.
inline bool PutWorkbookCell(WorkbookSheetData& data, long long row, long long col, int maxRows,
                            int maxCols, std::string text) {
  if (row < 1 || col < 1 || row > maxRows || col > maxCols) return false;
  if (text.empty()) return true;
  if (data.rows.size() < static_cast<std::size_t>(row)) {
    data.rows.resize(static_cast<std::size_t>(row), std::vector<std::string>(maxCols));
  }
  data.rows[row - 1][col - 1] = std::move(text);
  return true;
}

}  // namespace tralvin
