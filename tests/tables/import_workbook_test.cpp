// Reading workbooks into the import preview: fixtures written by other
// producers (.xlsx and .xls), the stop rule after 21 empty rows, number
// texts, and broken or hostile files that must end with "need EXCEL".
#include "tables/import_workbook.h"

#include <gtest/gtest.h>

#include "import_test_util.h"
#include "tables/import_file_types.h"
#include "tables/import_number_text.h"
#include "texts/caption_table.h"

namespace tralvin {
namespace {

using testing_import::Fixture;
using testing_import::ReadText;
using testing_import::ScratchFolder;
using testing_import::WriteText;

struct Read {
  StringGrid preview{kImportColumns, kImportInitialRows};
  std::vector<std::string> names;
  WorkbookImportResult result;
};

Read ReadFile(const std::string& file, int sheet) {
  Read r;
  r.result = ReadExcelFile(file, sheet, r.preview, r.names, CaptionTable());
  return r;
}

TEST(WorkbookNumberText, IsTheShortestTextThatReadsBack) {
  EXPECT_EQ(WorkbookNumberText(6000), "6000");
  EXPECT_EQ(WorkbookNumberText(12.5), "12.5");
  EXPECT_EQ(WorkbookNumberText(0.1), "0.1");
  EXPECT_EQ(WorkbookNumberText(-2.25), "-2.25");
  EXPECT_EQ(WorkbookNumberText(100000), "100000");
  EXPECT_EQ(WorkbookNumberText(0.00001), "0.00001");
  EXPECT_EQ(WorkbookNumberText(1e-6), "1E-6");
  EXPECT_EQ(WorkbookNumberText(1.5e20), "1.5E20");
  EXPECT_EQ(WorkbookNumberText(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(WorkbookNumberText(-0.0), "0");
}

TEST(WorkbookImport, OpenpyxlSheetStopsAfterTwentyOneEmptyRows) {
  Read r = ReadFile(Fixture("openpyxl_gap.xlsx"), 0);
  ASSERT_TRUE(r.result.ok) << r.result.detail;
  EXPECT_EQ(r.names, (std::vector<std::string>{"Stock list", "Pieces"}));
  EXPECT_EQ(r.preview.Cell(0, 0), "Label");
  EXPECT_EQ(r.preview.Cell(2, 1), "6000");
  EXPECT_EQ(r.preview.Cell(4, 1), "12.5");
  EXPECT_EQ(r.preview.Cell(6, 1), " spaced ");  // untrimmed
  EXPECT_EQ(r.preview.Cell(2, 2), "0.1");
  EXPECT_EQ(r.preview.Cell(4, 2), "1E20");
  EXPECT_EQ(r.preview.Cell(6, 2), "x,y");
  // Row 4 is empty; row 5 still belongs to the table.
  EXPECT_TRUE(r.preview.RowIsEmpty(3));
  EXPECT_EQ(r.preview.Cell(0, 4), "C3");
  EXPECT_EQ(r.preview.Cell(2, 4), "-2.25");
  EXPECT_EQ(r.preview.Cell(3, 4), "TRUE");
  EXPECT_EQ(r.preview.Cell(10, 4), "col K");  // column 12 is not read
  // Rows 6..26 are empty: rows 27 and 28 are not read.
  EXPECT_EQ(r.preview.RowCount(), 6);
}

TEST(WorkbookImport, TwentyEmptyRowsDoNotStopTheRead) {
  Read r = ReadFile(Fixture("openpyxl_gap.xlsx"), 1);
  ASSERT_TRUE(r.result.ok) << r.result.detail;
  EXPECT_EQ(r.preview.Cell(2, 0), "1500");
  EXPECT_EQ(r.preview.Cell(0, 1), "   ");  // blanks kept, but no data row
  EXPECT_EQ(r.preview.Cell(0, 21), "P2");
  EXPECT_EQ(r.preview.Cell(2, 21), "750");
  EXPECT_EQ(r.preview.RowCount(), 23);
}

TEST(WorkbookImport, HandmadeArchiveWithPrefixesInlineStringsAndFormulas) {
  Read r = ReadFile(Fixture("handmade.xlsx"), 0);
  ASSERT_TRUE(r.result.ok) << r.result.detail;
  EXPECT_EQ(r.names, (std::vector<std::string>{"Zweite & Liste", "First"}));
  EXPECT_EQ(r.preview.Cell(0, 0), "  two blanks");
  EXPECT_EQ(r.preview.Cell(1, 0), "rich text");
  EXPECT_EQ(r.preview.Cell(2, 0), "");
  EXPECT_EQ(r.preview.Cell(3, 0), "line\rbreak");
  EXPECT_EQ(r.preview.Cell(0, 1), "inline");
  EXPECT_EQ(r.preview.Cell(1, 1), "TRUE");
  EXPECT_EQ(r.preview.Cell(2, 1), "FALSE");
  EXPECT_EQ(r.preview.RowCount(), 3);

  r = ReadFile(Fixture("handmade.xlsx"), 1);
  ASSERT_TRUE(r.result.ok) << r.result.detail;
  EXPECT_TRUE(r.preview.RowIsEmpty(0));
  EXPECT_EQ(r.preview.Cell(1, 1), "2");  // cached formula values
  EXPECT_EQ(r.preview.Cell(2, 1), "ab");
  EXPECT_EQ(r.preview.Cell(3, 1), "#DIV/0!");
  EXPECT_EQ(r.preview.Cell(4, 1), "1E-7");
  EXPECT_EQ(r.preview.Cell(5, 1), "1.2345678901234568E17");
  EXPECT_EQ(r.preview.Cell(0, 3), "");  // shared string index out of range
  EXPECT_EQ(r.preview.Cell(10, 3), "11");
  EXPECT_EQ(r.preview.RowCount(), 5);
}

TEST(WorkbookImport, LegacyXlsFixtureReads) {
  Read r = ReadFile(Fixture("legacy.xls"), 0);
  ASSERT_TRUE(r.result.ok) << r.result.detail;
  EXPECT_EQ(r.names, (std::vector<std::string>{"Stocks", "Second"}));
  EXPECT_EQ(r.preview.Cell(3, 0), "Qty");
  EXPECT_EQ(r.preview.Cell(1, 1), "Stahl \xC3\xBC");
  EXPECT_EQ(r.preview.Cell(2, 1), "6000");
  EXPECT_EQ(r.preview.Cell(3, 1), "12.5");
  EXPECT_EQ(r.preview.Cell(0, 2), " 7 ");
  EXPECT_EQ(r.preview.Cell(10, 2), "col K");
  EXPECT_EQ(r.preview.RowCount(), 4);

  r = ReadFile(Fixture("legacy.xls"), 1);
  ASSERT_TRUE(r.result.ok);
  EXPECT_EQ(r.preview.Cell(0, 0), "second sheet");
}

TEST(WorkbookImport, BrokenFilesEndWithNeedExcel) {
  ScratchFolder dir;
  const std::string xlsx = ReadText(Fixture("handmade.xlsx"));
  const std::string xls = ReadText(Fixture("legacy.xls"));
  WriteText(dir.File("cut.xlsx"), xlsx.substr(0, xlsx.size() / 2));
  WriteText(dir.File("cut.xls"), xls.substr(0, xls.size() / 2));
  WriteText(dir.File("head.xls"), xls.substr(0, 600));
  WriteText(dir.File("text.xlsx"), "Label,Qty\n");
  WriteText(dir.File("empty.xlsx"), "");
  std::string flipped = xlsx;
  for (std::size_t i = 100; i < flipped.size() - 200; i += 7) flipped[i] ^= 0x5A;
  WriteText(dir.File("flipped.xlsx"), flipped);
  for (const char* name : {"cut.xlsx", "cut.xls", "head.xls", "text.xlsx", "empty.xlsx",
                           "flipped.xlsx", "none.xlsx"}) {
    Read r = ReadFile(dir.File(name), 0);
    EXPECT_FALSE(r.result.ok) << name;
    EXPECT_EQ(r.result.message, "need EXCEL") << name;
    EXPECT_FALSE(r.result.detail.empty()) << name;
  }
}

TEST(WorkbookImport, MissingSheetKeepsTheSheetNames) {
  Read r = ReadFile(Fixture("handmade.xlsx"), 2);
  EXPECT_FALSE(r.result.ok);
  EXPECT_EQ(r.names.size(), 2u);
  r = ReadFile(Fixture("legacy.xls"), -1);
  EXPECT_FALSE(r.result.ok);
  EXPECT_EQ(r.names.size(), 2u);
}

TEST(WorkbookImport, PartThatInflatesPastTheCapIsRefused) {
  Read r = ReadFile(Fixture("bomb.xlsx"), 0);
  EXPECT_FALSE(r.result.ok);
  EXPECT_NE(r.result.detail.find("too large"), std::string::npos) << r.result.detail;
  // The other sheet of the same archive is small and reads.
  r = ReadFile(Fixture("bomb.xlsx"), 1);
  EXPECT_TRUE(r.result.ok) << r.result.detail;
}

TEST(WorkbookImport, LyingSizeFieldsDoNotLiftTheCap) {
  // Claim 1000 bytes for the inflating part in the central directory.
  std::string bytes = ReadText(Fixture("bomb.xlsx"));
  const std::string name = "book/data/second.xml";
  std::size_t pos = 0;
  bool patched = false;
  while ((pos = bytes.find("PK\x01\x02", pos)) != std::string::npos) {
    if (bytes.compare(pos + 46, name.size(), name) == 0) {
      bytes.replace(pos + 24, 4, std::string("\xE8\x03\x00\x00", 4));
      patched = true;
    }
    pos += 4;
  }
  ASSERT_TRUE(patched);
  StringGrid preview(kImportColumns, kImportInitialRows);
  std::vector<std::string> names;
  const WorkbookImportResult r = ReadExcelBytes(bytes, 0, preview, names, CaptionTable());
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, "need EXCEL");
}

}  // namespace
}  // namespace tralvin
