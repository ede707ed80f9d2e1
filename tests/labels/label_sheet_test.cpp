// Reading the label sheet and laying labels out on pages.
#include "labels/label_sheet.h"

#include <gtest/gtest.h>

#include "labels/label_layout.h"
#include "texts/caption_table.h"

namespace tralvin {
namespace {

const CaptionTable& Captions() { return BuiltInCaptions(); }

// 8 × 10 inches at 100 pixels per inch.
constexpr PrintableArea kArea{800, 1000, 100};

LabelDesign Sheet(const char* cols, const char* rows) {
  LabelDesign d;
  d.EditLabelColNumber = cols;
  d.EditLabelRowNumber = rows;
  return d;
}

TEST(LabelSheet, LabelSizeFromAreaMarginsAndGaps) {
  LabelDesign d = Sheet("4", "10");
  SheetReading r = ReadPrintLabelOption(d, kArea, Captions());
  ASSERT_TRUE(r.ok);
  EXPECT_DOUBLE_EQ(r.values.labelLength, 2.0);
  EXPECT_DOUBLE_EQ(r.values.labelWidth, 1.0);

  d.EditLengthMarge = "0.5";
  d.EditLabelHorizontalGap = "0.1";
  r = ReadPrintLabelOption(d, kArea, Captions());
  ASSERT_TRUE(r.ok);
  EXPECT_NEAR(r.values.labelLength, 1.675, 1e-12);
  // The resolution matters, not the pixel count alone.
  r = ReadPrintLabelOption(d, PrintableArea{1600, 2000, 200}, Captions());
  EXPECT_NEAR(r.values.labelLength, 1.675, 1e-12);
}

TEST(LabelSheet, MillimetresUseTheRoundedFactor) {
  LabelDesign d = Sheet("1", "1");
  d.ComboBoxMeasure = 1;
  d.EditLengthMarge = "10";
  SheetReading r = ReadPrintLabelOption(d, kArea, Captions());
  ASSERT_TRUE(r.ok);
  EXPECT_NEAR(r.values.lengthMarge, 0.3937, 1e-12);
  EXPECT_NEAR(r.values.labelLength, 8 - 2 * 0.3937, 1e-12);
  // No unit selected: every size counts as 0.
  d.ComboBoxMeasure = -1;
  r = ReadPrintLabelOption(d, kArea, Captions());
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.values.lengthMarge, 0);
}

TEST(LabelSheet, BlankFieldsAreRefilled) {
  LabelDesign d = Sheet(" ", "");
  d.EditLabelHorizontalGap = d.EditLabelVerticalGap = d.EditLengthMarge = d.EditWidthMarge = "";
  d.EditTopTitleWidth = "\t";
  d.EditLeftTitleLength = "";
  SheetReading r = ReadPrintLabelOption(d, kArea, Captions());
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(d.EditLabelColNumber, "3");
  EXPECT_EQ(d.EditLabelRowNumber, "10");
  EXPECT_EQ(d.EditLabelHorizontalGap, "0");
  EXPECT_EQ(d.EditWidthMarge, "0");
  EXPECT_EQ(d.EditTopTitleWidth, "0.3");
  EXPECT_EQ(d.EditLeftTitleLength, "1");
}

TEST(LabelSheet, ValidationOrderAndMessages) {
  LabelDesign d = Sheet("x", "0");
  d.EditLabelVerticalGap = "-1";
  SheetReading r = ReadPrintLabelOption(d, kArea, Captions());
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.focus, LabelField::EditLabelColNumber);
  EXPECT_EQ(r.message, "['x' is not a valid integer value]invalid data");

  d.EditLabelColNumber = "2";
  r = ReadPrintLabelOption(d, kArea, Captions());
  EXPECT_EQ(r.focus, LabelField::EditLabelRowNumber);
  EXPECT_EQ(r.message, "[]invalid data");

  d.EditLabelRowNumber = "2";
  r = ReadPrintLabelOption(d, kArea, Captions());
  EXPECT_EQ(r.focus, LabelField::EditLabelVerticalGap);
  EXPECT_EQ(r.message, "[]invalid data");

  d.EditLabelVerticalGap = "1";
  d.EditLeftTitleLength = "1,5";
  r = ReadPrintLabelOption(d, kArea, Captions());
  EXPECT_EQ(r.focus, LabelField::EditLeftTitleLength);
  EXPECT_EQ(r.message, "['1,5' is not a valid floating point value]invalid data");

