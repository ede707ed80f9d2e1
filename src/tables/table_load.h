// Load and Append of the Stocks and Pieces tabs as whole steps: read or merge
// the file, then everything the tab shows afterwards (best-dimension mode and
// column titles, the file name, the totals), returned as one value.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tables/best_dimension.h"
#include "tables/grid_totals.h"
#include "tables/table_files.h"

namespace tralvin {

class CaptionTable;
class TPubFunc;

// After a stock load the window sets BestDimensionMode and
// CheckBoxBestDimension to read.bestDimensionMode, applies `view`, shows
// read.fileName in EditSheetsFileName and shows the totals (or the failure).
struct SheetsLoadOutcome {
  TableReadResult read;
  BestDimensionView view;
  SheetsTotalsResult totals;
};
struct PartsLoadOutcome {
  TableReadResult read;
  PartsTotalsResult totals;
};

// `measure` is the Measure setting, used in the best-dimension cost title.
SheetsLoadOutcome LoadSheetsTable(StringGrid& sheets, const std::string& sFileName,
                                  const CaptionTable& captions, std::string_view measure,
                                  const TPubFunc& pubFunc);
PartsLoadOutcome LoadPartsTable(StringGrid& parts, const std::string& sFileName,
                                const CaptionTable& captions, const TPubFunc& pubFunc);

// An append leaves the mode and the file name alone. `totals` is set only
// when the append succeeded; after a failed one the window shows
// append.message and keeps the totals it showed.
struct SheetsAppendOutcome {
  TableAppendResult append;
  std::optional<SheetsTotalsResult> totals;
};
struct PartsAppendOutcome {
  TableAppendResult append;
  std::optional<PartsTotalsResult> totals;
};

SheetsAppendOutcome AppendSheetsTable(StringGrid& sheets, const std::string& sFileName,
                                      const CaptionTable& captions, const TPubFunc& pubFunc);
PartsAppendOutcome AppendPartsTable(StringGrid& parts, const std::string& sFileName,
                                    const CaptionTable& captions, const TPubFunc& pubFunc);

}  // namespace tralvin
