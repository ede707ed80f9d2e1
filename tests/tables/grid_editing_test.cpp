// Editing aids and row deletion on the stock and piece grids.
#include "tables/grid_editing.h"

#include <gtest/gtest.h>

namespace tralvin {
namespace {

StringGrid Sheets(int rows) { return StringGrid(kSheetColCount, rows); }

TEST(GridEnter, MovesAlongTheRowAndWrapsWithTotals) {
  StringGrid g = Sheets(kInitialGridRows);
  EnterMove m = MoveOnEnter(g, GridKind::Sheets, {2, 3});
  EXPECT_EQ(m.next, (GridCell{3, 3}));
  EXPECT_FALSE(m.recomputeTotals);
  m = MoveOnEnter(g, GridKind::Sheets, {6, 3});
  EXPECT_EQ(m.next, (GridCell{0, 4}));
  EXPECT_TRUE(m.recomputeTotals);
  EXPECT_FALSE(m.rowsAdded);
  EXPECT_EQ(g.RowCount(), kInitialGridRows);

  StringGrid p(kPartColCount, 10);
  m = MoveOnEnter(p, GridKind::Parts, {5, 2});
  EXPECT_EQ(m.next, (GridCell{0, 3}));
}

TEST(GridEnter, PastTheLastRowAddsTenRows) {
  StringGrid g = Sheets(5);
  EnterMove m = MoveOnEnter(g, GridKind::Sheets, {6, 4});
  EXPECT_EQ(m.next, (GridCell{0, 5}));
  EXPECT_TRUE(m.rowsAdded);
  EXPECT_TRUE(m.recomputeTotals);
  EXPECT_EQ(g.RowCount(), 15);
}

TEST(GridCellEntered, FillsDownFromRowTwoOnAndPicksTheEditor) {
  StringGrid g = Sheets(6);
  g.SetCell(0, 1, "A");
  g.SetCell(0, 2, "B");
  g.SetCell(1, 2, " steel ");
  g.SetCell(0, 3, "  ");
  EXPECT_FALSE(OnCurrentCellChanged(g, GridKind::Sheets, {2, 1}).filledDown);  // row 1 never
  EXPECT_TRUE(OnCurrentCellChanged(g, GridKind::Sheets, {0, 3}).filledDown);
  EXPECT_EQ(g.Cell(0, 3), "B");
  EXPECT_FALSE(OnCurrentCellChanged(g, GridKind::Sheets, {0, 2}).filledDown);
  EXPECT_EQ(g.Cell(0, 2), "B");

  CellEntered e = OnCurrentCellChanged(g, GridKind::Sheets, {1, 3});
  EXPECT_TRUE(e.showTypeEditor);
  EXPECT_EQ(e.typeEditorText, "steel");
  EXPECT_EQ(g.Cell(1, 3), " steel ");

  g.SetCell(5, 1, "7");
  e = OnCurrentCellChanged(g, GridKind::Sheets, {5, 1});
  EXPECT_TRUE(e.showPriorityEditor);
  EXPECT_EQ(e.priorityItem, 7);
  g.SetCell(5, 1, "x");
  EXPECT_EQ(OnCurrentCellChanged(g, GridKind::Sheets, {5, 1}).priorityItem, 0);
  g.SetCell(5, 1, "12");
  EXPECT_EQ(OnCurrentCellChanged(g, GridKind::Sheets, {5, 1}).priorityItem, -1);

  StringGrid p(kPartColCount, 3);
  EXPECT_FALSE(OnCurrentCellChanged(p, GridKind::Parts, {5, 1}).showPriorityEditor);
}

TEST(GridDelete, ThisRecordMovesRowsUpAndKeepsTwoRows) {
  StringGrid g = Sheets(4);
  g.SetCell(0, 1, "a");
  g.SetCell(0, 2, "b");
  g.SetCell(0, 3, "c");
  EXPECT_TRUE(DeleteThisRecord(g, 1));
  EXPECT_EQ(g.RowCount(), 3);
  EXPECT_EQ(g.Cell(0, 1), "b");
  EXPECT_EQ(g.Cell(0, 2), "c");
  EXPECT_TRUE(DeleteThisRecord(g, 2));
  EXPECT_EQ(g.RowCount(), 2);
  EXPECT_TRUE(DeleteThisRecord(g, 1));
  EXPECT_EQ(g.RowCount(), 2);
  EXPECT_TRUE(g.RowIsEmpty(1));
  EXPECT_FALSE(DeleteThisRecord(g, 0));
  EXPECT_FALSE(DeleteThisRecord(g, 2));

  g.SetRowCount(6);
  g.SetCell(3, 4, "1");
  DeleteAllRecords(g);
  EXPECT_EQ(g.RowCount(), 6);
  EXPECT_TRUE(g.RowIsEmpty(4));
}

TEST(GridDelete, EmptyRemovesZeroAndBlankQuantities) {
  StringGrid g = Sheets(kInitialGridRows);
  g.SetCell(0, 10, "a");
  g.SetCell(3, 10, "2");
  g.SetCell(3, 200, " 0 ");
  g.SetCell(0, 250, "b");
  g.SetCell(3, 250, "00");  // not the text "0": kept
  g.SetCell(0, 450, "c");
  g.SetCell(3, 450, "x");
  g.SetCell(0, 460, "labelled but no quantity");
  g.SetCell(0, 0, "title");
  EXPECT_EQ(DeleteEmpty(g, 300), 3);
  ASSERT_EQ(g.RowCount(), 4);
  EXPECT_EQ(g.Cell(0, 0), "title");
  EXPECT_EQ(g.Cell(0, 1), "a");
  EXPECT_EQ(g.Cell(0, 2), "b");
  EXPECT_EQ(g.Cell(0, 3), "c");
  EXPECT_EQ(DeleteEmpty(g, 2), 2);

  StringGrid none = Sheets(5);
  none.SetCell(0, 1, "a");
  none.SetCell(3, 3, "0");
  EXPECT_EQ(DeleteEmpty(none, 4), 1);
  EXPECT_EQ(none.RowCount(), 2);
  EXPECT_TRUE(none.RowIsEmpty(1));
}

}  // namespace
}  // namespace tralvin
