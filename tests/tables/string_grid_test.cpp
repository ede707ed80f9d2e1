// The cell-text table model: row growth, deletion and out-of-range access.
#include "tables/string_grid.h"

#include <gtest/gtest.h>

namespace tralvin {
namespace {

TEST(StringGrid, GrowsShrinksAndMovesRows) {
  StringGrid g(3, 2);
  g.SetCell(0, 1, "a");
  g.SetRowCount(5);
  EXPECT_EQ(g.RowCount(), 5);
  EXPECT_EQ(g.Cell(0, 1), "a");
  EXPECT_EQ(g.Row(4).size(), 3u);
  g.SetCell(1, 3, "b");
  g.DeleteRow(1);
  EXPECT_EQ(g.Cell(1, 2), "b");
  EXPECT_EQ(g.RowCount(), 4);
  g.InsertRow(0);
  EXPECT_EQ(g.Cell(1, 3), "b");
  EXPECT_TRUE(g.RowIsEmpty(0));
}

TEST(StringGrid, OutOfRangeIsHarmless) {
  StringGrid g(2, 2);
  g.SetCell(5, 5, "x");
  g.SetCell(-1, 0, "x");
  EXPECT_EQ(g.Cell(5, 5), "");
  EXPECT_EQ(g.Cell(0, -1), "");
  g.DeleteRow(9);
  EXPECT_EQ(g.RowCount(), 2);
}

}  // namespace
}  // namespace tralvin
