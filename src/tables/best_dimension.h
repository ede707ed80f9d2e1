// The Best Dimension switch of the stock grid: in best-dimension mode column 3
// holds the maximum length and column 4 the price per unit, so their titles
// change, the totals are hidden and the stock buttons that make no sense for
// such a table are disabled. Cell texts are never touched.
#pragma once

#include <string_view>

#include "tables/string_grid.h"

namespace tralvin {

class CaptionTable;

// What the Stocks tab shows after the switch.
struct BestDimensionView {
  bool totalsVisible = true;  // the three total labels and edits
  bool appendEnabled = true;  // ButtonAppendSheetsFromFile
  bool deleteEmptyEnabled = true;
  bool importEnabled = true;
  bool exportEnabled = true;
  bool printLabelEnabled = true;
};

// Retitles columns 3 and 4 of the stock grid for the mode and returns the
// state of the Stocks tab's controls.
BestDimensionView SwitchBestDimension(StringGrid& sheets, bool bestDimensionMode,
                                      const CaptionTable& captions, std::string_view measure);

}  // namespace tralvin
