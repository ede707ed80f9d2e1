// Label schemes in the option file.
#include "labels/label_scheme.h"

#include "base/ini_file.h"

namespace tralvin {

namespace {

constexpr const char* kGrid = "StringGridLabelDataFormat";

std::string CellKey(int r, int c) {
  return std::string(kGrid) + "_" + std::to_string(r) + "_" + std::to_string(c);
}
std::string WidthKey(int c) { return std::string(kGrid) + "_WIDTH_" + std::to_string(c); }

// An item index of a list of `count` items; anything outside selects nothing.
int ItemIndex(int value, int count) { return value >= 0 && value < count ? value : -1; }

}  // namespace

std::string LabelSchemeSection(int nIndex) { return "LABEL_SCHEME_" + std::to_string(nIndex); }

bool LoadLabelScheme(const std::string& sFileName, int nIndex, LabelDesign& d) {
  if (nIndex < 1 || nIndex > kLabelSchemeCount) return false;
  const TIniFile ini(sFileName);
  const std::string s = LabelSchemeSection(nIndex);
  d.ComboBoxMeasure = ItemIndex(ini.ReadInteger(s, "ComboBoxMeasure", 0), 2);
  d.EditLabelColNumber = ini.ReadString(s, "EditLabelColNumber", "1");
  d.EditLabelRowNumber = ini.ReadString(s, "EditLabelRowNumber", "1");
  d.EditLabelHorizontalGap = ini.ReadString(s, "EditLabelHorizontalGap", "0");
  d.EditLabelVerticalGap = ini.ReadString(s, "EditLabelVerticalGap", "0");
  d.EditWidthMarge = ini.ReadString(s, "EditWidthMarge", "0");
  d.EditLengthMarge = ini.ReadString(s, "EditLengthMarge", "0");
  d.CheckBoxTopTitle = ini.ReadBool(s, "CheckBoxTopTitle", false);
  d.EditTopTitleCaption = ini.ReadString(s, "EditTopTitleCaption", "");
  // The field lists hold one item per heading; the window checks the range.
  d.ComboBoxTopTitleData = ini.ReadInteger(s, "ComboBoxTopTitleData", 0);
  d.EditTopTitleWidth = ini.ReadString(s, "EditTopTitleWidth", "0");
  d.CheckBoxLeftTitle = ini.ReadBool(s, "CheckBoxLeftTitle", false);
  d.EditLeftTitleCaption = ini.ReadString(s, "EditLeftTitleCaption", "");
  d.ComboBoxLeftTitleData = ini.ReadInteger(s, "ComboBoxLeftTitleData", 0);
  d.EditLeftTitleLength = ini.ReadString(s, "EditLeftTitleLength", "0");
  d.SetBodyRows(ini.ReadInteger(s, "ScrollBarLabelRowCount", 0));
  d.SetBodyCols(ini.ReadInteger(s, "ScrollBarLabelColCount", 0));
  for (int r = 1; r <= d.ScrollBarLabelRowCount; ++r) {
    for (int c = 1; c <= d.ScrollBarLabelColCount; ++c) {
      d.SetCell(r, c, ini.ReadString(s, CellKey(r, c), ""));
    }
  }
  for (int c = 1; c <= d.ScrollBarLabelColCount; ++c) {
    d.colWidths.at(c) = ini.ReadInteger(s, WidthKey(c), 20);
  }
  d.portrait = ini.ReadBool(s, "PrinterSetupDialog1_ORI", true);
  return true;
}

bool SaveLabelScheme(const std::string& sFileName, int nIndex, const LabelDesign& d) {
  if (nIndex < 1 || nIndex > kLabelSchemeCount) return false;
  TIniFile ini(sFileName);
  const std::string s = LabelSchemeSection(nIndex);
  ini.BeginUpdate();
  ini.WriteInteger(s, "ComboBoxMeasure", d.ComboBoxMeasure);
  ini.WriteString(s, "EditLabelColNumber", d.EditLabelColNumber);
  ini.WriteString(s, "EditLabelRowNumber", d.EditLabelRowNumber);
  ini.WriteString(s, "EditLabelHorizontalGap", d.EditLabelHorizontalGap);
  ini.WriteString(s, "EditLabelVerticalGap", d.EditLabelVerticalGap);
  ini.WriteString(s, "EditWidthMarge", d.EditWidthMarge);
  ini.WriteString(s, "EditLengthMarge", d.EditLengthMarge);
  ini.WriteBool(s, "CheckBoxTopTitle", d.CheckBoxTopTitle);
  ini.WriteString(s, "EditTopTitleCaption", d.EditTopTitleCaption);
  ini.WriteInteger(s, "ComboBoxTopTitleData", d.ComboBoxTopTitleData);
  ini.WriteString(s, "EditTopTitleWidth", d.EditTopTitleWidth);
  ini.WriteBool(s, "CheckBoxLeftTitle", d.CheckBoxLeftTitle);
  ini.WriteString(s, "EditLeftTitleCaption", d.EditLeftTitleCaption);
  ini.WriteInteger(s, "ComboBoxLeftTitleData", d.ComboBoxLeftTitleData);
  ini.WriteString(s, "EditLeftTitleLength", d.EditLeftTitleLength);
  ini.WriteInteger(s, "ScrollBarLabelRowCount", d.ScrollBarLabelRowCount);
  ini.WriteInteger(s, "ScrollBarLabelColCount", d.ScrollBarLabelColCount);
  for (int r = 1; r <= d.ScrollBarLabelRowCount; ++r) {
    for (int c = 1; c <= d.ScrollBarLabelColCount; ++c)
      ini.WriteString(s, CellKey(r, c), d.Cell(r, c));
  }
  for (int c = 1; c <= d.ScrollBarLabelColCount; ++c)
    ini.WriteInteger(s, WidthKey(c), d.colWidths.at(c));
  ini.WriteBool(s, "PrinterSetupDialog1_ORI", d.portrait);
  ini.Commit();
  return true;
}

}  // namespace tralvin
