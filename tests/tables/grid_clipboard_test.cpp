// Blocks of cells as tab-separated text: pasting grows the grid as needed and
// drops cells right of the last column; copying quotes what needs quotes.
#include "tables/grid_clipboard.h"

#include <gtest/gtest.h>

namespace tralvin {
namespace {

TEST(GridClipboard, PasteGrowsTheGridAndKeepsOneEmptyRowBelow) {
  StringGrid grid(3, 3);  // title row and two data rows
  const PastedBlock block = PasteBlock(grid, {1, 2}, "a\tb\tc\r\nd\te\n");
  EXPECT_FALSE(block.empty);
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(block.rowsAdded, 2);
  EXPECT_EQ(grid.Cell(1, 2), "a");
  EXPECT_EQ(grid.Cell(2, 2), "b");  // "c" lies right of the last column
  EXPECT_EQ(grid.Cell(1, 3), "d");
  EXPECT_EQ(block.first, (GridCell{1, 2}));
  EXPECT_EQ(block.last, (GridCell{2, 3}));
  EXPECT_TRUE(grid.RowIsEmpty(4));
}

TEST(GridClipboard, NothingIsPastedOutsideTheDataCells) {
  StringGrid grid(3, 3);
  EXPECT_TRUE(PasteBlock(grid, {0, 0}, "x").empty);
  EXPECT_TRUE(PasteBlock(grid, {3, 1}, "x").empty);
  EXPECT_TRUE(PasteBlock(grid, {0, 1}, "").empty);
  EXPECT_EQ(grid.Cell(0, 0), "");
}

TEST(GridClipboard, QuotedCellsRoundTrip) {
  StringGrid grid(2, 4);
  PasteBlock(grid, {0, 1}, "\"a\tb\"\t\"x\"\"y\"\nplain \"q\"\t\n");
  EXPECT_EQ(grid.Cell(0, 1), "a\tb");
  EXPECT_EQ(grid.Cell(1, 1), "x\"y");
  EXPECT_EQ(grid.Cell(0, 2), "plain \"q\"");
  EXPECT_EQ(grid.Cell(1, 2), "");
  StringGrid copy(2, 4);
  PasteBlock(copy, {0, 1}, CopyBlock(grid, {1, 2}, {0, 1}));
  for (int row = 1; row <= 2; ++row) EXPECT_EQ(copy.Row(row), grid.Row(row));
}

}  // namespace
}  // namespace tralvin
