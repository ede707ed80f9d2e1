// The label data table: rows per unit of quantity, sorting and Distinct.
#include "labels/label_data.h"

#include <gtest/gtest.h>

#include "optimizer/panels.h"
#include "texts/caption_table.h"

namespace tralvin {
namespace {

T2DStock Record(const char* label, int number, const char* length) {
  T2DStock r;
  r.p_lab = label;
  r.p_number = number;
  r.MatType = "steel";
  r.disp_XSize = length;
  r.disp_YSize = "1";
  r.disp_Comment = "rack 2";
  return r;
}

TEST(LabelData, OneRowPerUnitWithHeadingsDateAndTime) {
  TPanels records;
  records.Items().push_back(Record("S1", 3, "6 1/2"));
  records.Items().push_back(Record("S0", 0, "5"));
  records.Items().push_back(Record("S2", 1, "12.5"));
  int calls = 0;
  const StringGrid g = LabelDataRows(records, LabelFieldHeadings(BuiltInCaptions()), "Job 7", [&] {
    ++calls;
    return std::pair<std::string, std::string>("09/12/26", "10:0" + std::to_string(calls));
  });
  ASSERT_EQ(g.RowCount(), 5);
  EXPECT_EQ(g.Row(0), (std::vector<std::string>{"name", "Stocks Type", "length", "note", "Layouts",
                                                "date", "time", "Print on title"}));
  EXPECT_EQ(g.Row(1), (std::vector<std::string>{"S1", "steel", "6 1/2 X 1", "rack 2", "",
                                                "09/12/26", "10:01", "Job 7"}));
  EXPECT_EQ(g.Cell(6, 3), "10:03");  // time taken for each row
  EXPECT_EQ(g.Cell(2, 4), "12.5 X 1");
  EXPECT_EQ(calls, 4);
}

TEST(LabelData, SortToggleAndOrdinalText) {
  StringGrid g(2, 4);
  g.SetRow(0, {"name", "length"});
  g.SetRow(1, {"b", "9"});
  g.SetRow(2, {"a", "10"});
  g.SetRow(3, {"B", "100"});
  LabelSortState s;
  SortLabelData(g, 0, s);  // column 0 remembered: the first press sorts descending
  EXPECT_TRUE(s.descending);
  EXPECT_EQ(g.Cell(0, 1), "b");
  EXPECT_EQ(g.Cell(0, 2), "a");
  EXPECT_EQ(g.Cell(0, 3), "B");
  SortLabelData(g, 1, s);  // another column: ascending, as text
  EXPECT_FALSE(s.descending);
  EXPECT_EQ(g.Cell(1, 1), "10");
  EXPECT_EQ(g.Cell(1, 2), "100");
  EXPECT_EQ(g.Cell(1, 3), "9");
  EXPECT_EQ(g.Cell(0, 3), "b");  // whole rows move
  EXPECT_EQ(g.Row(0), (std::vector<std::string>{"name", "length"}));
}

TEST(LabelData, DistinctLeavesOneRowPerLabelDescending) {
  StringGrid g(kLabelDataColumns, 5);
  g.SetRow(0, {"name", "t", "l", "n", "y", "d", "time", "p"});
  g.SetRow(1, {"A", "x", "1", "", "", "d", "10:00", "p"});
  g.SetRow(2, {"B", "x", "1", "", "", "d", "10:00", "p"});
  g.SetRow(3, {"A ", "x", "1", "", "", "d", "10:01", "p"});  // hidden columns do not count
  g.SetRow(4, {"C", "x", "1", "", "", "d", "10:00", "p"});
  DistinctLabelData(g);
  ASSERT_EQ(g.RowCount(), 4);
  EXPECT_EQ(g.Cell(0, 1), "C");
  EXPECT_EQ(g.Cell(0, 2), "B");
  EXPECT_EQ(g.Cell(0, 3), "A");
  EXPECT_EQ(g.Cell(6, 3), "10:00");

  // Rows that differ in a displayed column stay.
  StringGrid h(kLabelDataColumns, 3);
  h.SetRow(1, {"A", "x", "1", "", "", "", "", ""});
  h.SetRow(2, {"A", "x", "2", "", "", "", "", ""});
  DistinctLabelData(h);
  EXPECT_EQ(h.RowCount(), 3);
  StringGrid empty(kLabelDataColumns, 1);
  DistinctLabelData(empty);
  EXPECT_EQ(empty.RowCount(), 1);
}

}  // namespace
}  // namespace tralvin
