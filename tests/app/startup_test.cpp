// The start-up steps: default files of the start folder in their order, the
// table files the option file names, and the switches acting afterwards.
#include "app/startup.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace tralvin {
namespace {

namespace fs = std::filesystem;

class StartupTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / ("tralvin_startup_" + std::to_string(getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return (dir_ / name).string();
  }
  std::string Stocks(const std::string& name, const std::string& label,
                     bool bestDimension = false) {
    return Write(name, "[OPTIONS]\nISBESTDIMENSION=" + std::string(bestDimension ? "1" : "0") +
                           "\n[SHEET1]\nLABEL=" + label + "\nTYPE=Oak\nLENGTH=6000\nQTY=3\n");
  }
  fs::path dir_;
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

}  // namespace
}  // namespace tralvin
