// Load and Append as whole steps: mode, titles and totals afterwards.
#include "tables/table_load.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/pubfunc.h"
#include "common/test_files.h"
#include "tables/table_grids.h"
#include "texts/caption_table.h"

namespace tralvin {
namespace {

TEST(TableLoad, BestDimensionFileSwitchesOnLoadButNotOnAppend) {
  testing_files::ScratchFolder scratch("tralvin_table_load");
  const std::filesystem::path file = scratch.File("best.stk");
  testing_files::WriteText(file.string(),
                           "[OPTIONS]\nISBESTDIMENSION=1\n"
                           "[SHEET1]\nLABEL=A\nLENGTH=6000\nQTY=12000\nCOST=2\n");
  CaptionTable captions;
  TPubFunc pub;
  StringGrid sheets = MakeSheetsGrid(captions, false, "mm");
  SheetsLoadOutcome loaded = LoadSheetsTable(sheets, file.string(), captions, "mm", pub);
  EXPECT_TRUE(loaded.read.bestDimensionMode);
  EXPECT_FALSE(loaded.view.appendEnabled);
  EXPECT_EQ(sheets.Cell(kSheetColQty, 0), "maximum length");
  EXPECT_EQ(sheets.Cell(kSheetColCost, 0), "Price/mm");
  ASSERT_TRUE(loaded.totals.totals);

  StringGrid plain = MakeSheetsGrid(captions, false, "mm");
  SheetsAppendOutcome appended = AppendSheetsTable(plain, file.string(), captions, pub);
  EXPECT_TRUE(appended.append.ok);
  EXPECT_EQ(plain.Cell(kSheetColQty, 0), "Quantity");
  ASSERT_TRUE(appended.totals && appended.totals->totals);
  EXPECT_EQ(appended.totals->totals->totalNumber, "12000");
}

}  // namespace
}  // namespace tralvin
