// Reading the stock and piece grids for a job, label printing and the table
// update: every used row is validated and turned into a record in internal
// units. Reading stops at the first bad cell and reports the grid, the cell
// and the failure text. Empty cost and priority cells, and an empty quantity
// or maximum quantity, are filled in the grid as they are read.
#pragma once

#include <optional>

#include "optimizer/panels.h"
#include "tables/string_grid.h"
#include "tables/table_grids.h"

namespace tralvin {

class TPubFunc;
class CaptionTable;

// Fills GridStocks with one record per used row of the stock grid, in row
// order. In best-dimension mode column 3 holds the maximum length and every
// quantity is 0. The failure's message is the text for LastErrorText:
// message + "[" + detail + "]".
std::optional<GridFailure> ReadSheetsGrid(StringGrid& grid, bool bestDimensionMode,
                                          const TPubFunc& pubFunc, const CaptionTable& captions,
                                          TPanels& GridStocks);

// Fills GridPieces (number = maximum quantity) and GridPiecesRequired (the
// same pieces, number = required quantity) from the piece grid. The failure's
// message is "[" + detail + "]" + message.
std::optional<GridFailure> ReadPartsGrid(StringGrid& grid, const TPubFunc& pubFunc,
                                         const CaptionTable& captions, TPanels& GridPieces,
                                         TPanels& GridPiecesRequired);

}  // namespace tralvin
