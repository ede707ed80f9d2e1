// One label as drawing commands: border, title bands and body cells.
#include <gtest/gtest.h>

#include "labels/label_layout.h"
#include "tables/string_grid.h"

namespace tralvin {
namespace {

StringGrid Data() {
  StringGrid g(3, 3);
  g.SetRow(0, {"name", "type", "length"});
  g.SetRow(1, {"A1", "steel", "100 X 1"});
  g.SetRow(2, {"B2", "alu", "250 X 1"});
  return g;
}

std::vector<DrawText> Texts(const std::vector<DrawCommand>& commands) {
  std::vector<DrawText> texts;
  for (const DrawCommand& c : commands) {
    if (const auto* t = std::get_if<DrawText>(&c)) texts.push_back(*t);
  }
  return texts;
}

TEST(LabelDrawing, BorderBandsAndBodyPositions) {
  LabelDesign d;
  d.CheckBoxTopTitle = true;
  d.EditTopTitleCaption = "No. ";
  d.CheckBoxLeftTitle = true;
  d.ComboBoxLeftTitleData = 1;
  d.SetBodyRows(2);
  d.SetBodyCols(2);
  d.colWidths = {16, 30, 10, 64, 64};
  d.SetCell(1, 1, "length");
  d.SetCell(1, 2, "fixed");
  d.SetCell(2, 1, "Name");  // not a heading: case matters
  SheetValues v;
  v.topTitleWidth = 0.25;   // 25 pixels
  v.leftTitleLength = 0.5;  // 50 pixels
  std::vector<DrawCommand> out;
  // 100 pixels per inch; at (1.005, 2.009) inches, 2.509 × 1.259 inches: 250 × 125 pixels.
  printLabels(d, v, Data(), 1.005, 2.009, 2.509, 1.259, 2, 100, {"Mono", 12}, out);

  ASSERT_EQ(out.size(), 4u + 2u + 4u);
  EXPECT_EQ(std::get<DrawLine>(out[0]), (DrawLine{100, 200, 100, 325}));
  EXPECT_EQ(std::get<DrawLine>(out[1]), (DrawLine{100, 325, 350, 325}));
  EXPECT_EQ(std::get<DrawLine>(out[2]), (DrawLine{350, 325, 350, 200}));
  EXPECT_EQ(std::get<DrawLine>(out[3]), (DrawLine{350, 200, 100, 200}));

  const std::vector<DrawText> t = Texts(out);
  ASSERT_EQ(t.size(), 6u);
  // The top band shows the first field when none was selected, and selects it.
  EXPECT_EQ(d.ComboBoxTopTitleData, 0);
  EXPECT_EQ(t[0].text, "No. B2");
  EXPECT_EQ(t[0].x, 103);
  EXPECT_EQ(t[0].y, 200 + 25 / 2 - 12 / 2);  // 206
  EXPECT_EQ(t[1].text, "alu");
  EXPECT_EQ(t[1].x, 103);
  EXPECT_EQ(t[1].y, 225 + 100 / 2 - 6);
  // Body: rows of trunc(100 / 2) = 50; columns 30 and 10 scaled to 200 pixels: 150 and 50.
  EXPECT_EQ(t[2].text, "250 X 1");
  EXPECT_EQ(t[2].x, 153);
  EXPECT_EQ(t[2].y, 225 + 25 - 6);
  EXPECT_EQ(t[3].text, "fixed");
  EXPECT_EQ(t[3].x, 303);
  EXPECT_EQ(t[4].text, "Name");
  EXPECT_EQ(t[4].y, 275 + 25 - 6);
  EXPECT_EQ(t[5].text, "");
  // The font: the label font, fixed pitch, 12 device pixels given in points.
  EXPECT_EQ(t[0].fontName, "Mono");
  EXPECT_TRUE(t[0].fixedPitch);
  EXPECT_DOUBLE_EQ(t[0].fontSize * 100 / 72, 12);
}

TEST(LabelDrawing, DivisionsTruncateTowardZero) {
  LabelDesign d;
  d.SetBodyRows(3);
  d.SetBodyCols(3);
  d.colWidths = {0, 1, 1, 1, 0};
  SheetValues v;
  std::vector<DrawCommand> out;
  // 100 × 10 pixels with a 7-pixel font: rows of trunc(10 / 3) = 3, text top 3/2 - 7/2 = 1 - 3.
  printLabels(d, v, Data(), 0, 0, 1, 0.1, 1, 100, {"", 7}, out);
  const std::vector<DrawText> t = Texts(out);
  ASSERT_EQ(t.size(), 9u);
  EXPECT_EQ(t[0].y, -2);
  EXPECT_EQ(t[3].y, 1);
  // Columns of trunc(100 / 3) = 33 pixels.
  EXPECT_EQ(t[1].x, 36);
  EXPECT_EQ(t[2].x, 69);
}

TEST(LabelDrawing, PagesHoldTheirLabels) {
  LabelDesign d;
  d.SetBodyRows(1);
  d.SetBodyCols(1);
  d.SetCell(1, 1, "name");
  SheetValues v;
  v.columns = 3;
  v.rows = 10;
  v.labelLength = 1;
  v.labelWidth = 0.5;
  StringGrid data(1, 32);
  data.SetCell(0, 0, "name");
  for (int r = 1; r <= 31; ++r) data.SetCell(0, r, "L" + std::to_string(r));
  const std::vector<DrawingPage> pages =
      LabelPages(d, v, data, 1, 31, PrintableArea{300, 500, 100}, {"", 8});
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Texts(pages[0].commands).size(), 30u);
  ASSERT_EQ(Texts(pages[1].commands).size(), 1u);
  EXPECT_EQ(Texts(pages[1].commands)[0].text, "L31");
  EXPECT_EQ(pages[1].unitsPerInch, 100);
  EXPECT_EQ(pages[1].width, 300);
}

}  // namespace
}  // namespace tralvin
