// Reading comma-separated text into the import preview: cutting at commas
// without quoting or trimming, cell and line limits, row growth, bad bytes.
#include "tables/csv_import.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "import_test_util.h"
#include "tables/import_file_types.h"

namespace tralvin {
namespace {

using testing_import::ScratchFolder;
using testing_import::WriteText;

StringGrid Preview() { return StringGrid(kImportColumns, kImportInitialRows); }

TEST(CsvImport, CutsAtEveryCommaWithoutQuotingOrTrimming) {
  StringGrid p = Preview();
  ASSERT_TRUE(ReadCsvText("a,b,c,d,,f,g\n"
                          "1,2,3,4,5,6,7,8,9,10,11,12,13,14\n"
                          "\"1,5\", x ,\n",
                          p)
                  .ok);
  // Seven fields, the fifth empty.
  EXPECT_EQ(p.Cell(3, 0), "d");
  EXPECT_EQ(p.Cell(4, 0), "");
  EXPECT_EQ(p.Cell(6, 0), "g");
  EXPECT_EQ(p.Cell(7, 0), "");
  // Fourteen fields: the first eleven are kept.
  EXPECT_EQ(p.Cell(10, 1), "11");
  EXPECT_EQ(p.Row(1).size(), 11u);
  // A quoted number with a comma is split, each part keeps its quotation mark.
  EXPECT_EQ(p.Cell(0, 2), "\"1");
  EXPECT_EQ(p.Cell(1, 2), "5\"");
  EXPECT_EQ(p.Cell(2, 2), " x ");
  EXPECT_EQ(p.Cell(3, 2), "");
}

TEST(CsvImport, SkipsByteOrderMarkAndSplitsEveryLineBreakKind) {
  StringGrid p = Preview();
  ReadCsvText("\xEF\xBB\xBFLabel,Qty\r\nA,1\rB,2\n\nC,3", p);
  EXPECT_EQ(p.Cell(0, 0), "Label");  // a header line is a row like any other
  EXPECT_EQ(p.Cell(0, 1), "A");
  EXPECT_EQ(p.Cell(0, 2), "B");
  EXPECT_TRUE(p.RowIsEmpty(3));
  EXPECT_EQ(p.Cell(1, 4), "3");
  EXPECT_TRUE(p.RowIsEmpty(5));
}

TEST(CsvImport, RowCountGrowsByTenAndNeverShrinks) {
  StringGrid p = Preview();
  std::string text;
  for (int i = 0; i < 505; ++i) text += "r" + std::to_string(i) + "\n";
  ReadCsvText(text, p);
  EXPECT_EQ(p.RowCount(), 510);
  EXPECT_EQ(p.Cell(0, 504), "r504");
  ReadCsvText("only\n", p);
  EXPECT_EQ(p.RowCount(), 510);
  EXPECT_EQ(p.Cell(0, 0), "only");
  EXPECT_TRUE(p.RowIsEmpty(504));  // earlier contents are cleared
}

TEST(CsvImport, LimitsCellsToNineThousandNineHundredNinetyNineCharacters) {
  StringGrid p = Preview();
  std::string longCell;
  for (int i = 0; i < 10005; ++i) longCell += "\xC3\xBC";  // two bytes each
  ReadCsvText(longCell + ",next", p);
  EXPECT_EQ(p.Cell(0, 0).size(), 9999u * 2);
  EXPECT_EQ(p.Cell(1, 0), "next");
}

TEST(CsvImport, MalformedBytesBecomeReplacementCharacters) {
  StringGrid p = Preview();
  std::string garbage("ok,\xFF\xC3(\x80", 7);
  garbage += std::string("\0z", 2);
  EXPECT_TRUE(ReadCsvText(garbage, p).ok);
  EXPECT_EQ(p.Cell(0, 0), "ok");
  EXPECT_EQ(p.Cell(1, 0), std::string("\xEF\xBF\xBD\xEF\xBF\xBD(\xEF\xBF\xBD\0z", 12));
}

TEST(CsvImport, ReadsAtMostTenThousandLinesAndSaysSo) {
  StringGrid p = Preview();
  std::string text;
  for (int i = 0; i <= kTextImportMaxLines; ++i) text += "x\n";
  const ImportResult result = ReadCsvText(text, p);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.message, kTextImportLineLimitNotice);
  EXPECT_EQ(p.RowCount(), kTextImportMaxLines);
  EXPECT_EQ(p.Cell(0, kTextImportMaxLines - 1), "x");
}

TEST(CsvImport, FileThatCannotBeReadLeavesPreviewUnchanged) {
  ScratchFolder dir;
  StringGrid p = Preview();
  p.SetCell(0, 0, "kept");
  const ImportResult missing = ReadCSVFile_utf8(dir.File("missing.csv"), p);
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.message.find("missing.csv"), std::string::npos);
  EXPECT_EQ(p.Cell(0, 0), "kept");
  EXPECT_FALSE(ReadCSVFile_utf8(dir.Path(), p).ok);  // a folder
  ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(ReadCSVFile_utf8(dir.File("pipe"), p).ok);  // must not wait for a writer
  EXPECT_EQ(p.Cell(0, 0), "kept");

  WriteText(dir.File("t.csv"), "a,b\n");
  EXPECT_TRUE(ReadCSVFile_utf8(dir.File("t.csv"), p).ok);
  EXPECT_EQ(p.Cell(1, 0), "b");
}

}  // namespace
}  // namespace tralvin
