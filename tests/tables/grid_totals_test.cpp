// Totals of the stock and piece grids and their failures.
#include "tables/grid_totals.h"

#include <gtest/gtest.h>

#include "base/pubfunc.h"
#include "texts/caption_table.h"

namespace tralvin {
namespace {

void Sheet(StringGrid& g, int row, const char* length, const char* qty, const char* cost) {
  g.SetCell(kSheetColLength, row, length);
  g.SetCell(kSheetColQty, row, qty);
  g.SetCell(kSheetColCost, row, cost);
}

TEST(GridTotals, SheetsCountRowsWithLengthAndQuantity) {
  CaptionTable captions;
  TPubFunc pub;
  StringGrid g(kSheetColCount, 8);
  Sheet(g, 1, "12.5", "2", "3");
  Sheet(g, 2, "1 1/2", "4", "");  // empty cost becomes "0"
  Sheet(g, 3, "100", "", "");     // no quantity: not counted
  Sheet(g, 5, "", "7", "x");      // no length: not counted, cost not checked
  SheetsTotalsResult r = TotalOfSheets(g, captions, pub);
  ASSERT_TRUE(r.totals);
  EXPECT_FALSE(r.failure);
  EXPECT_EQ(r.totals->totalLength, "31");
  EXPECT_EQ(r.totals->totalNumber, "6");
  EXPECT_EQ(r.totals->totalCost, "6");
  EXPECT_EQ(g.Cell(kSheetColCost, 2), "0");
  EXPECT_EQ(g.Cell(kSheetColCost, 3), "");
}

TEST(GridTotals, SheetsCostDoesNotWrapAt32Bits) {
  CaptionTable captions;
  TPubFunc pub;
  StringGrid g(kSheetColCount, 3);
  Sheet(g, 1, "6000", "1000", "2000000");
  Sheet(g, 2, "6000", "1000", "2000000");
  SheetsTotalsResult r = TotalOfSheets(g, captions, pub);
  ASSERT_TRUE(r.totals);
  EXPECT_EQ(r.totals->totalCost, "4000000000");
  EXPECT_EQ(r.totals->totalLength, "12000000");
}

TEST(GridTotals, SheetsFailureNamesTheCellAndColumn) {
  CaptionTable captions;
  captions.SetText("MSG_STOCK_LENGTH_FORMAT_INVALID", "LEN");
  captions.SetText("MSG_STOCK_QTY_FORMAT_INVALID", "QTY");
  captions.SetText("MSG_STOCK_COST_FORMAT_INVALID", "COST");
  TPubFunc pub;
  StringGrid g(kSheetColCount, 5);
  Sheet(g, 1, "10", "1", "1");
  Sheet(g, 3, "abc", "1", "1");
  SheetsTotalsResult r = TotalOfSheets(g, captions, pub);
  ASSERT_TRUE(r.failure);
  EXPECT_FALSE(r.totals);
  EXPECT_EQ(r.failure->grid, GridKind::Sheets);
  EXPECT_EQ(r.failure->cell, (GridCell{2, 3}));
  EXPECT_EQ(r.failure->message, "['abc' is not a valid floating point value]LEN");

  Sheet(g, 3, "0", "1", "1");
  EXPECT_EQ(TotalOfSheets(g, captions, pub).failure->message, "[]LEN");
  Sheet(g, 3, "5", "-1", "1");
  r = TotalOfSheets(g, captions, pub);
  EXPECT_EQ(r.failure->cell, (GridCell{3, 3}));
  EXPECT_EQ(r.failure->message, "[]QTY");
  Sheet(g, 3, "5", "1.5", "1");
  EXPECT_EQ(TotalOfSheets(g, captions, pub).failure->message,
            "['1.5' is not a valid integer value]QTY");
  Sheet(g, 3, "5", "1", "-2");
  r = TotalOfSheets(g, captions, pub);
  EXPECT_EQ(r.failure->cell, (GridCell{4, 3}));
  EXPECT_EQ(r.failure->message, "[]COST");
}

TEST(GridTotals, PartsSumLengthTimesQuantity) {
  CaptionTable captions;
  captions.SetText("MSG_PIECE_LENGTH_FORMAT_INVALID", "PLEN");
  captions.SetText("MSG_PIECE_QTY_FORMAT_INVALID", "PQTY");
  TPubFunc pub;
  StringGrid g(kPartColCount, 5);
  g.SetCell(kPartColLength, 1, "0.25");
  g.SetCell(kPartColQty, 1, "3");
  g.SetCell(kPartColLength, 2, "2");
  g.SetCell(kPartColMaxQty, 2, "9");  // no quantity: not counted
  PartsTotalsResult r = TotalOfParts(g, captions, pub);
  ASSERT_TRUE(r.totals);
  EXPECT_EQ(r.totals->totalLength, "0.75");
  EXPECT_EQ(r.totals->totalNumber, "3");

  g.SetCell(kPartColQty, 2, "q");
  r = TotalOfParts(g, captions, pub);
  ASSERT_TRUE(r.failure);
  EXPECT_EQ(r.failure->grid, GridKind::Parts);
  EXPECT_EQ(r.failure->cell, (GridCell{3, 2}));
  EXPECT_EQ(r.failure->message, "['q' is not a valid integer value]PQTY");
  g.SetCell(kPartColQty, 2, "1");
  g.SetCell(kPartColLength, 2, "-3");
  EXPECT_EQ(TotalOfParts(g, captions, pub).failure->message, "[]PLEN");
}

}  // namespace
}  // namespace tralvin
