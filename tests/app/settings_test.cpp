// The settings reader of a job and the immediate handlers of the Settings page.
#include "app/settings.h"

#include <gtest/gtest.h>

#include "base/pubfunc.h"
#include "texts/caption_table.h"

namespace tralvin {
namespace {

class SettingsTest : public ::testing::Test {
 protected:
  SettingsModel s{"/start"};
  TPubFunc pub;
  CaptionTable captions;
};

TEST_F(SettingsTest, ReadOptionConvertsEveryLengthSetting) {
  s.EditMinOffcutSize = "0.5";
  s.EditBladeWidth = " 1 1/2 ";
  s.EditHeightEdige = "2";
  s.EditWidthEdge = "3/4";
  s.EditMinOffcutLength1 = "100";
  s.EditMinOffcutLength2 = "";
  s.RadioGroupCutMode = 0;
  s.CheckBoxCostOptimize = false;
  s.ComboBoxBothOrEither = 1;
  s.EditMeasure = "mm";
  s.ColorBoxes[2] = 5;
  pub.setDecimal(1);

  const SettingsMessage r = s.ReadOption(pub, captions);
  ASSERT_TRUE(r.ok) << r.text;
  EXPECT_EQ(pub.decimal(), 3);
  EXPECT_EQ(s.params.MinOffcutSize, 500);
  EXPECT_EQ(s.params.BladeWidth, 1500);
  EXPECT_EQ(s.params.BladeWidthText, " 1 1/2 ");
  EXPECT_EQ(s.params.LengthEdge, 2000);
  EXPECT_EQ(s.params.WidthEdge, 750);
  EXPECT_EQ(s.params.ScrapLen1, 100000);
  EXPECT_EQ(s.params.ScrapLen2, 0);
  EXPECT_FALSE(s.params.Guillotine);
  EXPECT_FALSE(s.params.CostOptimize);
  EXPECT_FALSE(s.params.OffcutLenRotatable);
  EXPECT_EQ(s.params.Measure, "mm");
  EXPECT_EQ(s.params.Colors[2], 5);
}

TEST_F(SettingsTest, ReadOptionStopsAtTheFirstBadEdit) {
  s.EditBladeWidth = "1/0";
  SettingsMessage r = s.ReadOption(pub, captions);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.focus, SettingsField::EditBladeWidth);
  EXPECT_EQ(r.text, "['[]' is not a valid floating point value]blade width is invalid.");

  // The minimum offcut size is converted first.
  s.EditMinOffcutSize = "-1";
  r = s.ReadOption(pub, captions);
  EXPECT_EQ(r.focus, SettingsField::EditMinOffcutSize);
  EXPECT_EQ(r.text, "[]the data of field is invalid");

  s.EditMinOffcutSize = "0";
  s.EditBladeWidth = "0";
  s.EditMinOffcutLength2 = "1,5";
  r = s.ReadOption(pub, captions);
  EXPECT_EQ(r.focus, SettingsField::EditMinOffcutLength2);
  EXPECT_EQ(r.text, "['1,5' is not a valid floating point value]the data of field is invalid");
}

TEST_F(SettingsTest, ReadOptionUsesTheCurrentCaptions) {
  captions.SetText("MSG_BLADE_WIDTH_FORMAT_INVALID", "Sägeblatt ungültig");
  s.EditBladeWidth = "-2";
  EXPECT_EQ(s.ReadOption(pub, captions).text, "[]Sägeblatt ungültig");
}

TEST_F(SettingsTest, PrinterFontSizeBelowEightBecomesEight) {
  s.EditPrinterFontSize = "5";
  s.ReadPrinterFontSize();
  EXPECT_EQ(s.EditPrinterFontSize, "8");
  EXPECT_EQ(s.params.PrinterFontSize, 8);
  s.EditPrinterFontSize = "big";
  s.ReadPrinterFontSize();
  EXPECT_EQ(s.EditPrinterFontSize, "8");
  s.EditPrinterFontSize = "12";
  s.EditPrinterFontName = "Courier";
  s.ReadPrinterFontSize();
  EXPECT_EQ(s.params.PrinterFontSize, 12);
  EXPECT_EQ(s.params.PrinterFontName, "Courier");
}

TEST_F(SettingsTest, MinimumOffcutHandlersWarnOnEveryBadKeystroke) {
  EXPECT_TRUE(s.OnChangeMinLength("12.5", pub, captions).ok);
  EXPECT_EQ(s.params.ScrapLen1, 12500);
  SettingsMessage r = s.OnChangeMinLength("-", pub, captions);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.focus, SettingsField::EditMinOffcutLength1);
  EXPECT_EQ(r.text, "['-' is not a valid floating point value]the data of field is invalid");
  EXPECT_EQ(s.EditMinOffcutLength1, "-");
  EXPECT_EQ(s.params.ScrapLen1, 12500);
  // No fraction handling here.
  EXPECT_FALSE(s.OnChangeMinWidth("1/2", pub, captions).ok);
  EXPECT_EQ(s.OnChangeMinWidth("-3", pub, captions).text, "[]the data of field is invalid");
  EXPECT_TRUE(s.OnChangeMinWidth("", pub, captions).ok);
  EXPECT_EQ(s.params.ScrapLen2, 0);
}

TEST_F(SettingsTest, ImmediateHandlersSetTheirParameters) {
  s.OnChangeOffcutsrotatable(1);
  EXPECT_FALSE(s.params.OffcutLenRotatable);
  s.OnChangeOffcutsrotatable(-1);
  EXPECT_TRUE(s.params.OffcutLenRotatable);

  s.RadioGroupCutModeClick(0);
  EXPECT_FALSE(s.params.Guillotine);
  s.RadioGroupCutModeClick(-1);
  EXPECT_FALSE(s.params.Guillotine);
  s.RadioGroupCutModeClick(1);
  EXPECT_TRUE(s.params.Guillotine);

  s.chkBundleOptimizeClick(true);
  s.CheckBoxOrderOptimizeClick(true);
  s.chkReportAllPanelsClick(false);
  EXPECT_TRUE(s.params.BundleOptimize);
  EXPECT_TRUE(s.params.OrderOptimize);
  EXPECT_FALSE(s.params.ReportRawPanels);

  s.OnChangeOptimizeSpeedTrackbar(7);
  EXPECT_EQ(s.params.Speed, 7);
  s.OnChangeOptimizeSpeedTrackbar(-4);
  EXPECT_EQ(s.params.Speed, 0);

  s.ScrollBarAutoPrinterSetupSizeChange(120);
  EXPECT_EQ(s.params.AutoPrinterFontZoom, 120);
}

TEST_F(SettingsTest, ScaleSizeClearsItself) {
  s.CheckBoxAutoPrinterSetupFont = true;
  s.FontButtonsEnabled = false;
  s.ZoomScrollBarEnabled = true;
  s.params.AutoPrinterFontScaling = true;
  s.CheckBoxAutoPrinterSetupFontClick();
  EXPECT_FALSE(s.CheckBoxAutoPrinterSetupFont);
  EXPECT_TRUE(s.FontButtonsEnabled);
  EXPECT_FALSE(s.ZoomScrollBarEnabled);
  EXPECT_FALSE(s.params.AutoPrinterFontScaling);
}

}  // namespace
}  // namespace tralvin
