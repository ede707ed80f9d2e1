// Sorting the grids by a column: direction state, blank rows, number and text
// comparison, and agreement with the row-by-row exchange sort.
#include "tables/grid_sort.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/pubfunc.h"
#include "tables/grid_editing.h"

namespace tralvin {
namespace {

std::vector<std::string> Column(const StringGrid& g, int col) {
  std::vector<std::string> texts;
  for (int r = 1; r < g.RowCount(); ++r) texts.push_back(g.Cell(col, r));
  return texts;
}

TEST(GridSort, ClicksAlternateDirectionAndBlankRowsSortAsSmallest) {
  TPubFunc pub;
  TableSortState state;
  StringGrid g(kSheetColCount, kInitialGridRows);
  g.SetCell(kSheetColLength, 100, "12");
  g.SetCell(kSheetColLength, 7, "1 1/2");
  g.SetCell(kSheetColLength, 300, "9.5");
  g.SetCell(kSheetColLabel, 300, "x");

  EXPECT_FALSE(SortSheetsByColumn(g, kSheetColLength, state, pub));
  EXPECT_EQ(state.m_SheetsSortIndex, kSheetColLength);
  EXPECT_TRUE(state.m_SheetsDecSort);
  EXPECT_EQ(g.Cell(kSheetColLength, 1), "12");
  EXPECT_EQ(g.Cell(kSheetColLength, 2), "9.5");
  EXPECT_EQ(g.Cell(kSheetColLabel, 2), "x");  // whole rows move
  EXPECT_EQ(g.Cell(kSheetColLength, 3), "1 1/2");

  EXPECT_FALSE(SortSheetsByColumn(g, kSheetColLength, state, pub));
  EXPECT_FALSE(state.m_SheetsDecSort);
  EXPECT_EQ(g.RowCount(), kInitialGridRows);
  EXPECT_EQ(g.Cell(kSheetColLength, 498), "1 1/2");
  EXPECT_EQ(g.Cell(kSheetColLength, 499), "9.5");
  EXPECT_EQ(g.Cell(kSheetColLength, 500), "12");
  EXPECT_EQ(g.Cell(kSheetColLength, 1), "");

  // A click beside the titles changes nothing.
  EXPECT_FALSE(SortSheetsByColumn(g, -1, state, pub));
  EXPECT_EQ(state.m_SheetsSortIndex, kSheetColLength);
  EXPECT_FALSE(state.m_SheetsDecSort);
}

TEST(GridSort, NumbersCompareByValueTextsByBytes) {
  TPubFunc pub;
  StringGrid p(kPartColCount, 5);
  const char* labels[] = {"b", "B", "a", "\xC3\xA9"};  // "é" sorts after ASCII
  const char* maxQty[] = {"10", "9", "", "-1"};
  for (int r = 1; r <= 4; ++r) {
    p.SetCell(kPartColLabel, r, labels[r - 1]);
    p.SetCell(kPartColMaxQty, r, maxQty[r - 1]);
  }
  EXPECT_FALSE(SortGridRows(p, GridKind::Parts, kPartColMaxQty, false, pub));
  EXPECT_EQ(Column(p, kPartColMaxQty), (std::vector<std::string>{"-1", "", "9", "10"}));
  EXPECT_FALSE(SortGridRows(p, GridKind::Parts, kPartColLabel, false, pub));
  EXPECT_EQ(Column(p, kPartColLabel), (std::vector<std::string>{"B", "a", "b", "\xC3\xA9"}));
  TableSortState state;
  EXPECT_FALSE(SortPartsByColumn(p, kPartColLabel, state, pub));
  EXPECT_EQ(state.m_PartsSortIndex, kPartColLabel);
  EXPECT_EQ(Column(p, kPartColLabel), (std::vector<std::string>{"\xC3\xA9", "b", "a", "B"}));
}

TEST(GridSort, ABadNumberStopsBeforeAnyRowMoves) {
  TPubFunc pub;
  StringGrid g(kSheetColCount, 5);
  g.SetCell(kSheetColCost, 1, "1");
  g.SetCell(kSheetColCost, 2, "5");
  g.SetCell(kSheetColCost, 3, "abc");
  g.SetCell(kSheetColCost, 4, "3");
  const std::vector<std::string> before = Column(g, kSheetColCost);
  auto failure = SortGridRows(g, GridKind::Sheets, kSheetColCost, true, pub);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->cell, (GridCell{kSheetColCost, 3}));
  EXPECT_EQ(failure->message, "'abc' is not a valid floating point value");
  EXPECT_EQ(Column(g, kSheetColCost), before);
}

// The order must be exactly that of the adjacent-exchange sort over all rows.
void ExchangeSort(StringGrid& g, int col, bool descending, const TPubFunc& pub) {
  auto key = [&](int r) { return pub.ExtStrToInt(FractionText(g.Cell(col, r))); };
  for (int pass = 1; pass < g.RowCount(); ++pass) {
    for (int c = 1; c + 1 < g.RowCount(); ++c) {
      if (descending ? key(c) < key(c + 1) : key(c) > key(c + 1)) ExchangeSheetsRow(g, c, c + 1);
    }
  }
}

TEST(GridSort, MatchesTheExchangeSortOnRandomTables) {
  TPubFunc pub;
  std::mt19937 rng(7);
  for (bool descending : {true, false}) {
    StringGrid g(kSheetColCount, 120);
    for (int r = 1; r < g.RowCount(); ++r) {
      if (rng() % 4 != 0) g.SetCell(kSheetColQty, r, std::to_string(rng() % 6));
      g.SetCell(kSheetColComment, r, std::to_string(r));  // tells equal rows apart
    }
    StringGrid expected = g;
    ExchangeSort(expected, kSheetColQty, descending, pub);
    EXPECT_FALSE(SortGridRows(g, GridKind::Sheets, kSheetColQty, descending, pub));
    EXPECT_EQ(Column(g, kSheetColComment), Column(expected, kSheetColComment));
  }
}

}  // namespace
}  // namespace tralvin
