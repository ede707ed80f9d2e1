// Stock and piece table files: round trips, numbering, the record limit,
// appending with merge, and saves that the system refuses.
#include "tables/table_files.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "base/ini_file.h"
#include "common/test_files.h"
#include "tables/table_grids.h"

namespace tralvin {
namespace {

namespace fs = std::filesystem;

class TableFiles : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return scratch_.File(name); }
  static void WriteText(const std::string& path, const std::string& text) {
    testing_files::WriteText(path, text);
  }
  static std::string ReadText(const std::string& path) { return testing_files::ReadText(path); }

  testing_files::ScratchFolder scratch_{"tralvin_tables"};
};

void SetSheet(StringGrid& g, int row, std::vector<std::string> cells) { g.SetRow(row, cells); }

TEST_F(TableFiles, StockRoundTripNumbersWrittenRowsWithoutGaps) {
  StringGrid g(kSheetColCount, kInitialGridRows);
  SetSheet(g, 1, {"A", "steel", "6000", "3", "1.5", "2", "first"});
  SetSheet(g, 2, {"B", "", "12 1/2", "", "", "", ""});
  SetSheet(g, 3, {"", "wood", "", "", "9", "1", "only type, cost and comment"});
  SetSheet(g, 5, {"", "", "", "7", "", "", ""});
  const std::string file = Path("t.stk");
  TableSaveResult saved = SaveSheetsFile(g, true, file, true);
  ASSERT_TRUE(saved.ok) << saved.message;
  EXPECT_EQ(saved.records, 3);
  EXPECT_EQ(saved.showFileName, file);

  TIniFile ini(file);
  EXPECT_TRUE(ini.SectionExists("SHEET3"));
  EXPECT_FALSE(ini.SectionExists("SHEET4"));
  EXPECT_EQ(ini.ReadString("OPTIONS", "ISBESTDIMENSION", ""), "1");

  StringGrid back(kSheetColCount, kInitialGridRows);
  back.SetCell(0, 0, "title");
  TableReadResult read = ReadSheetsFile(back, file);
  EXPECT_EQ(read.records, 3);
  EXPECT_TRUE(read.bestDimensionMode);
  EXPECT_EQ(read.fileName, file);
  ASSERT_EQ(back.RowCount(), 5);
  EXPECT_EQ(back.Cell(0, 0), "title");
  EXPECT_EQ(back.Row(1), g.Row(1));
  EXPECT_EQ(back.Row(2), g.Row(2));
  EXPECT_EQ(back.Row(3), g.Row(5));
  EXPECT_TRUE(back.RowIsEmpty(4));

  EXPECT_FALSE(SaveSheetsFile(g, false, file, false).showFileName);
  EXPECT_FALSE(ReadSheetsFile(back, file).bestDimensionMode);
}

TEST_F(TableFiles, PiecesWriteRowsWithLabelLengthOrMaximum) {
  StringGrid g(kPartColCount, 6);
  g.SetRow(1, {"P", "", "100", "2", "4", "c"});
  g.SetRow(2, {"", "", "", "5", "", ""});  // quantity only: not written
  g.SetRow(3, {"", "", "", "", "8", ""});  // maximum only: written, empty label
  const std::string file = Path("t.dst");
  ASSERT_TRUE(SavePartsFile(g, file, true).ok);
  StringGrid back(kPartColCount, 3);
  EXPECT_EQ(ReadPartsFile(back, file).records, 2);
  EXPECT_EQ(back.RowCount(), 4);
  EXPECT_EQ(back.Row(1), g.Row(1));
  EXPECT_EQ(back.Row(2), g.Row(3));
  EXPECT_EQ(ReadText(file).find("OPTIONS"), std::string::npos);
}

TEST_F(TableFiles, ReadingStopsAtAGapAndDefaultsMissingKeys) {
  const std::string file = Path("gap.stk");
  WriteText(file,
            "[SHEET1]\nLABEL=A\nLENGTH=10\n[SHEET2]\nlabel=B\nPriority=4\n"
            "[SHEET3]\n[SHEET4]\nLABEL=D\n[OPTIONS]\nISBESTDIMENSION=yes\n");
  StringGrid g(kSheetColCount, kInitialGridRows);
  TableReadResult r = ReadSheetsFile(g, file);
  EXPECT_EQ(r.records, 2);
  EXPECT_FALSE(r.bestDimensionMode);
  EXPECT_EQ(g.RowCount(), 4);
  EXPECT_EQ(g.Row(1), (std::vector<std::string>{"A", "", "10", "", "", "0", ""}));
  EXPECT_EQ(g.Cell(kSheetColPriority, 2), "4");

  r = ReadSheetsFile(g, Path("missing.stk"));
  EXPECT_EQ(r.records, 0);
  EXPECT_EQ(r.fileName, Path("missing.stk"));
  EXPECT_EQ(g.RowCount(), 2);
  EXPECT_TRUE(g.RowIsEmpty(1));
}

TEST_F(TableFiles, TenThousandRecordsLoadAndMoreAreIgnored) {
  std::string text;
  for (int n = 1; n <= 10001; ++n) {
    text += "[PART" + std::to_string(n) + "]\nLABEL=P" + std::to_string(n) + "\nQTY=1\n";
  }
  const std::string file = Path("big.dst");
  WriteText(file, text);
  StringGrid g(kPartColCount, kInitialGridRows);
  EXPECT_EQ(ReadPartsFile(g, file).records, kMaxTableRecords);
  EXPECT_EQ(g.RowCount(), 10002);
  EXPECT_EQ(g.Cell(0, 10000), "P10000");
  StringGrid appended(kPartColCount, 2);
  EXPECT_EQ(AppendPartsFile(appended, file).records, kMaxTableRecords);
}

