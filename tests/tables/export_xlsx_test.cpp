// Exporting tables as .xlsx: the round trip through the real file format,
// the row placement with and without titles, the sheet names, and failures
// that must be reported and must not destroy an existing file.
#include "tables/export_xlsx.h"

#include <gtest/gtest.h>

#include "import_test_util.h"
#include "tables/export_choice.h"
#include "tables/import_file_types.h"
#include "tables/import_workbook.h"
#include "tables/table_grids.h"
#include "texts/caption_table.h"

namespace tralvin {
namespace {

using testing_import::ReadText;
using testing_import::ScratchFolder;
using testing_import::WriteText;

StringGrid StockTable() {
  StringGrid g(kSheetColCount, 6);
  const char* titles[] = {"Label", "Type", "Length", "Qty", "Cost", "Priority", "Comment"};
  for (int c = 0; c < kSheetColCount; ++c) g.SetCell(c, 0, titles[c]);
  g.SetRow(1, {"A1", "steel", " 6000 ", "2", "1.5", "0", "cut, then drill"});
  g.SetRow(2, {"B\xC3\xBC", "", "12.5", "", "", "", "<&>\""});
  g.SetRow(4, {"after blank", "x\r\ny", "1", "1", "_x0041_", "a\x01", " "});
  return g;
}

struct Read {
  StringGrid preview{kImportColumns, kImportInitialRows};
  std::vector<std::string> names;
  WorkbookImportResult result;
};

Read ReadBack(const std::string& file) {
  Read r;
  r.result = ReadExcelFile(file, 0, r.preview, r.names, CaptionTable());
  return r;
}

TEST(XlsxExport, RoundTripWithTitlesGivesTheSameCells) {
  ScratchFolder dir;
  const StringGrid table = StockTable();
  ASSERT_TRUE(WriteSheetsExcelFile(table, dir.File("s.xlsx"), true).ok);
  const Read r = ReadBack(dir.File("s.xlsx"));
  ASSERT_TRUE(r.result.ok) << r.result.detail;
  EXPECT_EQ(r.names, std::vector<std::string>{kStockSheetName});
  // Table row i is worksheet row i + 1; blanks stay in a workbook.
  for (int row = 0; row < 5; ++row) {
    for (int col = 0; col < kSheetColCount; ++col) {
      EXPECT_EQ(r.preview.Cell(col, row), table.Cell(col, row)) << col << "," << row;
    }
  }
  EXPECT_EQ(r.preview.RowCount(), 6);
}

TEST(XlsxExport, WithoutTitlesTheFirstDataRowIsWorksheetRowOne) {
  ScratchFolder dir;
  StringGrid parts(kPartColCount, 3);
  parts.SetRow(0, {"Label", "Type", "Length", "Qty", "Max", "Comment"});
  parts.SetRow(1, {"P1", "alu", "750", "4", "5", ""});
  ASSERT_TRUE(WritePartsExcelFile(parts, dir.File("p.xlsx"), false).ok);
  const Read r = ReadBack(dir.File("p.xlsx"));
  ASSERT_TRUE(r.result.ok) << r.result.detail;
  EXPECT_EQ(r.names, std::vector<std::string>{kPieceSheetName});
  EXPECT_EQ(r.preview.Cell(0, 0), "P1");
  EXPECT_EQ(r.preview.Cell(4, 0), "5");
  EXPECT_EQ(r.preview.RowCount(), 2);
}

TEST(XlsxExport, FailuresAreReportedAndLeaveTheOldFile) {
  ScratchFolder dir;
  StringGrid table = StockTable();
  EXPECT_FALSE(WriteSheetsExcelFile(table, dir.File("no/folder/s.xlsx"), true).ok);

  WriteText(dir.File("old.xlsx"), "old");
  table.SetCell(6, 1, std::string(40000, 'x'));  // longer than a worksheet cell holds
  const ExportResult r = WriteSheetsExcelFile(table, dir.File("old.xlsx"), true);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("Unable to write to"), std::string::npos);
  EXPECT_EQ(ReadText(dir.File("old.xlsx")), "old");
}

TEST(ExportChoice, ClosingByTheFrameChoosesNothingAndTheCheckBoxStays) {
  ExportChoice choice;
  EXPECT_FALSE(choice.IncludeColumnTitles());
  choice.SetIncludeColumnTitles(true);
  choice.Activate();
  choice.ChooseExcelFile();
  EXPECT_TRUE(choice.IsExcelFile());
  choice.Activate();  // shown again, then closed by the frame
  EXPECT_FALSE(choice.IsExcelFile() || choice.IsTxtFile());
  EXPECT_TRUE(choice.IncludeColumnTitles());
}

TEST(ExportChoice, DialogsOfferTheRightFilesAndFolders) {
  const CaptionTable captions;
  const FileDialogSettings stocks = ExportDialogSettings(GridKind::Sheets, true, captions);
  EXPECT_EQ(stocks.filter, "open a file(*.xlsx)|*.xlsx");
  EXPECT_EQ(stocks.defaultExt, "xlsx");
  EXPECT_EQ(stocks.folderKey, "DIR_EXPORT_SHEETS_EXCEL");
  const FileDialogSettings parts = ExportDialogSettings(GridKind::Parts, false, captions);
  EXPECT_EQ(parts.title, "save as");
  EXPECT_EQ(parts.filter, "save as(*.csv)|*.csv");
  EXPECT_EQ(parts.folderKey, "DIR_EXPORT_PARTS_TXT");
  const FileDialogSettings import = ImportDialogSettings(false, true, captions);
  EXPECT_EQ(import.filter, "open a file(*.xlsx;*.xls)|*.xlsx;*.xls");
  EXPECT_EQ(import.folderKey, "DIR_IMPORT_PARTS_EXCEL");
}

}  // namespace
}  // namespace tralvin
