// Shape and titles of the two grids and the Best Dimension switch.
#include "tables/table_grids.h"

#include <gtest/gtest.h>

#include "tables/best_dimension.h"
#include "texts/caption_table.h"

namespace tralvin {
namespace {

TEST(TableGrids, StartWithTitlesFromTheCaptions) {
  CaptionTable captions;
  StringGrid s = MakeSheetsGrid(captions, false, "mm");
  EXPECT_EQ(s.RowCount(), 501);
  EXPECT_EQ(s.ColCount(), 7);
  EXPECT_EQ(s.Row(0), (std::vector<std::string>{"Name", "Stocks Type", "Length", "Quantity",
                                                "Price", "priority", "note"}));
  StringGrid p = MakePartsGrid(captions);
  EXPECT_EQ(p.RowCount(), 501);
  EXPECT_EQ(p.Row(0), (std::vector<std::string>{"name", "Stocks Type", "length", "quantity",
                                                "maximum quantity", "note"}));
}

TEST(TableGrids, BestDimensionRetitlesAndDisablesButLeavesCells) {
  CaptionTable captions;
  StringGrid s = MakeSheetsGrid(captions, false, "mm");
  s.SetCell(kSheetColQty, 1, "6000");
  s.SetCell(kSheetColCost, 1, "2.5");
  BestDimensionView on = SwitchBestDimension(s, true, captions, "mm");
  EXPECT_EQ(s.Cell(kSheetColQty, 0), "maximum length");
  EXPECT_EQ(s.Cell(kSheetColCost, 0), "Price/mm");
  EXPECT_FALSE(on.totalsVisible || on.appendEnabled || on.deleteEmptyEnabled || on.importEnabled ||
               on.exportEnabled || on.printLabelEnabled);
  BestDimensionView off = SwitchBestDimension(s, false, captions, "mm");
  EXPECT_EQ(s.Cell(kSheetColQty, 0), "Quantity");
  EXPECT_EQ(s.Cell(kSheetColCost, 0), "Price");
  EXPECT_TRUE(off.totalsVisible && off.appendEnabled && off.deleteEmptyEnabled &&
              off.importEnabled && off.exportEnabled && off.printLabelEnabled);
  EXPECT_EQ(s.Cell(kSheetColQty, 1), "6000");
  EXPECT_EQ(s.Cell(kSheetColCost, 1), "2.5");
}

}  // namespace
}  // namespace tralvin
