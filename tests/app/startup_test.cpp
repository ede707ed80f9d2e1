// The start-up steps: default files of the start folder in their order, the
// table files the option file names, and the switches acting afterwards.
#include "app/startup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/test_files.h"

namespace tralvin {
namespace {

namespace fs = std::filesystem;

class StartupTest : public testing::Test {
 protected:
  testing_files::ScratchFolder scratch_{"tralvin_startup"};
  fs::path dir_ = scratch_.Path();
  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return (dir_ / name).string();
  }
  std::string Stocks(const std::string& name, const std::string& label,
                     bool bestDimension = false) {
    return Write(name, "[OPTIONS]\nISBESTDIMENSION=" + std::string(bestDimension ? "1" : "0") +
                           "\n[SHEET1]\nLABEL=" + label + "\nTYPE=Oak\nLENGTH=6000\nQTY=3\n");
  }
};

TEST_F(StartupTest, WithoutParametersOnlyTheDefaultFiles) {
  Write("default.typ", "[HEAD]\nNUMBER=1\n[TYPE0]\nSTRING=Oak\nCHECK=0\n");
  Write("default.opt", "[OPTION]\nMEASURE=cm\n");
  Stocks("default.stk", "D1");
  Write("default.dst", "[PART1]\nLABEL=P1\nTYPE=Oak\nLENGTH=100\nQTY=1\nMAXQTY=1\n");
  StartupState s = RunStartupSteps(dir_.string(), {});
  EXPECT_EQ(s.types.MaterialTypes, std::vector<std::string>{"Oak"});
  EXPECT_TRUE(s.types.SelectedTypes.empty());
  EXPECT_EQ(s.settings.EditMeasure, "cm");
  EXPECT_EQ(s.sheets.Cell(0, 1), "D1");
  EXPECT_EQ(s.sheets.RowCount(), 3);
  EXPECT_EQ(s.parts.Cell(0, 1), "P1");
  EXPECT_EQ(s.settings.EditSheetsFileName, (dir_ / "default.stk").string());
  EXPECT_FALSE(s.AutoRun);
  EXPECT_FALSE(s.HideMode);
}

TEST_F(StartupTest, NothingThereGivesEmptyTablesAndDefaults) {
  StartupState s = RunStartupSteps(dir_.string(), {});
  EXPECT_EQ(s.settings.EditMeasure, "inch");
  EXPECT_EQ(s.sheets.RowCount(), 2);
  EXPECT_EQ(s.settings.EditPartsFileName, (dir_ / "default.dst").string());
  EXPECT_TRUE(fs::is_empty(dir_));  // start-up writes nothing
}

TEST_F(StartupTest, OptionFileNamesTheTablesThenSwitchesFollowInOrder) {
  const std::string other = Stocks("other.stk", "O1");
  Write("default.opt", "[OPTION]\nMEASURE=cm\nSHEETS_FILE=" + other + "\n");
  EXPECT_EQ(RunStartupSteps(dir_.string(), {}).sheets.Cell(0, 1), "O1");

  // "-stk:" in capitals loads the file (name case kept) and replaces the text
  // table of "-stock:"; "-option:" comes too late to load its tables but
  // applies its keys; "-measure:" wins over both option files.
  const std::string bars = Stocks("Bars.stk", "B1", true);
  const std::string text = Write("s.txt", "T1,Oak,100,1\n");
  const std::string late =
      Write("late.opt", "[OPTION]\nSHEETS_FILE=" + other + "\nMEASURE=m\nPROJECT_TITLE=Late\n");
  StartupState s =
      RunStartupSteps(dir_.string(), {"-stock:" + text, "-STK:" + bars, "-option:" + late,
                                      "-measure:ft", "-auto:YES", "-hide:yes"});
  EXPECT_EQ(s.sheets.Cell(0, 1), "B1");
  EXPECT_TRUE(s.bestDimensionMode);
  EXPECT_EQ(s.settings.EditSheetsFileName, bars);
  EXPECT_EQ(s.settings.EditPrintTitle, "Late");
  EXPECT_EQ(s.settings.EditMeasure, "ft");
  EXPECT_TRUE(s.AutoRun);
  EXPECT_TRUE(s.HideMode);

  StartupState t = RunStartupSteps(dir_.string(), {"-stock:" + text, "-auto:y"});
  EXPECT_EQ(t.sheets.Cell(0, 1), "T1");
  EXPECT_FALSE(t.AutoRun);
}

// Inputs: a pipe in place of any file the start-up reads is refused unread,
// with a message naming it, instead of waiting for a writer forever.
TEST_F(StartupTest, PipesNamedAsInputsAreRefusedUnread) {
  for (const char* name : {"default.typ", "default.opt", "default.stk", "default.dst"}) {
    ASSERT_EQ(::mkfifo((dir_ / name).c_str(), 0600), 0);
  }
  const std::string fifo = (dir_ / "pieces.dst").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  StartupState s = RunStartupSteps(dir_.string(), {"-dst:" + fifo, "-option:" + fifo});
  ASSERT_EQ(s.refusedInputs.size(), 6u);
  EXPECT_EQ(s.refusedInputs[0],
            "Cannot read file \"" + (dir_ / "default.typ").string() + "\". Not a regular file");
  EXPECT_EQ(s.refusedInputs[4], "Cannot read file \"" + fifo + "\". Not a regular file");
  EXPECT_EQ(s.parts.RowCount(), 2);
}

TEST_F(StartupTest, DefaultCaptionFileRetitlesBothGrids) {
  Write("default.cap",
        "[CAPTION]\nStock Label Caption=Bezeichnung\nPart Qty Caption=Anzahl\n"
        "Max Length Caption=Hoechstlaenge\n[HINT]\nTab Report=the plan\n");
  Stocks("default.stk", "D1", true);
  StartupState s = RunStartupSteps(dir_.string(), {});
  EXPECT_EQ(s.captions.Text("Stock Label Caption"), "Bezeichnung");
  EXPECT_EQ(s.captions.Hint("Tab Report"), "the plan");
  EXPECT_EQ(s.sheets.Cell(0, 0), "Bezeichnung");
  EXPECT_EQ(s.sheets.Cell(3, 0), "Hoechstlaenge");  // best-dimension mode
  EXPECT_EQ(s.parts.Cell(3, 0), "Anzahl");
  EXPECT_EQ(s.parts.Cell(0, 0), "name");
  EXPECT_EQ(s.sheets.Cell(0, 1), "D1");

  // A pipe in its place is refused unread, as the other default files are.
  std::filesystem::remove(dir_ / "default.cap");
  ASSERT_EQ(::mkfifo((dir_ / "default.cap").c_str(), 0600), 0);
  StartupState t = RunStartupSteps(dir_.string(), {});
  ASSERT_EQ(t.refusedInputs.size(), 1u);
  EXPECT_EQ(t.refusedInputs[0],
            "Cannot read file \"" + (dir_ / "default.cap").string() + "\". Not a regular file");
  EXPECT_EQ(t.sheets.Cell(0, 0), "Name");
}

}  // namespace
}  // namespace tralvin
