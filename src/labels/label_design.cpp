// The label window's design as values.
#include "labels/label_design.h"

#include <algorithm>
#include <stdexcept>

namespace tralvin {

void LabelDesign::SetBodyRows(int position) {
  ScrollBarLabelRowCount = std::clamp(position, kBodyRowsMin, kBodyRowsMax);
}

void LabelDesign::SetBodyCols(int position) {
  ScrollBarLabelColCount = std::clamp(position, kBodyColsMin, kBodyColsMax);
}

std::string& FieldText(LabelDesign& d, LabelField field) {
  switch (field) {
    case LabelField::EditLabelColNumber:
      return d.EditLabelColNumber;
    case LabelField::EditLabelRowNumber:
      return d.EditLabelRowNumber;
    case LabelField::EditLabelHorizontalGap:
      return d.EditLabelHorizontalGap;
    case LabelField::EditLabelVerticalGap:
      return d.EditLabelVerticalGap;
    case LabelField::EditLengthMarge:
      return d.EditLengthMarge;
    case LabelField::EditWidthMarge:
      return d.EditWidthMarge;
    case LabelField::EditTopTitleWidth:
      return d.EditTopTitleWidth;
    case LabelField::EditLeftTitleLength:
      return d.EditLeftTitleLength;
    case LabelField::EditPrintLabelFromRow:
      return d.EditPrintLabelFromRow;
    case LabelField::EditPrintLabelFromCol:
      return d.EditPrintLabelFromCol;
    case LabelField::None:
      break;
  }
  throw std::invalid_argument("no field");
}

}  // namespace tralvin
