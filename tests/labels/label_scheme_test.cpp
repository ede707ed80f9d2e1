// Label schemes in the option file.
#include "labels/label_scheme.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "common/test_files.h"

namespace tralvin {
namespace {

using testing_files::ReadText;
using testing_files::ScratchFolder;
using testing_files::WriteText;

std::vector<std::string> KeysOf(const std::string& text, const std::string& section) {
  std::vector<std::string> keys;
  bool inside = false;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(pos, end - pos);
    pos = end + 2;
    if (line.starts_with("[")) {
      inside = line == "[" + section + "]";
    } else if (inside && line.find('=') != std::string::npos) {
      keys.push_back(line.substr(0, line.find('=')));
    }
  }
  return keys;
}

TEST(LabelScheme, SavingSchemeTwoWritesItsKeysInOrderAndLeavesOptionsAlone) {
  ScratchFolder dir;
  const std::string file = dir.File("default.opt");
  WriteText(file, "[OPTION]\r\nBLADE_WIDTH=3\r\n");
  LabelDesign d;
  d.SetBodyCols(3);
  d.SetBodyRows(2);
  d.SetCell(1, 1, "name");
  d.SetCell(2, 3, "fixed text");
  d.colWidths = {16, 40, 50, 60, 70};
  d.CheckBoxTopTitle = true;
  d.portrait = false;
  ASSERT_TRUE(SaveLabelScheme(file, 2, d));

  const std::string text = ReadText(file);
  EXPECT_TRUE(text.starts_with("[OPTION]\r\nBLADE_WIDTH=3\r\n"));
  const std::vector<std::string> expected = {"ComboBoxMeasure",
                                             "EditLabelColNumber",
                                             "EditLabelRowNumber",
                                             "EditLabelHorizontalGap",
                                             "EditLabelVerticalGap",
                                             "EditWidthMarge",
                                             "EditLengthMarge",
                                             "CheckBoxTopTitle",
                                             "EditTopTitleCaption",
                                             "ComboBoxTopTitleData",
                                             "EditTopTitleWidth",
                                             "CheckBoxLeftTitle",
                                             "EditLeftTitleCaption",
                                             "ComboBoxLeftTitleData",
                                             "EditLeftTitleLength",
                                             "ScrollBarLabelRowCount",
                                             "ScrollBarLabelColCount",
                                             "StringGridLabelDataFormat_1_1",
                                             "StringGridLabelDataFormat_1_2",
                                             "StringGridLabelDataFormat_1_3",
                                             "StringGridLabelDataFormat_2_1",
                                             "StringGridLabelDataFormat_2_2",
                                             "StringGridLabelDataFormat_2_3",
                                             "StringGridLabelDataFormat_WIDTH_1",
                                             "StringGridLabelDataFormat_WIDTH_2",
                                             "StringGridLabelDataFormat_WIDTH_3",
                                             "PrinterSetupDialog1_ORI"};
  EXPECT_EQ(KeysOf(text, "LABEL_SCHEME_2"), expected);
  EXPECT_NE(text.find("CheckBoxTopTitle=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("PrinterSetupDialog1_ORI=0\r\n"), std::string::npos);

  LabelDesign back;
  ASSERT_TRUE(LoadLabelScheme(file, 2, back));
  EXPECT_EQ(back.ScrollBarLabelColCount, 3);
  EXPECT_EQ(back.ScrollBarLabelRowCount, 2);
  EXPECT_EQ(back.Cell(2, 3), "fixed text");
  EXPECT_EQ(back.colWidths[3], 60);
  EXPECT_TRUE(back.CheckBoxTopTitle);
  EXPECT_FALSE(back.portrait);
  EXPECT_EQ(TIniFile(file).ReadString("OPTION", "BLADE_WIDTH", ""), "3");
}

TEST(LabelScheme, MissingKeysGiveTheStorageDefaults) {
  ScratchFolder dir;
  const std::string file = dir.File("default.opt");
  WriteText(file, "[LABEL_SCHEME_3]\r\nEditLabelColNumber=4\r\nComboBoxMeasure=7\r\n");
  LabelDesign d;
  d.EditTopTitleCaption = "old";
  ASSERT_TRUE(LoadLabelScheme(file, 3, d));
  EXPECT_EQ(d.EditLabelColNumber, "4");
  EXPECT_EQ(d.EditLabelRowNumber, "1");
  EXPECT_EQ(d.EditTopTitleCaption, "");
  EXPECT_EQ(d.EditTopTitleWidth, "0");
  EXPECT_EQ(d.ComboBoxMeasure, -1);  // no such unit
  EXPECT_EQ(d.ScrollBarLabelRowCount, 1);
  EXPECT_EQ(d.ScrollBarLabelColCount, 1);
  EXPECT_EQ(d.colWidths[1], 20);
  EXPECT_TRUE(d.portrait);

  LabelDesign untouched;
  EXPECT_FALSE(LoadLabelScheme(file, 0, untouched));
  EXPECT_FALSE(LoadLabelScheme(file, 10, untouched));
  EXPECT_EQ(untouched.EditLabelColNumber, "20");
  EXPECT_FALSE(SaveLabelScheme(file, 10, untouched));
  EXPECT_FALSE(TIniFile(file).SectionExists("LABEL_SCHEME_10"));
}

}  // namespace
}  // namespace tralvin
