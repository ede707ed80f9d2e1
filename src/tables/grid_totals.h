// Running totals shown below the stock grid (total length, quantity, cost)
// and the piece grid (total length, quantity). A row counts when both its
// length and its quantity cell hold text; a counted row whose value does not
// convert or is out of range makes the whole computation fail, and the window
// keeps the totals it showed before.
#pragma once

#include <optional>
#include <string>

#include "tables/table_grids.h"

namespace tralvin {

class CaptionTable;
class TPubFunc;

// Texts for EditTotalSheetsArea, EditTotalSheetsNumber, EditTotalSheetsCost.
struct SheetsTotals {
  std::string totalLength;
  std::string totalNumber;
  std::string totalCost;
};

// Texts for EditTotalPartsArea, EditTotalPartsNumber.
struct PartsTotals {
  std::string totalLength;
  std::string totalNumber;
};

// Exactly one of `totals` and `failure` is set. The failure message is
// "[" + conversion error text (empty for a range failure) + "]" + the caption
// text of the failing column's message.
struct SheetsTotalsResult {
  std::optional<SheetsTotals> totals;
  std::optional<GridFailure> failure;
};
struct PartsTotalsResult {
  std::optional<PartsTotals> totals;
  std::optional<GridFailure> failure;
};

// An empty cost cell of a counted row is set to "0" in the grid on the way.
// Sums are 64-bit, so large tables cannot wrap. Linear in the row count.
SheetsTotalsResult TotalOfSheets(StringGrid& sheets, const CaptionTable& captions,
                                 const TPubFunc& pubFunc);
PartsTotalsResult TotalOfParts(const StringGrid& parts, const CaptionTable& captions,
                               const TPubFunc& pubFunc);

}  // namespace tralvin