  CaptionTable renamed;
  renamed.SetText("MSG_INVALID_DATA", "bad");
  d.EditLeftTitleLength = " 1.5e0 ";
  d.EditTopTitleWidth = ".";
  r = ReadPrintLabelOption(d, kArea, renamed);
  EXPECT_EQ(r.focus, LabelField::EditTopTitleWidth);
  EXPECT_EQ(r.message, "['.' is not a valid floating point value]bad");
}

TEST(LabelSheet, StartPositionIsRefusedOutsideThePage) {
  for (const char* row : {"0", "11", "-1", "a"}) {
    LabelDesign d = Sheet("3", "10");
    d.EditPrintLabelFromRow = row;
    SheetReading r = ReadPrintOptions(d, kArea, Captions());
    EXPECT_FALSE(r.ok) << row;
    EXPECT_EQ(r.focus, LabelField::EditPrintLabelFromRow) << row;
  }
  LabelDesign d = Sheet("3", "10");
  d.EditPrintLabelFromRow = "10";
  d.EditPrintLabelFromCol = "4";
  SheetReading r = ReadPrintOptions(d, kArea, Captions());
  EXPECT_EQ(r.focus, LabelField::EditPrintLabelFromCol);
  EXPECT_EQ(r.message, "[]invalid data");
  d.EditPrintLabelFromCol = "3";
  r = ReadPrintOptions(d, kArea, Captions());
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.values.fromRow, 10);
  EXPECT_EQ(r.values.fromCol, 3);
}

SheetValues ThreeByTen(int fromRow, int fromCol) {
  LabelDesign d = Sheet("3", "10");
  d.EditPrintLabelFromRow = std::to_string(fromRow);
  d.EditPrintLabelFromCol = std::to_string(fromCol);
  d.EditWidthMarge = "0.5";
  d.EditLabelHorizontalGap = "0.25";
  SheetReading r = ReadPrintOptions(d, PrintableArea{850, 1100, 100}, Captions());
  EXPECT_TRUE(r.ok);
  return r.values;
}

TEST(LabelPlacement, StartPositionOnTheFirstPageOnly) {
  const SheetValues v = ThreeByTen(2, 3);
  const std::vector<LabelPlacement> p = PrintLabelFromTo(v, 1, 30);
  ASSERT_EQ(p.size(), 30u);
  // Row 2, column 3: the third position of the second row.
  EXPECT_EQ(p[0].page, 0);
  EXPECT_DOUBLE_EQ(p[0].x, 2 * (v.labelLength + 0.25));
  EXPECT_DOUBLE_EQ(p[0].y, 0.5 + v.labelWidth);
  EXPECT_EQ(p[1].page, 0);
  EXPECT_DOUBLE_EQ(p[1].x, 0);
  EXPECT_DOUBLE_EQ(p[1].y, 0.5 + 2 * v.labelWidth);
  // 25 positions remain on the first page; the second starts at its first.
  EXPECT_EQ(p[24].page, 0);
  EXPECT_EQ(p[25].page, 1);
  EXPECT_DOUBLE_EQ(p[25].x, 0);
  EXPECT_DOUBLE_EQ(p[25].y, 0.5);
  EXPECT_EQ(p[25].dataRow, 26);
}

TEST(LabelPlacement, ThirtyOneLabelsUseTwoPages) {
  const std::vector<LabelPlacement> p = PrintLabelFromTo(ThreeByTen(1, 1), 1, 31);
  ASSERT_EQ(p.size(), 31u);
  EXPECT_EQ(p[29].page, 0);
  EXPECT_EQ(p[30].page, 1);
  EXPECT_EQ(p[30].dataRow, 31);
  EXPECT_TRUE(PrintLabelFromTo(ThreeByTen(1, 1), 0, 3).empty());
  EXPECT_TRUE(PrintLabelFromTo(ThreeByTen(1, 1), 4, 3).empty());
  // Selected rows 5 to 7 print those rows.
  const std::vector<LabelPlacement> s = PrintLabelFromTo(ThreeByTen(1, 1), 5, 7);
  ASSERT_EQ(s.size(), 3u);
  EXPECT_EQ(s[0].dataRow, 5);
  EXPECT_EQ(s[2].dataRow, 7);
}

}  // namespace
}  // namespace tralvin
