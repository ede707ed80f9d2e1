// The two editable tables: the stock grid (7 columns) and the piece grid
// (6 columns), their fixed column numbers, their start-up shape and the
// column titles taken from the caption table. Also the small value types the
// table operations return to the window (a cell to select, a failure to show).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tables/string_grid.h"

namespace tralvin {

class CaptionTable;

// Column numbers of the stock grid (StringGridSheets).
inline constexpr int kSheetColLabel = 0;
inline constexpr int kSheetColType = 1;
inline constexpr int kSheetColLength = 2;
inline constexpr int kSheetColQty = 3;  // the maximum length in best-dimension mode
inline constexpr int kSheetColCost = 4;
inline constexpr int kSheetColPriority = 5;
inline constexpr int kSheetColComment = 6;
inline constexpr int kSheetColCount = 7;

// Column numbers of the piece grid (StringGridParts).
inline constexpr int kPartColLabel = 0;
inline constexpr int kPartColType = 1;
inline constexpr int kPartColLength = 2;
inline constexpr int kPartColQty = 3;
inline constexpr int kPartColMaxQty = 4;
inline constexpr int kPartColComment = 5;
inline constexpr int kPartColCount = 6;

// Both grids start with the title row and 500 data rows.
inline constexpr int kInitialGridRows = 501;
// Rows added at a time when a grid runs out of rows (Enter, appending).
inline constexpr int kGridGrowRows = 10;

enum class GridKind { Sheets, Parts };

int GridColumnCount(GridKind kind);

// A cell of a grid, addressed (column, row) like the grid's own cells.
struct GridCell {
  int col = 0;
  int row = 0;
  bool operator==(const GridCell&) const = default;
};

// A failure the window shows: it brings up the tab of `grid`, focuses the
// grid, selects `cell` and shows `message` in a warning box.
struct GridFailure {
  GridKind grid = GridKind::Sheets;
  GridCell cell;
  std::string message;
};

// A stock grid of 501 rows whose row 0 holds the titles.
StringGrid MakeSheetsGrid(const CaptionTable& captions, bool bestDimensionMode,
                          std::string_view measure);
// A piece grid of 501 rows whose row 0 holds the titles.
StringGrid MakePartsGrid(const CaptionTable& captions);

// Writes the column titles into row 0 (at start-up and whenever the captions
// change). Columns 3 and 4 of the stock grid depend on best-dimension mode.
void ApplySheetsTitles(StringGrid& sheets, const CaptionTable& captions, bool bestDimensionMode,
                       std::string_view measure);
void ApplyPartsTitles(StringGrid& parts, const CaptionTable& captions);

}  // namespace tralvin
