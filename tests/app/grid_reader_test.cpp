// Reading the stock and piece grids: the used-row rule, the records built,
// the cells filled in, and the cell and text of every failure.
#include "app/grid_reader.h"

#include <gtest/gtest.h>

#include "base/pubfunc.h"
#include "texts/caption_table.h"

namespace tralvin {
namespace {

constexpr const char* kInvalid = "the data of field is invalid";

class GridReaderTest : public ::testing::Test {
 protected:
  // Stock row: label, type, length, qty, cost, priority, comment.
  void Stock(int row, std::vector<std::string> cells) { sheets.SetRow(row, std::move(cells)); }
  // Piece row: label, type, length, qty, max qty, comment.
  void Piece(int row, std::vector<std::string> cells) { parts.SetRow(row, std::move(cells)); }

  std::optional<GridFailure> ReadSheets(bool best = false) {
    return ReadSheetsGrid(sheets, best, pub, captions, stocks);
  }
  std::optional<GridFailure> ReadParts() {
    return ReadPartsGrid(parts, pub, captions, pieces, required);
  }
  void ExpectSheetFailure(std::vector<std::string> row, int col, const std::string& text,
                          bool best = false) {
    Stock(1, std::move(row));
    auto f = ReadSheets(best);
    ASSERT_TRUE(f.has_value()) << text;
    EXPECT_EQ(f->grid, GridKind::Sheets);
    EXPECT_EQ(f->cell, (GridCell{col, 1}));
    EXPECT_EQ(f->message, text);
  }
  void ExpectPartFailure(std::vector<std::string> row, int col, const std::string& text) {
    Piece(1, std::move(row));
    auto f = ReadParts();
    ASSERT_TRUE(f.has_value()) << text;
    EXPECT_EQ(f->grid, GridKind::Parts);
    EXPECT_EQ(f->cell, (GridCell{col, 1}));
    EXPECT_EQ(f->message, text);
  }

