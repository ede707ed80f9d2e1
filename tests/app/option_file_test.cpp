// The option file: defaults of a missing file or key, the value forms, the
// clamped indexes and positions, and writing without touching other sections.
#include "app/option_file.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "base/pubfunc.h"
#include "settings_test_util.h"
#include "texts/caption_table.h"

namespace tralvin {
namespace {

using testing_settings::ReadText;
using testing_settings::ScratchFolder;
using testing_settings::WriteText;

class OptionFileTest : public ::testing::Test {
 protected:
  std::vector<SettingsMessage> Read(const std::string& body, int typeItems = 0) {
    WriteText(dir.File("in.opt"), "[OPTION]\n" + body);
    return ReadOptionFile(s, dir.File("in.opt"), typeItems, pub, captions);
  }
  ScratchFolder dir;
  SettingsModel s{dir.Path()};
  TPubFunc pub;
  CaptionTable captions;
};

TEST_F(OptionFileTest, MissingFileAppliesDefaults) {
  s.EditPrintTitle = "PROJECT NO.1";
  s.CheckBoxAutoPrinterSetupFont = true;
  EXPECT_TRUE(ReadOptionFile(s, dir.File("none.opt"), 0, pub, captions).empty());
  EXPECT_EQ(s.EditMeasure, "inch");
  EXPECT_EQ(s.EditPrinterFontName, "MS Mincho");
  EXPECT_EQ(s.EditPrinterFontSize, "72");
  EXPECT_EQ(s.EditPrintTitle, "");
  EXPECT_EQ(s.TrackBarSpeed, 0);
  EXPECT_EQ(s.params.Speed, 0);
  EXPECT_TRUE(s.CheckBoxCostOptimize);
  EXPECT_TRUE(s.CheckBoxFastSpeed);
  EXPECT_EQ(s.RadioGroupCutMode, 1);
  EXPECT_TRUE(s.params.Guillotine);
  EXPECT_FALSE(s.CheckBoxOrderOptimize);
  EXPECT_EQ(s.ComboBoxBothOrEither, 0);
  EXPECT_EQ(s.EditBladeWidth, "0");
  EXPECT_EQ(s.EditDrillDepth, "-0.02");
  EXPECT_EQ(s.ScrollBarAutoPrinterSetupSize, 99);
  EXPECT_EQ(s.params.AutoPrinterFontZoom, 99);
  EXPECT_FALSE(s.CheckBoxAutoPrinterSetupFont);
  EXPECT_TRUE(s.FontButtonsEnabled);
  EXPECT_FALSE(s.ZoomScrollBarEnabled);
  EXPECT_EQ(s.Folder("DIR_SHEETS"), dir.Path());
  EXPECT_EQ(s.Folder("DIR_EXPORT_CNC"), dir.Path());
  EXPECT_EQ(s.LabelFontSize, 8);
  EXPECT_TRUE(s.chkReportAllPanels);
  EXPECT_EQ(s.EditDecimal, "3");
  EXPECT_EQ(s.ComboBoxOptimizeMethod, kOptimizeMethodStandard);
  EXPECT_EQ(s.params.OptimizeMethod, kOptimizeMethodStandard);
}

TEST_F(OptionFileTest, DefaultsThatFollowTheCurrentState) {
  s.params.Measure = "mm";  // Measure of the last job
  s.AppLeft = 40;
  s.SheetsGridColWidths[6] = 120;
  Read("APP_TOP=7\n");
  EXPECT_EQ(s.EditMeasure, "mm");
  EXPECT_EQ(s.AppLeft, 40);
  EXPECT_EQ(s.AppTop, 7);
  EXPECT_EQ(s.SheetsGridColWidths[6], 120);
}

TEST_F(OptionFileTest, TrueFalseKeysNeedCapitalT) {
  Read("COST_OPTIMIZE=t\nFAST_OPTIMIZE=F\nGUILLOTINE=true\nORDER_OPTIMIZE=T\n");
  EXPECT_FALSE(s.CheckBoxCostOptimize);
  EXPECT_FALSE(s.CheckBoxFastSpeed);
  EXPECT_EQ(s.RadioGroupCutMode, 0);
  EXPECT_FALSE(s.params.Guillotine);
  EXPECT_TRUE(s.CheckBoxOrderOptimize);
  EXPECT_TRUE(s.params.OrderOptimize);
  Read("COST_OPTIMIZE=T\n");
  EXPECT_TRUE(s.CheckBoxCostOptimize);
}

TEST_F(OptionFileTest, IntegerAndBoolKeysFallBackToDefaults) {
  Read(
      "BUNDLE_OPTIMIZE=2\nOFFCUT_LEN_ROTATABLE=no\nREPORT_RAW_PANELS=0\n"
      "TRACK_OPTIMIZE_SPEED=fast\nSHEET_COLOR=red\nLABEL_FONT_SIZE=0x0C\n");
  EXPECT_TRUE(s.chkBundleOptimize);
  EXPECT_TRUE(s.params.BundleOptimize);
  EXPECT_EQ(s.ComboBoxBothOrEither, 0);
  EXPECT_TRUE(s.params.OffcutLenRotatable);
  EXPECT_FALSE(s.params.ReportRawPanels);
  EXPECT_EQ(s.params.Speed, 0);
  EXPECT_EQ(s.ColorBoxes[0], 32768);
  EXPECT_EQ(s.LabelFontSize, 12);
  Read("OFFCUT_LEN_ROTATABLE=0\n");
  EXPECT_EQ(s.ComboBoxBothOrEither, 1);
  EXPECT_FALSE(s.params.OffcutLenRotatable);
}

TEST_F(OptionFileTest, IndexesAndPositionsStayInTheirRange) {
  Read("MATERIAL_TYPE=7\n", 2);
  EXPECT_EQ(s.MaterialTypeIndex, 0);
  Read("MATERIAL_TYPE=1\n", 2);
  EXPECT_EQ(s.MaterialTypeIndex, 1);
  Read("MATERIAL_TYPE=-1\n", 2);
  EXPECT_EQ(s.MaterialTypeIndex, 0);
  Read("TRACK_OPTIMIZE_SPEED=50\nAUTO_PRINTER_FONT_ZOOM=5\n");
  EXPECT_EQ(s.TrackBarSpeed, 20);
  EXPECT_EQ(s.params.Speed, 20);
  EXPECT_EQ(s.params.AutoPrinterFontZoom, 33);
  // The planning method: 1 is the near-optimal one; anything else, an
  // unreadable value included, is the standard search.
  Read("OPTIMIZE_METHOD=1\n");
  EXPECT_EQ(s.ComboBoxOptimizeMethod, kOptimizeMethodNearOptimal);
  EXPECT_EQ(s.params.OptimizeMethod, kOptimizeMethodNearOptimal);
  for (const char* body :
       {"OPTIMIZE_METHOD=2\n", "OPTIMIZE_METHOD=-1\n", "OPTIMIZE_METHOD=near\n", ""}) {
    s.OnChangeOptimizeMethod(kOptimizeMethodNearOptimal);
    Read(body);
    EXPECT_EQ(s.ComboBoxOptimizeMethod, kOptimizeMethodStandard) << body;
    EXPECT_EQ(s.params.OptimizeMethod, kOptimizeMethodStandard) << body;
  }
}

TEST_F(OptionFileTest, TextsAreTakenUncheckedAndScaleSizeNeverStaysTicked) {
  auto warnings = Read(
      "BLADE_WIDTH=abc\nAUTO_SETUP_PRINTER_FONT_SIZE=1\nEditDecimal=5\nSCRAP_LEN1=2.5\n"
      "SHEETS_FILE=/data/a.stk\nDIR_PARTS=/data\n");
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(s.EditBladeWidth, "abc");
  EXPECT_FALSE(s.CheckBoxAutoPrinterSetupFont);
  EXPECT_EQ(s.EditDecimal, "3");
  EXPECT_EQ(s.params.ScrapLen1, 2500);
  EXPECT_EQ(s.SheetsFileKey, "/data/a.stk");
  EXPECT_EQ(s.EditSheetsFileName, "");  // the shown name comes from loading the table
  EXPECT_EQ(s.Folder("DIR_PARTS"), "/data");
}

TEST_F(OptionFileTest, BadMinimumOffcutLengthWarnsAndKeepsTheParameter) {
  s.params.ScrapLen1 = 4000;
  auto warnings = Read("SCRAP_LEN1=x\nSCRAP_LEN2=-1\n");
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_EQ(warnings[0].focus, SettingsField::EditMinOffcutLength1);
  EXPECT_EQ(warnings[0].text,
            "['x' is not a valid floating point value]the data of field is invalid");
  EXPECT_EQ(warnings[1].focus, SettingsField::EditMinOffcutLength2);
  EXPECT_EQ(warnings[1].text, "[]the data of field is invalid");
  EXPECT_EQ(s.EditMinOffcutLength1, "x");
  EXPECT_EQ(s.params.ScrapLen1, 4000);
}

TEST_F(OptionFileTest, WritingKeepsOtherSectionsAndReadsBack) {
  const std::string path = OptionFilePath(s, "default");
  EXPECT_EQ(path, dir.Path() + "/default.opt");
  WriteText(path, "[LABEL_SCHEME_1]\nNAME=Small\nCOLS=3\n[OPTION]\nBLADE_WIDTH=9\nOLD_KEY=1\n");

  s.EditBladeWidth = "1/8";
  s.CheckBoxCostOptimize = false;
  s.RadioGroupCutMode = 0;
  s.ComboBoxBothOrEither = 1;
  s.EditMeasure = "mm";
  s.EditPrintTitle = "Job 7";
  s.EditSheetsFileName = "/data/b.stk";
  s.SheetsFileKey = "/elsewhere/a.stk";
  s.SetFolder("DIR_REPORT", "/reports");
  s.AppWinStyle = 2;
  s.PartsGridColWidths[5] = 200;
  s.OnChangeOptimizeSpeedTrackbar(12);
  s.OnChangeOptimizeMethod(kOptimizeMethodNearOptimal);
  WriteOptionFile(s, "default");

  TIniFile ini(path);
  EXPECT_EQ(ini.ReadString("LABEL_SCHEME_1", "NAME", ""), "Small");
  EXPECT_EQ(ini.ReadString("LABEL_SCHEME_1", "COLS", ""), "3");
  EXPECT_EQ(ini.ReadString("OPTION", "OLD_KEY", ""), "1");
  EXPECT_EQ(ini.ReadString("OPTION", "GUILLOTINE", ""), "F");
  EXPECT_EQ(ini.ReadString("OPTION", "APP_WIN_STYLE", ""), "1");
  EXPECT_EQ(ini.ReadString("OPTION", "SHEETS_FILE", ""), "/data/b.stk");
  EXPECT_EQ(ini.ReadString("OPTION", "OPTIMIZE_METHOD", ""), "1");

  SettingsModel back(dir.Path());
  ReadOptionFile(back, path, 0, pub, captions);
  EXPECT_EQ(back.EditBladeWidth, "1/8");
  EXPECT_FALSE(back.CheckBoxCostOptimize);
  EXPECT_EQ(back.RadioGroupCutMode, 0);
  EXPECT_EQ(back.ComboBoxBothOrEither, 1);
  EXPECT_EQ(back.EditMeasure, "mm");
  EXPECT_EQ(back.EditPrintTitle, "Job 7");
  EXPECT_EQ(back.Folder("DIR_REPORT"), "/reports");
  EXPECT_EQ(back.AppWinStyle, 1);
  EXPECT_EQ(back.PartsGridColWidths[5], 200);
  EXPECT_EQ(back.params.Speed, 12);
  EXPECT_EQ(back.params.OptimizeMethod, kOptimizeMethodNearOptimal);
}

TEST_F(OptionFileTest, KeysAreWrittenInFileOrderAndCutModeOnlyWhenSelected) {
  s.RadioGroupCutMode = -1;
  WriteOptionFile(s, "order");
  const std::string text = ReadText(OptionFilePath(s, "order"));
  EXPECT_EQ(text.find("GUILLOTINE"), std::string::npos);
  const char* order[] = {"PARTS_IN_LAYOUT=",      "PRINTING_COMMENT=",
                         "BLADE_WIDTH=",          "MEASURE=",
                         "PRINTERFONTSIZE=",      "SCRAP_LEN2=",
                         "MATERIAL_TYPE=",        "DIR_REPORT=",
                         "DIR_EXPORT_CNC=",       "OFFCUTS_PREFIX=",
                         "SHEETS_GRID_COL_6=",    "PARTS_GRID_COL_0=",
                         "TRACK_OPTIMIZE_SPEED=", "AUTO_SETUP_PRINTER_FONT_SIZE=",
                         "REPORT_RAW_PANELS="};
  size_t last = 0;
  for (const char* key : order) {
    const size_t at = text.find(key);
    ASSERT_NE(at, std::string::npos) << key;
    EXPECT_GT(at, last) << key;
    last = at;
  }
}

}  // namespace
}  // namespace tralvin
