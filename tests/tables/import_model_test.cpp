// The import window's model: mapping boxes and the mapping file, the check
// for two boxes naming one column, and Copy and Append into the tables.
#include "tables/import_model.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "import_test_util.h"
#include "tables/import_transfer.h"
#include "tables/table_files.h"
#include "texts/caption_table.h"

namespace tralvin {
namespace {

using testing_import::ScratchFolder;
using testing_import::WriteText;

StringGrid Sheets(int rows = kInitialGridRows) {
  StringGrid g(kSheetColCount, rows);
  const char* titles[] = {"Label", "Type", "Length", "Qty", "Cost", "Priority", "Comment"};
  for (int c = 0; c < kSheetColCount; ++c) g.SetCell(c, 0, titles[c]);
  return g;
}

StringGrid Parts() {
  StringGrid g(kPartColCount, kInitialGridRows);
  const char* titles[] = {"Label", "Type", "Length", "Qty", "Max", "Comment"};
  for (int c = 0; c < kPartColCount; ++c) g.SetCell(c, 0, titles[c]);
  return g;
}

class ImportModelTest : public ::testing::Test {
 protected:
  ImportTarget Target(StringGrid& table, GridKind kind = GridKind::Sheets) {
    return ImportTarget{kind, &table, false, dir.Path()};
  }
  ScratchFolder dir;
  CaptionTable captions;
  ImportModel model;
};

TEST_F(ImportModelTest, BoxesListTheIgnoreTextThenTheTitles) {
  StringGrid parts = Parts();
  model.PrepareMappingBoxes(false, parts, captions);
  EXPECT_FALSE(model.ImportForStocks());
  EXPECT_EQ(model.Box(10).items, (std::vector<std::string>{"======", "Label", "Type", "Length",
                                                           "Qty", "Max", "Comment"}));
  EXPECT_EQ(model.Box(0).Text(), "======");
  EXPECT_STREQ(model.MappingSection(), "PART_FIELDS");
  EXPECT_EQ(model.Preview().RowCount(), 500);
  EXPECT_EQ(model.Preview().ColCount(), 11);
}

TEST_F(ImportModelTest, MappingFileRestoresAllElevenBoxes) {
  StringGrid sheets = Sheets();
  BeginImport(model, Target(sheets), captions);
  model.SetItemIndex(0, 1);
  model.SetItemIndex(9, 7);
  model.SetItemIndex(10, 6);
  ASSERT_TRUE(model.ConfirmCopy(captions).ok);
  FinishImport(model, Target(sheets));

  const TIniFile ini(dir.File("default"));
  EXPECT_EQ(ini.ReadInteger("SHEET_FIELDS", "FIELD10", -1), 7);
  EXPECT_EQ(ini.ReadInteger("SHEET_FIELDS", "FIELD11", -1), 6);
  EXPECT_EQ(ini.ReadInteger("SHEET_FIELDS", "FIELD02", -1), 0);

  ImportModel next;
  BeginImport(next, Target(sheets), captions);
  EXPECT_EQ(next.Box(0).itemIndex, 1);
  EXPECT_EQ(next.Box(9).Text(), "Comment");
  EXPECT_EQ(next.Box(10).Text(), "Priority");
  // The piece table has six titles: a stock mapping of 7 is out of its range.
  StringGrid parts = Parts();
  WriteText(dir.File("default"), "[PART_FIELDS]\nFIELD01=7\nFIELD02=-3\nFIELD03=6\n");
  BeginImport(next, Target(parts, GridKind::Parts), captions);
  EXPECT_EQ(next.Box(0).itemIndex, 0);
  EXPECT_EQ(next.Box(1).itemIndex, 0);
  EXPECT_EQ(next.Box(2).Text(), "Comment");
}

TEST_F(ImportModelTest, TwoBoxesNamingOneColumnAreRefused) {
  StringGrid sheets = Sheets();
  model.PrepareMappingBoxes(true, sheets, captions);
  model.SetItemIndex(2, 3);
  model.SetItemIndex(6, 3);
  const MappingCheck check = model.ConfirmAppend(captions);
  EXPECT_FALSE(check.ok);
  EXPECT_EQ(check.message, "same field error");
  EXPECT_EQ(check.focusBox, 7);
  // The refused confirmation leaves nothing to import on a frame close.
  EXPECT_FALSE(model.IsAppend());
  EXPECT_FALSE(FinishImport(model, Target(sheets)).tableChanged);

  model.SetItemIndex(6, 0);  // many ignore boxes are fine
  EXPECT_TRUE(model.ConfirmAppend(captions).ok);
  EXPECT_TRUE(model.IsAppend());
  model.Activate();
  EXPECT_FALSE(model.IsAppend() || model.IsOK());
}

TEST_F(ImportModelTest, CopyMapsPreviewColumnsToTitledColumns) {
  StringGrid sheets = Sheets();
  sheets.SetCell(0, 300, "old row");
  model.PrepareMappingBoxes(true, sheets, captions);
  model.Preview().SetRow(0, {"6000", "A", "x", "2"});
  model.Preview().SetRow(1, {"12.5", "B", "y", " 3 "});
  model.SetItemIndex(0, 3);  // Length
  model.SetItemIndex(1, 1);  // Label
  model.SetItemIndex(3, 4);  // Qty
  model.SetImportFileName("/data/list.csv");
  ASSERT_TRUE(model.ConfirmCopy(captions).ok);
  const ImportOutcome out = FinishImport(model, Target(sheets));
  EXPECT_TRUE(out.tableChanged);
  EXPECT_EQ(out.fileNameText, "/data/list.csv.stk");
  EXPECT_EQ(sheets.Cell(0, 0), "Label");
  EXPECT_EQ(sheets.Cell(0, 1), "A");
  EXPECT_EQ(sheets.Cell(2, 1), "6000");
  EXPECT_EQ(sheets.Cell(3, 2), " 3 ");
  EXPECT_EQ(sheets.Cell(1, 1), "");  // no box names the type column
  EXPECT_TRUE(sheets.RowIsEmpty(300));
  EXPECT_EQ(sheets.RowCount(), 501);
}

TEST_F(ImportModelTest, UnreadableTextFileKeepsPreviewAndFileName) {
  WriteText(dir.File("good.csv"), "a,b\n");
  ASSERT_TRUE(model.ReadCSVFile_utf8(dir.File("good.csv")).ok);
  const ImportResult failed = model.ReadCSVFile_utf8(dir.File("missing.csv"));
  EXPECT_FALSE(failed.ok);
  EXPECT_NE(failed.message.find("missing.csv"), std::string::npos) << failed.message;
  EXPECT_EQ(model.Preview().Cell(1, 0), "b");
  EXPECT_EQ(model.ImportFileName(), dir.File("good.csv"));
}

TEST_F(ImportModelTest, CopyWithEveryBoxIgnoredLeavesAnEmptyTable) {
  StringGrid sheets = Sheets();
  sheets.SetCell(0, 1, "old");
  model.PrepareMappingBoxes(true, sheets, captions);
  model.Preview().SetRowCount(23);
  model.Preview().SetCell(0, 0, "x");
  ASSERT_TRUE(model.ConfirmCopy(captions).ok);
  FinishImport(model, Target(sheets));
  EXPECT_EQ(sheets.RowCount(), 24);
  for (int r = 1; r < sheets.RowCount(); ++r) EXPECT_TRUE(sheets.RowIsEmpty(r)) << r;
}

TEST_F(ImportModelTest, AppendPutsImportedRowsFirstAndKeepsTheFileName) {
  StringGrid sheets = Sheets();
  sheets.SetRow(1, {"OLD", "steel", "5000", "1", "", "0", ""});
  sheets.SetRow(2, {"NEW", "steel", "6000", "4", "", "0", ""});
  model.PrepareMappingBoxes(true, sheets, captions);
  model.Preview().SetRowCount(3);
  model.Preview().SetRow(0, {"NEW", "steel", "6000", "1"});
  model.Preview().SetRow(1, {"FIRST", "alu", "100", "2"});
  for (int k = 0; k < 4; ++k) model.SetItemIndex(k, k + 1);
  ASSERT_TRUE(model.ConfirmAppend(captions).ok);
  const ImportOutcome out = FinishImport(model, Target(sheets));
  EXPECT_TRUE(out.message.empty()) << out.message;
  EXPECT_FALSE(out.fileNameText.has_value());
  EXPECT_EQ(sheets.Cell(0, 1), "NEW");
  EXPECT_EQ(sheets.Cell(3, 1), "5");  // the former row merged into the imported one
  EXPECT_EQ(sheets.Cell(0, 2), "FIRST");
  EXPECT_EQ(sheets.Cell(0, 3), "OLD");
  EXPECT_TRUE(std::filesystem::exists(dir.File("tmp.stk")));
}

TEST_F(ImportModelTest, AppendThatCannotSaveTheTableLeavesItUntouched) {
  StringGrid parts = Parts();
  parts.SetRow(1, {"P", "t", "10", "1", "1", ""});
  model.PrepareMappingBoxes(false, parts, captions);
  model.Preview().SetCell(0, 0, "imported");
  model.SetItemIndex(0, 1);
  ASSERT_TRUE(model.ConfirmAppend(captions).ok);
  ImportTarget target = Target(parts, GridKind::Parts);
  target.startFolder = dir.File("missing/folder");
  const ImportOutcome out = ImportAppend(model, target);
  EXPECT_FALSE(out.tableChanged);
  EXPECT_FALSE(out.message.empty());
  EXPECT_EQ(parts.Cell(0, 1), "P");
}

}  // namespace
}  // namespace tralvin