  StringGrid sheets{7, 6};
  StringGrid parts{6, 6};
  TPubFunc pub;
  CaptionTable captions;
  TPanels stocks, pieces, required;
};

TEST_F(GridReaderTest, StockRecordsAndFilledInCells) {
  Stock(1, {" S1 ", " Oak ", "12 1/2", "3", "", "", "note"});
  Stock(2, {"", "", "", "", "9", "", "only a cost"});  // skipped
  Stock(3, {"S2", "Pine", "6000", "0", "2.5", "4", ""});
  ASSERT_FALSE(ReadSheets().has_value());
  ASSERT_EQ(stocks.Count(), 2);
  const T2DStock& s = stocks[0];
  EXPECT_EQ(s.p_lab, "S1");
  EXPECT_EQ(s.MatType, "Oak");
  EXPECT_EQ(s.p_cx, 12500);
  EXPECT_EQ(s.p_max_cx, 0);
  EXPECT_EQ(s.p_cy, 1000);
  EXPECT_EQ(s.p_number, 3);
  EXPECT_EQ(s.p_cost, 0);
  EXPECT_EQ(s.Priority, 0);
  EXPECT_EQ(s.disp_XSize, "12 1/2");
  EXPECT_EQ(s.disp_YSize, "1");
  EXPECT_EQ(s.disp_Comment, "note");
  EXPECT_EQ(s.owner, PANEL_OWNER::owSheet);
  EXPECT_EQ(sheets.Cell(4, 1), "0");
  EXPECT_EQ(sheets.Cell(5, 1), "0");
  EXPECT_EQ(sheets.Cell(5, 2), "");  // skipped rows are not touched
  EXPECT_EQ(stocks[1].p_cost, 2500);
  EXPECT_EQ(stocks[1].Priority, 4);
  EXPECT_EQ(stocks[1].p_number, 0);
}

TEST_F(GridReaderTest, StockFailures) {
  ExpectSheetFailure({"", "", "", "5"}, 0, "the field can not be empty[]");
  ExpectSheetFailure({"  ", "", "100", ""}, 0, "the field can not be empty[]");
  ExpectSheetFailure({"S", "", "abc", "1"}, 2,
                     std::string(kInvalid) + "['abc' is not a valid floating point value]");
  ExpectSheetFailure({"S", "", "0", "1"}, 2, std::string(kInvalid) + "[]");
  ExpectSheetFailure({"S", "", "12 3", "1"}, 2, std::string(kInvalid) + "[]");
  ExpectSheetFailure({"S", "", "10", "x"}, 3,
                     std::string(kInvalid) + "['x' is not a valid integer value]");
  ExpectSheetFailure({"S", "", "10", "-1"}, 3, std::string(kInvalid) + "[]");
  ExpectSheetFailure({"S", "", "10", "1", "1/2"}, 4,
                     std::string(kInvalid) + "['1/2' is not a valid floating point value]");
  ExpectSheetFailure({"S", "", "10", "1", "-1"}, 4, std::string(kInvalid) + "[]");
  ExpectSheetFailure({"S", "", "10", "1", "1", "p"}, 5,
                     std::string(kInvalid) + "['p' is not a valid integer value]");
  ExpectSheetFailure({"S", "", "10", "1", "1", "-2"}, 5, std::string(kInvalid) + "[]");
}

TEST_F(GridReaderTest, BestDimensionModeReadsTheMaximumLength) {
  Stock(1, {"S", "Oak", "6", "12", "3"});
  ASSERT_FALSE(ReadSheets(true).has_value());
  EXPECT_EQ(stocks[0].p_cx, 6000);
  EXPECT_EQ(stocks[0].p_max_cx, 12000);
  EXPECT_EQ(stocks[0].p_number, 0);

  ExpectSheetFailure({"S", "", "6", "6"}, 3, std::string(kInvalid) + "[]", true);
  ExpectSheetFailure({"S", "", "6", ""}, 3, std::string(kInvalid) + "[]", true);
  ExpectSheetFailure({"S", "", "6", "1/0"}, 3,
                     std::string(kInvalid) + "['[]' is not a valid floating point value]", true);
}

TEST_F(GridReaderTest, EmptyTablesAndTheirCaptions) {
  sheets.SetCell(6, 2, "comment only");
  auto f = ReadSheets();
  ASSERT_TRUE(f.has_value());
  EXPECT_EQ(f->cell, (GridCell{0, 1}));
  EXPECT_EQ(f->message, "raw stock list is empty");

  f = ReadParts();
  ASSERT_TRUE(f.has_value());
  EXPECT_EQ(f->grid, GridKind::Parts);
  EXPECT_EQ(f->cell, (GridCell{0, 1}));
  EXPECT_EQ(f->message, "pieces list is empty");

  captions.SetText("MSG_STOCK_DATA_IS_EMPTY", "keine Rohteile");
  EXPECT_EQ(ReadSheets()->message, "keine Rohteile");
}

TEST_F(GridReaderTest, PieceRecordsAndCopiedQuantities) {
  Piece(1, {" P1 ", " Oak ", "1/2", "3", "", "c1"});
  Piece(2, {"P2", "Oak", "2", "", "5"});
  Piece(3, {"P3", "Pine", "2", "0", "5"});
  Piece(4, {"", "Oak", "", "", "7"});  // maximum quantity alone: skipped
  ASSERT_FALSE(ReadParts().has_value());
  ASSERT_EQ(pieces.Count(), 3);
  ASSERT_EQ(required.Count(), 3);
  EXPECT_EQ(parts.Cell(4, 1), "3");
  EXPECT_EQ(parts.Cell(3, 2), "5");
  const T2DStock& p = pieces[0];
  EXPECT_EQ(p.p_lab, "P1");
  EXPECT_EQ(p.MatType, "Oak");
  EXPECT_EQ(p.p_cx, 500);
  EXPECT_EQ(p.p_cy, 1000);
  EXPECT_TRUE(p.p_can_rotate);
  EXPECT_EQ(p.p_shape, PANEL_SHAPE::shRect);
  EXPECT_EQ(p.disp_XSize, "1/2");
  EXPECT_EQ(p.disp_YSize, "1");
  EXPECT_EQ(p.disp_Comment, "c1");
  EXPECT_EQ(p.owner, PANEL_OWNER::owPart);
  EXPECT_EQ(pieces[2].p_number, 5);
  EXPECT_EQ(required[2].p_number, 0);
  EXPECT_EQ(required[2].p_lab, "P3");
}

TEST_F(GridReaderTest, PieceFailures) {
  ExpectPartFailure({"", "", "", "2"}, 0, "[]the field can not be empty");
  ExpectPartFailure({"P", "", "x", "2"}, 2,
                    "['x' is not a valid floating point value]" + std::string(kInvalid));
  ExpectPartFailure({"P", "", "0.0001", "2"}, 2, "[]" + std::string(kInvalid));
  ExpectPartFailure({"P", "", "1", "", ""}, 4,
                    "['' is not a valid integer value]" + std::string(kInvalid));
  ExpectPartFailure({"P", "", "1", "2", "-1"}, 4, "[]" + std::string(kInvalid));
  ExpectPartFailure({"P", "", "1", "2.5", "3"}, 3,
                    "['2.5' is not a valid integer value]" + std::string(kInvalid));
  ExpectPartFailure({"P", "", "1", "4", "2"}, 3, "[]" + std::string(kInvalid));
  ExpectPartFailure({"P", "", "1", "-1", "2"}, 3, "[]" + std::string(kInvalid));
}

TEST_F(GridReaderTest, ReadingStopsAtTheFirstBadRowButKeepsEarlierFills) {
  Stock(1, {"S1", "", "10", "1"});
  Stock(2, {"S2", "", "10", "bad"});
  Stock(3, {"S3", "", "10", "1"});
  auto f = ReadSheets();
  ASSERT_TRUE(f.has_value());
  EXPECT_EQ(f->cell, (GridCell{3, 2}));
  EXPECT_EQ(sheets.Cell(4, 1), "0");
  EXPECT_EQ(sheets.Cell(4, 3), "");
}

}  // namespace
}  // namespace tralvin
