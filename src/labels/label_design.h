// The label window's design as values: the sheet fields, the two title bands,
// the body cell layout, the start position and the printer orientation. The
// window shows these values; label schemes store them; printing reads them.
#pragma once

#include <array>
#include <string>

namespace tralvin {

// The fields a sheet or start-position failure puts the focus on.
enum class LabelField {
  None,
  EditLabelColNumber,
  EditLabelRowNumber,
  EditLabelHorizontalGap,
  EditLabelVerticalGap,
  EditLengthMarge,
  EditWidthMarge,
  EditTopTitleWidth,
  EditLeftTitleLength,
  EditPrintLabelFromRow,
  EditPrintLabelFromCol,
};

inline constexpr int kBodyColsMin = 1, kBodyColsMax = 4;
inline constexpr int kBodyRowsMin = 1, kBodyRowsMax = 5;
inline constexpr int kLabelSchemeCount = 9;

struct LabelDesign {
  int ComboBoxMeasure = 0;  // 0 inch, 1 millimetre, -1 none selected
  std::string EditLabelColNumber = "20";
  std::string EditLabelRowNumber = "40";
  std::string EditLabelHorizontalGap = "0";
  std::string EditLabelVerticalGap = "0";
  std::string EditLengthMarge = "0";  // left and right
  std::string EditWidthMarge = "0";   // top and bottom

  bool CheckBoxTopTitle = false;
  std::string EditTopTitleCaption;
  int ComboBoxTopTitleData = -1;  // data column shown, -1 none selected
  std::string EditTopTitleWidth = "0.5";

  bool CheckBoxLeftTitle = false;
  std::string EditLeftTitleCaption;
  int ComboBoxLeftTitleData = -1;
  std::string EditLeftTitleLength = "1";

  // Body: ScrollBarLabelRowCount / ScrollBarLabelColCount positions, and the
  // layout grid's cells [row][col] and column widths (screen pixels). Row 0 and
  // column 0 are the narrow header cells; cells beyond the body size are kept.
  int ScrollBarLabelRowCount = 3;
  int ScrollBarLabelColCount = 2;
  std::array<std::array<std::string, kBodyColsMax + 1>, kBodyRowsMax + 1> cells{};
  std::array<int, kBodyColsMax + 1> colWidths{16, 64, 64, 64, 64};

  std::string EditPrintLabelFromRow = "1";
  std::string EditPrintLabelFromCol = "1";

  bool portrait = true;  // the printer's orientation

  const std::string& Cell(int row, int col) const { return cells.at(row).at(col); }
  void SetCell(int row, int col, std::string text) { cells.at(row).at(col) = std::move(text); }

  // A scroll bar position kept within its range, as the scroll bar does.
  void SetBodyRows(int position);
  void SetBodyCols(int position);
};

// Text of a field by its identity (for the window's focus and tests).
std::string& FieldText(LabelDesign& design, LabelField field);

}  // namespace tralvin
