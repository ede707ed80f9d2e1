// The Best Dimension switch: titles of stock columns 3 and 4 and the state of
// the Stocks tab's totals and buttons.
#include "tables/best_dimension.h"

#include <string>

#include "tables/table_grids.h"
#include "texts/caption_table.h"

namespace tralvin {

BestDimensionView SwitchBestDimension(StringGrid& sheets, bool bestDimensionMode,
                                      const CaptionTable& captions, std::string_view measure) {
  const std::string cost = captions.ControlCaption("LabelLayoutCost");
  if (bestDimensionMode) {
    sheets.SetCell(kSheetColQty, 0, captions.Text("Max Length Caption"));
    sheets.SetCell(kSheetColCost, 0, cost + "/" + std::string(measure));
  } else {
    sheets.SetCell(kSheetColQty, 0, captions.ControlCaption("LabelLayoutQty"));
    sheets.SetCell(kSheetColCost, 0, cost);
  }
  const bool on = !bestDimensionMode;
  BestDimensionView view;
  view.totalsVisible = on;
  view.appendEnabled = on;
  view.deleteEmptyEnabled = on;
  view.importEnabled = on;
  view.exportEnabled = on;
  view.printLabelEnabled = on;
  return view;
}

}  // namespace tralvin
