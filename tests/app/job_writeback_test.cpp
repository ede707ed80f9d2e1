// A finished job's filled-in cells and read settings reach the window's state,
// except where the user edited during the job.
#include "app/job_writeback.h"

#include <gtest/gtest.h>

namespace tralvin {
namespace {

TEST(JobWriteback, FilledCellsUnlessEditedMeanwhile) {
  StringGrid before(7, 3);
  before.SetRow(1, {"S1", "Oak", "6000", "5", "", "", ""});
  before.SetRow(2, {"S2", "Oak", "4000", "5", "", "", ""});
  StringGrid after = before;
  after.SetCell(4, 1, "0");
  after.SetCell(5, 1, "0");
  after.SetCell(4, 2, "0");
  StringGrid live = before;
  live.SetCell(4, 2, "12");  // typed while the job ran
  live.SetRowCount(2);       // and the last row went away
  KeepFilledCells(live, before, after);
  EXPECT_EQ(live.Cell(4, 1), "0");
  EXPECT_EQ(live.Cell(5, 1), "0");
  EXPECT_EQ(live.RowCount(), 2);
}

TEST(JobWriteback, ReaderSettingsAndFontSize) {
  SettingsModel before;
  before.EditPrinterFontSize = "5";
  before.EditMinOffcutLength1 = "100";
  SettingsModel after = before;
  after.EditPrinterFontSize = "8";
  after.params.PrinterFontSize = 8;
  after.params.BladeWidth = 3000;
  after.params.BladeWidthText = "3";
  after.params.ScrapLen1 = 100000;

  SettingsModel live = before;
  live.EditMinOffcutLength1 = "200";  // the immediate handler set 200000
  live.params.ScrapLen1 = 200000;
  KeepReaderSettings(live, before, after);
  EXPECT_EQ(live.EditPrinterFontSize, "8");
  EXPECT_EQ(live.params.PrinterFontSize, 8);
  EXPECT_EQ(live.params.BladeWidth, 3000);
  EXPECT_EQ(live.params.BladeWidthText, "3");
  EXPECT_EQ(live.params.ScrapLen1, 200000);

  SettingsModel edited = before;
  edited.EditPrinterFontSize = "12";
  KeepReaderSettings(edited, before, after);
  EXPECT_EQ(edited.EditPrinterFontSize, "12");
}

}  // namespace
}  // namespace tralvin
