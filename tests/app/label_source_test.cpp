// The label data of the stock and piece tables.
#include "app/label_source.h"

#include <gtest/gtest.h>

#include "app/settings.h"
#include "texts/caption_table.h"

namespace tralvin {
namespace {

std::pair<std::string, std::string> FixedNow() { return {"d", "t"}; }

TEST(LabelSource, StocksOneRowPerBarPiecesTheMaximumQuantity) {
  SettingsModel settings("/tmp");
  settings.EditPrintTitle = "Order 12";
  StringGrid sheets(7, 4);
  sheets.SetRow(1, {"S1", "", "6 1/2", "3", "", "", "left rack"});
  sheets.SetRow(2, {"S2", "", "5", "0", "", "", ""});
  LabelSource s =
      ReadLabelSource(LabelTable::Stocks, sheets, false, settings, BuiltInCaptions(), FixedNow);
  ASSERT_FALSE(s.failure);
  ASSERT_EQ(s.data.RowCount(), 4);
  EXPECT_EQ(s.data.Row(3), (std::vector<std::string>{"S1", "", "6 1/2 X 1", "left rack", "", "d",
                                                     "t", "Order 12"}));

  StringGrid parts(6, 3);
  parts.SetRow(1, {"P1", "", "120", "2", "5", ""});
  LabelSource p =
      ReadLabelSource(LabelTable::Pieces, parts, false, settings, BuiltInCaptions(), FixedNow);
  ASSERT_FALSE(p.failure);
  EXPECT_EQ(p.data.RowCount(), 6);  // five pieces at most

  // Best-dimension stocks have no quantity and give no rows.
  StringGrid best(7, 3);
  best.SetRow(1, {"S1", "", "6", "12", "", "", ""});
  LabelSource b =
      ReadLabelSource(LabelTable::Stocks, best, true, settings, BuiltInCaptions(), FixedNow);
  ASSERT_FALSE(b.failure);
  EXPECT_EQ(b.data.RowCount(), 1);

  parts.SetCell(2, 1, "abc");
  LabelSource bad =
      ReadLabelSource(LabelTable::Pieces, parts, false, settings, BuiltInCaptions(), FixedNow);
  ASSERT_TRUE(bad.failure);
  EXPECT_EQ(bad.failure->cell, (GridCell{2, 1}));

  EXPECT_EQ(&RememberedLabelScheme(settings, LabelTable::Pieces), &settings.PartsLabelPrintIndex);
  EXPECT_EQ(LabelSchemeFile(settings), "/tmp/default.opt");
}

}  // namespace
}  // namespace tralvin