TEST_F(TableFiles, AppendMergesByTrimmedLabelTypeAndLength) {
  const std::string file = Path("add.stk");
  WriteText(file,
            "[SHEET1]\nLABEL= A\nTYPE=steel \nLENGTH=12\nWIDTH=1000\nQTY=5\n"
            "[SHEET2]\nLABEL=A\nTYPE=steel\nLENGTH=12.0\nQTY=1\nCOST=3\n"
            "[SHEET3]\nLABEL=C\nLENGTH=7\nQTY=2\n[OPTIONS]\nISBESTDIMENSION=1\n");
  StringGrid g(kSheetColCount, 4);
  g.SetRow(1, {"A", " steel", " 12 ", "3", "", "", ""});
  g.SetRow(2, {"X", "", "1", "1", "", "", ""});
  TableAppendResult r = AppendSheetsFile(g, file);
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.records, 3);
  EXPECT_EQ(g.Cell(kSheetColQty, 1), "8");
  EXPECT_EQ(g.Row(3), (std::vector<std::string>{"A", "steel", "12.0", "1", "3", "0", ""}));
  // The grid was full: ten rows were added and the record took the first.
  EXPECT_EQ(g.RowCount(), 14);
  EXPECT_EQ(g.Cell(kSheetColLabel, 4), "C");
}

TEST_F(TableFiles, AppendStopsAtANonIntegerQuantityKeepingEarlierMerges) {
  const std::string file = Path("bad.dst");
  WriteText(file,
            "[PART1]\nLABEL=P\nLENGTH=5\nQTY=2\nMAXQTY=3\nROTATE=N\n"
            "[PART2]\nLABEL=P\nLENGTH=5\nQTY=1\nMAXQTY=x1\n[PART3]\nLABEL=Z\nLENGTH=1\n");
  StringGrid g(kPartColCount, 5);
  g.SetRow(1, {"P", "", "5", "1", "1", ""});
  TableAppendResult r = AppendPartsFile(g, file);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.records, 1);
  EXPECT_EQ(r.message, "'x1' is not a valid integer value");
  EXPECT_EQ(g.Cell(kPartColQty, 1), "3");  // first record merged
  EXPECT_EQ(g.Cell(kPartColMaxQty, 1), "4");
  EXPECT_TRUE(g.RowIsEmpty(2));  // the third record was never reached
}

TEST_F(TableFiles, ARefusedSaveGivesItsCause) {
  StringGrid g(kSheetColCount, 3);
  g.SetRow(1, {"A", "", "10", "1", "", "", ""});
  // A name of 254 characters: the temporary file beside it has a short name
  // of its own, so the save works.
  const std::string file = Path(std::string(250, 'n') + ".stk");
  WriteText(file, "[SHEET1]\nLABEL=old\n");
  TableSaveResult r = SaveSheetsFile(g, false, file, true);
  EXPECT_TRUE(r.ok) << r.message;
  EXPECT_NE(ReadText(file).find("LABEL=A\r\n"), std::string::npos);

  const std::string nowhere = Path("no/such/folder/t.dst");
  StringGrid parts(kPartColCount, 2);
  parts.SetRow(1, {"P", "", "5", "1", "1", ""});
  TableSaveResult p = SavePartsFile(parts, nowhere, true);
  EXPECT_FALSE(p.ok);
  EXPECT_EQ(p.message, "Unable to write to " + nowhere + " (No such file or directory)");
  EXPECT_FALSE(p.showFileName);
}

// The highest resident memory of this process so far, in KiB.
[[maybe_unused]] long PeakResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// Inputs: reading a large table file costs a few times its size, not tens.
TEST_F(TableFiles, ReadingALargeFileNeedsAFewTimesItsSize) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer's own memory hides the reader's";
#else
  const std::string path = Path("large.stk");
  {
    std::string text = "[SHEET1]\r\nLABEL=S1\r\nTYPE=Oak\r\nLENGTH=6000\r\nQTY=2\r\n";
    while (text.size() < (16u << 20)) text += "k=\r\n[s]\r\nk=v\r\nkey=value\r\n";
    WriteText(path, text);
  }
  const double fileKiB = static_cast<double>(fs::file_size(path)) / 1024.0;
  // In a child process, so that the peak is the reader's alone.
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const long before = PeakResidentKiB();
    StringGrid sheets(7, 2);
    const TableReadResult read = ReadSheetsFile(sheets, path);
    long used = read.records == 1 && sheets.Cell(0, 1) == "S1" ? PeakResidentKiB() - before : -1;
    if (write(fds[1], &used, sizeof used) != sizeof used) _exit(1);
    _exit(0);
  }
  close(fds[1]);
  long used = -2;
  EXPECT_EQ(read(fds[0], &used, sizeof used), static_cast<ssize_t>(sizeof used));
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_GE(used, 0) << "the file did not read back";
  RecordProperty("peak_kib", static_cast<int>(used));
  EXPECT_LT(static_cast<double>(used), 6.0 * fileKiB)
      << used << " KiB for a file of " << fileKiB << " KiB";
#endif
}

}  // namespace
}  // namespace tralvin
