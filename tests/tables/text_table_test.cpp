// Plain text tables: reading them straight into a table (start-up switches)
// and exporting a table as comma-separated text.
#include <gtest/gtest.h>

#include "import_test_util.h"
#include "tables/import_file_types.h"
#include "tables/table_grids.h"
#include "tables/text_table_export.h"
#include "tables/text_table_import.h"
#include "texts/caption_table.h"

namespace tralvin {
namespace {

using testing_import::ReadText;
using testing_import::ScratchFolder;
using testing_import::WriteText;

StringGrid Sheets() {
  StringGrid g(kSheetColCount, kInitialGridRows);
  for (int c = 0; c < kSheetColCount; ++c) g.SetCell(c, 0, "T" + std::to_string(c));
  return g;
}

TEST(TextTableImport, FillsRowsFromOneAndCutsAtTheTableWidth) {
  StringGrid g = Sheets();
  g.SetCell(0, 400, "old");
  ReadTextTable("a,b,6000,2,0,1,c,extra,more\r\n, x ,\n", g);
  EXPECT_EQ(g.Cell(0, 0), "T0");  // titles stay
  EXPECT_EQ(g.Cell(2, 1), "6000");
  EXPECT_EQ(g.Cell(6, 1), "c");
  EXPECT_EQ(g.Cell(1, 2), " x ");
  EXPECT_EQ(g.RowCount(), 3);  // lines + 1
  EXPECT_EQ(g.Row(1).size(), 7u);

  ReadTextTable("", g);
  EXPECT_EQ(g.RowCount(), 2);  // always keeps one data row
  EXPECT_TRUE(g.RowIsEmpty(1));
}

TEST(TextTableImport, GrowsPastTheRowCountAndReadsWindows1252) {
  StringGrid g(kPartColCount, 2);
  ReadTextTable("M\xFCller,\xE2\x82\xAC\nr2\nr3\n", g);
  EXPECT_EQ(g.Cell(0, 1), "M\xC3\xBCller");  // not UTF-8: Windows-1252
  EXPECT_EQ(g.Cell(1, 1), "\xE2\x82\xAC");   // valid UTF-8 stays
  EXPECT_EQ(g.Cell(0, 3), "r3");
  EXPECT_EQ(g.RowCount(), 4);
}

TEST(TextTableImport, UnreadableFileGivesBracketedReasonAndCaption) {
  ScratchFolder dir;
  const CaptionTable captions;
  StringGrid g = Sheets();
  g.SetCell(0, 1, "old");
  const ImportResult r = ReadSheetsTXTFile(g, dir.File("none.txt"), captions);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message.front(), '[');
  EXPECT_NE(r.message.find("none.txt"), std::string::npos);
  EXPECT_EQ(r.message.substr(r.message.size() - 18), "]Can not read file");
  EXPECT_TRUE(g.RowIsEmpty(1));

  WriteText(dir.File("p.txt"), "P1,steel,100,2,3,note,x\n");
  StringGrid parts(kPartColCount, kInitialGridRows);
  EXPECT_TRUE(ReadPartsTXTFile(parts, dir.File("p.txt"), captions).ok);
  EXPECT_EQ(parts.Cell(5, 1), "note");
  EXPECT_EQ(parts.RowCount(), 2);
}

TEST(TextTableExport, WritesTrimmedCellsEachWithACommaAndCrLf) {
  StringGrid g = Sheets();  // 501 rows
  g.SetCell(0, 1, "A");
  g.SetCell(2, 1, " 6000 ");
  g.SetCell(4, 2, "\t1.5 ");
  const std::string text = TableToCsvText(g, false);
  ASSERT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
  int lines = 0, commasOnly = 0;
  std::size_t start = 3;
  std::vector<std::string> all;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    ASSERT_NE(end, std::string::npos);
    all.push_back(text.substr(start, end - start));
    ++lines;
    if (all.back() == ",,,,,,,") ++commasOnly;
    start = end + 2;
  }
  EXPECT_EQ(lines, 500);
  EXPECT_EQ(commasOnly, 498);
  EXPECT_EQ(all[0], "A,,6000,,,,,");
  EXPECT_EQ(all[1], ",,,,1.5,,,");

  EXPECT_EQ(TableToCsvText(g, true).substr(3, 23), "T0,T1,T2,T3,T4,T5,T6,\r\n");
}

TEST(TextTableExport, ACellWithACommaReadsBackOneFieldLonger) {
  ScratchFolder dir;
  StringGrid parts(kPartColCount, 2);
  parts.SetCell(0, 1, "P1");
  parts.SetCell(5, 1, "cut, then drill");
  ASSERT_TRUE(WritePartsTxtFile(parts, dir.File("p.csv"), false).ok);
  StringGrid back(kImportColumns, kImportInitialRows);
  ReadTextTable(ReadText(dir.File("p.csv")), back);
  EXPECT_EQ(back.Cell(5, 1), "cut");
  EXPECT_EQ(back.Cell(6, 1), " then drill");
}

TEST(TextTableExport, FailuresAreReported) {
  ScratchFolder dir;
  const StringGrid g = Sheets();
  const ExportResult r = WriteSheetsTxtFile(g, dir.File("no/such/folder/x.csv"), true);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("Unable to write to"), std::string::npos);
  // A folder in the way of the file is not replaced.
  std::filesystem::create_directory(dir.File("taken.csv"));
  EXPECT_FALSE(WriteSheetsTxtFile(g, dir.File("taken.csv"), false).ok);
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("taken.csv")));
}

}  // namespace
}  // namespace tralvin
